#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/comctrls.h"
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
    EXPECT_EQ(bar->PanelRect(1).right, bar->ClientWidth()) << "the last panel reaches the end";
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
