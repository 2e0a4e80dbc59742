// A whole picture of text: a menu-like row on raised edges in
// "ＭＳ Ｐゴシック" at -12 with prefixes, the weight and style simulations,
// and a page recorded as a metafile replayed at actual size and shrunk.
// Compared with tests/data/gdi/text.png; MEMOPAD_UPDATE_REFERENCES=1
// writes the reference anew (look at it before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/png_io.h"
#include "platform/gdi/wingdi.h"

namespace win32 {
namespace {

HFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL, BYTE italic = 0, BYTE underline = 0,
           BYTE strike = 0) {
    return CreateFontA(height, 0, 0, 0, weight, italic, underline, strike, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
}

void DrawPicture(HDC dc) {
    RECT all{0, 0, 240, 150};
    FillRect(dc, &all, GetSysColorBrush(15));
    HFONT menu = Font("ＭＳ Ｐゴシック", -12);
    HGDIOBJ old = SelectObject(dc, menu);
    SetBkMode(dc, TRANSPARENT);
    const char* items[] = {"ファイル(&F)", "編集(&E)", "表示(&V)"};
    int x = 2;
    for (const char* item : items) {
        RECT r{x, 2, x, 2};
        DrawTextA(dc, item, -1, &r, 0x464);
        r.right += 12;
        r.bottom = 2 + 20;
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        DrawTextA(dc, item, -1, &r, 0x65);
        x = r.right + 2;
    }
    const struct {
        LONG weight;
        BYTE italic, underline, strike;
        const char* text;
    } styles[] = {{FW_BOLD, 0, 0, 0, "太字 Bold"}, {FW_NORMAL, 1, 0, 0, "斜体 Italic"},
                  {FW_NORMAL, 0, 1, 0, "下線 Under"}, {FW_NORMAL, 0, 0, 1, "取消 Strike"}};
    for (int i = 0; i < 4; ++i) {
        HFONT f = Font("ＭＳ 明朝", -12, styles[i].weight, styles[i].italic, styles[i].underline, styles[i].strike);
        SelectObject(dc, f);
        TextOutA(dc, 2 + (i % 2) * 80, 26 + (i / 2) * 14, styles[i].text, static_cast<int>(std::strlen(styles[i].text)));
        SelectObject(dc, menu);
        DeleteObject(f);
    }

    RECT frame{0, 0, 120 * 2540 / 96, 50 * 2540 / 96};
    HDC mdc = CreateEnhMetaFileA(dc, nullptr, &frame, nullptr);
    SelectObject(mdc, menu);
    SetBkMode(mdc, TRANSPARENT);
    SetTextColor(mdc, RGB(0, 0, 128));
    RECT page{2, 2, 118, 48};
    FrameRect(mdc, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT body{4, 4, 116, 46};
    DrawTextA(mdc, "吾輩は猫である。名前はまだ無い。\tどこで生れたか", -1, &body, 0x2A50);
    SelectObject(mdc, GetStockObject(SYSTEM_FONT));
    HENHMETAFILE mf = CloseEnhMetaFile(mdc);
    RECT actual{2, 56, 122, 106};
    PlayEnhMetaFile(dc, mf, &actual);
    RECT shrunk{130, 56, 190, 81};
    PlayEnhMetaFile(dc, mf, &shrunk);
    RECT grown{2, 108, 2 + 180, 108 + 75};
    PlayEnhMetaFile(dc, mf, &grown);
    DeleteEnhMetaFile(mf);
    SelectObject(dc, old);
    DeleteObject(menu);
}

TEST(TextPicture, MenuTextStylesAndReplayedPage) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(240, 150, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    DrawPicture(dc);
    const Surface& actual = gdi::FindBitmap(bmp)->Pixels();
    const std::string path = std::string(MEMOPAD_SOURCE_DIR) + "/tests/data/gdi/text.png";
    const char* update = std::getenv("MEMOPAD_UPDATE_REFERENCES");
    if (update && *update == '1') {
        ASSERT_TRUE(gdi::WritePng(actual, path));
    } else {
        Surface expected;
        ASSERT_TRUE(gdi::ReadPng(path, expected)) << path;
        ASSERT_EQ(expected.Width(), actual.Width());
        ASSERT_EQ(expected.Height(), actual.Height());
        int differing = 0;
        for (int y = 0; y < actual.Height(); ++y)
            for (int x = 0; x < actual.Width(); ++x)
                if ((actual.At(x, y) & 0xFFFFFF) != expected.At(x, y) && differing++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " differs";
        if (differing) gdi::WritePng(actual, std::string(MEMOPAD_BINARY_DIR) + "/text.actual.png");
        EXPECT_EQ(differing, 0);
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace
}  // namespace win32
