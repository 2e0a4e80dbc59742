#include <gtest/gtest.h>

#include <string>

#include "tests/platform/gdi/canvas.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PrintTest;

constexpr int kW = 240;
constexpr int kH = 120;

// A page as the page composition records it: on the screen's terms, with
// a band, a line of text and a wrapped paragraph.
HENHMETAFILE RecordPage() {
    RECT frame{0, 0, kW * 2540 / 96, kH * 2540 / 96};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    RECT band{10, 4, 230, 8};
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 12, 14, "印刷の位置", 15);
    RECT para{10, 44, 200, 116};
    DrawTextA(dc, "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。", -1, &para, 0x2A50);
    SelectObject(dc, old);
    DeleteObject(font);
    return CloseEnhMetaFile(dc);
}

RECT BitmapInk(const testing::Canvas& c, int x0, int y0, int x1, int y1) {
    RECT box{x1, y1, x0, y0};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const COLORREF p = c.At(x, y);
            if ((GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3 < 128) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    return box;
}

class MetafilePrintTest : public PrintTest {};

TEST_F(MetafilePrintTest, APagePlayedOnThePrinterLandsWhereItLandsOnTheScreen) {
    if (!testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    HENHMETAFILE page = RecordPage();
    ASSERT_NE(page, nullptr);

    testing::Canvas screen(kW, kH);
    RECT onScreen{0, 0, kW, kH};
    ASSERT_TRUE(PlayEnhMetaFile(screen.dc(), page, &onScreen));

    HDC printer = testing::PdfPrinterDC();
    const std::string file = Path("metafile.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "metafile", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(printer, &info), 0);
    ASSERT_GT(StartPage(printer), 0);
    // 600 / 96: a screen pixel is 6.25 printer pixels.
    RECT onPaper{0, 0, kW * 600 / 96, kH * 600 / 96};
    ASSERT_TRUE(PlayEnhMetaFile(printer, page, &onPaper));
    ASSERT_GT(EndPage(printer), 0);
    ASSERT_GT(EndDoc(printer), 0);
    DeleteDC(printer);
    DeleteEnhMetaFile(page);

    const std::string text = testing::PdfText(file);
    EXPECT_NE(text.find("印刷の位置"), std::string::npos) << text;
    EXPECT_NE(text.find("吾輩は猫である。"), std::string::npos) << text;

    // The sheet at 96 dpi: the printable area starts 100 and 120 printer
    // pixels (16 and 19.2 screen pixels) from the corner.
    testing::PageImage paper = testing::RenderPage(file, 1, 96, dir_.path());
    ASSERT_GT(paper.width, kW + 20);
    const double dx = 16, dy = 19.2;
    struct Band {
        const char* what;
        int y0, y1;
    } bands[] = {{"band", 0, 10}, {"line", 10, 40}, {"paragraph", 44, 120}};
    for (const Band& b : bands) {
        SCOPED_TRACE(b.what);
        const RECT s = BitmapInk(screen, 0, b.y0, kW, b.y1);
        ASSERT_LT(s.left, s.right);
        const RECT p = paper.InkBox(static_cast<int>(dx), static_cast<int>(b.y0 + dy), static_cast<int>(kW + dx),
                                    static_cast<int>(b.y1 + dy));
        EXPECT_NEAR(p.left - dx, s.left, 1.5);
        EXPECT_NEAR(p.right - dx, s.right, 1.5);
        EXPECT_NEAR(p.top - dy, s.top, 1.5);
        EXPECT_NEAR(p.bottom - dy, s.bottom, 1.5);
    }
}

}  // namespace
}  // namespace win32
