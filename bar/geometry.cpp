#include "bar/geometry.h"

BarGeometry ComputeBarGeometry(int32_t captionHeight, int32_t barWidth)
{
    int64_t const cap = captionHeight;
    int64_t const w = barWidth;
    int64_t const iconTop = (cap - 24) / 2;  // truncates toward zero, as C++ does

    BarGeometry g;
    g.windowWidth = Saturate(w + 25);
    g.windowHeight = Saturate(cap - 8);
    g.icon = Rect{0, Saturate(iconTop), 16, Saturate(iconTop + 16)};
    g.frame = Rect{18, 0, Saturate(w + 23), Saturate(cap - 9)};
    g.fill = Rect{20, 2, Saturate(w + 21), Saturate(cap - 11)};
    return g;
}

FrameOutline BuildFrameOutline(Rect const& frame)
{
    int64_t const l = frame.left, t = frame.top, r = frame.right, b = frame.bottom;
    int64_t const nub = (b - t) / 4;

    FrameOutline o;
    o.points[0] = Point{Saturate(l), Saturate(t)};
    o.points[1] = Point{Saturate(r - 2), Saturate(t)};
    o.points[2] = Point{Saturate(r - 2), Saturate(nub)};
    o.points[3] = Point{Saturate(r), Saturate(nub)};
    o.points[4] = Point{Saturate(r), Saturate(b - nub)};
    o.points[5] = Point{Saturate(r - 2), Saturate(b - nub)};
    o.points[6] = Point{Saturate(r - 2), Saturate(b)};
    o.points[7] = Point{Saturate(l), Saturate(b)};
    return o;
}

int32_t FillWidth(int32_t barWidth, int32_t percent)
{
    return Saturate(static_cast<int64_t>(barWidth) * percent / 100);
}
