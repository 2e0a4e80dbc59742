#include "platform/user/keyboard_layout.h"

#include <cstring>

#include "platform/user/winuser.h"

namespace win32 {
namespace user {
namespace {

struct KeyChars {
    UINT vk;
    char plain;
    char shifted;
};

// Printable keys of the Japanese layout other than letters.
constexpr KeyChars kKeys[] = {
    {'1', '1', '!'},          {'2', '2', '"'},           {'3', '3', '#'},         {'4', '4', '$'},
    {'5', '5', '%'},          {'6', '6', '&'},           {'7', '7', '\''},        {'8', '8', '('},
    {'9', '9', ')'},          {'0', '0', 0},             {VK_OEM_MINUS, '-', '='}, {VK_OEM_7, '^', '~'},
    {VK_OEM_5, '\\', '|'},    {VK_OEM_3, '@', '`'},      {VK_OEM_4, '[', '{'},     {VK_OEM_PLUS, ';', '+'},
    {VK_OEM_1, ':', '*'},     {VK_OEM_6, ']', '}'},      {VK_OEM_COMMA, ',', '<'}, {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},     {VK_OEM_102, '\\', '_'},   {VK_SPACE, ' ', ' '},     {VK_MULTIPLY, '*', '*'},
    {VK_ADD, '+', '+'},       {VK_SUBTRACT, '-', '-'},   {VK_DECIMAL, '.', '.'},   {VK_DIVIDE, '/', '/'},
};

struct ScanCode {
    UINT vk;
    UINT scan;
};

constexpr ScanCode kScans[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02}, {'2', 0x03}, {'3', 0x04}, {'4', 0x05}, {'5', 0x06}, {'6', 0x07},
    {'7', 0x08}, {'8', 0x09}, {'9', 0x0A}, {'0', 0x0B}, {VK_OEM_MINUS, 0x0C}, {VK_OEM_7, 0x0D},
    {VK_BACK, 0x0E}, {VK_TAB, 0x0F}, {'Q', 0x10}, {'W', 0x11}, {'E', 0x12}, {'R', 0x13}, {'T', 0x14},
    {'Y', 0x15}, {'U', 0x16}, {'I', 0x17}, {'O', 0x18}, {'P', 0x19}, {VK_OEM_3, 0x1A}, {VK_OEM_4, 0x1B},
    {VK_RETURN, 0x1C}, {VK_CONTROL, 0x1D}, {VK_LCONTROL, 0x1D}, {'A', 0x1E}, {'S', 0x1F}, {'D', 0x20},
    {'F', 0x21}, {'G', 0x22}, {'H', 0x23}, {'J', 0x24}, {'K', 0x25}, {'L', 0x26}, {VK_OEM_PLUS, 0x27},
    {VK_OEM_1, 0x28}, {VK_SHIFT, 0x2A}, {VK_LSHIFT, 0x2A}, {VK_OEM_6, 0x2B}, {'Z', 0x2C}, {'X', 0x2D},
    {'C', 0x2E}, {'V', 0x2F}, {'B', 0x30}, {'N', 0x31}, {'M', 0x32}, {VK_OEM_COMMA, 0x33},
    {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35}, {VK_RSHIFT, 0x36}, {VK_MULTIPLY, 0x37}, {VK_MENU, 0x38},
    {VK_LMENU, 0x38}, {VK_SPACE, 0x39}, {VK_CAPITAL, 0x3A}, {VK_F1, 0x3B}, {VK_F2, 0x3C}, {VK_F3, 0x3D},
    {VK_F4, 0x3E}, {VK_F5, 0x3F}, {VK_F6, 0x40}, {VK_F7, 0x41}, {VK_F8, 0x42}, {VK_F9, 0x43},
    {VK_F10, 0x44}, {VK_NUMLOCK, 0x45}, {VK_SCROLL, 0x46}, {VK_HOME, 0x47}, {VK_UP, 0x48},
    {VK_PRIOR, 0x49}, {VK_SUBTRACT, 0x4A}, {VK_LEFT, 0x4B}, {VK_RIGHT, 0x4D}, {VK_ADD, 0x4E},
    {VK_END, 0x4F}, {VK_DOWN, 0x50}, {VK_NEXT, 0x51}, {VK_INSERT, 0x52}, {VK_DELETE, 0x53},
    {VK_F11, 0x57}, {VK_F12, 0x58}, {VK_OEM_102, 0x73}, {VK_OEM_5, 0x7D}, {VK_CONVERT, 0x79},
    {VK_NONCONVERT, 0x7B},
};

}  // namespace

char32_t LayoutCharacter(UINT vk, const BYTE* keyState) {
    bool shift = keyState[VK_SHIFT] & 0x80;
    bool caps = keyState[VK_CAPITAL] & 0x01;
    bool ctrl = keyState[VK_CONTROL] & 0x80;
    bool alt = keyState[VK_MENU] & 0x80;
    if (ctrl && alt) return 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<char32_t>(vk - 'A' + 1);
        bool upper = shift != caps;
        return static_cast<char32_t>(upper ? vk : vk - 'A' + 'a');
    }
    if (ctrl) {
        if (vk == VK_OEM_4) return 0x1B;
        if (vk == VK_OEM_5) return 0x1C;
        if (vk == VK_OEM_6) return 0x1D;
        if (vk == VK_RETURN) return 0x0A;
        if (vk == VK_BACK) return 0x7F;
        return 0;
    }
    if (vk == VK_RETURN) return 0x0D;
    if (vk == VK_BACK) return 0x08;
    if (vk == VK_TAB) return 0x09;
    if (vk == VK_ESCAPE) return 0x1B;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char32_t>('0' + (vk - VK_NUMPAD0));
    for (const KeyChars& k : kKeys) {
        if (k.vk == vk) return static_cast<char32_t>(static_cast<unsigned char>(shift ? k.shifted : k.plain));
    }
    return 0;
}

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + static_cast<std::size_t>(k) >= text.size()) {
                ok = false;
                break;
            }
            unsigned char cc = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(char32_t ch) {
    std::string s;
    if (ch < 0x80) {
        s += static_cast<char>(ch);
    } else if (ch < 0x800) {
        s += static_cast<char>(0xC0 | (ch >> 6));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        s += static_cast<char>(0xE0 | (ch >> 12));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (ch >> 18));
        s += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return s;
}

}  // namespace user

