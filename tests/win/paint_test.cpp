// The bar's painting into a 32-bit DIB section: every pixel is checked by
// its role (colour key, caption colour, caption text colour, black outline),
// and the pictures are checked as the resources the program loads.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "bar/paint.h"
#include "tests/win/fakes.h"

namespace {

COLORREF const ACTIVE = RGB(10, 36, 106);
COLORREF const ACTIVE_TEXT = RGB(250, 250, 240);
COLORREF const INACTIVE = RGB(128, 128, 128);
COLORREF const INACTIVE_TEXT = RGB(212, 208, 200);
COLORREF const BLACK = RGB(0, 0, 0);

bool g_countdown;  // what the bar would hand over: an auto-shutdown runs

// A top-down 32-bit DIB section selected into a memory DC.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    DWORD* bits = nullptr;
    int width = 0, height = 0;

    Canvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO info;
        ZeroMemory(&info, sizeof info);
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<DWORD*>(memory);
        dc = CreateCompatibleDC(nullptr);
        previous = SelectObject(dc, bitmap);
        // Something the paint must overwrite everywhere.
        for (int i = 0; i < w * h; ++i)
            bits[i] = 0x00123456;
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) const
    {
        DWORD const p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    void Paint()
    {
        GdiFlush();
        RECT client{0, 0, width, height};
        PaintBar(dc, client, g_countdown);
        GdiFlush();
    }
};

// The 48 x 16 state bitmap as top-down RGB, read the way the program loads it.
std::vector<COLORREF> StatePixels()
{
    std::vector<COLORREF> pixels;
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_STATES));
    if (bitmap == nullptr)
        return pixels;
    Canvas canvas(48, 16);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(canvas.dc, 0, 0, 48, 16, memory, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

// Which colour each pixel of the battery should have, from the corner
// coordinates of its body, nub and fill.
struct Expected {
    int bodyRight;   // last column of the body outline
    int bottom;      // last row of the outline
    int nub;         // nub inset from top and bottom; -1: no nub
    int fillEnd;     // first column after the fill
    COLORREF caption, captionText;

    COLORREF At(int x, int y) const
    {
        bool const inBody = x >= 18 && x <= bodyRight && y >= 0 && y <= bottom;
        bool const inNub = nub >= 0 && x > bodyRight && x <= bodyRight + 2 && y >= nub && y <= bottom - nub;
        if (!inBody && !inNub)
            return COLOUR_KEY;
        if (inNub)
            return (x == bodyRight + 2 || y == nub || y == bottom - nub) ? BLACK : captionText;
        bool const nubOpening = nub >= 0 && x == bodyRight && y > nub && y < bottom - nub;
        if (x == 18 || y == 0 || y == bottom || (x == bodyRight && !nubOpening))
            return BLACK;
        if (x >= 20 && x < fillEnd && y >= 2 && y <= bottom - 2)
            return caption;
        return captionText;
    }
};

class Paint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakes();
        g_countdown = false;
        g_barLook.activeCaption = ACTIVE;
        g_barLook.activeCaptionText = ACTIVE_TEXT;
        g_barLook.inactiveCaption = INACTIVE;
        g_barLook.inactiveCaptionText = INACTIVE_TEXT;
        g_barView.powerState = -1;
        g_barLook.stateBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_STATES));
        ASSERT_NE(g_barLook.stateBitmap, nullptr);
        Layout(25, 50);
    }
    void TearDown() override { DeleteBarLook(); }
    void Layout(int cap, int width) { LayOutBar(cap, width); }
    void UseBarFont()
    {
        LOGFONTW font;
        ZeroMemory(&font, sizeof font);
        font.lfHeight = g_barLayout.captionHeight - 12;
        font.lfWeight = FW_NORMAL;
        lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
        font.lfQuality = NONANTIALIASED_QUALITY;  // exact colours for the split checks
        g_barLook.font = CreateFontIndirectW(&font);
        ASSERT_NE(g_barLook.font, nullptr);
    }
    // Compares the battery part (x >= 16) of a paint with the expected roles.
    static void ExpectBattery(Canvas const& canvas, Expected const& expected)
    {
        int wrong = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 16; x < canvas.width; ++x)
                if (canvas.At(x, y) != expected.At(x, y) && wrong++ < 10)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is 0x" << std::hex << canvas.At(x, y)
                                  << ", expected 0x" << expected.At(x, y);
        EXPECT_EQ(wrong, 0);
    }
    // Compares the icon area with frame `frame` of the bitmap, shifted by the
    // icon rectangle's top; frame -1: all colour key.
    static void ExpectIcon(Canvas const& canvas, int frame, int top)
    {
        std::vector<COLORREF> const states = StatePixels();
        ASSERT_EQ(states.size(), 48u * 16u);
        int wrong = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < 16; ++x) {
                int const row = y - top;
                COLORREF const want =
                    frame < 0 || row < 0 || row > 15 ? COLOUR_KEY : states[row * 48 + 16 * frame + x];
                if (canvas.At(x, y) != want && wrong++ < 10)
                    ADD_FAILURE() << "icon pixel (" << x << ", " << y << ") is 0x" << std::hex << canvas.At(x, y)
                                  << ", expected 0x" << want;
            }
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(Paint, FillsFiftySevenPercentInsideTheOutlineWithItsNub)
{
    g_barView.percent = 57;
    Canvas canvas(75, 17);
    canvas.Paint();
    // Fill (20, 2) to (48, 15); outline (18,0) (71,0) (71,4) (73,4) (73,12) (71,12) (71,16) (18,16).
    ExpectBattery(canvas, Expected{71, 16, 4, 48, ACTIVE, ACTIVE_TEXT});
    ExpectIcon(canvas, -1, 0);
    EXPECT_EQ(canvas.At(47, 14), ACTIVE);
    EXPECT_EQ(canvas.At(48, 14), ACTIVE_TEXT);
    EXPECT_EQ(canvas.At(47, 15), ACTIVE_TEXT) << "the one-pixel band under the fill";
    EXPECT_EQ(canvas.At(74, 8), COLOUR_KEY) << "the window's last column stays transparent";
}

