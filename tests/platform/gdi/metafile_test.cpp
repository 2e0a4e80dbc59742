#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/metafile_format.h"
#include "platform/gdi/wingdi.h"
#include "tests/platform/gdi/canvas.h"

namespace win32 {
namespace {

using testing::Canvas;

constexpr int kW = 160;
constexpr int kH = 90;

// A page's worth of drawing: fills, lines, a blit, text through DrawTextA
// with the page-composition flags and a menu caption with a prefix.
void DrawPage(HDC dc) {
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
    RECT band{4, 4, 156, 10};
    FillRect(dc, &band, blue);
    DeleteObject(blue);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    MoveToEx(dc, 4, 86, nullptr);
    LineTo(dc, 156, 86);
    SelectObject(dc, oldPen);
    DeleteObject(red);

    Canvas tile(4, 4, RGB(0, 160, 0));
    BitBlt(dc, 150, 12, 4, 4, tile.dc(), 0, 0, SRCCOPY);

    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT text{4, 12, 140, 80};
    DrawTextA(dc, "吾輩は猫である。名前はまだ無い。\tどこで生れたかとんと見当がつかぬ。", -1, &text, 0x2A50);
    RECT caption{4, 66, 140, 80};
    DrawTextA(dc, "ファイル(&F)", -1, &caption, DT_SINGLELINE | DT_RIGHT);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

HENHMETAFILE RecordPage() {
    // The frame of a 160 x 90 pixel page on the 96-dpi screen.
    RECT frame{0, 0, kW * 2540 / 96, kH * 2540 / 96};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, "test\0page\0");
    EXPECT_NE(dc, nullptr);
    DrawPage(dc);
    return CloseEnhMetaFile(dc);
}

int Differences(const Canvas& a, const Canvas& b, int w, int h) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

RECT InkBounds(const Canvas& c, int w, int h, std::function<bool(COLORREF)> is) {
    RECT r{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!is(c.At(x, y))) continue;
            r.left = std::min<LONG>(r.left, x);
            r.top = std::min<LONG>(r.top, y);
            r.right = std::max<LONG>(r.right, x + 1);
            r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
}

bool Greyish(COLORREF c) { return c != 0xFFFFFF && GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

TEST(Metafile, ReplayAtActualSizeMatchesDirectDrawing) {
    HENHMETAFILE mf = RecordPage();
    ASSERT_NE(mf, nullptr);
    Canvas direct(kW, kH), replay(kW, kH);
    DrawPage(direct.dc());
    RECT dest{0, 0, kW, kH};
    ASSERT_TRUE(PlayEnhMetaFile(replay.dc(), mf, &dest));
    EXPECT_EQ(Differences(direct, replay, kW, kH), 0);
    DeleteEnhMetaFile(mf);
}

TEST(Metafile, ReplayAtTwiceTheSizeMatchesDrawingThroughAScaledMapping) {
    HENHMETAFILE mf = RecordPage();
    Canvas direct(2 * kW, 2 * kH), replay(2 * kW, 2 * kH), small(kW, kH);
    SetMapMode(direct.dc(), MM_ANISOTROPIC);
    SetWindowExtEx(direct.dc(), 1, 1, nullptr);
    SetViewportExtEx(direct.dc(), 2, 2, nullptr);
    DrawPage(direct.dc());
    RECT dest{0, 0, 2 * kW, 2 * kH};
    ASSERT_TRUE(PlayEnhMetaFile(replay.dc(), mf, &dest));
    EXPECT_EQ(Differences(direct, replay, 2 * kW, 2 * kH), 0);

    // The text lands in the same places on the page at both sizes.
    RECT one{0, 0, kW, kH};
    PlayEnhMetaFile(small.dc(), mf, &one);
    RECT a = InkBounds(small, kW, kH, Greyish);
    RECT b = InkBounds(replay, 2 * kW, 2 * kH, Greyish);
    EXPECT_NEAR(b.left, 2 * a.left, 2);
    EXPECT_NEAR(b.top, 2 * a.top, 3);
    EXPECT_NEAR(b.right, 2 * a.right, 3);
    EXPECT_NEAR(b.bottom, 2 * a.bottom, 3);
    DeleteEnhMetaFile(mf);
}

TEST(Metafile, PrinterResolutionPageShrinksOntoAPreview) {
    // Recorded in 600-dpi printer pixels with a font scaled for paper, as
    // page composition does; previewed on a bitmap a sixth of the size.
    const int pageW = 4800, pageH = 3000;
    RECT frame{0, 0, pageW * 2540 / 96, pageH * 2540 / 96};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    HFONT font = CreateFontA(-75, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ 明朝");
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT r{600, 600, 4200, 2400};
    const int h = DrawTextA(dc, "印刷のテスト", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(h, 75);
    HENHMETAFILE mf = CloseEnhMetaFile(dc);
    DeleteObject(font);
    Canvas preview(pageW / 6, pageH / 6);
    RECT dest{0, 0, pageW / 6, pageH / 6};
    ASSERT_TRUE(PlayEnhMetaFile(preview.dc(), mf, &dest));
    RECT ink = InkBounds(preview, pageW / 6, pageH / 6, [](COLORREF c) { return c != 0xFFFFFF; });
    EXPECT_GE(ink.left, 100);
    EXPECT_LE(ink.left, 102);
    EXPECT_GE(ink.top, 100);
    EXPECT_LE(ink.bottom, 100 + 13);
    EXPECT_NEAR(ink.right - ink.left, 6 * 75 / 6, 4);

    ENHMETAHEADER header{};
    ASSERT_EQ(GetEnhMetaFileHeader(mf, sizeof header, &header), sizeof header);
    EXPECT_EQ(header.dSignature, ENHMETA_SIGNATURE);
    EXPECT_EQ(header.rclFrame.right, frame.right);
    EXPECT_EQ(header.szlDevice.cx > 0, true);
    EXPECT_GE(header.rclBounds.left, 600);
    EXPECT_LT(header.rclBounds.right, 600 + 6 * 75 + 2);
    EXPECT_EQ(GetEnhMetaFileHeader(mf, 0, nullptr), sizeof(ENHMETAHEADER));
    DeleteEnhMetaFile(mf);
}

// Shapes, brushes of every kind, a clip region and blits with a key.
void DrawShapes(HDC dc) {
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 128, 0));
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(128, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, hatch);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, 2, 2, 40, 30);
    Ellipse(dc, 44, 2, 90, 40);
    const POINT tri[3] = {{100, 40}, {130, 2}, {150, 40}};
    Polygon(dc, tri, 3);
    HRGN clip = CreateRectRgn(0, 45, 80, 88);
    SelectClipRgn(dc, clip);
    RECT focus{4, 48, 120, 70};
    DrawFocusRect(dc, &focus);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    SetPixel(dc, 150, 80, RGB(0, 0, 255));
    Canvas keyed(3, 3, RGB(255, 0, 255));
    SetPixel(keyed.dc(), 1, 1, RGB(10, 20, 30));
    TransparentBlt(dc, 130, 60, 9, 9, keyed.dc(), 0, 0, 3, 3, RGB(255, 0, 255));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(hatch);
    DeleteObject(pen);
}

TEST(Metafile, ShapesBrushesAndClipsReplayExactly) {
    RECT frame{0, 0, kW * 2540 / 96, kH * 2540 / 96};
    HDC mdc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    DrawShapes(mdc);
    HENHMETAFILE mf = CloseEnhMetaFile(mdc);
    Canvas direct(kW, kH), replay(kW, kH);
    DrawShapes(direct.dc());
    RECT dest{0, 0, kW, kH};
    ASSERT_TRUE(PlayEnhMetaFile(replay.dc(), mf, &dest));
    EXPECT_EQ(Differences(direct, replay, kW, kH), 0);
    EXPECT_EQ(replay.At(150, 80), RGB(0, 0, 255));
    DeleteEnhMetaFile(mf);
}

TEST(Metafile, ReplayKeepsInsideTheTargetClipAndRestoresItsState) {
    HENHMETAFILE mf = RecordPage();
    Canvas c(kW, kH);
    IntersectClipRect(c.dc(), 0, 0, 40, kH);
    SetTextColor(c.dc(), RGB(1, 2, 3));
    RECT dest{0, 0, kW, kH};
    PlayEnhMetaFile(c.dc(), mf, &dest);
    for (int y = 0; y < kH; ++y)
        for (int x = 40; x < kW; ++x) ASSERT_EQ(c.At(x, y), 0xFFFFFFu);
    EXPECT_EQ(GetTextColor(c.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetMapMode(c.dc()), MM_TEXT);
    DeleteEnhMetaFile(mf);
}

TEST(Metafile, CopiesBytesAndFilesReplayTheSame) {
    HENHMETAFILE mf = RecordPage();
    HENHMETAFILE copy = CopyEnhMetaFileA(mf, nullptr);
    ASSERT_NE(copy, nullptr);
    const UINT size = GetEnhMetaFileBits(mf, 0, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> bytes(size);
    EXPECT_EQ(GetEnhMetaFileBits(mf, size, bytes.data()), size);
    EXPECT_EQ(GetEnhMetaFileBits(mf, size - 1, bytes.data()), 0u);
    HENHMETAFILE fromBytes = SetEnhMetaFileBits(size, bytes.data());
    ASSERT_NE(fromBytes, nullptr);
    std::vector<BYTE> again(size);
    GetEnhMetaFileBits(fromBytes, size, again.data());
    EXPECT_EQ(bytes, again);

    const std::string path = ::testing::TempDir() + "page.emf";
    HENHMETAFILE written = CopyEnhMetaFileA(mf, path.c_str());
    ASSERT_NE(written, nullptr);
    HENHMETAFILE read = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(read, nullptr);
    std::remove(path.c_str());

    Canvas a(kW, kH), b(kW, kH);
    RECT dest{0, 0, kW, kH};
    PlayEnhMetaFile(a.dc(), mf, &dest);
    PlayEnhMetaFile(b.dc(), read, &dest);
    EXPECT_EQ(Differences(a, b, kW, kH), 0);
    for (HENHMETAFILE h : {mf, copy, fromBytes, written, read}) EXPECT_TRUE(DeleteEnhMetaFile(h));
    EXPECT_FALSE(DeleteEnhMetaFile(mf));
    EXPECT_FALSE(PlayEnhMetaFile(a.dc(), mf, &dest));
}

TEST(Metafile, TruncatedOrAlteredStreamsAreRejected) {
    HENHMETAFILE mf = RecordPage();
    const UINT size = GetEnhMetaFileBits(mf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(mf, size, bytes.data());
    for (UINT n = 0; n < size; n += (n < 64 ? 1 : 7)) {
        HENHMETAFILE h = SetEnhMetaFileBits(n, bytes.data());
        EXPECT_EQ(h, nullptr) << n;
        if (h) DeleteEnhMetaFile(h);
    }
    // A record size pointing past the end, a wrong signature, trailing bytes.
    std::vector<BYTE> bad = bytes;
    bad[4] = 0xFC;
    bad[5] = 0xFF;
    EXPECT_EQ(SetEnhMetaFileBits(size, bad.data()), nullptr);
    bad = bytes;
    bad[8] ^= 1;
    EXPECT_EQ(SetEnhMetaFileBits(size, bad.data()), nullptr);
    bad = bytes;
    bad.insert(bad.end(), {0, 0, 0, 0});
    EXPECT_EQ(SetEnhMetaFileBits(static_cast<UINT>(bad.size()), bad.data()), nullptr);
    EXPECT_EQ(SetEnhMetaFileBits(size, nullptr), nullptr);
    DeleteEnhMetaFile(mf);
}

TEST(Metafile, EmptyRecordingAndBadHandles) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(dc, &tm));
    HENHMETAFILE mf = CloseEnhMetaFile(dc);
    ASSERT_NE(mf, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc), nullptr);
    Canvas c(8, 8);
    RECT dest{0, 0, 8, 8};
    EXPECT_TRUE(PlayEnhMetaFile(c.dc(), mf, &dest));
    EXPECT_FALSE(PlayEnhMetaFile(c.dc(), mf, nullptr));
    EXPECT_EQ(CreateEnhMetaFileA(reinterpret_cast<HDC>(0x777), nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(CloseEnhMetaFile(c.dc()), nullptr);
    DeleteEnhMetaFile(mf);
}

}  // namespace
}  // namespace win32
