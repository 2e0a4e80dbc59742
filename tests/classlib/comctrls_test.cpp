#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/comctrls.h"
#include "platform/comctl/commctrl.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

class ComCtrlsTest : public testing::UiTest {};

// Screen pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
std::uint32_t AsPixel(win32::COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF); }

TEST_F(ComCtrlsTest, StatusBarPanelsShowTheApplicationHint) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 200);
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->Panels()->Add()->SetWidth(200);
    bar->Panels()->Add()->SetWidth(100);
    Application->OnHint = [&](TObject*) { bar->Panels()->Items(0)->SetText(Application->Hint()); };
    form->Show();
    Pump();
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight()) << "along the bottom";
    EXPECT_EQ(bar->PanelRect(0), Rect(0, 2, 200, bar->ClientHeight()));
    EXPECT_EQ(bar->PanelRect(1).right, bar->ClientWidth() - win32::GetSystemMetrics(win32::SM_CXVSCROLL))
        << "the last panel reaches the grip";
    Application->SetHint("上書き保存");
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), "上書き保存");
    Pump();
    // Some pixels of the first panel are now text, not face.
    int textPixels = 0;
    TRect r = bar->PanelRect(0);
    for (int x = r.left + 2; x < r.left + 80; ++x) {
        for (int y = r.top + 2; y < r.bottom - 2; ++y) {
            TPoint p = bar->ClientToScreen(Point(x, y));
            if ((headless->ScreenPixel(p.x, p.y) & 0xFFFFFF) != (win32::GetSysColor(win32::COLOR_BTNFACE) & 0xFFFFFF)) {
                ++textPixels;
            }
        }
    }
    EXPECT_GT(textPixels, 20);
    bar->SetSimplePanel(true);
    bar->SetSimpleText("simple");
    EXPECT_EQ(bar->SimpleText(), "simple");
    delete form;
}

TEST_F(ComCtrlsTest, ProgressBarKeepsItsPositionInRangeAndFillsBlocks) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 100);
    auto* progress = new TProgressBar(form);
    progress->SetParent(form);
    progress->SetBounds(10, 10, 200, 16);
    progress->SetRange(0, 10);
    progress->SetPosition(20);
    EXPECT_EQ(progress->Position(), 10);
    progress->SetPosition(5);
    progress->StepBy(-10);
    EXPECT_EQ(progress->Position(), 0);
    progress->SetPosition(5);
    form->Show();
    Pump();
    TPoint filled = progress->ClientToScreen(Point(5, 8));
    TPoint empty = progress->ClientToScreen(Point(190, 8));
    EXPECT_EQ(headless->ScreenPixel(filled.x, filled.y) & 0xFFFFFF, AsPixel(win32::GetSysColor(win32::COLOR_HIGHLIGHT)));
    EXPECT_NE(headless->ScreenPixel(empty.x, empty.y) & 0xFFFFFF, AsPixel(win32::GetSysColor(win32::COLOR_HIGHLIGHT)));
    delete form;
}

// The text and kind of a part as the window holds them.
struct PartText {
    std::string text;
    win32::UINT kind;
};
PartText PartOf(TStatusBar* bar, int index) {
    win32::LRESULT info = win32::SendMessageA(bar->Handle(), win32::SB_GETTEXTLENGTHA, static_cast<win32::WPARAM>(index), 0);
    std::string text(win32::LOWORD(info) + 1, '\0');
    win32::SendMessageA(bar->Handle(), win32::SB_GETTEXTA, static_cast<win32::WPARAM>(index),
                        reinterpret_cast<win32::LPARAM>(text.data()));
    text.resize(win32::LOWORD(info));
    return {text, win32::HIWORD(info)};
}

