// CQtPlatform: the platform of the desktop program.
//
// Messages become QMessageBoxes. A message raised on the GUI thread is shown modally and its
// answer returned. A message raised on another thread (the emulation thread's "unknown
// instruction") never touches a widget there: it is handed to the GUI thread, shown when the
// event loop runs, and the raising thread goes on at once (OK, or Yes for a question).
#pragma once

#include <QObject>

#include "util/platform.h"

class QWidget;

class CQtPlatform : public QObject, public IPlatform {
    Q_OBJECT
public:
    explicit CQtPlatform(QObject* parent = nullptr);
    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override;
    uint32_t TickCount() override;
    void Sleep(uint32_t ms) override;

    // Window the modal boxes are centred on (may be null).
    void SetOwner(QWidget* owner) { m_owner = owner; }

private:
    MsgAnswer ShowNow(const QString& text, const QString& caption, MsgIcon icon,
                      MsgButtons buttons);
    QWidget* m_owner = nullptr;
};
