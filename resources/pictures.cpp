// The bitmaps of the menus and the menu bar, drawn as text:
//   CHECK, CHECKMONO  16 x 16, a check mark on purple (the transparent
//                     colour), black with a white rim below, or dark grey;
//   RESTORE, MIN, MAX, CLOSE  16 x 16 black window glyphs on olive;
//   LEFT, RIGHT        7 x 15 black triangles on olive;
// and the program icon MAINICON.
#include "resources/resources.h"

#include "platform/gdi/resource.h"

namespace resources {

namespace {

using win32::gdi::PictureKind;
using win32::gdi::TextPicture;

const char* const kPalette =
    "p 800080 o 808000 # 000000 w FFFFFF g 808080 b 0000FF c C0C0C0 r FF0000";

const char* const kCheckRows[] = {
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppp#ppppp",
    "ppppppppp##ppppp",
    "pppp#ppp###ppppp",
    "pppp##p###wppppp",
    "pppp#####wpppppp",
    "ppppw###wppppppp",
    "pppppw#wpppppppp",
    "ppppppwppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
};
const char* const kCheckMonoRows[] = {
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "ppppppppppgppppp",
    "pppppppppggppppp",
    "ppppgpppgggppppp",
    "ppppggpgggwppppp",
    "ppppgggggwpppppp",
    "ppppwgggwppppppp",
    "pppppwgwpppppppp",
    "ppppppwppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
    "pppppppppppppppp",
};
const char* const kRestoreRows[] = {
    "oooooooooooooooo",
    "oooooooooooooooo",
    "ooooo########ooo",
    "ooooo########ooo",
    "ooooo#oooooo#ooo",
    "ooooo#oooooo#ooo",
    "oo########oo#ooo",
    "oo########oo#ooo",
    "oo#oooooo####ooo",
    "oo#oooooo#oooooo",
    "oo#oooooo#oooooo",
    "oo#oooooo#oooooo",
    "oo########oooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
};
const char* const kMinRows[] = {
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooo######oooooo",
    "oooo######oooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
};
const char* const kMaxRows[] = {
    "oooooooooooooooo",
    "oooooooooooooooo",
    "ooo##########ooo",
    "ooo##########ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo#oooooooo#ooo",
    "ooo##########ooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
};
const char* const kCloseRows[] = {
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooo##oooo##oooo",
    "ooooo##oo##ooooo",
    "oooooo####oooooo",
    "ooooooo##ooooooo",
    "oooooo####oooooo",
    "ooooo##oo##ooooo",
    "oooo##oooo##oooo",
    "ooo##oooooo##ooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
    "oooooooooooooooo",
};
const char* const kLeftRows[] = {
    "ooooooo",
    "ooooooo",
    "ooooooo",
    "ooooo#o",
    "oooo##o",
    "ooo###o",
    "oo####o",
    "o#####o",
    "oo####o",
    "ooo###o",
    "oooo##o",
    "ooooo#o",
    "ooooooo",
    "ooooooo",
    "ooooooo",
};
const char* const kRightRows[] = {
    "ooooooo",
    "ooooooo",
    "ooooooo",
    "o#ooooo",
    "o##oooo",
    "o###ooo",
    "o####oo",
    "o#####o",
    "o####oo",
    "o###ooo",
    "o##oooo",
    "o#ooooo",
    "ooooooo",
    "ooooooo",
    "ooooooo",
};
const char* const kMainIconRows[] = {
    "                                ",
    "                                ",
    "        b  b  b  b  b  b        ",
    "     ###b##b##b##b##b##b###     ",
    "     #wwbwwbwwbwwbwwbwwbww#     ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwccccccccccccccccww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwccccccccccccccccww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwcccccccccccccccrrw#g    ",
    "     #wwwwwwwwwwwwwwwwr#ww#g    ",
    "     #wwwwwwwwwwwwwwwr#www#g    ",
    "     #wwccccccccccccr#ccww#g    ",
    "     #wwwwwwwwwwwwwr#wwwww#g    ",
    "     #wwwwwwwwwwwwr#wwwwww#g    ",
    "     #wwcccccccccr#cccccww#g    ",
    "     #wwwwwwwwwwr#wwwwwwww#g    ",
    "     #wwwwwwwwwr#wwwwwwwww#g    ",
    "     #wwccccccr#ccccccccww#g    ",
    "     #wwwwwwww#wwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     #wwwwwwwwwwwwwwwwwwww#g    ",
    "     ######################g    ",
    "       ggggggggggggggggggggg    ",
    "                                ",
};

const TextPicture kBitmaps[] = {
    {"CHECK", kPalette, kCheckRows, 16},     {"CHECKMONO", kPalette, kCheckMonoRows, 16},
    {"RESTORE", kPalette, kRestoreRows, 16}, {"MIN", kPalette, kMinRows, 16},
    {"MAX", kPalette, kMaxRows, 16},         {"CLOSE", kPalette, kCloseRows, 16},
    {"LEFT", kPalette, kLeftRows, 15},       {"RIGHT", kPalette, kRightRows, 15},
};

const TextPicture kIcons[] = {
    {"MAINICON", kPalette, kMainIconRows, 32},
};

// Programs that link the pictures get them without asking.
const bool kRegistered = (Register(), true);

}  // namespace

void Register() {
    win32::gdi::RegisterPictures(PictureKind::Bitmap, kBitmaps, sizeof(kBitmaps) / sizeof(kBitmaps[0]));
    win32::gdi::RegisterPictures(PictureKind::Icon, kIcons, sizeof(kIcons) / sizeof(kIcons[0]));
}

}  // namespace resources
