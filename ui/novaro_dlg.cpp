// The main dialog: its windows, start-up and close. The layout is in novaro_dlg_layout.cpp,
// the buttons and the display refresh in novaro_dlg_commands.cpp.
#include "ui/novaro_dlg.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "data/image_file_io.h"
#include "data/lit_segments.h"
#include "ui/about_box.h"
#include "ui/calc_panel.h"
#include "ui/frame_metrics.h"
#include "ui/program_icon.h"
#include "ui/seg_lcd_wnd.h"

CNovaroDlg::CNovaroDlg(const std::string& programFolder, QWidget* parent)
    : QDialog(parent),
      m_programFolder(programFolder),
      m_extraLcds(this, &m_segLcd),
      m_litSegments(NewLitSegmentList()),
      m_openFolder([](const std::string& folder) {
          return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
      }) {
    setWindowTitle(kDefaultTitle);
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    CreateChildren();
    auto* about = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(about, &QShortcut::activated, this, [this] { ShowAboutBox(this); });
    m_refreshTimer.setInterval(1000 / kRefreshRate);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CNovaroDlg::RefreshLcd);
}

CNovaroDlg::~CNovaroDlg() {
    CloseDown();
    // The child windows outlive the members: none may keep a layout of the data set.
    for (CCalcPanel* panel : m_panels)
        panel->SetLcdLayout(nullptr);
    m_lcdWindow->AttachLayout(nullptr);
}

void CNovaroDlg::CreateChildren() {
    static const char* const kPanelNames[2] = {"SmallCalcPanel", "LargeCalcPanel"};
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new CCalcPanel(this);
        m_panels[i]->setObjectName(kPanelNames[i]);
        m_panels[i]->hide();
        // Direct: the tap runs while the pressed key shows.
        connect(m_panels[i], &CCalcPanel::keyTapRequested, this,
                [this](int row, int column) { m_emulator.Tap(row, column); });
    }
    m_lcdWindow = new CSegLcdWnd(this);
    m_lcdWindow->setObjectName("SegLcdWnd");

    auto makeButton = [this](const char* caption, const char* name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    m_captureButton = makeButton("Capture", "Capture");
    m_resetButton = makeButton("Reset", "Reset");
    m_openFolderButton = makeButton("Open Image Folder", "OpenImageFolder");
    m_openFolderButton->hide();  // the layout shows it
    connect(m_captureButton, &QPushButton::clicked, this, &CNovaroDlg::Capture);
    connect(m_resetButton, &QPushButton::clicked, this, &CNovaroDlg::ResetEmulator);
    connect(m_openFolderButton, &QPushButton::clicked, this, &CNovaroDlg::OpenImageFolder);
}

int CNovaroDlg::Start() {
    return RunStartup(*this, m_programFolder, m_image, m_ini);
}

bool CNovaroDlg::LoadPanel(int panel, const std::string& path) {
    return m_panels[panel]->LoadPanelFile(path) != 0;
}

bool CNovaroDlg::LoadSegLcd(const std::string& path) {
    return m_segLcd.Load(path) != 0;
}

void CNovaroDlg::EnableLayout() {
    m_layoutEnabled = true;
    const SFrameMetrics metrics = FrameMetricsOf(*style());
    const LayoutSize size = InitialDialogSize(metrics.frameWidth, metrics.captionButtonWidth);
    resize(size.width, size.height);
    // A hidden dialog gets its resize event only when shown: lay out now.
    RunLayout();
}

bool CNovaroDlg::LoadPanelPicture(PanelSize panel, PanelPicture which, const std::string& path) {
    CPixBuf picture;
    if (!CImageFileIO::ReadBmp(path, picture)) return false;
    const CPixBuf* pictures[3] = {nullptr, nullptr, nullptr};
    pictures[int(which)] = &picture;
    m_panels[int(panel)]->SetPictures(pictures[0], pictures[1], pictures[2]);
    return true;
}

void CNovaroDlg::ApplyConfig(const StartupConfig& config) {
    if (config.panelSection) ReplacePanelTransparency();
    if (config.title) setWindowTitle(QString::fromStdString(*config.title));
    for (int layout : config.extraLcds)
        if (!m_extraLcds.Open(layout)) break;
    // Replaced pictures may have another size than the panel files' own.
    RunLayout();
}

void CNovaroDlg::StartEmulator(const CBuf& image) {
    m_emulator.Create();
    m_emulator.Restart(image);
}

void CNovaroDlg::StartRefresh() {
    if (!m_refreshTimer.isActive()) m_refreshTimer.start();
}

void CNovaroDlg::reject() {
    CloseDown();
    QDialog::reject();
}

void CNovaroDlg::CloseDown() {
    m_refreshTimer.stop();
    m_extraLcds.Clear();
    m_emulator.Destroy();
}

void CNovaroDlg::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();  // no context menu anywhere in the dialog
}
