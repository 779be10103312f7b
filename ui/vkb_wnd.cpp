#include "ui/vkb_wnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "data/colour.h"
#include "data/tag_buf_list.h"
#include "ui/pix_buf_image.h"
#include "ui/shape_bounds.h"
#include "util/platform.h"

CVkbWnd::CVkbWnd(QWidget* parent) : CVkbWnd(std::make_unique<CVkbModel>(), parent) {}

CVkbWnd::CVkbWnd(std::unique_ptr<CVkbModel> model, QWidget* parent)
    : QWidget(parent), m_model(std::move(model)) {
    setMouseTracking(true);
    // Every pixel is painted from the picture: no erase before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_model->ReplaceTransparency(ButtonFaceColour());
}

CVkbWnd::~CVkbWnd() = default;

int CVkbWnd::LoadFromTagList(CTagBufLst& list) {
    int ok = m_model->LoadFromTagList(list, ButtonFaceColour());
    DescriptionChanged();
    return ok;
}

void CVkbWnd::SetPictures(const CPixBuf* normal, const CPixBuf* pressed, const CPixBuf* highlight) {
    m_model->SetPictures(normal, pressed, highlight, ButtonFaceColour());
    DescriptionChanged();
}

void CVkbWnd::ReplaceTransparency() {
    m_model->ReplaceTransparency(ButtonFaceColour());
    Redraw(false);
}

uint32_t CVkbWnd::ButtonFaceColour() const {
    QColor c = palette().color(QPalette::Button);
    return Rgb(uint32_t(c.red()), uint32_t(c.green()), uint32_t(c.blue()));
}

void CVkbWnd::DescriptionChanged() {
    if (m_showLabels) UpdateShapeLabels();
    Redraw(false);
    updateGeometry();
    resize(sizeHint());
}

int CVkbWnd::Redraw(bool repaintNow) {
    int drawn = m_model->RedrawKeys();
    if (repaintNow)
        repaint();
    else
        update();
    return drawn;
}

void CVkbWnd::SetShapeLabelsShown(bool on) {
    m_showLabels = on;
    if (on) UpdateShapeLabels();
    update();
}

QSize CVkbWnd::sizeHint() const {
    const CPixBuf& display = m_model->Display();
    return {display.Width(), display.Height()};
}

int CVkbWnd::PressLookup(int page, int object) {
    int32_t value = m_model->KeyValueOf(page, object);
    if (value == -1) return 0;
    emit keyPressed(value);
    return 1;
}

int CVkbWnd::ReleaseLookup(int page, int object) {
    int32_t value = m_model->KeyValueOf(page, object);
    if (value == -1) return 0;
    emit keyReleased(value);
    return 1;
}

void CVkbWnd::HandleMouse(CVkbModel::EMouse kind, QPoint pos, bool leftDown) {
    CVkbModel::SMouseOutcome out =
        m_model->MouseInput(kind, pos.x(), pos.y(), leftDown, Platform().TickCount());
    if (!out.handled) return;
    // A press paints at once: the press lookup may block (a key tap) and the pressed key
    // must show meanwhile. Other changes wait for the next paint.
    Redraw(out.lookup == CVkbModel::ELookup::Press);
    if (out.lookup == CVkbModel::ELookup::Press)
        PressLookup(out.page, out.object);
    else if (out.lookup == CVkbModel::ELookup::Release)
        ReleaseLookup(out.page, out.object);
}

void CVkbWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    HandleMouse(CVkbModel::EMouse::Press, event->position().toPoint(), true);
}

void CVkbWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    HandleMouse(CVkbModel::EMouse::Release, event->position().toPoint(), false);
}

void CVkbWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    HandleMouse(CVkbModel::EMouse::DoubleClick, event->position().toPoint(), true);
}

void CVkbWnd::mouseMoveEvent(QMouseEvent* event) {
    HandleMouse(CVkbModel::EMouse::Move, event->position().toPoint(),
                (event->buttons() & Qt::LeftButton) != 0);
}

void CVkbWnd::leaveEvent(QEvent* event) {
    HandleMouse(CVkbModel::EMouse::Leave, {}, false);
    QWidget::leaveEvent(event);
}

void CVkbWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) ReplaceTransparency();
    QWidget::changeEvent(event);
}

void CVkbWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QImage image = ImageOf(m_model->Display());
    if (image.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Button));
    else
        painter.drawImage(0, 0, image);
    if (m_showLabels) PaintShapeLabels(painter);
}

void CVkbWnd::PaintShapeLabels(QPainter& painter) const {
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    const CSbk& sbk = m_model->Data().Sbk();
    for (int p = 0; p < sbk.PageCount(); ++p) {
        const CSpg& page = *sbk.Page(p);
        for (int o = 0; o < page.SobCount(); ++o) {
            const CSob& sob = *page.Sob(o);
            std::optional<SRectI> bounds = ShapeBounds(sob);
            if (!bounds || !sob.ShowShape()) continue;
            QPolygon outline;
            for (const SPointI& point : sob.Shape()->TransformedPoints(1, 1))
                outline << QPoint(point.x, point.y);
            painter.setPen(QColor(220, 0, 0));
            painter.drawPolygon(outline);
            painter.setPen(QColor(0, 0, 160));
            painter.drawText(QRect(bounds->left, bounds->top, bounds->Width(), bounds->Height()),
                             Qt::AlignCenter | Qt::TextDontClip,
                             QString::fromStdString(sob.LabelText()));
        }
    }
}
