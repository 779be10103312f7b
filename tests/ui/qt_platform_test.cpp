// The desktop platform: a message raised on another thread never touches a widget there; it
// is shown on the GUI thread once the event loop runs. With the main dialog, the emulation
// thread's "unknown instruction" reaches the user once per run.
#include "ui/qt_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <thread>

#include "core/ice.h"
#include "core/isa_table.h"
#include "tests/support/recording_platform.h"
#include "tests/ui/model_folder.h"
#include "tests/ui/qt_test_app.h"
#include "tests/ui/temporary_home.h"
#include "ui/novaro_dlg.h"

namespace {

// Closes every message box that comes up, noting its text and the thread it runs on.
class CBoxCloser {
public:
    CBoxCloser() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts.push_back(box->text().toStdString());
            onGuiThread.push_back(QThread::currentThread() == qApp->thread());
            box->accept();
        });
        m_timer.start(20);
    }
    std::vector<std::string> texts;
    std::vector<bool> onGuiThread;

private:
    QTimer m_timer;
};

class DesktopPlatform : public testing::Test {
protected:
    void SetUp() override { SetPlatform(&platform); }
    void TearDown() override { SetPlatform(&TestPlatform()); }

    SQtApplicationInUse app;
    CQtPlatform platform;
};

TEST_F(DesktopPlatform, AMessageFromAnotherThreadIsShownLaterOnTheGuiThread) {
    CBoxCloser closer;
    MsgAnswer answer = MsgAnswer::No;
    std::thread worker([&] {
        answer =
            Platform().ShowMessage("unknown instruction", "error", MsgIcon::None, MsgButtons::Ok);
    });
    worker.join();  // returned at once: nobody has clicked anything
    EXPECT_EQ(answer, MsgAnswer::Ok);
    EXPECT_TRUE(closer.texts.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !closer.texts.empty(); }, 2000));
    EXPECT_EQ(closer.texts, std::vector<std::string>{"unknown instruction"});
    EXPECT_EQ(closer.onGuiThread, std::vector<bool>{true});
}

TEST_F(DesktopPlatform, TheMainDialogReportsAnUnknownInstructionOncePerRun) {
    CTemporaryHome home;
    CModelFolder folder;
    uint16_t unknown = 0;
    while (DecodeInstr(unknown))
        ++unknown;
    const char word[2] = {char(unknown & 0xFF), char(unknown >> 8)};
    folder.Write("bad.bin", std::string(word, 2) + std::string(word, 2));
    folder.Write("Novaro.ini", "[ICEBin]\nBinPathName = bad.bin\n");
    CNovaroDlg dialog(folder.Path());
    ASSERT_EQ(dialog.Start(), 0);
    platform.SetOwner(&dialog);
    dialog.show();
    CBoxCloser closer;
    CIce* ice = dialog.Emulator().Ice();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ice->ThreadActive(); }, 5000));
    QTest::qWait(400);
    EXPECT_EQ(closer.texts, std::vector<std::string>{"unknown instruction"});

    dialog.ResetEmulator();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closer.texts.size() == 2; }, 5000));
    QTest::qWait(400);
    EXPECT_EQ(closer.texts.size(), 2u);
    platform.SetOwner(nullptr);
}

}  // namespace
