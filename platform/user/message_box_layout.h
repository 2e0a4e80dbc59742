// What a message box shows and where: its buttons for each MB_ type with
// the Japanese desktop's texts, the answer of Escape and the close box,
// and the arrangement of icon, text and buttons in pixels.
#pragma once

#include <string>
#include <vector>

#include "platform/user/winuser.h"

namespace win32::user::message_box {

struct Button {
    int id;
    const char* text;
};

// The buttons of the MB_TYPEMASK part of `type`, left to right (with
// "ヘルプ" last when MB_HELP is set).
std::vector<Button> ButtonsFor(UINT type);

// What Escape and the close box answer: Cancel where there is one, No in
// a Yes/No box, OK in an OK box; 0 where they do nothing.
int EscapeAnswer(UINT type);

struct Layout {
    SIZE client{0, 0};
    RECT icon{0, 0, 0, 0};  // empty without an icon
    RECT text{0, 0, 0, 0};
    std::vector<RECT> buttons;
};

// Flags the text is measured and drawn with.
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT;

// Arranges a box on a screen `screenWidth` wide. `dc` has the message font
// selected; the text is wrapped so the box stays within five eighths of the
// screen's width.
Layout Arrange(HDC dc, const std::string& text, bool hasIcon, const std::vector<Button>& buttons, int screenWidth);

// "\r\n", "\r" and "\n" all start a new line.
std::string NormaliseLineBreaks(const std::string& text);

}  // namespace win32::user::message_box
