// The keyboard layout: the characters keys produce (a Japanese 106-key
// layout for the printable keys), scan codes and key names.
#pragma once

#include <string>

#include "platform/windef.h"

namespace win32::user {

// The character a key gives with the modifier state in `keyState` (Shift,
// Caps Lock, Ctrl for control characters); 0 when it gives none.
char32_t LayoutCharacter(UINT vk, const BYTE* keyState);

std::u32string DecodeUtf8(const std::string& text);
std::string EncodeUtf8(char32_t ch);

}  // namespace win32::user
