#include "ui/novaro_app.h"

#include <memory>

#include "ui/novaro_dlg.h"
#include "ui/program_icon.h"
#include "ui/qt_platform.h"
#include "util/platform.h"

namespace {

// Installs a platform for the life of the scope, and the console one again after it.
class CInstalledPlatform {
public:
    explicit CInstalledPlatform(IPlatform& platform) { SetPlatform(&platform); }
    ~CInstalledPlatform() { SetPlatform(nullptr); }
    CInstalledPlatform(const CInstalledPlatform&) = delete;
    CInstalledPlatform& operator=(const CInstalledPlatform&) = delete;
};

}  // namespace

bool MessagesOnStderr() {
    return qEnvironmentVariable("ORVANE_MESSAGES") == QLatin1String("stderr");
}

CNovaroApp::CNovaroApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("orvane");
    setApplicationVersion("1.0");
    setWindowIcon(ProgramIcon());
}

int CNovaroApp::Run() {
    CQtPlatform boxes;
    CConsolePlatform console;
    CInstalledPlatform installed(MessagesOnStderr() ? static_cast<IPlatform&>(console)
                                                    : static_cast<IPlatform&>(boxes));
    CNovaroDlg dialog(applicationDirPath().toStdString());
    if (int code = dialog.Start()) return code;  // the dialog's destructor stops everything
    boxes.SetOwner(&dialog);
    dialog.exec();
    boxes.SetOwner(nullptr);
    return 0;
}
