// Message boxes as a person meets them: caption, text, icon and Japanese
// buttons, answered by Enter, Escape, access keys, clicks and the close box.
#include "platform/user/message_box_layout.h"
#include "tests/platform/user/dialog/test_controls.h"
#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

class MessageBoxTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        EnsureButtonClass();
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 650, 450}, nullptr, 0, "メモ");
        RunUntilIdle();
    }

    struct Seen {
        HWND box = nullptr;
        std::string caption;
        std::vector<std::string> buttons;
        std::string text;
        bool hasIcon = false;
        bool ownerEnabled = true;
        int focusId = 0;
        RECT textRect{0, 0, 0, 0};
        RECT boxRect{0, 0, 0, 0};
    };

    // Shows the box; while it waits, records what it shows and runs
    // `answer`.
    int Show(const char* text, const char* caption, UINT type, std::function<void(const Seen&)> answer) {
        WhenIdle([this, answer] {
            Seen s;
            s.box = FindDialogWindow();
            if (!s.box) {
                ADD_FAILURE() << "no message box";
                return;
            }
            s.caption = TextOf(s.box);
            s.text = TextOf(GetDlgItem(s.box, 0xFFFF));
            s.hasIcon = GetDlgItem(s.box, 20) != nullptr;
            s.ownerEnabled = IsWindowEnabled(owner_);
            s.focusId = GetDlgCtrlID(GetFocus());
            GetWindowRect(GetDlgItem(s.box, 0xFFFF), &s.textRect);
            GetWindowRect(s.box, &s.boxRect);
            for (HWND c = GetWindow(s.box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                char cls[32] = {};
                GetClassNameA(c, cls, sizeof cls);
                if (std::string(cls) == "BUTTON") s.buttons.push_back(TextOf(c));
            }
            seen_ = s;
            answer(s);
        });
        return MessageBoxA(owner_, text, caption, type);
    }

    HWND owner_ = nullptr;
    Seen seen_;
};

TEST_F(MessageBoxTest, ConfirmationBoxShowsJapaneseButtonsAndAnswersByKeyboard) {
    int answer = Show("ファイルが保存されていません。保存しますか。", "確認", MB_YESNO | MB_ICONQUESTION,
                      [&](const Seen&) { QueueKey(VK_RETURN); });
    EXPECT_EQ(IDYES, answer) << "Yes is the first and default button";
    EXPECT_EQ("確認", seen_.caption);
    EXPECT_EQ("ファイルが保存されていません。保存しますか。", seen_.text);
    EXPECT_TRUE(seen_.hasIcon);
    EXPECT_EQ((std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}), seen_.buttons);
    EXPECT_FALSE(seen_.ownerEnabled) << "the owner is disabled while the box is up";
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(IDYES, seen_.focusId);
    EXPECT_EQ(owner_, GetActiveWindow());

    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO, [&](const Seen&) { QueueKey(VK_ESCAPE); })) << "Escape is No";
    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO, [&](const Seen& s) { PostMessageA(s.box, WM_SYSCOMMAND, SC_CLOSE, 0); }))
        << "the close box is No";
    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO, [&](const Seen&) { QueueText("n"); })) << "access key without Alt";
    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO, [&](const Seen&) { QueueAltKey('N'); }));
    EXPECT_EQ(IDYES, Show("q", "確認", MB_YESNO | MB_DEFBUTTON2, [&](const Seen&) { QueueAltKey('Y'); }));
    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO | MB_DEFBUTTON2, [&](const Seen&) { QueueKey(VK_RETURN); }))
        << "MB_DEFBUTTON2 makes No the default";
    EXPECT_EQ(IDYES, Show("q", "確認", MB_YESNO | MB_DEFBUTTON2, [&](const Seen&) {
                  QueueKey(VK_TAB);
                  QueueKey(VK_RETURN);
              })) << "Tab moves to Yes and Enter presses it";
    EXPECT_EQ(IDNO, Show("q", "確認", MB_YESNO, [&](const Seen& s) { QueueClickOn(GetDlgItem(s.box, IDNO)); }));
}

