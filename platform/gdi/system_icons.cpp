// The system's own icons, drawn as text pictures at 32 x 32: the
// application window, the error, question, warning and information signs.
#include <cstring>

#include "platform/gdi/icon.h"

namespace win32::gdi {

namespace {

const char* const kPalette = "# 000000 w FFFFFF r FF0000 b 0000FF y FFFF00 n 000080 g 808080 l C0C0C0";

const char* const kQuestionRows[] = {
    "                                ",
    "                                ",
    "           ########             ",
    "         ####wwww####           ",
    "       ###wwwwwwwwww###         ",
    "      ##wwwwwwwwwwwwww##        ",
    "     ##wwwwwwwwwwwwwwww##       ",
    "    ##wwwwwwwwwwwwwwwwww##      ",
    "    #wwwwwwwwwwwwwwwwwwww#g     ",
    "   ##wwwwwwwwbbbbwwwwwwww##g    ",
    "   #wwwwwwwwbbbbbbwwwwwwww#g    ",
    "  ##wwwwwwwbbwwwwbbwwwwwww##g   ",
    "  ##wwwwwwwbbwwwwbbwwwwwww##g   ",
    "  #wwwwwwwwwwwwwbbwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwwbbwwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  ##wwwwwwwwwwbbwwwwwwwwww##gg  ",
    "  ##wwwwwwwwwwwwwwwwwwwwww##gg  ",
    "   #wwwwwwwwwwbbwwwwwwwwww#ggg  ",
    "   ##wwwwwwwwwbbwwwwwwwww##ggg  ",
    "    #wwwwwwwwwwwwwwwwwwww#ggg   ",
    "    ##wwwwwwwwwwwwwwwwww##ggg   ",
    "     ##wwwwwwwwwwwwwwww##ggg    ",
    "      ##wwwwwwwwwwwwww##gggg    ",
    "       ###wwwwwwwwww###gggg     ",
    "        g####wwww####ggggg      ",
    "         gg########gggggg       ",
    "           gggggggggggg         ",
    "             gggggggg           ",
    "                                ",
    "                                ",
};
const char* const kInformationRows[] = {
    "                                ",
    "                                ",
    "           ########             ",
    "         ####wwww####           ",
    "       ###wwwwwwwwww###         ",
    "      ##wwwwwwwwwwwwww##        ",
    "     ##wwwwwwwwwwwwwwww##       ",
    "    ##wwwwwwwwwwwwwwwwww##      ",
    "    #wwwwwwwwwwwwwwwwwwww#g     ",
    "   ##wwwwwwwwwbbwwwwwwwww##g    ",
    "   #wwwwwwwwwwbbwwwwwwwwww#g    ",
    "  ##wwwwwwwwwwwwwwwwwwwwww##g   ",
    "  ##wwwwwwwwwbbbwwwwwwwwww##g   ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  #wwwwwwwwwwwbbwwwwwwwwwww#gg  ",
    "  ##wwwwwwwwwwbbwwwwwwwwww##gg  ",
    "  ##wwwwwwwwwwbbwwwwwwwwww##gg  ",
    "   #wwwwwwwwwbbbbwwwwwwwww#ggg  ",
    "   ##wwwwwwwwwwwwwwwwwwww##ggg  ",
    "    #wwwwwwwwwwwwwwwwwwww#ggg   ",
    "    ##wwwwwwwwwwwwwwwwww##ggg   ",
    "     ##wwwwwwwwwwwwwwww##ggg    ",
    "      ##wwwwwwwwwwwwww##gggg    ",
    "       ###wwwwwwwwww###gggg     ",
    "        g####wwww####ggggg      ",
    "         gg########gggggg       ",
    "           gggggggggggg         ",
    "             gggggggg           ",
    "                                ",
    "                                ",
};
const char* const kErrorRows[] = {
    "                                ",
    "                                ",
    "           ########             ",
    "         ####rrrr####           ",
    "       ###rrrrrrrrrr###         ",
    "      ##rrrrrrrrrrrrrr##        ",
    "     ##rrrrrrrrrrrrrrrr##       ",
    "    ##rrrrrrrrrrrrrrrrrr##      ",
    "    #rrrrrrrrrrrrrrrrrrrr#g     ",
    "   ##rrrwwwrrrrrrrrrwwwrr##g    ",
    "   #rrrrrwwwrrrrrrrwwwrrrr#g    ",
    "  ##rrrrrrwwwrrrrrwwwrrrrr##g   ",
    "  ##rrrrrrrwwwrrrwwwrrrrrr##g   ",
    "  #rrrrrrrrrwwwrwwwrrrrrrrr#gg  ",
    "  #rrrrrrrrrrwwwwwrrrrrrrrr#gg  ",
    "  #rrrrrrrrrrrwwwrrrrrrrrrr#gg  ",
    "  #rrrrrrrrrrwwwwwrrrrrrrrr#gg  ",
    "  ##rrrrrrrrwwwrwwwrrrrrrr##gg  ",
    "  ##rrrrrrrwwwrrrwwwrrrrrr##gg  ",
    "   #rrrrrrwwwrrrrrwwwrrrrr#ggg  ",
    "   ##rrrrwwwrrrrrrrwwwrrr##ggg  ",
    "    #rrrrrrrrrrrrrrrrrrrr#ggg   ",
    "    ##rrrrrrrrrrrrrrrrrr##ggg   ",
    "     ##rrrrrrrrrrrrrrrr##ggg    ",
    "      ##rrrrrrrrrrrrrr##gggg    ",
    "       ###rrrrrrrrrr###gggg     ",
    "        g####rrrr####ggggg      ",
    "         gg########gggggg       ",
    "           gggggggggggg         ",
    "             gggggggg           ",
    "                                ",
    "                                ",
};
const char* const kWarningRows[] = {
    "                                ",
    "                                ",
    "                                ",
    "               ##               ",
    "               ##               ",
    "              ####              ",
    "              #yy#              ",
    "             ##yy##             ",
    "             #yyyy#             ",
    "            ##yyyy##            ",
    "            #yyyyyy#            ",
    "           ##yy##yy##           ",
    "           #yyy##yyy#           ",
    "          ##yyy##yyy##          ",
    "          #yyyy##yyyy#          ",
    "         ##yyyy##yyyy##         ",
    "         #yyyyy##yyyyy#         ",
    "        ##yyyyy##yyyyy##        ",
    "        #yyyyyyyyyyyyyy#        ",
    "       ##yyyyyy##yyyyyy##       ",
    "       #yyyyyyy##yyyyyyy#       ",
    "      ##yyyyyyyyyyyyyyyy##      ",
    "      #yyyyyyyyyyyyyyyyyy#      ",
    "     ##yyyyyyyyyyyyyyyyyy##     ",
    "     #yyyyyyyyyyyyyyyyyyyy#     ",
    "    ##yyyyyyyyyyyyyyyyyyyy##    ",
    "    #yyyyyyyyyyyyyyyyyyyyyy#    ",
    "   ##yyyyyyyyyyyyyyyyyyyyyy##   ",
    "   ##########################   ",
    "                                ",
    "                                ",
    "                                ",
};
const char* const kApplicationRows[] = {
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "  ############################  ",
    "  #nnnnnnnnnnnnnnnnnnnnnlllln#  ",
    "  #nnnnnnnnnnnnnnnnnnnnnlllln#  ",
    "  #nnnnnnnnnnnnnnnnnnnnnlllln#  ",
    "  #nnnnnnnnnnnnnnnnnnnnnnnnnn#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  #wwwwwwwwwwwwwwwwwwwwwwwwww#  ",
    "  ############################  ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
};

const TextPicture kApplication{"#32512", kPalette, kApplicationRows, 32};
const TextPicture kError{"#32513", kPalette, kErrorRows, 32};
const TextPicture kQuestion{"#32514", kPalette, kQuestionRows, 32};
const TextPicture kWarning{"#32515", kPalette, kWarningRows, 32};
const TextPicture kInformation{"#32516", kPalette, kInformationRows, 32};

}  // namespace

const TextPicture* SystemIconPicture(LPCSTR name) {
    if (!name || !IS_INTRESOURCE(name)) return nullptr;
    switch (reinterpret_cast<UINT_PTR>(name)) {
    case 32512: return &kApplication;
    case 32513: return &kError;
    case 32514: return &kQuestion;
    case 32515: return &kWarning;
    case 32516: return &kInformation;
    case 32517: return &kApplication;
    default: return nullptr;
    }
}

}  // namespace win32::gdi
