#include "bar/geometry.h"

namespace {

int64_t Scale(int64_t pixelsAt96, int64_t dpi)
{
    int64_t const product = pixelsAt96 * dpi;
    // Rounded half away from zero, like MulDiv.
    return (product >= 0 ? product + BASE_DPI / 2 : product - BASE_DPI / 2) / BASE_DPI;
}

// Pixels the pen draws: the outline and the band inside it stay one pixel
// each, as they are vertically, at any DPI.
int64_t const OUTLINE_AND_BAND = 2;

}  // namespace

int32_t ScaleToDpi(int32_t pixelsAt96, int32_t dpi)
{
    return Saturate(Scale(pixelsAt96, dpi > 0 ? dpi : BASE_DPI));
}

BarGeometry ComputeBarGeometry(int32_t captionHeight, int32_t barWidth, int32_t dpi, int32_t textWidth,
                               int32_t maxWidth)
{
    int64_t const d = dpi > 0 ? dpi : BASE_DPI;
    int64_t const height = static_cast<int64_t>(captionHeight) - 8;
    int64_t const iconSlot = Scale(16, d);
    int64_t const gap = Scale(2, d);
    int64_t const nub = Scale(2, d);
    int64_t const lastColumn = Scale(1, d);
    int64_t fillLength = Scale(barWidth, d);
    if (textWidth > 0 && fillLength < static_cast<int64_t>(textWidth) + 2)
        fillLength = static_cast<int64_t>(textWidth) + 2;
    int64_t const chrome = iconSlot + gap + OUTLINE_AND_BAND + 1 + nub + 1 + lastColumn;
    int64_t const room = static_cast<int64_t>(maxWidth) - chrome;
    if (fillLength > room)
        fillLength = room > 0 ? room : 0;

    int64_t iconSize = iconSlot < height ? iconSlot : height;
    if (iconSize < 0)
        iconSize = 0;
    int64_t const iconLeft = (iconSlot - iconSize) / 2;
    int64_t const iconTop = (height - iconSize) / 2;
    int64_t const frameLeft = iconSlot + gap;
    int64_t const fillLeft = frameLeft + OUTLINE_AND_BAND;
    int64_t const bodyRight = fillLeft + fillLength + 1;
    int64_t const frameRight = bodyRight + nub;

    BarGeometry g;
    g.windowWidth = Saturate(frameRight + 1 + lastColumn);
    g.windowHeight = Saturate(height);
    g.icon = Rect{Saturate(iconLeft), Saturate(iconTop), Saturate(iconLeft + iconSize), Saturate(iconTop + iconSize)};
    g.frame = Rect{Saturate(frameLeft), 0, Saturate(frameRight), Saturate(height - 1)};
    g.fill = Rect{Saturate(fillLeft), 2, Saturate(bodyRight), Saturate(height - 3)};
    g.fillLength = Saturate(fillLength);
    g.nubWidth = Saturate(nub);
    return g;
}

FrameOutline BuildFrameOutline(Rect const& frame, int32_t nubWidth)
{
    int64_t const l = frame.left, t = frame.top, r = frame.right, b = frame.bottom;
    int64_t const inset = (b - t) / 4;
    int64_t const body = r - nubWidth;

    FrameOutline o;
    o.points[0] = Point{Saturate(l), Saturate(t)};
    o.points[1] = Point{Saturate(body), Saturate(t)};
    o.points[2] = Point{Saturate(body), Saturate(inset)};
    o.points[3] = Point{Saturate(r), Saturate(inset)};
    o.points[4] = Point{Saturate(r), Saturate(b - inset)};
    o.points[5] = Point{Saturate(body), Saturate(b - inset)};
    o.points[6] = Point{Saturate(body), Saturate(b)};
    o.points[7] = Point{Saturate(l), Saturate(b)};
    return o;
}

int32_t FillWidth(int32_t fillLength, int32_t percent)
{
    return Saturate(static_cast<int64_t>(fillLength) * percent / 100);
}
