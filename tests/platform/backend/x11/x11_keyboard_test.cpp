// Key translation without a display: virtual keys, scan codes and the
// characters Windows would type.
#include "platform/backend/x11/x11_keyboard.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

namespace win32::backend::x11 {
namespace {

// Evdev key codes are Linux key codes plus 8.
constexpr unsigned Evdev(unsigned linuxKey) { return linuxKey + 8; }

TEST(X11Keyboard, KeypadFollowsNumLockOtherKeysTheirUnshiftedSymbol) {
    // Keypad 7 with Num Lock on is VK_NUMPAD7, off it is Home, not extended.
    KeyIdentity on = IdentifyKey(Evdev(71), XK_KP_Home, XK_KP_7);
    EXPECT_EQ(on.virtualKey, 0x67u);
    EXPECT_EQ(on.scanCode, 0x47u);
    EXPECT_FALSE(on.extended);
    KeyIdentity off = IdentifyKey(Evdev(71), XK_KP_Home, XK_KP_Home);
    EXPECT_EQ(off.virtualKey, 0x24u);
    EXPECT_FALSE(off.extended);
    // The Home key of the navigation block is extended.
    KeyIdentity home = IdentifyKey(Evdev(102), XK_Home, XK_Home);
    EXPECT_EQ(home.virtualKey, 0x24u);
    EXPECT_EQ(home.scanCode, 0x47u);
    EXPECT_TRUE(home.extended);
    // Shift+1 is still the key '1'.
    EXPECT_EQ(IdentifyKey(Evdev(2), XK_1, XK_exclam).virtualKey, 0x31u);
}

TEST(X11Keyboard, JapaneseKeyboardKeys) {
    EXPECT_EQ(IdentifyKey(Evdev(41), XK_Zenkaku_Hankaku, XK_Zenkaku_Hankaku).virtualKey, 0x19u);
    EXPECT_EQ(IdentifyKey(Evdev(92), XK_Henkan_Mode, XK_Henkan_Mode).scanCode, 0x79u);
    EXPECT_EQ(IdentifyKey(Evdev(92), XK_Henkan_Mode, XK_Henkan_Mode).virtualKey, 0x1Cu);
    EXPECT_EQ(IdentifyKey(Evdev(94), XK_Muhenkan, XK_Muhenkan).virtualKey, 0x1Du);
    // Two keys carry a backslash: the one left of right Shift is VK_OEM_102.
    KeyIdentity ro = IdentifyKey(Evdev(89), XK_backslash, XK_backslash);
    EXPECT_EQ(ro.virtualKey, 0xE2u);
    EXPECT_EQ(ro.scanCode, 0x73u);
    KeyIdentity yen = IdentifyKey(Evdev(124), XK_backslash, XK_backslash);
    EXPECT_EQ(yen.virtualKey, 0xDCu);
    EXPECT_EQ(yen.scanCode, 0x7Du);
    EXPECT_EQ(IdentifyKey(Evdev(26), XK_at, XK_at).virtualKey, 0xC0u);
    EXPECT_EQ(IdentifyKey(Evdev(40), XK_colon, XK_colon).virtualKey, 0xBAu);
}

TEST(X11Keyboard, LayoutsWithoutLatinKeysymsFallBackToPositions) {
    // A Cyrillic layout's 'ф' sits where US has 'A'.
    EXPECT_EQ(IdentifyKey(Evdev(30), XK_Cyrillic_ef, XK_Cyrillic_ef).virtualKey, 0x41u);
    EXPECT_EQ(IdentifyKey(Evdev(51), XK_Cyrillic_be, XK_Cyrillic_be).virtualKey, 0xBCu);
}

TEST(X11Keyboard, NumLockIsExtendedPauseIsNot) {
    KeyIdentity numLock = IdentifyKey(Evdev(69), XK_Num_Lock, XK_Num_Lock);
    EXPECT_EQ(numLock.virtualKey, 0x90u);
    EXPECT_EQ(numLock.scanCode, 0x45u);
    EXPECT_TRUE(numLock.extended);
    KeyIdentity pause = IdentifyKey(Evdev(119), XK_Pause, XK_Pause);
    EXPECT_EQ(pause.virtualKey, 0x13u);
    EXPECT_EQ(pause.scanCode, 0x45u);
    EXPECT_FALSE(pause.extended);
}

TEST(X11Keyboard, TextIsWhatWindowsTypes) {
    KeyModifiers none{};
    KeyModifiers ctrl{true, false};
    KeyModifiers altGr{true, true};
    EXPECT_EQ(KeyText(0x41, "a", none), "a");
    EXPECT_EQ(KeyText(0x2E, "\x7f", none), "");  // Delete types nothing
    EXPECT_EQ(KeyText(0x41, "\x01", ctrl), "\x01");
    EXPECT_EQ(KeyText(0x31, "1", ctrl), "");      // Ctrl+1 types nothing
    EXPECT_EQ(KeyText(0x0D, "\r", ctrl), "\n");   // Ctrl+Enter is a line feed
    EXPECT_EQ(KeyText(0x08, "\b", ctrl), "\x7f");
    EXPECT_EQ(KeyText(0x09, "\t", ctrl), "");
    EXPECT_EQ(KeyText(0x51, "@", altGr), "@");    // AltGr is Ctrl+Alt and types
    EXPECT_EQ(KeyText(0x32, std::string(1, '\0'), none), "");
}

TEST(X11Keyboard, KeysymsToCharacters) {
    EXPECT_EQ(KeysymToCodePoint(XK_eacute), U'é');
    EXPECT_EQ(KeysymToCodePoint(0x1003042), U'\u3042');  // Unicode keysym for あ
    EXPECT_EQ(KeysymToCodePoint(XK_KP_5), U'5');
    EXPECT_EQ(KeysymToCodePoint(XK_F1), 0u);
    std::string s;
    AppendUtf8(s, U'\U0001F600');
    EXPECT_EQ(s, "\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace win32::backend::x11
