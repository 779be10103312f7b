// The program's icon: a small calculator (dark case, grey LCD, a grid of keys), painted in
// the sizes window systems ask for, so that no picture file has to ship with the program.
#pragma once

#include <QIcon>

// Needs a QGuiApplication.
QIcon ProgramIcon();
