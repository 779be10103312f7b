// The one QApplication of the widget tests, on the offscreen platform.
#pragma once

// Creates it on first use (QT_QPA_PLATFORM=offscreen unless the environment names another
// platform). Call before making any widget.
void EnsureQtApplication();

// As the first member of a fixture whose other members are widgets.
struct SQtApplicationInUse {
    SQtApplicationInUse() { EnsureQtApplication(); }
};
