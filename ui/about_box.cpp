#include "ui/about_box.h"

#include <QGridLayout>
#include <QSpacerItem>

#include "ui/program_icon.h"

std::unique_ptr<QMessageBox> MakeAboutBox(QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(kAboutTitle);
    box->setIconPixmap(ProgramIcon().pixmap(48, 48));
    box->setText(kAboutText);
    box->setStandardButtons(QMessageBox::Ok);
    // A message box sizes itself to its short text, which leaves too little room for its own
    // title on most window managers; a spacer across its grid keeps it readable.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(
            new QSpacerItem(kAboutMinWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
            grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void ShowAboutBox(QWidget* parent) {
    MakeAboutBox(parent)->exec();
}
