#include "bar/paint.h"

#include "bar/bar_state.h"
#include "bar/geometry.h"
#include "base/messages.h"

namespace {

HBRUSH NewBrush(COLORREF colour)
{
    return CreateSolidBrush(colour);
}

HRGN NewRegion(int left, int top, int right, int bottom)
{
    return CreateRectRgn(left, top, right, bottom);
}

void Delete(HGDIOBJ object)
{
    if (object != nullptr)
        DeleteObject(object);
}

int const STATE_PICTURE_SIZE = 16;  // each frame of the state bitmap

void DrawStateIcon(HDC dc, int frame)
{
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, g_barLook.stateBitmap);
    Rect const& icon = g_barLayout.geometry.icon;
    int const width = icon.right - icon.left, height = icon.bottom - icon.top;
    if (width == STATE_PICTURE_SIZE && height == STATE_PICTURE_SIZE) {
        BitBlt(dc, icon.left, icon.top, width, height, memory, STATE_PICTURE_SIZE * frame, 0, SRCCOPY);
    } else {
        // Nearest pixels only: a blend would mix the magenta ground into the
        // picture's edge, where the colour key no longer hides it.
        int const oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, icon.left, icon.top, width, height, memory, STATE_PICTURE_SIZE * frame, 0,
                   STATE_PICTURE_SIZE, STATE_PICTURE_SIZE, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(memory, previous);
    if (memory != nullptr)
        DeleteDC(memory);
}

}  // namespace

void PaintBar(HDC dc, RECT const& client, bool countdown)
{
    BarLook const& look = g_barLook;
    BarView const& view = g_barView;
    Rect const& fillArea = g_barLayout.geometry.fill;
    FrameOutline const& outline = g_barLayout.outline;
    COLORREF const caption = view.captionActive ? look.activeCaption : look.inactiveCaption;
    COLORREF const captionText = view.captionActive ? look.activeCaptionText : look.inactiveCaptionText;

    HBRUSH keyBrush = NewBrush(COLOUR_KEY);
    HBRUSH captionBrush = NewBrush(caption);
    HBRUSH captionTextBrush = NewBrush(captionText);
    HGDIOBJ oldBrush = SelectObject(dc, captionTextBrush);

    FillRect(dc, &client, keyBrush);

    int const frame = countdown ? 1 : view.powerState;
    if (frame >= 0)
        DrawStateIcon(dc, frame);

    // The default pen, solid black and one pixel wide, draws the outline;
    // the selected brush fills the interior.
    if (countdown) {
        Point const& topLeft = outline.points[0];
        Point const& bottomRight = outline.points[6];
        Rectangle(dc, topLeft.x, topLeft.y, bottomRight.x + 1, bottomRight.y + 1);
    } else {
        POINT points[8];
        for (int i = 0; i < 8; ++i)
            points[i] = POINT{outline.points[i].x, outline.points[i].y};
        Polygon(dc, points, 8);
    }

    // A percent below zero never comes from the readers; should one appear, the
    // regions must not turn inside out (CreateRectRgn would swap the edges).
    int const fillWidth = FillWidth(g_barLayout.geometry.fillLength, view.percent);
    int const fillEdge = fillArea.left + (fillWidth > 0 ? fillWidth : 0);
    if (fillEdge > fillArea.left) {
        RECT const fill{fillArea.left, fillArea.top, fillEdge, g_barLayout.geometry.windowHeight - 2};
        FillRect(dc, &fill, captionBrush);
    }

    HGDIOBJ oldFont = nullptr;
    if (look.font != nullptr)
        oldFont = SelectObject(dc, look.font);
    int const oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF const oldColour = GetTextColor(dc);

    // The text is drawn twice at the same place through two clips that meet
    // at the fill edge, so each part contrasts with what lies beneath it.
    HRGN fillRegion = NewRegion(fillArea.left, client.top, fillEdge, client.bottom);
    HRGN restRegion = NewRegion(fillEdge, client.top, client.right, client.bottom);
    RECT textRect{fillArea.left, fillArea.top, fillArea.right, fillArea.bottom};
    UINT const textFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

    SelectClipRgn(dc, fillRegion);
    SetTextColor(dc, captionText);
    DrawTextW(dc, view.text, -1, &textRect, textFlags);
    SelectClipRgn(dc, restRegion);
    SetTextColor(dc, caption);
    DrawTextW(dc, view.text, -1, &textRect, textFlags);

    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldBrush);
    SelectClipRgn(dc, nullptr);
    Delete(fillRegion);
    Delete(restRegion);
    Delete(keyBrush);
    Delete(captionBrush);
    Delete(captionTextBrush);
}

void OnPaint(HWND window, bool countdown)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintBar(dc, client, countdown);
    EndPaint(window, &ps);
}