using namespace user;

UINT MapVirtualKeyA(UINT code, UINT mapType) {
    switch (mapType) {
        case MAPVK_VK_TO_VSC:
            for (const ScanCode& s : kScans) {
                if (s.vk == code) return s.scan;
            }
            return 0;
        case MAPVK_VSC_TO_VK:
            for (const ScanCode& s : kScans) {
                if (s.scan == code) return s.vk;
            }
            return 0;
        case MAPVK_VK_TO_CHAR: {
            BYTE none[256] = {};
            char32_t ch = LayoutCharacter(code, none);
            if (ch >= 'a' && ch <= 'z') ch = ch - 'a' + 'A';
            return static_cast<UINT>(ch);
        }
        default: return 0;
    }
}

SHORT VkKeyScanA(CHAR ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<SHORT>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<SHORT>(0x100 | c);
    if (c >= '0' && c <= '9') return static_cast<SHORT>(c);
    for (const KeyChars& k : kKeys) {
        if (k.plain == static_cast<char>(c)) return static_cast<SHORT>(k.vk);
        if (k.shifted == static_cast<char>(c)) return static_cast<SHORT>(0x100 | k.vk);
    }
    if (c == '\r') return VK_RETURN;
    if (c == '\t') return VK_TAB;
    if (c == '\b') return VK_BACK;
    if (c == 0x1B) return VK_ESCAPE;
    return -1;
}

int GetKeyNameTextA(LONG lParam, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    UINT vk = MapVirtualKeyA((static_cast<DWORD>(lParam) >> 16) & 0xFF, MAPVK_VSC_TO_VK);
    std::string name;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) name = std::string(1, static_cast<char>(vk));
    else if (vk >= VK_F1 && vk <= VK_F12) name = "F" + std::to_string(vk - VK_F1 + 1);
    else {
        switch (vk) {
            case VK_RETURN: name = "Enter"; break;
            case VK_ESCAPE: name = "Esc"; break;
            case VK_SPACE: name = "Space"; break;
            case VK_TAB: name = "Tab"; break;
            case VK_BACK: name = "Backspace"; break;
            case VK_DELETE: name = "Delete"; break;
            case VK_INSERT: name = "Insert"; break;
            case VK_SHIFT: name = "Shift"; break;
            case VK_CONTROL: name = "Ctrl"; break;
            case VK_MENU: name = "Alt"; break;
            default: break;
        }
    }
    int n = static_cast<int>(name.size());
    if (n > size - 1) n = size - 1;
    std::memcpy(buffer, name.data(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

}  // namespace win32
