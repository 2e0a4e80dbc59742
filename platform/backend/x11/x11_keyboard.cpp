#include "platform/backend/x11/x11_keyboard.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace win32::backend::x11 {
namespace {

// Virtual-key codes, under names of our own so they do not meet the
// window system's VK_ constants.
enum Vk : unsigned {
    Back = 0x08, Tab = 0x09, Clear = 0x0C, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
    Pause = 0x13, Capital = 0x14, Kana = 0x15, Kanji = 0x19, Escape = 0x1B, Convert = 0x1C,
    NonConvert = 0x1D, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24, Left = 0x25,
    Up = 0x26, Right = 0x27, Down = 0x28, Select = 0x29, Print = 0x2A, Execute = 0x2B, Snapshot = 0x2C,
    Insert = 0x2D, Delete = 0x2E, Help = 0x2F, LWin = 0x5B, RWin = 0x5C, Apps = 0x5D, Numpad0 = 0x60,
    Multiply = 0x6A, Add = 0x6B, Separator = 0x6C, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F,
    F1 = 0x70, NumLock = 0x90, Scroll = 0x91, Oem1 = 0xBA, OemPlus = 0xBB, OemComma = 0xBC,
    OemMinus = 0xBD, OemPeriod = 0xBE, Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD,
    Oem7 = 0xDE, Oem102 = 0xE2, OemAttn = 0xF0, OemCopy = 0xF2,
};

// Linux key codes that are not the PC scan code itself.
constexpr unsigned kKeyRo = 89, kKeyKatakana = 90, kKeyHiragana = 91, kKeyHenkan = 92, kKeyKatakanaHiragana = 93,
                   kKeyMuhenkan = 94, kKeyYen = 124, kKeyNumLock = 69, kKey102nd = 86;

struct Scan {
    unsigned code;
    bool extended;
};

// The PC (set 1) scan code of a Linux key code; Linux numbers the keys of
// the basic block by their scan codes.
Scan ScanFromLinux(unsigned key) {
    if (key == kKeyNumLock) return {0x45, true};
    if (key > 0 && key < kKeyRo) return {key, false};
    switch (key) {
        case kKeyRo: return {0x73, false};
        case kKeyKatakana:
        case kKeyHiragana:
        case kKeyKatakanaHiragana: return {0x70, false};
        case kKeyHenkan: return {0x79, false};
        case kKeyMuhenkan: return {0x7B, false};
        case 96: return {0x1C, true};   // keypad Enter
        case 97: return {0x1D, true};   // right Ctrl
        case 98: return {0x35, true};   // keypad /
        case 99: return {0x37, true};   // Print Screen
        case 100: return {0x38, true};  // right Alt
        case 102: return {0x47, true};  // Home
        case 103: return {0x48, true};  // Up
        case 104: return {0x49, true};  // Page Up
        case 105: return {0x4B, true};  // Left
        case 106: return {0x4D, true};  // Right
        case 107: return {0x4F, true};  // End
        case 108: return {0x50, true};  // Down
        case 109: return {0x51, true};  // Page Down
        case 110: return {0x52, true};  // Insert
        case 111: return {0x53, true};  // Delete
        case 117: return {0x59, false}; // keypad =
        case 119: return {0x45, false}; // Pause
        case 121: return {0x7E, false}; // keypad ,
        case kKeyYen: return {0x7D, false};
        case 125: return {0x5B, true};  // left Windows key
        case 126: return {0x5C, true};  // right Windows key
        case 127: return {0x5D, true};  // menu key
        default: return {0, false};
    }
}

// Virtual keys of the main block by position on a US keyboard, for layouts
// whose keysyms have no virtual key of their own (Cyrillic, Greek, ...).
unsigned VirtualKeyFromScan(unsigned scan) {
    static const char row1[] = "1234567890";       // scan 0x02..0x0B
    static const char row2[] = "QWERTYUIOP";       // 0x10..0x19
    static const char row3[] = "ASDFGHJKL";        // 0x1E..0x26
    static const char row4[] = "ZXCVBNM";          // 0x2C..0x32
    if (scan >= 0x02 && scan <= 0x0B) return static_cast<unsigned char>(row1[scan - 0x02]);
    if (scan >= 0x10 && scan <= 0x19) return static_cast<unsigned char>(row2[scan - 0x10]);
    if (scan >= 0x1E && scan <= 0x26) return static_cast<unsigned char>(row3[scan - 0x1E]);
    if (scan >= 0x2C && scan <= 0x32) return static_cast<unsigned char>(row4[scan - 0x2C]);
    switch (scan) {
        case 0x0C: return OemMinus;
        case 0x0D: return OemPlus;
        case 0x1A: return Oem4;
        case 0x1B: return Oem6;
        case 0x27: return Oem1;
        case 0x28: return Oem7;
        case 0x29: return Oem3;
        case 0x2B: return Oem5;
        case 0x33: return OemComma;
        case 0x34: return OemPeriod;
        case 0x35: return Oem2;
        case 0x56: return Oem102;
        default: return 0;
    }
}

bool IsKeypadKeysym(unsigned long ks) { return ks >= XK_KP_Space && ks <= XK_KP_9; }

}  // namespace

