// TPageControl on the window system's tab control: pages and their tabs,
// the user's changes that OnChanging may refuse, hidden tabs, a remade
// window and the display area the active page fills.
#include <gtest/gtest.h>

#include <string>

#include "classlib/edit.h"
#include "classlib/pagecontrol.h"
#include "platform/comctl/commctrl.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using namespace win32;

class PageControlTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(50, 50, 320, 220);
        pages = MakePages(form);
        for (const char* caption : {"一", "二", "三"}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        edit = new TEdit(form);
        edit->SetParent(pages->Pages(1));
        edit->SetBounds(10, 10, 100, 20);
        pages->OnChanging = [this](TObject*, bool& allow) {
            ++asked;
            allow = !refuse;
        };
        pages->OnChange = [this](TObject*) { ++changes; };
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }
    static TPageControl* MakePages(TForm* owner) {
        auto* p = new TPageControl(owner);
        p->SetParent(owner);
        p->SetAlign(alClient);
        return p;
    }
    void ClickTab(TPageControl* p, int pageIndex) {
        TRect tab = p->TabRect(pageIndex);
        Click(p->ClientToScreen(Point((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2)));
    }
    static std::string TabText(TPageControl* p, int tab) {
        char buf[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(p->Handle(), TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return buf;
    }
    static int TabCount(TPageControl* p) { return static_cast<int>(SendMessageA(p->Handle(), TCM_GETITEMCOUNT, 0, 0)); }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TEdit* edit = nullptr;
    int asked = 0;
    int changes = 0;
    bool refuse = false;
};

TEST_F(PageControlTest, OnChangingMayRefuseAClickAKeyOrCtrlTab) {
    form->Show();
    Pump();
    refuse = true;
    ClickTab(pages, 1);
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 0) << "the tab stays with the page";
    refuse = false;
    ClickTab(pages, 1);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(pages->Focused()) << "a click on a tab focuses the control";
    Press(VK_RIGHT);
    EXPECT_EQ(pages->ActivePageIndex(), 2) << "arrows turn the pages of the focused control";
    EXPECT_EQ(changes, 2);
    // Ctrl+Tab from inside a page, with the focus leaving the page that goes.
    pages->SetActivePageIndex(1);
    edit->SetFocus();
    Pump();
    PressCtrl(VK_TAB);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(pages->Focused());
    refuse = true;
    PressCtrl(VK_TAB);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    refuse = false;
    pages->SetActivePageIndex(0);
    pages->SetTabIndex(2);
    EXPECT_EQ(changes, 3) << "code changes no page as the user does";
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 2);
}

TEST_F(PageControlTest, CtrlTabTurnsOnlyThePagesThatHoldTheFocus) {
    auto* other = new TPageControl(form);
    other->SetParent(form);
    other->SetAlign(alBottom);
    other->SetHeight(80);
    for (int i = 0; i < 2; ++i) (new TTabSheet(form))->SetPageControl(other);
    form->Show();
    Pump();
    other->SetFocus();
    Pump();
    PressCtrl(VK_TAB);
    EXPECT_EQ(other->ActivePageIndex(), 1);
    EXPECT_EQ(pages->ActivePageIndex(), 0) << "not the control without the focus";
}

TEST_F(PageControlTest, HiddenTabsLeaveTheRowButTheirPagesStayPages) {
    pages->Pages(1)->SetTabVisible(false);
    form->Show();
    Pump();
    EXPECT_EQ(pages->PageCount(), 3);
    ASSERT_EQ(TabCount(pages), 2);
    EXPECT_EQ(TabText(pages, 1), "三");
    EXPECT_EQ(pages->TabRect(1), Rect(0, 0, 0, 0));
    ClickTab(pages, 2);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_EQ(pages->PageOfTab(1), pages->Pages(2));
    // Code may still show the page with the hidden tab: no tab is selected.
    pages->SetActivePage(pages->Pages(1));
    EXPECT_TRUE(pages->Pages(1)->Visible());
    EXPECT_EQ(pages->TabIndex(), -1);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), -1);
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePageIndex(), 2);
    pages->SelectNextPage(true);
    EXPECT_EQ(pages->ActivePageIndex(), 0) << "round past the hidden tab";
    pages->Pages(1)->SetTabVisible(true);
    EXPECT_EQ(TabCount(pages), 3);
}

TEST_F(PageControlTest, CaptionsOrderAndARemadeWindowReachTheTabs) {
    form->Show();
    Pump();
    pages->Pages(0)->SetCaption("最初");
    EXPECT_EQ(TabText(pages, 0), "最初");
    pages->Pages(2)->SetPageIndex(0);
    EXPECT_EQ(TabText(pages, 0), "三");
    EXPECT_EQ(pages->ActivePage()->Caption(), "最初");
    EXPECT_EQ(pages->TabIndex(), 1) << "the active page's tab moved along";

    pages->SetActivePageIndex(2);
    HWND before = pages->Handle();
    pages->RecreateWnd();
    Pump();
    EXPECT_NE(pages->Handle(), before);
    EXPECT_EQ(TabCount(pages), 3);
    EXPECT_EQ(TabText(pages, 2), "二");
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 2);
    TTabSheet* active = pages->ActivePage();
    EXPECT_TRUE(active->HandleAllocated());
    EXPECT_EQ(GetParent(active->Handle()), pages->Handle());
    TRect display = pages->ClientRect();
    SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(active->BoundsRect(), display) << "the page fills the display area";
}

TEST_F(PageControlTest, ALargerFontDeepensTheRowAndMovesThePagesDown) {
    form->Show();
    Pump();
    int row = pages->TabHeight();
    int top = pages->ActivePage()->Top();
    EXPECT_EQ(top, row + 4);
    pages->Font()->SetHeight(-24);
    Pump();
    EXPECT_GT(pages->TabHeight(), row + 8);
    EXPECT_EQ(pages->ActivePage()->Top(), pages->TabHeight() + 4);
    EXPECT_EQ(pages->IndexOfTabAt(pages->TabRect(2).left + 3, pages->TabRect(2).top + 3), 2);
}

}  // namespace
}  // namespace classlib
