#include <gtest/gtest.h>

#include <cstring>

#include "platform/comctl/commctrl.h"
#include "platform/gdi/png_io.h"
#include "platform/gdi/resource.h"
#include "platform/gdi/wingdi.h"
#include "resources/resources.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

class Resources : public ::testing::Test {
protected:
    void SetUp() override { resources::Register(); }
};

TEST_F(Resources, ProgramBitmapsLoadByNameWithTheirSizes) {
    struct Expect {
        const char* name;
        int w, h;
        COLORREF corner;
    } all[] = {{"CHECK", 16, 16, 0x800080},   {"CHECKMONO", 16, 16, 0x800080}, {"RESTORE", 16, 16, 0x008080},
               {"MIN", 16, 16, 0x008080},     {"MAX", 16, 16, 0x008080},       {"CLOSE", 16, 16, 0x008080},
               {"LEFT", 7, 15, 0x008080},     {"RIGHT", 7, 15, 0x008080}};
    for (const Expect& e : all) {
        HBITMAP b = LoadBitmapA(nullptr, e.name);
        ASSERT_NE(b, nullptr) << e.name;
        BITMAP bm{};
        GetObjectA(b, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, e.w) << e.name;
        EXPECT_EQ(bm.bmHeight, e.h) << e.name;
        EXPECT_EQ(bm.bmBitsPixel, 32);
        HDC m = CreateCompatibleDC(nullptr);
        HGDIOBJ o = SelectObject(m, b);
        EXPECT_EQ(GetPixel(m, 0, 0), e.corner) << e.name;
        SelectObject(m, o);
        DeleteDC(m);
        DeleteObject(b);
    }
    // Resource names ignore case; unknown names fail.
    HBITMAP lower = LoadBitmapA(nullptr, "check");
    EXPECT_NE(lower, nullptr);
    DeleteObject(lower);
    EXPECT_EQ(LoadBitmapA(nullptr, "NOSUCH"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, nullptr), nullptr);
}

TEST_F(Resources, CheckMarkIsBlackWithAWhiteRimBelowAndGreyInTheMonoVariant) {
    HBITMAP check = LoadBitmapA(nullptr, "CHECK");
    HBITMAP mono = LoadBitmapA(nullptr, "CHECKMONO");
    HDC m = CreateCompatibleDC(nullptr);
    HGDIOBJ o = SelectObject(m, check);
    int black = 0, white = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            COLORREF c = GetPixel(m, x, y);
            black += c == 0;
            white += c == 0xFFFFFF;
            if (c == 0xFFFFFF) {
                EXPECT_EQ(GetPixel(m, x, y - 1), 0u) << x << "," << y;
            }
        }
    EXPECT_GT(black, 10);
    EXPECT_GT(white, 3);
    SelectObject(m, mono);
    int grey = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) grey += GetPixel(m, x, y) == 0x808080;
    EXPECT_EQ(grey, black);
    SelectObject(m, o);
    DeleteDC(m);
    DeleteObject(check);
    DeleteObject(mono);
}

