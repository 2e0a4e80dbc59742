// A rich-edit control on a recorded parent window, with helper verbs for
// its messages.
#pragma once

#include <string>
#include <vector>

#include "platform/richedit/richedit.h"
#include "tests/support/window_fixture.h"

namespace test {

class RichEditTest : public WindowTest {
protected:
    static constexpr int kId = 7;

    void SetUp() override {
        WindowTest::SetUp();
        parent_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 420, 320});
        // Notifications are checked by what they carried when sent.
        OnMessage(parent_, WM_NOTIFY, [this](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            const auto* h = reinterpret_cast<const NMHDR*>(lParam);
            if (h && h->code == EN_SELCHANGE) selChanges_.push_back(reinterpret_cast<const SELCHANGE*>(lParam)->chrg);
            return 0;
        });
        edit_ = MakeEdit(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 300, 200);
    }

    HWND MakeEdit(DWORD style, int width, int height, const char* className = "RICHEDIT") {
        HWND h = CreateWindowExA(0, className, "", style, 10, 10, width, height, parent_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)), nullptr, nullptr);
        EXPECT_NE(h, nullptr);
        Send(h, EM_EXLIMITTEXT, 0, 90000000);
        Send(h, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
        RunUntilIdle();
        return h;
    }

    LRESULT Send(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(h, msg, w, l); }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(edit_, msg, w, l); }

    void SetText(const std::string& utf8) { Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(utf8.c_str())); }
    std::string Text(HWND h = nullptr) {
        h = h ? h : edit_;
        std::string s(static_cast<std::size_t>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        s.resize(static_cast<std::size_t>(SendMessageA(h, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()))));
        return s;
    }
    LONG Length() {
        GETTEXTLENGTHEX g{GTL_NUMCHARS | GTL_PRECISE, 1200};
        return static_cast<LONG>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g)));
    }
    void SetSel(LONG a, LONG b) {
        CHARRANGE r{a, b};
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    }
    CHARRANGE Sel() {
        CHARRANGE r{-9, -9};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void Replace(const std::string& utf8, bool canUndo = true) {
        Send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(utf8.c_str()));
    }
    std::string Line(LONG line, WORD size = 4096) {
        std::vector<char> buf(size + 4, '\0');
        *reinterpret_cast<WORD*>(buf.data()) = size;
        LRESULT n = Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf.data()));
        return std::string(buf.data(), static_cast<std::size_t>(n));
    }
    LONG Find(const std::string& what, LONG min, LONG max, WPARAM flags) {
        FINDTEXTEXA f{{min, max}, what.c_str(), {0, 0}};
        return static_cast<LONG>(Send(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&f)));
    }
    int ChangeCount() {
        int n = 0;
        for (const Message& m : Log().All()) {
            if (m.hwnd == parent_ && m.msg == WM_COMMAND && HIWORD(m.wParam) == EN_CHANGE) ++n;
        }
        return n;
    }
    int CommandCount(WORD code) {
        int n = 0;
        for (const Message& m : Log().All()) {
            if (m.hwnd == parent_ && m.msg == WM_COMMAND && HIWORD(m.wParam) == code) ++n;
        }
        return n;
    }
    // A point of the screen inside the control's client area.
    POINT ScreenPoint(int x, int y, HWND h = nullptr) {
        POINT p{x, y};
        ClientToScreen(h ? h : edit_, &p);
        return p;
    }
    POINT CharPoint(LONG pos) {
        POINTL p{0, 0};
        Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), pos);
        return POINT{p.x, p.y};
    }

    HWND parent_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<CHARRANGE> selChanges_;
};

}  // namespace test
