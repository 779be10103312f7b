// Moving pictures between Qt's QImage (painting, PNG files) and the data library's CPixBuf
// (what the model files store). A type-0 CPixBuf holds B, G, R, 0 per pixel; a QImage in
// Format_RGB32 holds the same bytes with 0xFF in the fourth, which the stored form must not
// keep (pixel values are compared whole).
#pragma once

#include <QImage>

class CPixBuf;

// A type-0 picture of the image. 0 when the picture cannot be made.
int ToPixBuf(const QImage& image, CPixBuf& out);

// The image of a type-0 picture (a null image for another type).
QImage ToImage(const CPixBuf& picture);
