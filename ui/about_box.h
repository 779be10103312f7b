// The about box: "About orvane", the program's icon, "Version 1.0" and an OK button. The
// main dialog opens it on F1 (Qt offers no portable window menu to add an entry to).
#pragma once

#include <QMessageBox>
#include <memory>

inline constexpr const char* kAboutTitle = "About orvane";
inline constexpr const char* kAboutText = "Version 1.0";
// Wide enough for the title bar to show "About orvane".
inline constexpr int kAboutMinWidth = 260;

std::unique_ptr<QMessageBox> MakeAboutBox(QWidget* parent);
// Modal.
void ShowAboutBox(QWidget* parent);
