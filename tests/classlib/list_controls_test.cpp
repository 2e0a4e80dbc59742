// TListBox and TComboBox on the headless screen: choosing by mouse and by
// keys, the events that tells, and the items kept while the window is
// remade.
#include <algorithm>
#include <utility>
#include <vector>

#include "classlib/edit.h"
#include "classlib/list_controls.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using namespace win32;
using testing::UiTest;

class ListControlsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(20, 20, 400, 300);
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }

    TComboBox* MakeCombo(TComboBoxStyle style) {
        auto* c = new TComboBox(form);
        c->SetStyle(style);
        c->SetParent(form);
        c->SetBounds(10, 10, 150, 20);
        for (const char* s : {"北海道", "青森", "岩手", "宮城", "秋田", "山形", "福島", "茨城", "栃木", "群馬"}) {
            c->Items()->Add(s);
        }
        return c;
    }
    // The centre of row `index` of a combo box's dropped list, on the screen.
    TPoint DroppedRow(TComboBox* c, int index) {
        TPoint below = c->ClientToScreen(Point(20, c->Height()));
        int row = static_cast<int>(SendMessageA(c->Handle(), CB_GETITEMHEIGHT, 0, 0));
        return Point(below.x, below.y + 1 + row * index + row / 2);
    }
    TPoint ButtonOf(TComboBox* c) { return c->ClientToScreen(Point(c->Width() - 8, c->Height() / 2)); }

    TForm* form = nullptr;
};

TEST_F(ListControlsTest, ChoosingFromADropDownListByMouseTellsOnceWithTheChoice) {
    TComboBox* c = MakeCombo(csDropDownList);
    std::vector<int> changes;
    c->OnChange = [&](TObject*) { changes.push_back(c->ItemIndex()); };
    EXPECT_EQ(c->ItemIndex(), -1);
    Click(ButtonOf(c));
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_TRUE(changes.empty()) << "dropping chooses nothing";
    Click(DroppedRow(c, 2));
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(changes, std::vector<int>{2});
    EXPECT_EQ(c->Text(), "岩手");
    // Choosing the item already chosen tells nothing.
    Click(ButtonOf(c));
    Click(DroppedRow(c, 2));
    EXPECT_EQ(changes.size(), 1u);
    // A click outside closes the list and keeps the choice.
    Click(ButtonOf(c));
    Click(form->ClientToScreen(Point(300, 200)));
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(ListControlsTest, ChoosingFromADropDownListByKeysTellsEachMoveOnce) {
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetItemIndex(0);
    std::vector<int> changes;
    c->OnChange = [&](TObject*) { changes.push_back(c->ItemIndex()); };
    c->SetFocus();
    Pump();
    Press(VK_DOWN);
    EXPECT_EQ(changes, std::vector<int>{1});
    EXPECT_EQ(c->Text(), "青森");
    // F4 drops the list; Down moves in it; Enter keeps the choice without
    // telling it again.
    Press(VK_F4);
    ASSERT_TRUE(c->DroppedDown());
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(changes, (std::vector<int>{1, 2}));
    // Each move in the open list is a choice told at once; Escape closes
    // the list without telling it again.
    Press(VK_F4);
    Press(VK_DOWN);
    Press(VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(c->ItemIndex(), 3);
    // Alt+Down drops the list too, and Alt+Up closes it keeping the choice.
    Key(VK_MENU, true);
    Press(VK_DOWN);
    Key(VK_MENU, false);
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    Press(VK_UP);
    Key(VK_MENU, true);
    Press(VK_UP);
    Key(VK_MENU, false);
    Pump();
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 2}));
    EXPECT_TRUE(c->Focused());
}

TEST_F(ListControlsTest, ComboItemsAndChoiceSurviveARemadeWindow) {
    auto* c = new TComboBox(form);
    // Items and choice set before the window exists go into it.
    c->Items()->Add("c");
    c->Items()->AddObject("a", form);
    c->Items()->Add("b");
    c->SetStyle(csDropDownList);
    c->SetItemIndex(2);
    EXPECT_EQ(c->Text(), "b");
    c->SetParent(form);
    EXPECT_EQ(SendMessageA(c->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "b");
    // Sorting remakes the window in sorted order; the choice follows its item.
    HWND before = c->Handle();
    c->SetSorted(true);
    EXPECT_NE(c->Handle(), before);
    ASSERT_EQ(c->Items()->Count(), 3);
    EXPECT_EQ(c->Items()->CommaText(), "a,b,c");
    EXPECT_EQ(c->Items()->Objects(0), form);
    EXPECT_EQ(c->Text(), "c") << "index 2 is kept as an index, as the library does";
    c->Items()->Add("aa");
    EXPECT_EQ(c->Items()->Strings(1), "aa");
    // Text of a drop-down list picks the item of that text and nothing else.
    c->SetText("b");
    EXPECT_EQ(c->ItemIndex(), 2);
    c->SetText("none");
    EXPECT_EQ(c->ItemIndex(), 2);
    // A drop-down combo box keeps typed text that matches no item.
    c->SetStyle(csDropDown);
    EXPECT_EQ(c->Text(), "b");
    c->SetText("typed");
    c->SetSorted(false);
    EXPECT_EQ(c->Text(), "typed");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Items()->Count(), 4);
    EXPECT_THROW(c->Items()->Strings(9), EStringListError);
    c->Items()->Delete(0);
    c->Items()->Insert(0, "first");
    EXPECT_EQ(c->Items()->CommaText(), "first,aa,b,c");
    c->Clear();
    EXPECT_EQ(c->Items()->Count(), 0);
    EXPECT_EQ(c->Text(), "");
}

