#include <gtest/gtest.h>

#include <string>

#include "platform/print/paper_ink.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PrintTest;

TEST(PaperInkTest, EveryOperationIsAKeepAndAFlipOfTheDestination) {
    using print::EffectOf;
    const std::uint8_t srcCopy = gdi::RopIndex(SRCCOPY), srcAnd = gdi::RopIndex(SRCAND),
                       srcPaint = gdi::RopIndex(SRCPAINT), dstInvert = gdi::RopIndex(DSTINVERT),
                       patCopy = gdi::RopIndex(PATCOPY);
    EXPECT_TRUE(EffectOf(srcCopy, 0, 0x123456).Copies());
    EXPECT_EQ(EffectOf(srcCopy, 0, 0x123456).flip, 0x123456u);
    EXPECT_EQ(EffectOf(patCopy, 0xAA0000, 0).flip, 0xAA0000u);
    // The mask step of a transparent picture: white leaves the page alone,
    // black is painted.
    EXPECT_TRUE(EffectOf(srcAnd, 0, 0xFFFFFF).Nothing());
    EXPECT_TRUE(EffectOf(srcAnd, 0, 0x000000).Copies());
    // The picture step: black leaves the page alone, a colour is or-ed in.
    EXPECT_TRUE(EffectOf(srcPaint, 0, 0x000000).Nothing());
    const print::RopEffect paint = EffectOf(srcPaint, 0, 0x00FF00);
    EXPECT_EQ(paint.keep, 0xFF00FFu);
    EXPECT_EQ(paint.flip, 0x00FF00u);
    // Inverting is a difference with white.
    EXPECT_EQ(EffectOf(dstInvert, 0, 0).keep, 0xFFFFFFu);
    EXPECT_EQ(EffectOf(dstInvert, 0, 0).flip, 0xFFFFFFu);
    // A black XOR pen and R2_NOP change nothing.
    EXPECT_TRUE(EffectOf(gdi::Rop3FromRop2(R2_XORPEN), 0x000000, 0).Nothing());
    EXPECT_TRUE(EffectOf(gdi::Rop3FromRop2(R2_NOP), 0xFF0000, 0).Nothing());
    EXPECT_TRUE(EffectOf(gdi::Rop3FromRop2(R2_COPYPEN), 0xFF0000, 0).Copies());
}

class PrinterDrawingTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        if (!testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
        dc_ = testing::PdfPrinterDC();
        DOCINFOA info{sizeof(DOCINFOA), "drawing", file_.c_str(), nullptr, 0};
        ASSERT_GT(StartDocA(dc_, &info), 0);
        ASSERT_GT(StartPage(dc_), 0);
    }
    void TearDown() override {
        if (dc_) DeleteDC(dc_);
        PrintTest::TearDown();
    }
    // Ends the job and renders the page at 100 dpi; a page pixel (x, y)
    // is then printer pixel (6 x - 100, 6 y - 120).
    testing::PageImage Finish() {
        EXPECT_GT(EndPage(dc_), 0);
        EXPECT_GT(EndDoc(dc_), 0);
        DeleteDC(dc_);
        dc_ = nullptr;
        return testing::RenderPage(file_, 1, 100, dir_.path(), true);
    }
    // The colour at a printer pixel of the printable area.
    static COLORREF At(const testing::PageImage& page, int px, int py) {
        return page.Colour((px + 100) / 6, (py + 120) / 6);
    }

    HDC dc_ = nullptr;
    std::string file_ = Path("drawing.pdf");
};

