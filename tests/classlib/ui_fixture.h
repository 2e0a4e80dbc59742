// A headless screen for the class library's tests: a fresh window system,
// application and screen per test, and verbs that drive the mouse and the
// keyboard the way a person would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/application.h"
#include "classlib/dialog_platform.h"
#include "classlib/forms.h"
#include "classlib/screen.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/user/window_system.h"

namespace classlib::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    win32::UINT flags;
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<win32::backend::HeadlessBackend>();
        headless = backend.get();
        win32::backend::Install(std::move(backend));
        win32::user::ResetWindowSystem();
        // The library's own objects made at start-up give way to fresh ones.
        delete Application;
        delete Screen;
        Application = new TApplication(nullptr);
        Screen = new TScreen(nullptr);
        dialog_platform::SetMessageBoxHandler(
            [this](win32::HWND, const std::string& text, const std::string& caption, win32::UINT flags) {
                boxes.push_back({text, caption, flags});
                return dialog_platform::kIdOk;
            });
    }

    void TearDown() override {
        dialog_platform::SetMessageBoxHandler(nullptr);
        delete Application;
        Application = nullptr;
        delete Screen;
        Screen = nullptr;
        win32::user::ResetWindowSystem();
    }

    // Handles everything waiting, with the idle work after it.
    void Pump() {
        for (int i = 0; i < 50; ++i) {
            Application->ProcessMessages();
            if (!headless->HasPendingEvents()) break;
        }
        Application->ProcessMessages();
        IdleOnce();
    }

    // The library's idle work (mouse tracking, hints) without waiting.
    void IdleOnce() {
        bool saved = false;
        Application->OnIdle = [&saved](TObject*, bool& done) {
            done = false;
            saved = true;
        };
        Application->HandleMessage();
        Application->OnIdle = nullptr;
    }

    TPoint Center(TControl* c) { return c->ClientToScreen(Point(c->Width() / 2, c->Height() / 2)); }

    void MoveTo(TPoint p) {
        headless->MouseMove(p);
        Pump();
    }
    void Click(TPoint p) {
        headless->MouseMove(p);
        headless->MouseButton(p, win32::backend::MouseButton::Left, true);
        headless->MouseButton(p, win32::backend::MouseButton::Left, false);
        Pump();
        // The next click is a click of its own, not the second of a double.
        headless->Advance(1000);
    }
    void Click(TControl* c) { Click(Center(c)); }
    void Key(unsigned vk, bool down) {
        headless->Key(vk, down);
    }
    void Press(unsigned vk) {
        Key(vk, true);
        Key(vk, false);
        Pump();
    }
    void PressCtrl(unsigned vk) {
        Key(win32::VK_CONTROL, true);
        Key(vk, true);
        Key(vk, false);
        Key(win32::VK_CONTROL, false);
        Pump();
    }

    win32::backend::HeadlessBackend* headless = nullptr;
    std::vector<ShownBox> boxes;
};

}  // namespace classlib::testing
