// CNovaroApp: the orvane program. It installs the desktop platform (messages as message
// boxes), runs the main dialog's start-up and then the dialog, and gives the program's exit
// code: 1 when start-up failed (after its message), else 0 once the dialog is closed.
//
// The program's folder (where the executable is) holds the model's files and becomes the
// current directory. With the environment variable ORVANE_MESSAGES=stderr every message
// goes to the standard error stream instead of a box, and questions are answered Yes: for
// scripts and tests that run the program where nobody can click a box away.
#pragma once

#include <QApplication>

class CNovaroApp : public QApplication {
    Q_OBJECT
public:
    CNovaroApp(int& argc, char** argv);
    int Run();
};

// True when ORVANE_MESSAGES asks for messages on stderr.
bool MessagesOnStderr();
