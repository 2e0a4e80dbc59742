#include "platform/user/message_box_layout.h"

#include <algorithm>

namespace win32::user::message_box {

namespace {

// Pixels at 96 dpi, as the classic desktop spaces its boxes.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kButtonPadding = 16;
constexpr int kTextToButtons = 16;

}  // namespace

std::vector<Button> ButtonsFor(UINT type) {
    std::vector<Button> b;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: b = {{IDOK, "OK"}, {IDCANCEL, "キャンセル"}}; break;
        case MB_ABORTRETRYIGNORE: b = {{IDABORT, "中止(&A)"}, {IDRETRY, "再試行(&R)"}, {IDIGNORE, "無視(&I)"}}; break;
        case MB_YESNOCANCEL: b = {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}, {IDCANCEL, "キャンセル"}}; break;
        case MB_YESNO: b = {{IDYES, "はい(&Y)"}, {IDNO, "いいえ(&N)"}}; break;
        case MB_RETRYCANCEL: b = {{IDRETRY, "再試行(&R)"}, {IDCANCEL, "キャンセル"}}; break;
        case MB_CANCELTRYCONTINUE:
            b = {{IDCANCEL, "キャンセル"}, {IDTRYAGAIN, "再実行(&T)"}, {IDCONTINUE, "続行(&C)"}};
            break;
        default: b = {{IDOK, "OK"}}; break;
    }
    if (type & MB_HELP) b.push_back({IDHELP, "ヘルプ"});
    return b;
}

int EscapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OK: return IDOK;
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return 0;
        default: return IDCANCEL;
    }
}

std::string NormaliseLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

Layout Arrange(HDC dc, const std::string& text, bool hasIcon, const std::vector<Button>& buttons, int screenWidth) {
    Layout l;
    const int textLeft = hasIcon ? kMargin + kIconSize + kIconGap : kMargin + 4;
    const int maxTextWidth = std::max(100, screenWidth * 5 / 8 - textLeft - kMargin);

    RECT measured{0, 0, maxTextWidth, 0};
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    if (text.empty()) {
        measured.bottom = tm.tmHeight;
    } else {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, kTextFormat | DT_CALCRECT);
    }
    const int textWidth = measured.right - measured.left;
    const int textHeight = std::max<int>(measured.bottom - measured.top, tm.tmHeight);

    int textTop = kMargin;
    if (hasIcon && textHeight < kIconSize) textTop = kMargin + (kIconSize - textHeight) / 2;
    l.text = RECT{textLeft, textTop, textLeft + textWidth, textTop + textHeight};
    if (hasIcon) l.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
    const int contentBottom = std::max<int>(l.text.bottom, hasIcon ? l.icon.bottom : 0);

    std::vector<int> widths;
    int rowWidth = 0;
    for (const Button& b : buttons) {
        SIZE size{0, 0};
        std::string label = b.text;
        label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
        GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &size);
        int w = std::max<int>(kButtonWidth, size.cx + kButtonPadding);
        widths.push_back(w);
        rowWidth += w;
    }
    if (!widths.empty()) rowWidth += kButtonGap * static_cast<int>(widths.size() - 1);

    l.client.cx = std::max(l.text.right + kMargin + 4, rowWidth + 2 * kMargin);
    const int buttonTop = contentBottom + kTextToButtons;
    l.client.cy = buttonTop + kButtonHeight + kMargin;
    int x = (l.client.cx - rowWidth) / 2;
    for (int w : widths) {
        l.buttons.push_back(RECT{x, buttonTop, x + w, buttonTop + kButtonHeight});
        x += w + kButtonGap;
    }
    return l;
}

}  // namespace win32::user::message_box