TEST_F(Resources, IconsDrawThroughTheirMask) {
    HICON app = LoadIconA(reinterpret_cast<HINSTANCE>(1), "MAINICON");
    ASSERT_NE(app, nullptr);
    // Shared icons come back as the same handle and survive DestroyIcon.
    EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(1), "MAINICON"), app);
    EXPECT_TRUE(DestroyIcon(app));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(app, &info));
    BITMAP bm{};
    GetObjectA(info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    Canvas c(32, 32, 0x00FF00);
    ASSERT_TRUE(DrawIconEx(c.dc(), 0, 0, app, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(c.At(0, 0), 0x00FF00u);      // transparent corner
    EXPECT_EQ(c.At(10, 16), 0xFFFFFFu);    // the page
    for (LPCSTR id : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK})
        EXPECT_NE(LoadIconA(nullptr, id), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_FALSE(DrawIconEx(c.dc(), 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST_F(Resources, MalformedTextPicturesAreRefused) {
    const char* const rows[] = {"ab", "a"};
    gdi::TextPicture bad{"BAD", "a 000000 b FFFFFF", rows, 2};
    Surface s;
    EXPECT_FALSE(gdi::RenderPicture(bad, s, nullptr));
    const char* const rows2[] = {"az"};
    gdi::TextPicture unknown{"BAD2", "a 000000", rows2, 1};
    EXPECT_FALSE(gdi::RenderPicture(unknown, s, nullptr));
}

TEST(ImageLists, MaskedImagesDrawTransparentlyAndAsMask) {
    // A 2-image strip: image 0 has a purple background and a black dot.
    HBITMAP strip = CreateBitmap(8, 4, 1, 32, nullptr);
    {
        HDC m = CreateCompatibleDC(nullptr);
        HGDIOBJ o = SelectObject(m, strip);
        HBRUSH purple = CreateSolidBrush(0x800080);
        RECT all{0, 0, 8, 4};
        FillRect(m, &all, purple);
        DeleteObject(purple);
        SetPixel(m, 1, 1, 0x000000);
        SetPixel(m, 5, 2, 0x0000FF);
        SelectObject(m, o);
        DeleteDC(m);
    }
    HIMAGELIST il = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR24, 2, 2);
    EXPECT_EQ(ImageList_AddMasked(il, strip, 0x800080), 0);
    EXPECT_EQ(ImageList_GetImageCount(il), 2);
    Canvas c(4, 4, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    c.Legend(0x0000FF, 'r');
    ASSERT_TRUE(ImageList_Draw(il, 0, c.dc(), 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.Row(1), "g#gg");
    EXPECT_EQ(c.Row(0), "gggg");
    ImageList_Draw(il, 1, c.dc(), 0, 0, ILD_NORMAL);  // no background colour: transparent too
    EXPECT_EQ(c.Row(2), "grgg");
    ImageList_SetBkColor(il, 0xFFFFFF);
    ImageList_Draw(il, 1, c.dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(c.Row(2), ".r..");
    // The mask: white (1) where transparent.
    ImageList_Draw(il, 0, c.dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(c.Row(1), ".#..");
    // Removing the first image moves the second down.
    EXPECT_TRUE(ImageList_Remove(il, 0));
    EXPECT_EQ(ImageList_GetImageCount(il), 1);
    c.Clear(0x00FF00);
    ImageList_Draw(il, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.Row(2), "grgg");
    EXPECT_FALSE(ImageList_Draw(il, 1, c.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Remove(il, 5));
    EXPECT_TRUE(ImageList_SetImageCount(il, 3));
    EXPECT_EQ(ImageList_GetImageCount(il), 3);
    HICON icon = ImageList_GetIcon(il, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    c.Clear(0x00FF00);
    DrawIconEx(c.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(c.Row(2), "grgg");
    DestroyIcon(icon);
    EXPECT_TRUE(ImageList_Destroy(il));
    EXPECT_FALSE(ImageList_Destroy(il));
    EXPECT_EQ(ImageList_GetImageCount(il), 0);
    EXPECT_EQ(ImageList_Create(0, 16, ILC_MASK, 1, 1), nullptr);
    DeleteObject(strip);
}

TEST(ImageLists, AddWithAMaskBitmapAndReplace) {
    HBITMAP image = CreateBitmap(2, 1, 1, 32, nullptr);  // black
    const WORD maskBits[1] = {0x0080};                   // bytes 80 00: first pixel white
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskBits);
    HIMAGELIST il = ImageList_Create(2, 1, ILC_MASK, 1, 1);
    EXPECT_EQ(ImageList_Add(il, image, mask), 0);
    Canvas c(2, 1, 0x00FF00);
    c.Legend(0x00FF00, 'g');
    ImageList_Draw(il, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.Row(0), "g#");
    EXPECT_TRUE(ImageList_Replace(il, 0, image, nullptr));
    ImageList_Draw(il, 0, c.dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(c.Row(0), "##");
    EXPECT_FALSE(ImageList_Replace(il, 3, image, nullptr));
    ImageList_Destroy(il);
    DeleteObject(image);
    DeleteObject(mask);
}

TEST(Png, RoundTripAndRejection) {
    Surface s(3, 2);
    s.Set(0, 0, 0x123456);
    s.Set(2, 1, 0xFFFFFF);
    std::vector<std::uint8_t> bytes = gdi::EncodePng(s);
    ASSERT_FALSE(bytes.empty());
    Surface back;
    ASSERT_TRUE(gdi::DecodePng(bytes.data(), bytes.size(), back));
    ASSERT_EQ(back.Width(), 3);
    EXPECT_EQ(back.At(0, 0), 0x123456u);
    EXPECT_EQ(back.At(2, 1), 0xFFFFFFu);
    EXPECT_FALSE(gdi::DecodePng(bytes.data(), bytes.size() / 2, back));
    EXPECT_FALSE(gdi::DecodePng(bytes.data(), 4, back));
    EXPECT_EQ(back.Width(), 3);  // untouched on failure
    EXPECT_FALSE(gdi::ReadPng("/nonexistent/x.png", back));
}

TEST(Dib, SetAndGetDIBitsBottomUpAndMonochrome) {
    Canvas c(2, 2);
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } info{};
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = 2;
    info.h.biHeight = 2;  // bottom-up
    info.h.biPlanes = 1;
    info.h.biBitCount = 24;
    // Bottom row first: blue, green; then the top row: red, white.
    const BYTE bits[16] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    HBITMAP b = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_EQ(SetDIBits(c.dc(), b, 0, 2, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
    HDC m = CreateCompatibleDC(nullptr);
    HGDIOBJ o = SelectObject(m, b);
    EXPECT_EQ(GetPixel(m, 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(m, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(m, 0, 1), 0xFF0000u);
    EXPECT_EQ(GetPixel(m, 1, 1), 0x00FF00u);
    SelectObject(m, o);
    BYTE out[16] = {};
    EXPECT_EQ(GetDIBits(c.dc(), b, 0, 2, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
    EXPECT_EQ(0, std::memcmp(out, bits, 16));
    // A monochrome DIB onto the canvas: 0 takes the text colour.
    info.h.biBitCount = 1;
    info.h.biHeight = -1;
    info.colors[0] = RGBQUAD{0, 0, 0, 0};
    info.colors[1] = RGBQUAD{255, 255, 255, 0};
    const BYTE monoBits[4] = {0x40, 0, 0, 0};
    SetTextColor(c.dc(), 0x0000FF);
    StretchDIBits(c.dc(), 0, 0, 2, 1, 0, 0, 2, 1, monoBits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                  SRCCOPY);
    EXPECT_EQ(c.At(0, 0), 0x0000FFu);
    EXPECT_EQ(c.At(1, 0), 0xFFFFFFu);
    // Malformed headers are refused.
    info.h.biBitCount = 7;
    EXPECT_EQ(SetDIBits(c.dc(), b, 0, 1, monoBits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 0);
    DeleteDC(m);
    DeleteObject(b);
}

TEST(Dib, DibSectionSharesItsBitsBothWays) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;  // bottom-up: the first row in memory is the bottom one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(bits, nullptr);
    auto* px = static_cast<std::uint32_t*>(bits);
    px[0] = 0x00FF0000;  // bottom-left, red
    HDC m = CreateCompatibleDC(nullptr);
    HGDIOBJ o = SelectObject(m, b);
    EXPECT_EQ(GetPixel(m, 0, 1), 0x0000FFu);
    SetPixel(m, 1, 0, 0x00FF00);
    EXPECT_EQ(px[3], 0x0000FF00u);
    DIBSECTION ds{};
    EXPECT_EQ(GetObjectA(b, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    SelectObject(m, o);
    DeleteDC(m);
    DeleteObject(b);
    info.bmiHeader.biBitCount = 3;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

}  // namespace
}  // namespace win32
