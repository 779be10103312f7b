// orvane-mkmodel: builds a calculator model's segment LCD file and panel files from its
// readable description (docs/model-format.md).
//
// Exit codes: 0 built, 1 the description is wrong or a file cannot be written (the message
// names the file, the place in it and the reason), 2 wrong usage.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/mkmodel/description_reader.h"
#include "tools/mkmodel/mkmodel_options.h"
#include "tools/mkmodel/model_builder.h"
#include "util/platform.h"

namespace {

// Qt's own notices (such as a missing runtime folder, which offscreen painting never uses)
// would clutter every build; only its errors are shown.
void QtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "orvane-mkmodel: Qt: %s\n", message.toLocal8Bit().constData());
}

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "orvane-mkmodel: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    SMkModelOptions options;
    std::string error;
    if (!ParseMkModelOptions(args, options, error)) {
        std::fputs(kMkModelUsage, stderr);
        return Fail(error, 2);
    }
    if (options.help) {
        std::fputs(kMkModelUsage, stdout);
        return 0;
    }

    SModelDescription description;
    if (!ReadModelDescription(options.description, description, error)) return Fail(error, 1);

    // A build tool never opens a window: fonts and painting need only the offscreen
    // platform, whatever display the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QtErrorsOnly);
    QGuiApplication app(argc, argv);
    CConsolePlatform console;
    SetPlatform(&console);

    std::vector<std::string> written;
    SBuildTargets targets{options.outFolder, options.pngFolder, options.fontFolder};
    if (!BuildModelFiles(description, targets, written, error)) return Fail(error, 1);
    if (!options.quiet)
        for (const std::string& line : written)
            std::printf("orvane-mkmodel: wrote %s\n", line.c_str());
    return 0;
}
