#include "tests/ui/qt_test_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

int g_argc = 1;
char g_name[] = "ui_tests";
char* g_argv[] = {g_name, nullptr};
std::unique_ptr<QApplication> g_app;

// Destroys the application once all tests have run, while Qt's own globals still exist (a
// static QApplication would go after them and crash on exit).
class CQtApplicationEnvironment : public testing::Environment {
public:
    void TearDown() override { g_app.reset(); }
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new CQtApplicationEnvironment);

}  // namespace

void EnsureQtApplication() {
    if (g_app) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_app = std::make_unique<QApplication>(g_argc, g_argv);
}
