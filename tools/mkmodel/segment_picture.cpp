#include "tools/mkmodel/segment_picture.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <climits>
#include <unordered_map>

#include "tools/mkmodel/machine_limits.h"
#include "tools/mkmodel/segment_colours.h"
#include "tools/mkmodel/segment_layout.h"
#include "util/strfmt.h"

namespace {

struct SBox {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    bool Empty() const { return right < left; }
    void Add(int x, int y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

HexColour PixelRgb(const QImage& image, int x, int y) {
    return HexColour(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) & 0xFFFFFF;
}

}  // namespace

int PaintSegmentPicture(const SLcdDesc& lcd, int width, int height, SSegmentPicture& out,
                        std::string& error) {
    std::vector<SSegmentShape> shapes = LayOutSegments(lcd, width, height);
    // One colour more than there are segments: the last marks the unused records.
    std::vector<HexColour> colours = SegmentKeyColours(shapes.size() + 1, kSegmentBackground);
    const HexColour unusedColour = colours.back();
    colours.pop_back();

    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(QRgb(kSegmentBackground)));
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        for (size_t i = 0; i < shapes.size(); ++i) {
            QPolygonF polygon;
            for (const SPointD& p : shapes[i].polygon)
                polygon << QPointF(p.x, p.y);
            painter.setBrush(QColor(QRgb(colours[i])));
            painter.drawPolygon(polygon, Qt::WindingFill);
        }
    }

    std::unordered_map<HexColour, size_t> shapeOfColour;
    for (size_t i = 0; i < colours.size(); ++i)
        shapeOfColour[colours[i]] = i;
    std::vector<SBox> boxes(shapes.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto it = shapeOfColour.find(PixelRgb(picture, x, y));
            if (it != shapeOfColour.end()) boxes[it->second].Add(x, y);
        }

    std::vector<SSegRecord> table(size_t(kSegmentRecords),
                                  SSegRecord{0, 0, 0, 0, RedLowColour(unusedColour)});
    for (size_t i = 0; i < shapes.size(); ++i) {
        const SLcdBit& bit = shapes[i].bit;
        if (boxes[i].Empty()) {
            error = StrFormat(
                "at %d x %d pixels the segment of page %d, column %d, bit %d is "
                "too small to be drawn",
                width, height, bit.page, bit.column, bit.bit);
            return 0;
        }
        table[size_t(bit.column + bit.Row() * kLcdColumns)] = {
            boxes[i].left, boxes[i].top, boxes[i].right + 1, boxes[i].bottom + 1,
            RedLowColour(colours[i])};
    }
    out.picture = picture;
    out.table = std::move(table);
    return 1;
}