unsigned VirtualKeyFromKeysym(unsigned long ks) {
    if (ks >= XK_a && ks <= XK_z) return static_cast<unsigned>(ks - XK_a + 'A');
    if (ks >= XK_A && ks <= XK_Z) return static_cast<unsigned>(ks);
    if (ks >= XK_0 && ks <= XK_9) return static_cast<unsigned>(ks);
    if (ks >= XK_F1 && ks <= XK_F24) return static_cast<unsigned>(F1 + (ks - XK_F1));
    if (ks >= XK_KP_0 && ks <= XK_KP_9) return static_cast<unsigned>(Numpad0 + (ks - XK_KP_0));
    switch (ks) {
        case XK_BackSpace: return Back;
        case XK_Tab:
        case XK_ISO_Left_Tab:
        case XK_KP_Tab: return Tab;
        case XK_Clear:
        case XK_KP_Begin: return Clear;
        case XK_Return:
        case XK_KP_Enter: return Return;
        case XK_Shift_L:
        case XK_Shift_R: return Shift;
        case XK_Control_L:
        case XK_Control_R: return Control;
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R:
        case XK_ISO_Level3_Shift: return Menu;
        case XK_Pause:
        case XK_Break: return Pause;
        case XK_Caps_Lock: return Capital;
        case XK_Escape: return Escape;
        case XK_space:
        case XK_KP_Space: return Space;
        case XK_Prior:
        case XK_KP_Prior: return Prior;
        case XK_Next:
        case XK_KP_Next: return Next;
        case XK_End:
        case XK_KP_End: return End;
        case XK_Home:
        case XK_KP_Home: return Home;
        case XK_Left:
        case XK_KP_Left: return Left;
        case XK_Up:
        case XK_KP_Up: return Up;
        case XK_Right:
        case XK_KP_Right: return Right;
        case XK_Down:
        case XK_KP_Down: return Down;
        case XK_Select: return Select;
        case XK_Print:
        case XK_Sys_Req: return Snapshot;
        case XK_Execute: return Execute;
        case XK_Insert:
        case XK_KP_Insert: return Insert;
        case XK_Delete:
        case XK_KP_Delete: return Delete;
        case XK_Help: return Help;
        case XK_Super_L: return LWin;
        case XK_Super_R: return RWin;
        case XK_Menu: return Apps;
        case XK_KP_Multiply: return Multiply;
        case XK_KP_Add: return Add;
        case XK_KP_Separator: return Separator;
        case XK_KP_Subtract: return Subtract;
        case XK_KP_Decimal: return Decimal;
        case XK_KP_Divide: return Divide;
        case XK_Num_Lock: return NumLock;
        case XK_Scroll_Lock: return Scroll;
        // Punctuation by its unshifted character, as on a US keyboard; the
        // characters only a Japanese keyboard has unshifted follow it.
        case XK_semicolon: return Oem1;
        case XK_colon: return Oem1;
        case XK_equal:
        case XK_plus: return OemPlus;
        case XK_comma: return OemComma;
        case XK_minus: return OemMinus;
        case XK_period: return OemPeriod;
        case XK_slash: return Oem2;
        case XK_grave:
        case XK_at: return Oem3;
        case XK_bracketleft: return Oem4;
        case XK_backslash:
        case XK_yen: return Oem5;
        case XK_bracketright: return Oem6;
        case XK_apostrophe:
        case XK_asciicircum: return Oem7;
        case XK_less: return Oem102;
        // Keys of a Japanese keyboard.
        case XK_Zenkaku_Hankaku:
        case XK_Kanji: return Kanji;
        case XK_Henkan_Mode: return Convert;
        case XK_Muhenkan: return NonConvert;
        case XK_Hiragana_Katakana:
        case XK_Hiragana:
        case XK_Katakana: return OemCopy;
        case XK_Eisu_toggle: return OemAttn;
        case XK_Kana_Lock:
        case XK_Kana_Shift: return Kana;
        default: return 0;
    }
}

