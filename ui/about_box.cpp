#include "ui/about_box.h"

#include "ui/program_icon.h"

std::unique_ptr<QMessageBox> MakeAboutBox(QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(kAboutTitle);
    box->setIconPixmap(ProgramIcon().pixmap(48, 48));
    box->setText(kAboutText);
    box->setStandardButtons(QMessageBox::Ok);
    return box;
}

void ShowAboutBox(QWidget* parent) {
    MakeAboutBox(parent)->exec();
}
