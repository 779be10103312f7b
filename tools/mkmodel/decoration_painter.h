// What is printed on the case besides the keys: the maker's name, the model and the solar
// cell.
#pragma once

#include <QPainter>
#include <string>

#include "tools/mkmodel/fonts.h"
#include "tools/mkmodel/model_description.h"

// 0 with the reason in error when a font cannot draw a text.
int PaintDecorations(QPainter& painter, const SModelDescription& d, const SFontSet& fonts,
                     double scale, std::string& error);