KeyIdentity IdentifyKey(unsigned keycode, unsigned long baseKeysym, unsigned long effectiveKeysym) {
    KeyIdentity id;
    unsigned linuxKey = keycode >= 8 ? keycode - 8 : 0;
    Scan scan = ScanFromLinux(linuxKey);
    id.scanCode = scan.code;
    id.extended = scan.extended;
    // The keypad's keys change meaning with Num Lock; every other key is
    // known by its unshifted keysym.
    unsigned long ks = IsKeypadKeysym(effectiveKeysym) ? effectiveKeysym : baseKeysym;
    id.virtualKey = VirtualKeyFromKeysym(ks);
    // A Japanese keyboard has two keys with a backslash: the one beside
    // right Shift is VK_OEM_102.
    if (linuxKey == kKeyRo) id.virtualKey = Oem102;
    if (linuxKey == kKey102nd && id.virtualKey == 0) id.virtualKey = Oem102;
    if (id.virtualKey == 0) id.virtualKey = VirtualKeyFromScan(id.scanCode);
    return id;
}

char32_t KeysymToCodePoint(unsigned long ks) {
    if ((ks >= 0x20 && ks <= 0x7E) || (ks >= 0xA0 && ks <= 0xFF)) return static_cast<char32_t>(ks);
    if (ks >= 0x01000100 && ks <= 0x0110FFFF) return static_cast<char32_t>(ks - 0x01000000);
    if (ks >= XK_KP_0 && ks <= XK_KP_9) return static_cast<char32_t>('0' + (ks - XK_KP_0));
    switch (ks) {
        case XK_BackSpace: return 0x08;
        case XK_Tab:
        case XK_KP_Tab: return 0x09;
        case XK_Return:
        case XK_KP_Enter: return 0x0D;
        case XK_Escape: return 0x1B;
        case XK_KP_Space: return ' ';
        case XK_KP_Equal: return '=';
        case XK_KP_Multiply: return '*';
        case XK_KP_Add: return '+';
        case XK_KP_Separator: return ',';
        case XK_KP_Subtract: return '-';
        case XK_KP_Decimal: return '.';
        case XK_KP_Divide: return '/';
        default: return 0;
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string KeyText(unsigned virtualKey, const std::string& produced, KeyModifiers modifiers) {
    if (virtualKey == Delete) return {};
    bool controlOnly = modifiers.control && !modifiers.alt;
    if (controlOnly) {
        // What Ctrl with these keys types on Windows.
        if (virtualKey == Return) return "\n";
        if (virtualKey == Back) return "\x7f";
        if (virtualKey == Space) return " ";
        if (virtualKey == Tab) return {};
        if (produced.size() == 1) {
            unsigned char c = static_cast<unsigned char>(produced[0]);
            if (c >= 0x01 && c < 0x20) return produced;
        }
        return {};
    }
    if (produced.size() == 1 && produced[0] == '\0') return {};
    return produced;
}

}  // namespace win32::backend::x11
