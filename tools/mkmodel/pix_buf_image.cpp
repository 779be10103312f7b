#include "tools/mkmodel/pix_buf_image.h"

#include <cstdint>

#include "data/pix_buf.h"

int ToPixBuf(const QImage& image, CPixBuf& out) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (!out.Create(rgb.width(), rgb.height(), 0)) return 0;
    uint8_t* rows = out.Data();
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uint8_t* to = rows + size_t(y) * size_t(out.BytesPerRow());
        for (int x = 0; x < rgb.width(); ++x) {
            to[4 * x + 0] = uint8_t(qBlue(from[x]));
            to[4 * x + 1] = uint8_t(qGreen(from[x]));
            to[4 * x + 2] = uint8_t(qRed(from[x]));
            to[4 * x + 3] = 0;
        }
    }
    return 1;
}

QImage ToImage(const CPixBuf& picture) {
    if (picture.Type() != 0 || picture.IsEmpty()) return QImage();
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    const uint8_t* rows = picture.Data();
    for (int y = 0; y < picture.Height(); ++y) {
        const uint8_t* from = rows + size_t(y) * size_t(picture.BytesPerRow());
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.Width(); ++x)
            to[x] = qRgb(from[4 * x + 2], from[4 * x + 1], from[4 * x + 0]);
    }
    return image;
}
