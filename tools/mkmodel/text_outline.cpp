#include "tools/mkmodel/text_outline.h"

#include <QList>
#include <QPointF>

QPainterPath TextOutline(QRawFont font, const QString& text, double pixelSize) {
    font.setPixelSize(pixelSize);
    QList<quint32> glyphs = font.glyphIndexesForString(text);
    QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return path;
}

QPainterPath CentredOn(const QPainterPath& outline, QPointF centre) {
    return outline.translated(centre - outline.boundingRect().center());
}