TEST_F(Paint, EmptyAndFullFillKeepTheInteriorBand)
{
    Canvas canvas(75, 17);
    g_barView.percent = 0;
    canvas.Paint();
    ExpectBattery(canvas, Expected{71, 16, 4, 20, ACTIVE, ACTIVE_TEXT});

    g_barView.percent = 100;
    canvas.Paint();
    ExpectBattery(canvas, Expected{71, 16, 4, 70, ACTIVE, ACTIVE_TEXT});
    for (int y = 1; y <= 15; ++y)
        EXPECT_EQ(canvas.At(70, y), ACTIVE_TEXT) << "band right of the full fill, row " << y;
    for (int x = 19; x <= 70; ++x) {
        EXPECT_EQ(canvas.At(x, 1), ACTIVE_TEXT) << "band above the fill, column " << x;
        EXPECT_EQ(canvas.At(x, 15), ACTIVE_TEXT) << "band below the fill, column " << x;
    }
}

TEST_F(Paint, PowerStatePicksTheFrameAndNegativeLeavesTheIconOut)
{
    Canvas canvas(75, 17);
    g_barView.percent = 57;
    for (int state : {0, 2, -1, -5}) {
        SCOPED_TRACE(state);
        g_barView.powerState = state;
        canvas.Paint();
        ExpectIcon(canvas, state < 0 ? -1 : state, 0);
        ExpectBattery(canvas, Expected{71, 16, 4, 48, ACTIVE, ACTIVE_TEXT});
    }
}

TEST_F(Paint, RunningShutdownShowsThePowerButtonAndAPlainRectangle)
{
    Canvas canvas(75, 17);
    g_countdown = true;
    g_barView.percent = 57;
    for (int state : {0, 2, -1}) {
        SCOPED_TRACE(state);
        g_barView.powerState = state;
        canvas.Paint();
        ExpectIcon(canvas, 1, 0);
        ExpectBattery(canvas, Expected{71, 16, -1, 48, ACTIVE, ACTIVE_TEXT});
    }
}

TEST_F(Paint, InactiveCaptionUsesTheInactiveColours)
{
    Canvas canvas(75, 17);
    g_barView.percent = 57;
    g_barView.captionActive = false;
    canvas.Paint();
    ExpectBattery(canvas, Expected{71, 16, 4, 48, INACTIVE, INACTIVE_TEXT});

    g_barView.captionActive = true;
    canvas.Paint();
    ExpectBattery(canvas, Expected{71, 16, 4, 48, ACTIVE, ACTIVE_TEXT});
}