TEST_F(PrinterDrawingTest, FillsShapesAndLinesAreDrawnInTheirColours) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 600, 600};
    FillRect(dc_, &r, red);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HPEN green = CreatePen(PS_SOLID, 30, RGB(0, 160, 0));
    SelectObject(dc_, blue);
    SelectObject(dc_, green);
    Ellipse(dc_, 900, 0, 1500, 600);
    MoveToEx(dc_, 0, 900, nullptr);
    LineTo(dc_, 1200, 900);
    SelectObject(dc_, GetStockObject(NULL_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(green);
    // A hatched brush leaves its gaps alone in transparent mode.
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    RECT h{0, 1200, 600, 1800};
    FillRect(dc_, &h, hatch);
    DeleteObject(hatch);

    testing::PageImage page = Finish();
    ASSERT_GT(page.width, 0);
    EXPECT_EQ(At(page, 300, 300), RGB(255, 0, 0));
    EXPECT_EQ(At(page, 1200, 300), RGB(0, 0, 255));
    EXPECT_EQ(At(page, 750, 300), RGB(255, 255, 255)) << "between the shapes";
    EXPECT_EQ(At(page, 600, 900), RGB(0, 160, 0));
    EXPECT_EQ(At(page, 600, 960), RGB(255, 255, 255)) << "the pen is 30 printer pixels wide";
    // The cross hatch repeats every 8 screen pixels (50 printer pixels):
    // some rows of the area are dark, most are white.
    int dark = 0, light = 0;
    for (int y = 1200 / 6 + 20; y < 1800 / 6 + 20; ++y) {
        const COLORREF c = page.Colour(300 / 6 + 17, y);
        (GetRValue(c) < 128 ? dark : light)++;
    }
    EXPECT_GT(dark, 4);
    EXPECT_GT(light, dark * 3);
}

TEST_F(PrinterDrawingTest, AMaskedPictureShowsOnlyItsShapeOverWhatIsBelow) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    RECT r{0, 0, 1200, 1200};
    FillRect(dc_, &r, yellow);
    DeleteObject(yellow);
    // A 4 x 4 picture: a 2 x 2 green square in the middle of black, its mask
    // black there and white around it.
    testing::Canvas picture(4, 4, RGB(0, 0, 0));
    testing::Canvas mask(4, 4, RGB(255, 255, 255));
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) {
            SetPixel(picture.dc(), x, y, RGB(0, 200, 0));
            SetPixel(mask.dc(), x, y, RGB(0, 0, 0));
        }
    StretchBlt(dc_, 0, 0, 1200, 1200, mask.dc(), 0, 0, 4, 4, SRCAND);
    StretchBlt(dc_, 0, 0, 1200, 1200, picture.dc(), 0, 0, 4, 4, SRCPAINT);
    // An ordinary copy replaces what is below.
    StretchBlt(dc_, 1500, 0, 600, 600, picture.dc(), 0, 0, 4, 4, SRCCOPY);

    testing::PageImage page = Finish();
    ASSERT_GT(page.width, 0);
    EXPECT_EQ(At(page, 150, 150), RGB(255, 255, 0)) << "around the shape the yellow stays";
    EXPECT_EQ(At(page, 600, 600), RGB(0, 200, 0));
    EXPECT_EQ(At(page, 1050, 450), RGB(255, 255, 0));
    EXPECT_EQ(At(page, 1550, 50), RGB(0, 0, 0));
    EXPECT_EQ(At(page, 1800, 300), RGB(0, 200, 0));
}

TEST_F(PrinterDrawingTest, TheClipRegionAndThePrintableAreaBoundEverything) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    IntersectClipRect(dc_, 300, 300, 900, 900);
    RECT all{-500, -500, 5000, 5000};
    FillRect(dc_, &all, black);
    SelectClipRgn(dc_, nullptr);
    // Outside the printable area nothing reaches the sheet.
    RECT outside{-200, 1500, -10, 1800};
    FillRect(dc_, &outside, black);
    testing::PageImage page = Finish();
    ASSERT_GT(page.width, 0);
    EXPECT_EQ(At(page, 600, 600), RGB(0, 0, 0));
    EXPECT_EQ(At(page, 240, 600), RGB(255, 255, 255));
    EXPECT_EQ(At(page, 960, 600), RGB(255, 255, 255));
    EXPECT_EQ(page.Colour(5, (1600 + 120) / 6), RGB(255, 255, 255));
}

TEST_F(PrinterDrawingTest, CoordinatesFarOffThePageStillDrawWhatIsOnIt) {
    const LONG far = 2000000000;
    RECT band{-far, -far, far, 100};
    FillRect(dc_, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 30, RGB(0, 0, 0));
    SelectObject(dc_, pen);
    MoveToEx(dc_, -far, 250, nullptr);
    LineTo(dc_, far, 250);
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    EXPECT_TRUE(TextOutA(dc_, far, far, "遠く", 6));
    testing::Canvas green(4, 4, RGB(0, 200, 0));
    EXPECT_TRUE(StretchBlt(dc_, -far / 2, 400, far, 200, green.dc(), 0, 0, 4, 4, SRCCOPY));
    testing::PageImage page = Finish();
    ASSERT_GT(page.width, 0);
    EXPECT_EQ(At(page, 300, 40), RGB(0, 0, 0));
    EXPECT_EQ(At(page, 300, 160), RGB(255, 255, 255));
    EXPECT_EQ(At(page, 300, 250), RGB(0, 0, 0));
    EXPECT_EQ(At(page, 300, 500), RGB(0, 200, 0));
    EXPECT_EQ(At(page, 300, 700), RGB(255, 255, 255));
}

TEST_F(PrinterDrawingTest, DrawingOutsideAPageDoesNothing) {
    ASSERT_GT(EndPage(dc_), 0);
    RECT r{0, 0, 100, 100};
    EXPECT_EQ(FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_FALSE(TextOutA(dc_, 0, 0, "x", 1));
    EXPECT_EQ(GetPixel(dc_, 0, 0), CLR_INVALID);
    ASSERT_GT(StartPage(dc_), 0);
}

}  // namespace
}  // namespace win32
