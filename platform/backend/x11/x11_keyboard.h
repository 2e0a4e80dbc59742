// From X key events to what a Win32 program sees: virtual-key codes, the
// scan codes of a PC keyboard with the extended-key flag, and the characters
// a key produces. Pure functions of key codes and keysyms, so they are
// tested without a display.
#pragma once

#include <string>

namespace win32::backend::x11 {

struct KeyIdentity {
    unsigned virtualKey = 0;  // 0: the key has no virtual-key code
    unsigned scanCode = 0;
    bool extended = false;
};

// `keycode` is the server's key code (evdev numbering: Linux key code + 8);
// `baseKeysym` is the keysym of the key without modifiers and
// `effectiveKeysym` the one with the modifiers in force (it decides the keys
// of the numeric keypad, which change with Num Lock).
KeyIdentity IdentifyKey(unsigned keycode, unsigned long baseKeysym, unsigned long effectiveKeysym);

// The virtual-key code of a keysym, 0 when it has none.
unsigned VirtualKeyFromKeysym(unsigned long keysym);

// The Unicode character of a keysym, 0 when it stands for none.
char32_t KeysymToCodePoint(unsigned long keysym);

// Modifier state of a key event, as far as the characters of a key depend
// on it.
struct KeyModifiers {
    bool control = false;
    bool alt = false;
};

// Decides the characters a key sends as WM_CHAR from what the input method
// or XLookupString produced: keys that produce no character on Windows
// (Delete) produce none here, and Ctrl with a printable key produces none
// unless Alt is also down (AltGr).
std::string KeyText(unsigned virtualKey, const std::string& produced, KeyModifiers modifiers);

// Appends `cp` to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace win32::backend::x11