// The picture's inked part (not colour key) as a box: left, top, right, bottom.
RECT InkedBox(Canvas const& canvas, int left, int width)
{
    RECT box{INT_MAX, INT_MAX, -1, -1};
    for (int y = 0; y < canvas.height; ++y)
        for (int x = left; x < left + width; ++x)
            if (canvas.At(x, y) != COLOUR_KEY) {
                box.left = std::min<LONG>(box.left, x - left);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x - left);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
    return box;
}

TEST_F(Paint, LowCaptionShrinksTheWholeIconIntoTheBar)
{
    Layout(22, 50);
    g_barView.percent = 57;
    g_barView.powerState = 2;
    Canvas canvas(75, 14), picture(48, 16);
    canvas.Paint();
    // Icon rectangle (1, 0, 15, 14); f = 3; outline bottom row 13.
    ExpectBattery(canvas, Expected{71, 13, 3, 48, ACTIVE, ACTIVE_TEXT});

    // Every row and column of the picture's ink arrives, scaled by 14 / 16,
    // in nothing but the picture's own colours.
    std::vector<COLORREF> const states = StatePixels();
    ASSERT_EQ(states.size(), 48u * 16u);
    std::set<COLORREF> colours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x) {
            picture.bits[y * 48 + x] = (GetRValue(states[y * 48 + x]) << 16) |
                                       (GetGValue(states[y * 48 + x]) << 8) | GetBValue(states[y * 48 + x]);
            if (x >= 32)
                colours.insert(states[y * 48 + x]);
        }
    RECT const full = InkedBox(picture, 32, 16);
    RECT const drawn = InkedBox(canvas, 1, 14);
    EXPECT_NEAR(drawn.left, full.left * 14 / 16, 1);
    EXPECT_NEAR(drawn.top, full.top * 14 / 16, 1);
    EXPECT_NEAR(drawn.right, full.right * 14 / 16, 1);
    EXPECT_NEAR(drawn.bottom, full.bottom * 14 / 16, 1);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 16; ++x) {
            bool const inside = x >= 1 && x < 15;
            EXPECT_TRUE(inside ? colours.count(canvas.At(x, y)) == 1 : canvas.At(x, y) == COLOUR_KEY)
                << "icon pixel (" << x << ", " << y << ")";
        }
}

// Text pixels: those that differ from the same paint without text.
std::vector<std::pair<int, COLORREF>> TextPixelsInColumn(Canvas const& with, Canvas const& without, int x)
{
    std::vector<std::pair<int, COLORREF>> found;
    for (int y = 0; y < with.height; ++y)
        if (with.At(x, y) != without.At(x, y))
            found.push_back({y, with.At(x, y)});
    return found;
}

TEST_F(Paint, TextIsSplitInTwoColoursAtTheFillEdge)
{
    UseBarFont();
    g_barView.percent = 50;  // edge at x = 45, the middle of the centred text
    Canvas plain(75, 17), text(75, 17);
    plain.Paint();
    lstrcpyW(g_barView.text, L"8");  // one glyph, centred across the edge
    text.Paint();

    int leftColumns = 0, rightColumns = 0;
    for (int x = 20; x < 71; ++x) {
        auto const pixels = TextPixelsInColumn(text, plain, x);
        if (pixels.empty())
            continue;
        bool anyText = false, anyCaption = false;
        for (auto const& p : pixels) {
            anyText = anyText || p.second == ACTIVE_TEXT;
            anyCaption = anyCaption || p.second == ACTIVE;
        }
        if (x < 45) {
            ++leftColumns;
            EXPECT_TRUE(anyText && !anyCaption) << "column " << x << " over the fill";
        } else {
            ++rightColumns;
            EXPECT_TRUE(anyCaption && !anyText) << "column " << x << " over the empty part";
        }
    }
    EXPECT_GE(leftColumns, 2);
    EXPECT_GE(rightColumns, 2);
    EXPECT_FALSE(TextPixelsInColumn(text, plain, 44).empty()) << "a glyph straddles the edge";
    EXPECT_FALSE(TextPixelsInColumn(text, plain, 45).empty()) << "a glyph straddles the edge";
}