TEST_F(ListControlsTest, TypingIntoADropDownComboTellsTheChange) {
    TComboBox* c = MakeCombo(csDropDown);
    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    c->SetFocus();
    Pump();
    Press('A');
    Press('B');
    EXPECT_EQ(c->Text(), "ab");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(c->ItemIndex(), -1);
    // Choosing an item by mouse puts its text into the edit and tells once.
    Click(ButtonOf(c));
    Click(DroppedRow(c, 1));
    EXPECT_EQ(c->Text(), "青森");
    EXPECT_EQ(changes, 3);
    // Setting the text from the program is no user's edit.
    c->SetText("x");
    EXPECT_EQ(changes, 3);
}

TEST_F(ListControlsTest, TheFormFollowsTheFocusIntoAComboBoxsEdit) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 100, 100, 21);
    TComboBox* c = MakeCombo(csDropDown);
    int exits = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    edit->SetFocus();
    Pump();
    ASSERT_EQ(form->ActiveControl(), edit);
    // A click straight into the combo box's edit.
    Click(c->ClientToScreen(Point(10, c->Height() / 2)));
    EXPECT_EQ(form->ActiveControl(), c);
    EXPECT_EQ(exits, 1);
    EXPECT_NE(GetFocus(), c->Handle()) << "the edit, a window of the combo box's own, has it";
    EXPECT_TRUE(c->Focused());
    EXPECT_FALSE(edit->Focused());
    // A new window takes the focus back as the old one had it.
    c->SetSorted(true);
    Pump();
    EXPECT_TRUE(c->Focused());
    // Tab in the combo box's edit goes on to the next control.
    Press(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(c->Focused());
}

TEST_F(ListControlsTest, DropDownCountSizesTheDroppedList) {
    TComboBox* c = MakeCombo(csDropDownList);
    c->SetDropDownCount(4);
    Click(ButtonOf(c));
    ASSERT_TRUE(c->DroppedDown());
    RECT dropped{};
    SendMessageA(c->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    int row = c->ItemHeight();
    EXPECT_EQ(dropped.bottom - dropped.top, c->Height() + 4 * row + 2);
    Press(VK_ESCAPE);
    // Moving the combo box keeps the dropped height; its own height stays the field's.
    int field = c->Height();
    c->SetBounds(20, 40, 160, 60);
    EXPECT_EQ(c->Height(), field);
    SendMessageA(c->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, field + 4 * row + 2);
}

TEST_F(ListControlsTest, ListBoxClicksAndKeysChooseAndTell) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 120, 120);
    for (const char* s : {"一", "二", "三", "四"}) list->Items()->Add(s);
    int clicks = 0, doubles = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnDblClick = [&](TObject*) { ++doubles; };
    TRect second = list->ItemRect(1);
    TPoint at = list->ClientToScreen(Point(20, (second.top + second.bottom) / 2));
    Click(at);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->ItemAtPos(Point(20, second.top + 1), true), 1);
    EXPECT_EQ(list->ItemAtPos(Point(20, 110), true), -1);
    // A double click on the chosen item tells a double click.
    headless->MouseButton(at, backend::MouseButton::Left, true);
    headless->MouseButton(at, backend::MouseButton::Left, false);
    headless->MouseButton(at, backend::MouseButton::Left, true);
    headless->MouseButton(at, backend::MouseButton::Left, false);
    Pump();
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(list->ItemIndex(), 1);
    headless->Advance(1000);
    int before = clicks;
    Press(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, before + 1);
    // The program's choice is no click.
    list->SetItemIndex(0);
    EXPECT_EQ(clicks, before + 1);
}

