// CPixBufDraw: simple figures drawn into a picture.
//
// Every operation takes a colour (red low) and an opacity: at 1 the colour is set with
// SetColour; below 1 (clamped to 0..1) the old colour is blended first, old * (1 - opacity)
// + colour * opacity per channel. Coordinates go through the picture's origin.
//
// Lines run from (x1, y1) to (x2, y2) inclusive, one point per unit step along the longer
// axis (x when both are equally long); the other coordinate steps when the accumulated
// error reaches the longer length. Of these points only every step-th is used (a step <= 0
// counts as 1). The dash pattern is a 32-bit word: a used point is drawn when the lowest
// bit is 1, and the word is rotated right by one bit after every used point (-1 is solid).
// The pattern after the line is returned, so that outlines and polylines carry it on.
//
// Pen kind 0 stamps, by pen size: 1 a pixel; 2 the 2 x 2 square right and below; 3 the
// 3 x 3 square around the point; 4 a 4 x 4 disc (x - 1 .. x + 2, without the corners); 5 a
// 5 x 5 disc (centred, without the corners). Sizes <= 0 or above 5 draw nothing. Pen kind
// 1 (a mask-weighted brush of the editing tools) is not supported and draws nothing.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class CPixBuf;

class CPixBufDraw {
public:
    static constexpr uint32_t kSolid = 0xFFFFFFFFu;

    explicit CPixBufDraw(CPixBuf& picture) : m_pic(picture) {}

    void Pixel(int x, int y, uint32_t colour, double opacity = 1.0);
    void HorizontalRun(int x1, int x2, int y, uint32_t colour, double opacity = 1.0);
    // Every row from y1 to y2 inclusive, x1 to x2 inclusive.
    void FilledRect(int x1, int y1, int x2, int y2, uint32_t colour, double opacity = 1.0);
    uint32_t Line(int x1, int y1, int x2, int y2, int step, uint32_t dash, int penKind, int penSize,
                  uint32_t colour, double opacity = 1.0);
    // The four sides (x1,y1)->(x2,y1)->(x2,y2)->(x1,y2)->(x1,y1), the pattern carried on.
    uint32_t RectOutline(int x1, int y1, int x2, int y2, int step, uint32_t dash, int penKind,
                         int penSize, uint32_t colour, double opacity = 1.0);
    uint32_t Polyline(const std::vector<std::pair<int, int>>& points, int step, uint32_t dash,
                      int penKind, int penSize, uint32_t colour, double opacity = 1.0);

private:
    void Stamp(int x, int y, int penSize, uint32_t colour, double opacity);

    CPixBuf& m_pic;
};
