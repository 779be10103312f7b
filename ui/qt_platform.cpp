#include "ui/qt_platform.h"

#include <QMessageBox>
#include <QThread>
#include <chrono>
#include <thread>

CQtPlatform::CQtPlatform(QObject* parent) : QObject(parent) {}

MsgAnswer CQtPlatform::ShowNow(const QString& text, const QString& caption, MsgIcon icon,
                               MsgButtons buttons) {
    QMessageBox box(m_owner);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(icon == MsgIcon::Error     ? QMessageBox::Critical
                : icon == MsgIcon::Warning ? QMessageBox::Warning
                                           : QMessageBox::NoIcon);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

MsgAnswer CQtPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                   MsgIcon icon, MsgButtons buttons) {
    QString qtext = QString::fromStdString(text), qcaption = QString::fromStdString(caption);
    if (QThread::currentThread() == thread()) return ShowNow(qtext, qcaption, icon, buttons);
    QMetaObject::invokeMethod(
        this, [this, qtext, qcaption, icon, buttons] { ShowNow(qtext, qcaption, icon, buttons); },
        Qt::QueuedConnection);
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

uint32_t CQtPlatform::TickCount() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void CQtPlatform::Sleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
