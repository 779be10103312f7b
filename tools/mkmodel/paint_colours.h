// Colours of the description (0xRRGGBB) as the painters use them.
#pragma once

#include <QColor>

#include "tools/mkmodel/model_description.h"

inline QColor ToQColor(HexColour colour) {
    return QColor(QRgb(0xFF000000u | colour));
}

// colour moved toward white by amount (0: unchanged, 1: white).
inline QColor TowardWhite(const QColor& colour, double amount) {
    auto channel = [amount](int c) { return int(c + (255 - c) * amount + 0.5); };
    return QColor(channel(colour.red()), channel(colour.green()), channel(colour.blue()));
}