TEST_F(ListControlsTest, ListBoxKeepsItemsAndChoiceThroughSortingAndMultiSelect) {
    auto* list = new TListBox(form);
    list->Items()->SetCommaText("pear,apple,fig");
    list->SetItemIndex(1);
    list->SetParent(form);
    list->SetBounds(10, 10, 120, 120);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Items()->Strings(1), "apple");
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->CommaText(), "apple,fig,pear");
    list->Items()->Add("banana");
    EXPECT_EQ(list->Items()->IndexOf("banana"), 1);
    list->SetMultiSelect(true);
    EXPECT_EQ(list->Items()->Count(), 4);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_FALSE(list->Selected(1));
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_THROW(list->SetSelected(7, true), EListError);
}

TEST_F(ListControlsTest, OwnerDrawnListBoxDrawsItsItemsThroughOnDrawItem) {
    auto* list = new TListBox(form);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(24);
    list->SetParent(form);
    list->SetBounds(10, 10, 120, 120);
    list->Items()->SetCommaText("red,green");
    list->SetItemIndex(1);
    std::vector<int> drawn;
    bool selectedSeen = false;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back(index);
        if (index == 1) selectedSeen = state.Contains(odSelected);
        list->Canvas()->Brush()->SetColor(index == 0 ? clRed : clLime);
        list->Canvas()->FillRect(rect);
    };
    list->Invalidate();
    Pump();
    EXPECT_EQ(list->ItemHeight(), 24);
    EXPECT_EQ(list->ItemRect(1).top, 24);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 0), drawn.end());
    EXPECT_TRUE(selectedSeen);
    TPoint p = list->ClientToScreen(Point(60, 12));
    EXPECT_EQ(headless->ScreenPixel(p.x, p.y) & 0xFFFFFF, 0xFF0000u) << "red";
    // The height and the style survive a remade window.
    list->SetSorted(true);
    EXPECT_EQ(list->ItemHeight(), 24);
}

TEST_F(ListControlsTest, OwnerDrawnComboBoxesDrawTheFieldAndTheListThroughOnDrawItem) {
    TComboBox* c = MakeCombo(csOwnerDrawFixed);
    c->SetItemHeight(22);
    std::vector<std::pair<int, bool>> drawn;  // index, in the field
    c->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, c);
        drawn.push_back({index, state.Contains(odComboBoxEdit)});
        c->Canvas()->Brush()->SetColor(index == 1 ? clLime : clRed);
        c->Canvas()->FillRect(rect);
    };
    c->SetItemIndex(1);
    Pump();
    EXPECT_EQ(SendMessageA(c->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 22) << "the field";
    EXPECT_EQ(c->ItemHeight(), 22) << "the list's items";
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(1, true)), drawn.end());
    TPoint field = c->ClientToScreen(Point(10, c->Height() / 2));
    EXPECT_EQ(headless->ScreenPixel(field.x, field.y) & 0xFFFFFF, 0x00FF00u) << "the field shows item 1 as drawn";
    EXPECT_EQ(c->Text(), "青森") << "a list, not an edit";
    drawn.clear();
    Click(ButtonOf(c));
    ASSERT_TRUE(c->DroppedDown());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(0, false)), drawn.end()) << "the dropped rows";
    Click(DroppedRow(c, 3));
    EXPECT_EQ(c->ItemIndex(), 3);
    // The height outlives a new window.
    c->SetSorted(true);
    EXPECT_EQ(c->ItemHeight(), 22);
}

TEST_F(ListControlsTest, VariableItemsTakeTheirHeightsFromOnMeasureItem) {
    // Two lists side by side: each hears the questions about its own items.
    auto* a = new TListBox(form);
    a->SetStyle(lbOwnerDrawVariable);
    a->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + index; };
    auto* b = new TListBox(form);
    b->SetStyle(lbOwnerDrawVariable);
    b->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 30 + index; };
    int x = 10;
    for (TListBox* l : {a, b}) {
        l->SetParent(form);
        l->SetBounds(x, 10, 100, 150);
        l->Items()->SetCommaText("one,two,three");
        x += 120;
    }
    EXPECT_EQ(a->ItemRect(2).top, 10 + 11);
    EXPECT_EQ(b->ItemRect(2).top, 30 + 31);
    TComboBox* c = MakeCombo(csOwnerDrawVariable);
    c->SetBounds(250, 10, 120, 20);
    c->SetItemHeight(18);
    c->OnMeasureItem = [](TWinControl*, int index, int& height) { height = index == 0 ? 40 : 20; };
    c->Items()->Add("遅れて来た項目");
    EXPECT_EQ(SendMessageA(c->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18) << "the field";
    EXPECT_EQ(SendMessageA(c->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(c->Items()->Count() - 1), 0), 20);
    c->SetSorted(true);  // a new window measures its items again
    EXPECT_EQ(SendMessageA(c->Handle(), CB_GETITEMHEIGHT, 0, 0), 40);
}

}  // namespace
}  // namespace classlib