TEST_F(MessageBoxTest, EveryTypeHasItsButtonsAndEscapeAnswer) {
    struct Case {
        UINT type;
        std::vector<std::string> buttons;
        int escape;
    };
    const Case cases[] = {
        {MB_OK, {"OK"}, IDOK},
        {MB_OKCANCEL, {"OK", "キャンセル"}, IDCANCEL},
        {MB_YESNOCANCEL, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, IDCANCEL},
        {MB_RETRYCANCEL, {"再試行(&R)", "キャンセル"}, IDCANCEL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.escape, Show("t", "c", c.type, [&](const Seen&) { QueueKey(VK_ESCAPE); })) << c.type;
        EXPECT_EQ(c.buttons, seen_.buttons) << c.type;
        EXPECT_FALSE(seen_.hasIcon);
    }
    EXPECT_EQ(IDRETRY, Show("t", "c", MB_RETRYCANCEL, [&](const Seen&) { QueueText("r"); }));
    EXPECT_EQ(IDCANCEL, Show("t", "c", MB_YESNOCANCEL | MB_DEFBUTTON3, [&](const Seen&) { QueueKey(VK_RETURN); }));
    EXPECT_EQ(IDOK, Show("t", nullptr, MB_OK, [&](const Seen&) { QueueKey(VK_RETURN); }));
    EXPECT_EQ("エラー", seen_.caption) << "a null caption";
}

TEST_F(MessageBoxTest, IconsBeepAndEveryLineBreakStartsALine) {
    int before = Screen().Beeps();
    Show("一行", "警告", MB_OK | MB_ICONEXCLAMATION, [&](const Seen&) { QueueKey(VK_RETURN); });
    EXPECT_EQ(before + 1, Screen().Beeps());
    const int oneLine = seen_.textRect.bottom - seen_.textRect.top;
    for (const char* text : {"データは変更されています\r保存しますか？", "データは変更されています\n保存しますか？",
                             "データは変更されています\r\n保存しますか？"}) {
        Show(text, "警告", MB_YESNO | MB_ICONEXCLAMATION, [&](const Seen&) { QueueKey(VK_RETURN); });
        EXPECT_EQ(2 * oneLine, seen_.textRect.bottom - seen_.textRect.top) << text;
    }
    // A long text wraps: the box stays within five eighths of the screen.
    std::string longText;
    for (int i = 0; i < 30; ++i) longText += "長い文章を折り返して表示します。";
    Show(longText.c_str(), "お知らせ", MB_OK | MB_ICONINFORMATION, [&](const Seen&) { QueueKey(VK_RETURN); });
    EXPECT_LE(seen_.boxRect.right - seen_.boxRect.left, 1024 * 5 / 8 + 40);
    EXPECT_GT(seen_.textRect.bottom - seen_.textRect.top, 5 * oneLine);
    // Centred on the screen.
    EXPECT_NEAR(512, (seen_.boxRect.left + seen_.boxRect.right) / 2, 1);
}

TEST_F(MessageBoxTest, OwnerlessAndStaleOwnersStillShowABox) {
    WhenIdle([&] { QueueKey(VK_RETURN); });
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "text", "caption", MB_OK));
    WhenIdle([&] { QueueKey(VK_ESCAPE); });
    EXPECT_EQ(IDCANCEL, MessageBoxA(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x3000123)), "t", "c", MB_OKCANCEL));
    // Ampersands in the message are shown, not taken as access keys.
    EXPECT_EQ(IDNO, Show("A&B", "c", MB_YESNO, [&](const Seen&) { QueueText("b"); QueueKey(VK_ESCAPE); }));
}

TEST_F(MessageBoxTest, LayoutPutsTextBesideTheIconAndCentresTheButtons) {
    HDC dc = GetDC(nullptr);
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HFONT font = CreateFontIndirectA(&ncm.lfMessageFont);
    HGDIOBJ old = SelectObject(dc, font);
    auto buttons = user::message_box::ButtonsFor(MB_YESNOCANCEL);
    auto l = user::message_box::Arrange(dc, "短い", true, buttons, 1024);
    EXPECT_GT(l.text.left, l.icon.right);
    EXPECT_EQ((l.icon.top + l.icon.bottom) / 2, (l.text.top + l.text.bottom) / 2) << "a short text is centred on the icon";
    ASSERT_EQ(3u, l.buttons.size());
    EXPECT_EQ(l.client.cx - l.buttons[2].right, l.buttons[0].left) << "the row is centred";
    EXPECT_EQ(75, l.buttons[0].right - l.buttons[0].left);
    EXPECT_EQ(23, l.buttons[0].bottom - l.buttons[0].top);
    EXPECT_GT(l.buttons[0].top, l.icon.bottom);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
}

TEST_F(MessageBoxTest, Screenshot) {
    std::string path;
    Show("データは変更されています\r保存しますか？", "警告", MB_YESNO | MB_ICONEXCLAMATION, [&](const Seen& s) {
        path = SaveWindowShot(s.box, "message_box_warning");
        QueueKey(VK_ESCAPE);
    });
    EXPECT_FALSE(path.empty());
}

}  // namespace
}  // namespace test
