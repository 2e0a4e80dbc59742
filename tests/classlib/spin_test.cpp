// TSpinEdit on the headless screen: the arrows, held arrows, the Up and
// Down keys and typing, with the limits.
#include <vector>

#include "classlib/spin.h"
#include "platform/comctl/commctrl.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using namespace win32;
using testing::UiTest;

class SpinEditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(20, 20, 300, 200);
        spin = new TSpinEdit(form);
        spin->SetParent(form);
        spin->SetBounds(20, 20, 44, 21);
        spin->SetMinValue(0);
        spin->SetMaxValue(100);
        spin->SetValue(10);
        spin->OnChange = [this](TObject*) { changes.push_back(spin->Value()); };
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }
    TPoint Arrow(bool up) {
        RECT r{};
        GetWindowRect(spin->UpDownHandle(), &r);
        return Point((r.left + r.right) / 2, up ? r.top + 2 : r.bottom - 3);
    }

    TForm* form = nullptr;
    TSpinEdit* spin = nullptr;
    std::vector<int> changes;
};

TEST_F(SpinEditTest, ArrowsStepByTheIncrementWithinTheLimits) {
    ASSERT_NE(spin->UpDownHandle(), nullptr);
    RECT arrows{};
    GetWindowRect(spin->UpDownHandle(), &arrows);
    TPoint rightEdge = spin->ClientToScreen(Point(spin->ClientWidth(), 0));
    EXPECT_EQ(arrows.right, rightEdge.x) << "the arrows stand at the edit's right";
    Click(Arrow(true));
    EXPECT_EQ(spin->Value(), 11);
    EXPECT_EQ(spin->Text(), "11");
    EXPECT_TRUE(spin->Focused()) << "a press on the arrows focuses the edit";
    spin->SetIncrement(5);
    Click(Arrow(false));
    Click(Arrow(false));
    Click(Arrow(false));
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(changes, (std::vector<int>{11, 6, 1, 0}));
    // At the limit the value stays, and nothing is told.
    Click(Arrow(false));
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(changes.size(), 4u);
    // Without limits (MinValue not below MaxValue) the value goes anywhere.
    spin->SetMaxValue(0);
    Click(Arrow(false));
    EXPECT_EQ(spin->Value(), -5);
}

TEST_F(SpinEditTest, AHeldArrowRepeatsAfterADelay) {
    TPoint up = Arrow(true);
    headless->MouseMove(up);
    headless->MouseButton(up, backend::MouseButton::Left, true);
    Pump();
    EXPECT_EQ(spin->Value(), 11);
    headless->Advance(300);
    Pump();
    EXPECT_EQ(spin->Value(), 11) << "no repeat before the first delay";
    headless->Advance(300);
    Pump();
    EXPECT_EQ(spin->Value(), 12);
    for (int i = 0; i < 3; ++i) {
        headless->Advance(110);
        Pump();
    }
    EXPECT_EQ(spin->Value(), 15);
    // Held outside the arrow, the repeat waits.
    TPoint away = form->ClientToScreen(Point(200, 150));
    headless->MouseMove(away);
    headless->Advance(300);
    Pump();
    EXPECT_EQ(spin->Value(), 15);
    headless->MouseButton(away, backend::MouseButton::Left, false);
    headless->Advance(300);
    Pump();
    EXPECT_EQ(spin->Value(), 15);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SpinEditTest, KeysStepAndTypingSetsTheValue) {
    spin->SetFocus();
    Pump();
    Press(VK_UP);
    Press(VK_UP);
    Press(VK_DOWN);
    EXPECT_EQ(spin->Value(), 11);
    EXPECT_EQ(changes, (std::vector<int>{11, 12, 11}));
    changes.clear();
    spin->SelectAll();
    Press('4');
    Press('2');
    EXPECT_EQ(spin->Text(), "42");
    EXPECT_EQ(spin->Value(), 42);
    EXPECT_EQ(changes, (std::vector<int>{4, 42}));
    // Letters are refused; a number past the limit counts as the limit.
    Press('X');
    EXPECT_EQ(spin->Text(), "42");
    Press('0');
    EXPECT_EQ(spin->Text(), "420");
    EXPECT_EQ(spin->Value(), 100);
    // Text that is no number leaves the last good value.
    spin->SetText("-");
    EXPECT_EQ(spin->Value(), 100);
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), 100);
    // Stepping from there starts at the value, and leaving shows the value.
    Press(VK_DOWN);
    EXPECT_EQ(spin->Text(), "99");
    spin->SetText("250");
    spin->Perform(CM_EXIT, 0, 0);
    EXPECT_EQ(spin->Text(), "100");
}

TEST_F(SpinEditTest, LimitsClampTheValueAndSurviveARemadeWindow) {
    spin->SetValue(500);
    EXPECT_EQ(spin->Value(), 100);
    EXPECT_EQ(spin->Text(), "100");
    spin->SetMaxValue(50);
    EXPECT_EQ(spin->Text(), "50");
    spin->SetMinValue(60);  // no longer below the maximum: no limits
    spin->SetValue(-7);
    EXPECT_EQ(spin->Value(), -7);
    spin->SetMinValue(0);
    EXPECT_EQ(spin->Value(), 0);
    HWND before = spin->UpDownHandle();
    spin->SetReadOnly(true);
    spin->SetBorderStyle(bsNoneEdit);
    EXPECT_NE(spin->UpDownHandle(), before);
    EXPECT_TRUE(IsWindow(spin->UpDownHandle()));
    EXPECT_EQ(spin->Text(), "0");
    // A read-only spin edit does not step.
    Click(Arrow(true));
    EXPECT_EQ(spin->Value(), 0);
}

}  // namespace
}  // namespace classlib