TEST_F(Paint, FullAndUnknownReadingsDrawTheTextInTheCaptionTextColour)
{
    UseBarFont();
    g_barView.percent = 100;
    for (wchar_t const* reading : {L"100%", L"NA"}) {
        SCOPED_TRACE(testing::Message() << static_cast<char>(reading[0]));
        Canvas plain(75, 17), text(75, 17);
        g_barView.text[0] = L'\0';
        plain.Paint();
        lstrcpyW(g_barView.text, reading);
        text.Paint();
        int textPixels = 0;
        for (int x = 0; x < 75; ++x)
            for (auto const& p : TextPixelsInColumn(text, plain, x)) {
                ++textPixels;
                EXPECT_EQ(p.second, ACTIVE_TEXT) << "at (" << x << ", " << p.first << ")";
            }
        EXPECT_GT(textPixels, 10);
    }
}

TEST_F(Paint, NoFillDrawsTheWholeTextInTheCaptionColour)
{
    UseBarFont();
    g_barView.percent = 0;
    Canvas plain(75, 17), text(75, 17);
    plain.Paint();
    lstrcpyW(g_barView.text, L"0%");
    text.Paint();
    int textPixels = 0;
    for (int x = 0; x < 75; ++x)
        for (auto const& p : TextPixelsInColumn(text, plain, x)) {
            ++textPixels;
            EXPECT_EQ(p.second, ACTIVE) << "at (" << x << ", " << p.first << ")";
        }
    EXPECT_GT(textPixels, 10);
}

TEST_F(Paint, TextWiderThanTheBarIsNeverDrawnLeftOfTheFill)
{
    UseBarFont();
    g_barView.percent = 30;
    g_barView.powerState = 0;
    Canvas plain(75, 17), text(75, 17);
    plain.Paint();
    lstrcpyW(g_barView.text, L"WWWWWWWWWWWWWWW");
    text.Paint();
    for (int x = 0; x < 20; ++x)
        EXPECT_TRUE(TextPixelsInColumn(text, plain, x).empty()) << "column " << x;
    EXPECT_FALSE(TextPixelsInColumn(text, plain, 72).empty()) << "the text spills to the right";
}

TEST_F(Paint, LeavesTheContextAsItFoundItAndDeletesWhatItMade)
{
    UseBarFont();
    lstrcpyW(g_barView.text, L"57%");
    g_barView.percent = 57;
    g_barView.powerState = 0;
    Canvas canvas(75, 17);
    HGDIOBJ const brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
    HGDIOBJ const font = GetCurrentObject(canvas.dc, OBJ_FONT);
    HGDIOBJ const pen = GetCurrentObject(canvas.dc, OBJ_PEN);
    COLORREF const textColour = SetTextColor(canvas.dc, RGB(1, 2, 3));
    (void)textColour;
    int const mode = GetBkMode(canvas.dc);

    DWORD const gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    canvas.Paint();
    DWORD const gdiAfterFirst = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 1; i < 10000; ++i)
        canvas.Paint();
    DWORD const gdiAfterAll = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);

    EXPECT_EQ(g_paintObjectsAlive, 0) << "objects the paint created and did not delete";
    EXPECT_EQ(gdiAfterFirst, gdiAfterAll) << "GDI objects of the process";
    EXPECT_EQ(gdiBefore, gdiAfterFirst);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetTextColor(canvas.dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(canvas.dc), mode);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.dc, clip), 0) << "no clip region left behind";
    DeleteObject(clip);
    std::printf("GDI objects (GetGuiResources): before %lu, after one paint %lu, after 10000 %lu; "
                "paint-made objects alive: %ld\n",
                gdiBefore, gdiAfterFirst, gdiAfterAll, g_paintObjectsAlive);
}

TEST_F(Paint, WithoutABitmapOrFontThePaintStillCompletes)
{
    DeleteObject(g_barLook.stateBitmap);
    g_barLook.stateBitmap = nullptr;
    lstrcpyW(g_barView.text, L"57%");
    g_barView.percent = 57;
    g_barView.powerState = 0;
    Canvas canvas(75, 17);
    canvas.Paint();
    EXPECT_EQ(g_paintObjectsAlive, 0);
    EXPECT_EQ(canvas.At(30, 14), ACTIVE) << "the fill is painted";
}