TEST_F(ComCtrlsTest, StatusPanelsBecomeTheWindowsPartsAndSurviveANewWindow) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 500, 200);
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    TStatusPanel* left = bar->Panels()->Add();
    left->SetWidth(100);
    left->SetText("左");
    TStatusPanel* middle = bar->Panels()->Add();
    middle->SetWidth(150);
    middle->SetText("中");
    middle->SetAlignment(taCenter);
    middle->SetBevel(pbRaised);
    TStatusPanel* right = bar->Panels()->Add();
    right->SetText("右");
    right->SetAlignment(taRightJustify);
    right->SetBevel(pbNone);
    form->Show();
    Pump();
    auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        int edges[4] = {};
        ASSERT_EQ(win32::SendMessageA(bar->Handle(), win32::SB_GETPARTS, 4, reinterpret_cast<win32::LPARAM>(edges)), 3);
        EXPECT_EQ(edges[0], 100);
        EXPECT_EQ(edges[1], 250) << "each edge adds the panel's width";
        EXPECT_EQ(edges[2], -1) << "the last reaches the end";
        EXPECT_EQ(PartOf(bar, 0).text, "左");
        EXPECT_EQ(PartOf(bar, 0).kind, 0u);
        EXPECT_EQ(PartOf(bar, 1).text, "\t中") << "one tab centres";
        EXPECT_EQ(PartOf(bar, 1).kind, win32::SBT_POPOUT);
        EXPECT_EQ(PartOf(bar, 2).text, "\t\t右") << "two tabs put it at the right";
        EXPECT_EQ(PartOf(bar, 2).kind, win32::SBT_NOBORDERS);
        EXPECT_EQ(bar->PanelRect(1), Rect(102, 2, 250, bar->ClientHeight()));
    };
    check("first window");
    // The window's own placement stays out of Align's way.
    win32::DWORD style = static_cast<win32::DWORD>(win32::GetWindowLongA(bar->Handle(), win32::GWL_STYLE));
    EXPECT_EQ(style & (win32::CCS_NORESIZE | win32::CCS_NOPARENTALIGN), win32::CCS_NORESIZE | win32::CCS_NOPARENTALIGN);
    EXPECT_TRUE(style & win32::SBARS_SIZEGRIP) << "a sizeable form gets the grip";
    bar->SetSimpleText("しばらくお待ちください");
    bar->SetSimplePanel(true);
    bar->RecreateWnd();
    Pump();
    check("new window");
    EXPECT_TRUE(win32::SendMessageA(bar->Handle(), win32::SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartOf(bar, win32::SB_SIMPLEID).text, "しばらくお待ちください");
    bar->SetSimplePanel(false);
    EXPECT_FALSE(win32::SendMessageA(bar->Handle(), win32::SB_ISSIMPLE, 0, 0));
    // Removing panels down to none leaves one empty part.
    bar->Panels()->Clear();
    EXPECT_EQ(win32::SendMessageA(bar->Handle(), win32::SB_GETPARTS, 0, 0), 1);
    EXPECT_EQ(PartOf(bar, 0).text, "");
    delete form;
}

TEST_F(ComCtrlsTest, TheGripShowsOnlyOnASizeableForm) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 150);
    form->SetBorderStyle(bsDialog);
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->Panels()->Add()->SetText("panel");
    form->Show();
    Pump();
    auto hasGrip = [&] {
        return (win32::GetWindowLongA(bar->Handle(), win32::GWL_STYLE) & win32::SBARS_SIZEGRIP) != 0;
    };
    EXPECT_FALSE(hasGrip());
    form->SetBorderStyle(bsSizeable);
    Pump();
    EXPECT_TRUE(hasGrip()) << "the form's new window remade the bar's";
    EXPECT_EQ(PartOf(bar, 0).text, "panel");
    bar->SetSizeGrip(false);
    EXPECT_FALSE(hasGrip());
    EXPECT_EQ(PartOf(bar, 0).text, "panel");
    delete form;
}

TEST_F(ComCtrlsTest, OwnerDrawnPanelsAreDrawnByOnDrawPanelOnTheBarsCanvas) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 200);
    auto* bar = new TStatusBar(form);
    bar->SetParent(form);
    bar->Panels()->Add()->SetWidth(100);
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    TStatusPanel* seen = nullptr;
    TRect seenRect{};
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
        seen = panel;
        seenRect = rect;
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(rect);
    };
    form->Show();
    Pump();
    ASSERT_EQ(seen, drawn);
    TRect part = bar->PanelRect(1);
    EXPECT_EQ(seenRect, Rect(part.left + 1, part.top + 1, part.right - 1, part.bottom - 1)) << "inside the border";
    TPoint inside = bar->ClientToScreen(Point(part.left + 10, part.top + 5));
    EXPECT_EQ(headless->ScreenPixel(inside.x, inside.y) & 0xFFFFFF, 0xFF0000u);
    TPoint border = bar->ClientToScreen(Point(part.left, part.top + 5));
    EXPECT_EQ(headless->ScreenPixel(border.x, border.y) & 0xFFFFFF, AsPixel(win32::GetSysColor(win32::COLOR_BTNSHADOW)));
    delete form;
}

