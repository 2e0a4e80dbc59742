// Internals of ChooseFontA shared by the font_dialog*.cpp files: the faces
// the font system offers, the styles and sizes, and what one running
// dialog has chosen.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/comdlg_internal.h"

namespace win32::comdlg {

struct FaceInfo {
    std::string name;
    std::vector<BYTE> charSets;
    std::vector<std::string> scripts;  // the character sets' names, in the same order
    BYTE pitchAndFamily = 0;
};

// The faces to offer, sorted, filtered by the dialog's flags.
std::vector<FaceInfo> EnumerateFaces(DWORD flags);

// "標準", "斜体", "太字", "太字 斜体": bold in bit 1, italic in bit 0.
const char* StyleName(int style);
int StyleOf(const LOGFONTA& lf);
// The point sizes the size list offers, within the limits when there are any.
std::vector<int> SizeList(DWORD flags, int minPoints, int maxPoints);

// The 16 colours of the effects' colour list and their names.
struct NamedColor {
    COLORREF color;
    const char* name;
};
const std::vector<NamedColor>& EffectColors();

struct FontState {
    CHOOSEFONTA* cf = nullptr;
    std::vector<FaceInfo> faces;
    int face = -1;  // into faces
    int style = 0;
    int tenths = 100;  // the size in tenths of a point
    bool strikeOut = false;
    bool underline = false;
    COLORREF color = 0;
    BYTE charSet = DEFAULT_CHARSET;
    bool filling = false;  // the lists are being filled by the dialog
};

// The LOGFONTA the dialog's choice stands for (height for the screen).
LOGFONTA ChosenLogFont(const FontState& s);

// Filling and reading the controls (font_dialog_lists.cpp).
void FillFaces(HWND dialog, FontState& s);
void FillStyles(HWND dialog, FontState& s);
void FillSizes(HWND dialog, FontState& s);
void FillCharSets(HWND dialog, FontState& s);
void FillColors(HWND dialog, FontState& s);
void UpdateSample(HWND dialog, FontState& s);
int FindFace(const FontState& s, const std::string& name);
// The effects' colour list draws a swatch beside each name.
void DrawColorItem(const DRAWITEMSTRUCT& di);

}  // namespace win32::comdlg
