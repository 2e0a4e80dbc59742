// A printed test page with everything a printer draws: text in several
// faces and simulations, wrapped paragraphs, lines, shapes, hatches and a
// picture. It is kept in the build folder (print_test_page.pdf) to be
// looked at in a PDF viewer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/platform/gdi/canvas.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PrintTest;

HFONT Font(HDC dc, int points, const char* face, int weight = FW_NORMAL, bool italic = false, bool underline = false,
           bool strike = false) {
    return CreateFontA(-points * GetDeviceCaps(dc, LOGPIXELSY) / 72, 0, 0, 0, weight, italic, underline, strike,
                       SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
}

void Text(HDC dc, int x, int y, HFONT font, const char* text, COLORREF color = RGB(0, 0, 0)) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, color);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    SelectObject(dc, old);
    DeleteObject(font);
}

void DrawTestPage(HDC dc) {
    const int w = GetDeviceCaps(dc, HORZRES);
    SetBkMode(dc, TRANSPARENT);
    Text(dc, 0, 0, Font(dc, 20, "ＭＳ Ｐゴシック", FW_BOLD), "印刷テストページ");
    Text(dc, 0, 250, Font(dc, 11, "ＭＳ 明朝"), "明朝体: 吾輩は猫である。名前はまだ無い。");
    Text(dc, 0, 400, Font(dc, 11, "ＭＳ ゴシック"), "ゴシック体: ＡＢＣ abc 0123 ｶﾀｶﾅ");
    Text(dc, 0, 550, Font(dc, 11, "ＭＳ ゴシック", FW_BOLD), "太字の模擬");
    Text(dc, 1600, 550, Font(dc, 11, "ＭＳ ゴシック", FW_NORMAL, true), "斜体の模擬");
    Text(dc, 3200, 550, Font(dc, 11, "ＭＳ ゴシック", FW_NORMAL, false, true, true), "下線と取り消し線");
    Text(dc, 0, 700, Font(dc, 11, "Arial"), "Latin text in Arial, colour red", RGB(200, 0, 0));

    HFONT body = Font(dc, 10.5, "ＭＳ Ｐゴシック");
    HGDIOBJ old = SelectObject(dc, body);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT para{0, 900, w / 2, 1800};
    DrawTextA(dc,
              "どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶"
              "している。吾輩はここで始めて人間というものを見た。",
              -1, &para, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    SelectObject(dc, old);
    DeleteObject(body);

    HPEN thick = CreatePen(PS_SOLID, 12, RGB(0, 0, 160));
    HBRUSH yellow = CreateSolidBrush(RGB(255, 230, 0));
    SelectObject(dc, thick);
    SelectObject(dc, yellow);
    Rectangle(dc, 0, 2000, 900, 2600);
    Ellipse(dc, 1100, 2000, 2000, 2600);
    RoundRect(dc, 2200, 2000, 3100, 2600, 200, 200);
    POINT star[5] = {{3600, 2000}, {3850, 2600}, {3250, 2230}, {3950, 2230}, {3350, 2600}};
    SetPolyFillMode(dc, ALTERNATE);
    Polygon(dc, star, 5);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(thick);
    DeleteObject(yellow);

    int hatchX = 0;
    for (int h = HS_HORIZONTAL; h <= HS_DIAGCROSS; ++h) {
        HBRUSH brush = CreateHatchBrush(h, RGB(0, 120, 0));
        RECT r{hatchX, 2800, hatchX + 500, 3300};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        hatchX += 650;
    }

    for (int style = PS_SOLID; style <= PS_DASHDOTDOT; ++style) {
        HPEN pen = CreatePen(style, 0, RGB(0, 0, 0));
        SelectObject(dc, pen);
        MoveToEx(dc, 0, 3500 + style * 80, nullptr);
        LineTo(dc, w / 2, 3500 + style * 80);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
    }

    // A picture: a 32 x 32 colour ramp stretched to an inch and a half.
    testing::Canvas ramp(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) SetPixel(ramp.dc(), x, y, RGB(x * 8, y * 8, 255 - x * 4));
    StretchBlt(dc, w / 2 + 300, 3400, 900, 900, ramp.dc(), 0, 0, 32, 32, SRCCOPY);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, w / 2 + 1400, 3400, 900, 900, ramp.dc(), 0, 0, 32, 32, SRCCOPY);
}

class TestPageTest : public PrintTest {};

TEST_F(TestPageTest, TheTestPageIsPrintedWithRealText) {
    if (!testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    const char* binary = std::getenv("MEMOPAD_BINARY_DIR");
    const std::string file = std::string(binary ? binary : dir_.path().c_str()) + "/print_test_page.pdf";
    HDC dc = testing::PdfPrinterDC();
    DOCINFOA info{sizeof(DOCINFOA), "印刷テストページ", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    DrawTestPage(dc);
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);

    const std::string text = testing::PdfText(file);
    for (const char* expected : {"印刷テストページ", "明朝体: 吾輩は猫である。", "ゴシック体: ＡＢＣ abc 0123 ｶﾀｶﾅ",
                                 "太字の模擬", "斜体の模擬", "下線と取り消し線", "Latin text in Arial",
                                 "どこで生れたかとんと見当がつかぬ。"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    const std::string fonts = testing::Run("pdffonts " + testing::Quote(file));
    EXPECT_NE(fonts.find("IPAMincho"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("IPAPGothic"), std::string::npos) << fonts;
    // The regular face stays regular next to its synthetic bold.
    EXPECT_NE(fonts.find("IPAGothic"), std::string::npos) << fonts;
}

}  // namespace
}  // namespace win32
