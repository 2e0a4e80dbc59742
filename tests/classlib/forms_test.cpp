#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/menus.h"
#include "classlib/timer.h"
#include "classlib/inifiles.h"
#include "classlib/streams.h"
#include "tests/classlib/ui_fixture.h"

namespace classlib {
namespace {

using testing::UiTest;

// A focusable windowed control that records the keys it gets.
class KeyTarget : public TCustomControl {
public:
    explicit KeyTarget(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<win32::WORD> keys;

protected:
    void KeyDown(win32::WORD& key, TShiftState shift) override {
        keys.push_back(key);
        TCustomControl::KeyDown(key, shift);
    }
};

class FormsTest : public UiTest {
protected:
    TForm* NewForm() {
        auto* form = new TForm(nullptr);
        form->SetBounds(50, 50, 300, 200);
        return form;
    }
};

TEST_F(FormsTest, ShowModalReturnsTheModalResultSetWhileItRuns) {
    TForm* form = NewForm();
    form->SetPosition(poScreenCenter);
    int shows = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    headless->AddIdleStep([&] { form->SetModalResult(mrOk); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Left(), (1024 - 300) / 2) << "centred on first show";
    // Close answers Cancel; OnCloseQuery may refuse once.
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    headless->AddIdleStep([&] { form->Close(); });
    headless->AddIdleStep([&] { form->Close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    delete form;
}

TEST_F(FormsTest, FirstShowModalOverAnActiveFormIsOwnedByIt) {
    TForm* main = NewForm();
    main->Show();
    Pump();
    ASSERT_EQ(win32::GetActiveWindow(), main->Handle());
    TForm* dialog = NewForm();
    win32::HWND owner = nullptr;
    headless->AddIdleStep([&] {
        owner = win32::GetWindow(dialog->Handle(), win32::GW_OWNER);
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk) << "the window is made while the form is modal";
    EXPECT_EQ(owner, main->Handle());
    delete dialog;
    delete main;
}

TEST_F(FormsTest, ShowModalOfAShownFormIsRefused) {
    TForm* form = NewForm();
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
    delete form;
}

TEST_F(FormsTest, MenuShortcutsComeBeforeTheFocusedControl) {
    TForm* form = NewForm();
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("ファイル(&F)");
    std::vector<std::string> clicks;
    file->OnClick = [&](TObject*) { clicks.push_back("file"); };
    auto* paste = new TMenuItem(form);
    paste->SetCaption("貼り付け(&P)");
    paste->SetShortCut(ShortCut('P', {ssCtrl}));
    paste->OnClick = [&](TObject*) { clicks.push_back("paste"); };
    menu->Items()->Add(file);
    file->Add(paste);
    form->SetMenu(menu);
    auto* target = new KeyTarget(form);
    target->SetBounds(10, 10, 100, 30);
    target->SetParent(form);
    form->Show();
    Pump();
    target->SetFocus();
    Pump();
    ASSERT_TRUE(target->Focused());
    PressCtrl('P');
    EXPECT_EQ(clicks, (std::vector<std::string>{"file", "paste"})) << "the parent is clicked first";
    EXPECT_EQ(std::count(target->keys.begin(), target->keys.end(), 'P'), 0);
    Press('Q');
    EXPECT_EQ(std::count(target->keys.begin(), target->keys.end(), 'Q'), 1);
    // A disabled item still takes its key, without running.
    paste->SetEnabled(false);
    clicks.clear();
    PressCtrl('P');
    EXPECT_EQ(clicks, (std::vector<std::string>{"file"}));
    EXPECT_EQ(std::count(target->keys.begin(), target->keys.end(), 'P'), 0);
    delete form;
}

TEST_F(FormsTest, KeyPreviewLetsTheFormSeeKeysFirst) {
    TForm* form = NewForm();
    auto* target = new KeyTarget(form);
    target->SetBounds(10, 10, 100, 30);
    target->SetParent(form);
    form->SetKeyPreview(true);
    form->OnKeyDown = [](TObject*, win32::WORD& key, TShiftState) {
        if (key == 'A') key = 0;
    };
    form->Show();
    Pump();
    target->SetFocus();
    Press('A');
    Press('B');
    EXPECT_EQ(target->keys, (std::vector<win32::WORD>{'B'}));
    delete form;
}

TEST_F(FormsTest, AnExceptionInAHandlerShowsTheErrorBoxAndTheProgramGoesOn) {
    Application->SetTitle("ぽらりMEMO");
    TForm* form = NewForm();
    auto* c = new TCustomControl(form);
    c->SetBounds(10, 10, 100, 30);
    c->SetParent(form);
    int clicks = 0;
    c->OnClick = [&](TObject*) {
        ++clicks;
        throw EFOpenError("ﾌｧｲﾙ C:\\a.txt は開けません");
    };
    form->Show();
    Pump();
    Click(c);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙ C:\\a.txt は開けません.");
    EXPECT_EQ(boxes[0].caption, "ぽらりMEMO");
    EXPECT_EQ(boxes[0].flags, dialog_platform::kBoxIconStop);
    Click(c);
    EXPECT_EQ(clicks, 2);
    // EAbort is silent.
    c->OnClick = [](TObject*) { throw EAbort(""); };
    Click(c);
    EXPECT_EQ(boxes.size(), 2u);
    delete form;
}

TEST_F(FormsTest, AnExceptionInOnCloseAbandonsTheClose) {
    TForm* form = NewForm();
    bool fail = true;
    form->OnClose = [&](TObject*, TCloseAction&) {
        if (fail) throw EIniFileException("PMemo.ini に書き込めません");
    };
    form->Show();
    Pump();
    win32::PostMessageA(form->Handle(), win32::WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(form->Visible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "PMemo.ini に書き込めません.");
    fail = false;
    win32::PostMessageA(form->Handle(), win32::WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(form->Visible());
    delete form;
}

TEST_F(FormsTest, AFormReleasedFromItsOwnHandlerGoesAfterTheHandler) {
    TForm* form = NewForm();
    auto* c = new TCustomControl(form);
    c->SetBounds(10, 10, 100, 30);
    c->SetParent(form);
    // Someone elsewhere keeps a reference that must be cleared.
    struct Watcher : TComponent {
        using TComponent::TComponent;
        TComponent* ref = nullptr;
        void Notification(TComponent* comp, TOperation op) override {
            if (op == opRemove && comp == ref) ref = nullptr;
            TComponent::Notification(comp, op);
        }
    } watcher(nullptr);
    watcher.ref = form;
    form->FreeNotification(&watcher);
    c->OnClick = [&](TObject*) {
        form->Release();
        EXPECT_NE(watcher.ref, nullptr) << "still there inside the handler";
    };
    form->Show();
    Pump();
    Click(c);
    EXPECT_EQ(watcher.ref, nullptr);
}

TEST_F(FormsTest, CloseActionFreeAndTheMainFormEndingTheApplication) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->SetBounds(0, 0, 200, 100);
    TForm* other = nullptr;
    Application->CreateForm(other);
    EXPECT_EQ(Application->MainForm(), main);
    other->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    other->Show();
    Pump();
    other->Close();
    Pump();
    EXPECT_EQ(Application->ComponentCount(), 1) << "the released form is gone";
    main->Show();
    main->Close();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormsTest, OnCreateRunsOnceAfterConstruction) {
    int created = 0;
    struct Built : TForm {
        explicit Built(TComponent* owner, int* counter) : TForm(owner) {
            OnCreate = [counter](TObject*) { ++*counter; };
        }
    };
    Built* form = nullptr;
    Application->CreateForm(form, &created);
    EXPECT_EQ(created, 1);
    form->Show();
    EXPECT_EQ(created, 1);
}

TEST(ShortCuts, TextsOfTheMenus) {
    EXPECT_EQ(ShortCutToText(ShortCut('X', {ssCtrl})), "Ctrl+X");
    EXPECT_EQ(ShortCutToText(ShortCut(win32::VK_F3, {})), "F3");
    EXPECT_EQ(ShortCutToText(ShortCut('A', {ssShift, ssCtrl})), "Shift+Ctrl+A");
    EXPECT_EQ(ShortCutToText(ShortCut(win32::VK_DELETE, {})), "Del");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(TextToShortCut("Ctrl+P"), ShortCut('P', {ssCtrl}));
    EXPECT_EQ(TextToShortCut("f4"), ShortCut(win32::VK_F4, {}));
    EXPECT_EQ(TextToShortCut("nonsense"), 0);
}

TEST(Menus, ItemsFoundByCommandAndShortcutAndFreedWithTheirParent) {
    TComponent owner(nullptr);
    auto* menu = new TMainMenu(&owner);
    auto* top = new TMenuItem(&owner);
    auto* sub = new TMenuItem(&owner);
    sub->SetShortCut(ShortCut(win32::VK_F3, {}));
    menu->Items()->Add(top);
    top->Add(sub);
    EXPECT_EQ(menu->FindItem(sub->Command(), fkCommand), sub);
    EXPECT_EQ(menu->FindItem(ShortCut(win32::VK_F3, {}), fkShortCut), sub);
    EXPECT_NE(top->Command(), sub->Command());
    EXPECT_EQ(sub->Parent(), top);
    EXPECT_EQ(sub->MenuIndex(), 0);
    EXPECT_THROW(top->Add(sub), EMenuError);
    int count = owner.ComponentCount();
    delete top;  // takes its child along
    EXPECT_EQ(owner.ComponentCount(), count - 2);
    EXPECT_EQ(menu->Items()->Count(), 0);
}

}  // namespace
}  // namespace classlib

namespace classlib {
namespace {

class FormEventsTest : public testing::UiTest {};

TEST_F(FormEventsTest, ConstraintsKeepTheMinimumSize) {
    TForm* form = new TForm(nullptr);
    form->SetConstraints({563, 350, 0, 0});
    form->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(form->Width(), 563);
    EXPECT_EQ(form->Height(), 350);
    form->Show();
    Pump();
    win32::MINMAXINFO info{};
    win32::SendMessageA(form->Handle(), win32::WM_GETMINMAXINFO, 0, reinterpret_cast<win32::LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 563);
    EXPECT_EQ(info.ptMinTrackSize.y, 350);
    delete form;
}

TEST_F(FormEventsTest, ActivationReachesTheApplicationHooksAndTheFormsWindow) {
    std::vector<win32::UINT> appSeen;
    TWindowHook hook = [&](TMessage& m) {
        if (m.Msg == CM_ACTIVATE || m.Msg == CM_DEACTIVATE) appSeen.push_back(m.Msg);
        return false;
    };
    Application->HookMainWindow(&hook);
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    int activated = 0;
    form->OnActivate = [&](TObject*) { ++activated; };
    form->Show();
    Pump();
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(Screen->ActiveForm(), form);
    EXPECT_EQ(appSeen, (std::vector<win32::UINT>{CM_ACTIVATE}));
    Application->UnhookMainWindow(&hook);
    delete form;
}

TEST_F(FormEventsTest, FocusChangesAreBroadcastAndEnterExitFollow) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    std::vector<std::string> log;
    struct Focusable : TCustomControl {
        Focusable(TComponent* owner, std::vector<std::string>* log, std::string name)
            : TCustomControl(owner), log_(log), name_(std::move(name)) {
            SetTabStop(true);
            OnEnter = [this](TObject*) { log_->push_back(name_ + " enter"); };
            OnExit = [this](TObject*) { log_->push_back(name_ + " exit"); };
        }
        void Dispatch(TMessage& m) override {
            if (m.Msg == CM_FOCUSCHANGED) {
                log_->push_back(name_ + " sees " + (reinterpret_cast<Focusable*>(m.LParam) == this ? "self" : "other"));
            }
            TCustomControl::Dispatch(m);
        }
        std::vector<std::string>* log_;
        std::string name_;
    };
    auto* a = new Focusable(form, &log, "a");
    auto* b = new Focusable(form, &log, "b");
    a->SetBounds(0, 0, 50, 20);
    b->SetBounds(0, 30, 50, 20);
    a->SetParent(form);
    b->SetParent(form);
    form->Show();
    Pump();
    log.clear();
    b->SetFocus();
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"a exit", "b enter", "a sees other", "b sees self"}));
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_EQ(Screen->ActiveControl(), b);
    delete form;
}

TEST_F(FormEventsTest, TimersRunTheirEventWhileEnabled) {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetInterval(100);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    headless->Advance(150);
    Pump();
    EXPECT_GE(ticks, 1);
    timer->SetEnabled(false);
    int before = ticks;
    headless->Advance(500);
    Pump();
    EXPECT_EQ(ticks, before);
}

}  // namespace
}  // namespace classlib

namespace classlib {
namespace {

class DeletionTest : public testing::UiTest {};

TEST_F(DeletionTest, ADeletedWindowedChildLeavesTabOrderFocusAndScreen) {
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    auto* a = new KeyTarget(form);
    auto* b = new KeyTarget(form);
    a->SetBounds(0, 0, 50, 20);
    b->SetBounds(0, 30, 50, 20);
    a->SetParent(form);
    b->SetParent(form);
    form->Show();
    Pump();
    a->SetFocus();
    Pump();
    ASSERT_EQ(Screen->ActiveControl(), a);
    auto gone = reinterpret_cast<std::uintptr_t>(a);
    delete a;
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(Screen->ActiveControl()), gone);
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(form->ActiveControl()), gone);
    EXPECT_EQ(form->FindNextControl(nullptr, true, true, false), b);
    TList<TWinControl> order;
    form->GetTabOrderList(order);
    EXPECT_EQ(order.Count(), 1);
    Press(win32::VK_TAB);
    EXPECT_TRUE(b->Focused());
    delete form;
}

}  // namespace
}  // namespace classlib