// ----------------------------------------------------------------- resources

TEST(Pictures, StateBitmapHasThreeDistinctFramesOnAMagentaGround)
{
    HBITMAP loaded = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_STATES));
    ASSERT_NE(loaded, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObjectW(loaded, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 16);
    DeleteObject(loaded);

    HBITMAP dib = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_STATES),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(dib, nullptr);
    DIBSECTION section;
    ASSERT_EQ(GetObjectW(dib, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    DeleteObject(dib);

    std::vector<COLORREF> const pixels = StatePixels();
    ASSERT_EQ(pixels.size(), 48u * 16u);
    for (int frame = 0; frame < 3; ++frame) {
        int painted = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                painted += pixels[y * 48 + 16 * frame + x] != COLOUR_KEY;
        EXPECT_GT(painted, 40) << "frame " << frame << " holds a picture";
        EXPECT_LT(painted, 256) << "frame " << frame << " has a transparent ground";
        EXPECT_EQ(pixels[16 * frame], COLOUR_KEY) << "frame " << frame << " corner";
    }
    int differing = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            differing += pixels[y * 48 + x] != pixels[y * 48 + 16 + x] &&
                         pixels[y * 48 + 16 + x] != pixels[y * 48 + 32 + x];
    EXPECT_GT(differing, 40);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

// (size, bits per pixel) of every image of an icon group, each image checked
// to load as an icon of its size.
std::set<std::pair<int, int>> IconImages(int group)
{
    std::set<std::pair<int, int>> images;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(group), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (found == nullptr)
        return images;
    BYTE const* data = static_cast<BYTE const*>(LockResource(LoadResource(module, found)));
    DWORD const size = SizeofResource(module, found);
    if (data == nullptr || size < sizeof(GroupIconHeader))
        return images;
    GroupIconHeader const* header = reinterpret_cast<GroupIconHeader const*>(data);
    if (sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry) > size)
        return images;
    GroupIconEntry const* entries = reinterpret_cast<GroupIconEntry const*>(data + sizeof(GroupIconHeader));
    for (int i = 0; i < header->count; ++i) {
        int const pixels = entries[i].width == 0 ? 256 : entries[i].width;
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(entries[i].id), MAKEINTRESOURCEW(3));  // RT_ICON
        EXPECT_NE(image, nullptr);
        if (image == nullptr)
            continue;
        HICON icon = CreateIconFromResourceEx(
            static_cast<BYTE*>(LockResource(LoadResource(module, image))), SizeofResource(module, image), TRUE,
            0x00030000, pixels, pixels, 0);
        EXPECT_NE(icon, nullptr) << "image " << pixels << " px, " << entries[i].bitCount << " bpp";
        if (icon != nullptr)
            DestroyIcon(icon);
        images.insert({pixels, entries[i].bitCount});
    }
    return images;
}

int IconWidth(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return -1;
    BITMAP bitmap;
    GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    return bitmap.bmWidth;
}

TEST(Pictures, IconGroupsHoldEveryListedSizeAndDepth)
{
    std::set<std::pair<int, int>> const normal{{128, 32}, {64, 32}, {48, 32}, {32, 32}, {16, 32}};
    EXPECT_EQ(IconImages(IDI_BRISVANE), normal);

    std::set<std::pair<int, int>> shutdown;
    for (int size : {48, 32, 24, 16})
        for (int bits : {4, 8, 32})
            shutdown.insert({size, bits});
    EXPECT_EQ(IconImages(IDI_SHUTDOWN), shutdown);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (auto const& group : {std::make_pair(IDI_BRISVANE, normal), std::make_pair(IDI_SHUTDOWN, shutdown)})
        for (auto const& image : group.second) {
            HICON icon = static_cast<HICON>(
                LoadImageW(instance, MAKEINTRESOURCEW(group.first), IMAGE_ICON, image.first, image.first, 0));
            ASSERT_NE(icon, nullptr) << "group " << group.first << " at " << image.first << " px";
            EXPECT_EQ(IconWidth(icon), image.first) << "group " << group.first;
            DestroyIcon(icon);
        }
}

}  // namespace
