#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/graphiccontrol.h"
#include "classlib/hintwindow.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;

// A windowless control that records the notifications it receives.
class Probe : public TGraphicControl {
public:
    Probe(TComponent* owner, std::vector<std::string>* log, std::string name)
        : TGraphicControl(owner), log_(log), name_(std::move(name)) {}
    void Dispatch(TMessage& m) override {
        switch (m.Msg) {
            case CM_MOUSEENTER: log_->push_back(name_ + " enter"); break;
            case CM_MOUSELEAVE: log_->push_back(name_ + " leave"); break;
            case CM_ENABLEDCHANGED: log_->push_back(name_ + " enabled"); break;
            case CM_VISIBLECHANGED: log_->push_back(name_ + " visible"); break;
            case CM_TEXTCHANGED: log_->push_back(name_ + " text"); break;
            case CM_FONTCHANGED: log_->push_back(name_ + " font"); break;
            case CM_BUTTONPRESSED: log_->push_back(name_ + " pressed " + std::to_string(m.WParam)); break;
            default: break;
        }
        TGraphicControl::Dispatch(m);
    }

private:
    std::vector<std::string>* log_;
    std::string name_;
};

class TestForm : public TForm {
public:
    explicit TestForm(TComponent* owner) : TForm(owner) {
        SetBounds(100, 100, 400, 300);
        SetCaption("テスト");
    }
};

class ControlsTest : public UiTest {};

TEST_F(ControlsTest, AlignedControlsShareTheClientAreaInOrder) {
    auto* form = new TestForm(nullptr);
    form->Show();
    form->SetClientSize(300, 200);
    auto make = [&](TAlign align, int l, int t, int w, int h) {
        auto* p = new TCustomControl(form);
        p->SetBounds(l, t, w, h);
        p->SetParent(form);
        p->SetAlign(align);
        return p;
    };
    // Held alignment places them by their positions when it resumes.
    form->DisableAlign();
    TControl* top2 = make(alTop, 0, 50, 10, 20);
    TControl* top1 = make(alTop, 0, 10, 10, 30);  // higher up, so first
    TControl* bottom = make(alBottom, 0, 0, 10, 25);
    TControl* left = make(alLeft, 0, 0, 40, 10);
    TControl* right = make(alRight, 0, 0, 60, 10);
    TControl* client = make(alClient, 0, 0, 1, 1);
    form->EnableAlign();
    EXPECT_EQ(top1->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 30, 300, 50));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 175, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 50, 40, 175));
    EXPECT_EQ(right->BoundsRect(), Rect(240, 50, 300, 175));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 50, 240, 175));
    // A resize realigns; hiding gives the room to the others.
    form->SetClientSize(400, 300);
    EXPECT_EQ(client->BoundsRect(), Rect(40, 50, 340, 275));
    top2->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 340, 275));
    delete form;
}

TEST_F(ControlsTest, MouseEnterAndLeaveFollowThePointerOverWindowlessControls) {
    std::vector<std::string> log;
    auto* form = new TestForm(nullptr);
    auto* a = new Probe(form, &log, "a");
    auto* b = new Probe(form, &log, "b");
    a->SetBounds(10, 10, 50, 50);
    b->SetBounds(100, 10, 50, 50);
    a->SetParent(form);
    b->SetParent(form);
    form->Show();
    Pump();
    log.clear();
    MoveTo(Center(a));
    MoveTo(Center(b));
    MoveTo(form->ClientToScreen(Point(80, 150)));
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter", "b leave"}));
    delete form;
}

TEST_F(ControlsTest, StateChangesSendTheirNotifications) {
    std::vector<std::string> log;
    auto* form = new TestForm(nullptr);
    auto* a = new Probe(form, &log, "a");
    a->SetParent(form);
    log.clear();
    a->SetEnabled(false);
    a->SetEnabled(false);  // no change, no notification
    a->SetVisible(false);
    a->SetCaption("x");
    form->Font()->SetHeight(-16);  // reaches the child through ParentFont
    EXPECT_EQ(log, (std::vector<std::string>{"a enabled", "a visible", "a text", "a font"}));
    EXPECT_EQ(a->Font()->Height(), -16);
    EXPECT_TRUE(a->ParentFont());
    a->Font()->SetStyle({fsBold});
    EXPECT_FALSE(a->ParentFont());
    // Broadcast reaches every child with the same message.
    log.clear();
    auto* b = new Probe(form, &log, "b");
    b->SetParent(form);
    log.clear();
    TMessage m{CM_BUTTONPRESSED, 3, 0, 0};
    form->Broadcast(m);
    EXPECT_EQ(log, (std::vector<std::string>{"a pressed 3", "b pressed 3"}));
    delete form;
}

TEST_F(ControlsTest, HintsFlowToApplicationHintAndTheHintWindow) {
    auto* form = new TestForm(nullptr);
    std::vector<std::string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    auto* a = new TCustomControl(form);
    a->SetBounds(10, 10, 80, 40);
    a->SetHint("保存|ファイルを保存します");
    a->SetShowHint(true);
    a->SetParent(form);
    form->Show();
    Pump();
    MoveTo(Center(a));
    EXPECT_EQ(Application->Hint(), "ファイルを保存します");
    MoveTo(form->ClientToScreen(Point(200, 200)));
    EXPECT_EQ(Application->Hint(), "");
    EXPECT_EQ(hints, (std::vector<std::string>{"ファイルを保存します", ""}));
    // Resting on the control shows the short hint after the pause.
    MoveTo(Center(a));
    headless->Advance(600);
    Pump();
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->IsHintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), "保存");
    delete form;
    EXPECT_FALSE(Application->HintWindow()->IsHintShowing());
}

TEST_F(ControlsTest, HintPartsSplitAtTheFirstBar) {
    EXPECT_EQ(GetShortHint("a|b|c"), "a");
    EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
    EXPECT_EQ(GetShortHint("only"), "only");
    EXPECT_EQ(GetLongHint("only"), "only");
    EXPECT_EQ(GetShortHint("|long"), "");
    EXPECT_TRUE(IsAccel('F', "ファイル(&F)"));
    EXPECT_TRUE(IsAccel('f', "ファイル(&F)"));
    EXPECT_FALSE(IsAccel('F', "A&&F"));
    EXPECT_FALSE(IsAccel('F', "end&"));
}

TEST_F(ControlsTest, ParentSetToSelfIsRefused) {
    auto* form = new TestForm(nullptr);
    EXPECT_THROW(form->SetParent(form), EInvalidOperation);
    delete form;
}

}  // namespace
}  // namespace classlib
