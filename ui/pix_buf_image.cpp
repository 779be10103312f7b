#include "ui/pix_buf_image.h"

#include <QtEndian>

#include "data/pix_buf.h"

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "32-bit pictures are wrapped as RGB32 images");

QImage ImageOf(const CPixBuf& picture) {
    if (picture.Type() != 0 || picture.IsEmpty() || !picture.IsConsistent()) return {};
    return QImage(picture.Data(), picture.Width(), picture.Height(), picture.BytesPerRow(),
                  QImage::Format_RGB32);
}
