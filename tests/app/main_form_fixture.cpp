#include "tests/app/main_form_fixture.h"

#include <typeinfo>

#include "classlib/dialog_platform.h"
#include "classlib/sysutils.h"

namespace app::testing {

using namespace classlib;
using namespace win32;

bool ScriptedMainForm::RunDialog(TCommonDialog* dialog) {
    dialogsShown.push_back(dialog->Name());
    if (answers.empty() && realDialogs) return TMainForm::RunDialog(dialog);
    if (answers.empty()) {
        ADD_FAILURE() << "no answer for the dialog " << dialog->Name();
        return false;
    }
    DialogAnswer answer = std::move(answers.front());
    answers.pop_front();
    return answer(dialog);
}

void MainFormTest::SetUp() {
    AppTest::SetUp();
    dialog_platform::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT flags) {
        boxes.push_back({text, caption, flags});
        if (!boxAnswers_.empty()) {
            int answer = boxAnswers_.front();
            boxAnswers_.pop_front();
            return answer;
        }
        if ((flags & MB_TYPEMASK) == MB_OK) return IDOK;
        ADD_FAILURE() << "no answer for the box " << text;
        return IDNO;
    });
}

void MainFormTest::StartPad(std::vector<std::string> arguments) {
    Application->CreateForm(form_, std::move(arguments));
    form_->Show();
    Pump();
    form_->MainMemo->SetFocus();
    Pump();
}

void MainFormTest::TypeText(const std::string& utf8) {
    std::string run;
    auto flush = [&] {
        if (!run.empty()) headless->Text(run);
        run.clear();
    };
    for (char c : utf8) {
        if (c == '\n') {
            flush();
            Key(VK_RETURN, true);
            Key(VK_RETURN, false);
        } else {
            run += c;
        }
    }
    flush();
    Pump();
}

namespace {

// The access key of a caption ("開く(&O)" -> 'O'), 0 when it has none.
char AccessKey(const std::string& caption) {
    std::size_t at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size()) return 0;
    char c = caption[at + 1];
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

TMenuItem* FindByCaption(TMenuItem* parent, const std::string& caption) {
    for (int i = 0; i < parent->Count(); ++i) {
        if (parent->Items(i)->Caption() == caption) return parent->Items(i);
    }
    return nullptr;
}

}  // namespace

void MainFormTest::ChooseMenu(const std::string& top, const std::string& item, const std::string& sub) {
    TMenuItem* bar = form_->MainMenu1->Items();
    TMenuItem* popup = FindByCaption(bar, top);
    ASSERT_NE(popup, nullptr) << top;
    std::vector<TMenuItem*> path{FindByCaption(popup, item)};
    ASSERT_NE(path.back(), nullptr) << item;
    if (!sub.empty()) {
        path.push_back(FindByCaption(path.back(), sub));
        ASSERT_NE(path.back(), nullptr) << sub;
    }
    Key(VK_MENU, true);
    Key(AccessKey(top), true);
    Key(AccessKey(top), false);
    Key(VK_MENU, false);
    TMenuItem* parent = popup;
    for (TMenuItem* step : path) {
        // An access key shared by two items only moves between them.
        char key = AccessKey(step->Caption());
        for (int i = 0; key != 0 && i < parent->Count(); ++i) {
            if (parent->Items(i) != step && AccessKey(parent->Items(i)->Caption()) == key) key = 0;
        }
        if (key != 0) {
            headless->Key(static_cast<unsigned>(key), true, std::string(1, static_cast<char>(key - 'A' + 'a')));
            Key(key, false);
        } else {
            // The first item is highlighted when the menu opens.
            int downs = 0;
            for (int i = 0; i < parent->Count() && parent->Items(i) != step; ++i) {
                if (!parent->Items(i)->IsLine() && parent->Items(i)->Visible()) ++downs;
            }
            for (int i = 0; i < downs; ++i) {
                Key(VK_DOWN, true);
                Key(VK_DOWN, false);
            }
            Key(step->Count() > 0 ? VK_RIGHT : VK_RETURN, true);
            Key(step->Count() > 0 ? VK_RIGHT : VK_RETURN, false);
        }
        parent = step;
    }
    Pump();
}

void MainFormTest::CloseWindow() {
    PostMessageA(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

bool MainFormTest::Closed() const { return Application->Terminated(); }

void MainFormTest::AnswerFileDialog(const std::string& path) {
    AnswerDialog([path](TCommonDialog* dialog) {
        auto* file = dynamic_cast<TOpenDialog*>(dialog);
        if (file == nullptr) {
            ADD_FAILURE() << dialog->Name() << " is not a file dialog";
            return false;
        }
        file->SetFileName(path);
        return true;
    });
}

void MainFormTest::CancelDialog() {
    AnswerDialog([](TCommonDialog*) { return false; });
}

std::string MainFormTest::Caption() const { return form_->Caption(); }

std::string MainFormTest::StatusText(int panel) const { return form_->StatusBar1->Panels()->Items(panel)->Text(); }

std::string MainFormTest::Text() const { return form_->MainMemo->Text(); }

}  // namespace app::testing
