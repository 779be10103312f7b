// Showing pictures: a 32-bit picture (type 0: B, G, R, 0 per pixel) is exactly a
// QImage::Format_RGB32 image on a little-endian machine, so it is wrapped without copying.
#pragma once

#include <QImage>

class CPixBuf;

// A QImage over the picture's pixels, valid while the picture is neither changed in size nor
// destroyed; a null image for an empty picture or one of another type.
QImage ImageOf(const CPixBuf& picture);
