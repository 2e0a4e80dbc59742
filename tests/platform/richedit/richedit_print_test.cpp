// Printing with EM_FORMATRANGE and EM_DISPLAYBAND: pages laid out on a
// device of another resolution, each starting where the last one stopped.
#include <gtest/gtest.h>

#include "tests/platform/richedit/richedit_fixture.h"

namespace test {
namespace {

class RichEditPrintTest : public RichEditTest {
protected:
    void TearDown() override {
        if (dc_) DeleteDC(dc_);
        if (bitmap_) DeleteObject(bitmap_);
        RichEditTest::TearDown();
    }
    // A bitmap page whose logical units are 600 to the inch, as a printer's.
    HDC Page600(int widthPx, int heightPx) {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, widthPx, heightPx);
        SelectObject(dc_, bitmap_);
        RECT all{0, 0, widthPx, heightPx};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetMapMode(dc_, MM_ANISOTROPIC);
        SetWindowExtEx(dc_, 600, 600, nullptr);
        SetViewportExtEx(dc_, 96, 96, nullptr);
        return dc_;
    }
    LONG Format(HDC dc, LONG from, RECT twips, bool render) {
        FORMATRANGE fr{dc, dc, twips, twips, {from, -1}};
        return static_cast<LONG>(Send(EM_FORMATRANGE, render, reinterpret_cast<LPARAM>(&fr)));
    }
    int InkedPixels(HDC dc, int w, int h) {
        SetMapMode(dc, MM_TEXT);
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) n += GetPixel(dc, x, y) != RGB(255, 255, 255);
        return n;
    }
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

TEST_F(RichEditPrintTest, PagesFollowOneAnotherAndCoverTheText) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "行 " + std::to_string(i) + " の文章を印刷します。\r\n";
    SetText(text);
    HDC dc = Page600(400, 300);
    // A page of 4 by 3 inches.
    RECT page{0, 0, 4 * 1440, 3 * 1440};
    std::vector<LONG> starts{0};
    LONG length = Length();
    while (starts.back() < length) {
        LONG next = Format(dc, starts.back(), page, false);
        ASSERT_GT(next, starts.back());
        starts.push_back(next);
        ASSERT_LT(starts.size(), 100u);
    }
    EXPECT_EQ(starts.back(), length);
    EXPECT_GT(starts.size(), 3u);
    // Each page starts on a line; rendering gives the same breaks and ink.
    for (std::size_t i = 1; i + 1 < starts.size(); ++i) {
        EXPECT_EQ(Send(EM_LINEINDEX, Send(EM_EXLINEFROMCHAR, 0, starts[i])), starts[i]);
    }
    EXPECT_EQ(Format(dc, 0, page, true), starts[1]);
    EXPECT_GT(InkedPixels(dc, 400, 300), 500);
    Send(EM_FORMATRANGE, 0, 0);
}

TEST_F(RichEditPrintTest, LongLinesWrapAtThePageWidthWhateverTheScreenDoes) {
    std::string line;
    for (int i = 0; i < 200; ++i) line += "word ";
    SetText(line);
    Send(EM_SETTARGETDEVICE, 0, 1);  // no wrap on the screen
    HDC dc = Page600(400, 300);
    RECT narrow{0, 0, 2 * 1440, 1440 / 2};  // two inches wide, half an inch high
    LONG next = Format(dc, 0, narrow, false);
    EXPECT_GT(next, 0);
    EXPECT_LT(next, Length());
    // A band of the page through EM_DISPLAYBAND draws the same range.
    RECT band{0, 0, 1200, 300};
    EXPECT_TRUE(Send(EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&band)));
    EXPECT_GT(InkedPixels(dc, 400, 300), 100);
}

TEST_F(RichEditPrintTest, AMetafilePageRecordsTheText) {
    SetText("印刷されるテキスト\r\nsecond line");
    HDC screen = GetDC(nullptr);
    RECT frame{0, 0, 21000, 29700};
    HDC meta = CreateEnhMetaFileA(screen, nullptr, &frame, "page");
    ReleaseDC(nullptr, screen);
    ASSERT_NE(meta, nullptr);
    RECT page{0, 0, 8 * 1440, 11 * 1440};
    EXPECT_EQ(Format(meta, 0, page, true), Length());
    HENHMETAFILE emf = CloseEnhMetaFile(meta);
    ASSERT_NE(emf, nullptr);
    ENHMETAHEADER h{};
    GetEnhMetaFileHeader(emf, sizeof h, &h);
    EXPECT_GT(h.nRecords, 4u);
    DeleteEnhMetaFile(emf);
}

}  // namespace
}  // namespace test