TEST_F(ComCtrlsTest, ProgressBarKeepsItsValuesAcrossANewWindowAndStepsAsTheWindowDoes) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 100);
    auto* progress = new TProgressBar(form);
    progress->SetParent(form);
    progress->SetBounds(10, 10, 200, 16);
    progress->SetRange(0, 50);
    progress->SetStep(20);
    progress->StepIt();
    progress->StepIt();
    progress->StepIt();
    EXPECT_EQ(progress->Position(), 10) << "60 starts over at 10, with or without a window";
    form->Show();
    Pump();
    EXPECT_EQ(win32::SendMessageA(progress->Handle(), win32::PBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(win32::SendMessageA(progress->Handle(), win32::PBM_GETRANGE, FALSE, 0), 50);
    progress->StepIt();
    progress->StepIt();
    progress->StepIt();
    EXPECT_EQ(progress->Position(), 20);
    progress->SetSmooth(true);
    EXPECT_TRUE(win32::GetWindowLongA(progress->Handle(), win32::GWL_STYLE) & win32::PBS_SMOOTH);
    EXPECT_EQ(progress->Position(), 20) << "the new window has the position";
    progress->StepIt();
    EXPECT_EQ(progress->Position(), 40) << "and the step";
    progress->SetMax(30);
    EXPECT_EQ(progress->Position(), 30);
    progress->SetOrientation(pbVertical);
    EXPECT_EQ(progress->Width(), 16) << "turned on its side";
    EXPECT_EQ(progress->Height(), 200);
    EXPECT_TRUE(win32::GetWindowLongA(progress->Handle(), win32::GWL_STYLE) & win32::PBS_VERTICAL);
    EXPECT_EQ(progress->Position(), 30);
    EXPECT_EQ(progress->Max(), 30);
    delete form;
}

}  // namespace
}  // namespace classlib

#include "classlib/button_controls.h"
#include "classlib/extctrls.h"
#include "classlib/pagecontrol.h"

namespace classlib {
namespace {

TEST_F(ComCtrlsTest, PageControlSwitchesPagesByClickAndKeepsThemInItsDisplayArea) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(202, 107, 283, 210);
    form->SetCaption("設定");
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetAlign(alClient);
    auto* sheet1 = new TTabSheet(form);
    sheet1->SetPageControl(pages);
    sheet1->SetCaption("署名");
    auto* sheet2 = new TTabSheet(form);
    sheet2->SetPageControl(pages);
    sheet2->SetCaption("タイトル");
    auto* panel = new TPanel(form);
    panel->SetParent(sheet1);
    panel->SetAlign(alBottom);
    panel->SetHeight(41);
    auto* ok = new TButton(form);
    ok->SetParent(panel);
    ok->SetBounds(40, 8, 89, 25);
    ok->SetCaption("OK(&O)");
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    Pump();
    EXPECT_EQ(pages->ActivePage(), sheet1) << "the first page starts active";
    EXPECT_TRUE(sheet1->Visible());
    EXPECT_FALSE(sheet2->Visible());
    TRect display = pages->ClientRect();
    EXPECT_EQ(sheet1->Top(), pages->TabHeight() + 4);
    EXPECT_EQ(sheet1->Width(), RectWidth(display) - 8);
    EXPECT_EQ(panel->Top() + panel->Height(), sheet1->ClientHeight());
    const char* dir = std::getenv("MEMOPAD_BINARY_DIR");
    headless->SaveScreenPng(std::string(dir != nullptr ? dir : ".") + "/classlib_pages.png");
    TRect tab = pages->TabRect(1);
    Click(pages->ClientToScreen(Point((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)));
    EXPECT_EQ(pages->ActivePage(), sheet2);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(sheet1->Visible());
    pages->SetActivePageIndex(0);
    EXPECT_EQ(changes, 1) << "setting the page in code is no user change";
    delete sheet1;
    EXPECT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(pages->ActivePage(), sheet2);
    delete form;
}

}  // namespace
}  // namespace classlib
