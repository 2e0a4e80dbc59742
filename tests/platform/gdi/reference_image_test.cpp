// Whole pictures of the classic-look painting, compared with reference
// PNGs in tests/data/gdi. Run with MEMOPAD_UPDATE_REFERENCES=1 to write
// the references anew after an intended change (and look at them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/comctl/commctrl.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/png_io.h"
#include "platform/gdi/wingdi.h"
#include "resources/resources.h"

namespace win32 {
namespace {

std::string ReferencePath(const std::string& name) {
    return std::string(MEMOPAD_SOURCE_DIR) + "/tests/data/gdi/" + name + ".png";
}

void ExpectMatchesReference(HBITMAP bitmap, const std::string& name) {
    const Surface& actual = gdi::FindBitmap(bitmap)->Pixels();
    const char* update = std::getenv("MEMOPAD_UPDATE_REFERENCES");
    if (update && *update == '1') {
        ASSERT_TRUE(gdi::WritePng(actual, ReferencePath(name)));
        return;
    }
    Surface expected;
    ASSERT_TRUE(gdi::ReadPng(ReferencePath(name), expected)) << ReferencePath(name);
    ASSERT_EQ(expected.Width(), actual.Width());
    ASSERT_EQ(expected.Height(), actual.Height());
    int differing = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if ((actual.At(x, y) & 0xFFFFFF) != expected.At(x, y)) {
                if (differing++ < 5) ADD_FAILURE() << name << ": pixel " << x << "," << y << " differs";
            }
    if (differing) gdi::WritePng(actual, std::string(MEMOPAD_BINARY_DIR) + "/" + name + ".actual.png");
    EXPECT_EQ(differing, 0);
}

TEST(ReferenceImages, FrameControlsEdgesAndPictures) {
    resources::Register();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(200, 64, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, 200, 64};
    FillRect(dc, &all, GetSysColorBrush(15));
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
    for (int i = 0; i < 4; ++i) {
        RECT r{2 + i * 14, 2, 14 + i * 14, 14};
        DrawEdge(dc, &r, edges[i], BF_RECT | (i == 0 ? BF_SOFT : 0));
    }
    for (UINT i = 0; i < 5; ++i) {
        RECT r{60 + static_cast<LONG>(i) * 18, 2, 76 + static_cast<LONG>(i) * 18, 16};
        DrawFrameControl(dc, &r, DFC_CAPTION, i | (i == 4 ? DFCS_PUSHED : 0));
    }
    RECT check{2, 20, 15, 33}, radio{18, 20, 30, 32};
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    for (UINT i = 0; i < 4; ++i) {
        RECT r{34 + static_cast<LONG>(i) * 17, 18, 50 + static_cast<LONG>(i) * 17, 34};
        DrawFrameControl(dc, &r, DFC_SCROLL, i | (i == 3 ? DFCS_INACTIVE : 0));
    }
    RECT menu{104, 18, 120, 34};
    DrawFrameControl(dc, &menu, DFC_MENU, DFCS_MENUCHECK);
    RECT focus{124, 20, 150, 32};
    DrawFocusRect(dc, &focus);
    HIMAGELIST il = ImageList_Create(16, 16, ILC_MASK, 4, 4);
    for (const char* name : {"RESTORE", "MIN", "MAX", "CLOSE"}) {
        HBITMAP b = LoadBitmapA(nullptr, name);
        ImageList_AddMasked(il, b, 0x008080);
        DeleteObject(b);
    }
    for (int i = 0; i < 4; ++i) ImageList_Draw(il, i, dc, 2 + i * 18, 40, ILD_TRANSPARENT);
    ImageList_Destroy(il);
    HBITMAP check16 = LoadBitmapA(nullptr, "CHECK");
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ o = SelectObject(mem, check16);
    TransparentBlt(dc, 80, 40, 16, 16, mem, 0, 0, 16, 16, 0x800080);
    SelectObject(mem, o);
    DeleteDC(mem);
    DeleteObject(check16);
    DrawIcon(dc, 160, 2, LoadIconA(nullptr, IDI_EXCLAMATION));
    SelectObject(dc, old);
    ExpectMatchesReference(bmp, "frame_controls");
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace
}  // namespace win32
