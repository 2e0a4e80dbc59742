// The font dialog's lists: the faces the font system offers with their
// character sets, the four styles, the point sizes, the effects' colours,
// and the sample drawn in the choice.
#include <algorithm>
#include <cstring>

#include "platform/comdlg/font_dialog.h"
#include "platform/comdlg/font_sample.h"

namespace win32::comdlg {

namespace {

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    auto& faces = *reinterpret_cast<std::vector<FaceInfo>*>(lParam);
    const auto* elf = reinterpret_cast<const ENUMLOGFONTEXA*>(lf);
    std::string name = lf->lfFaceName;
    auto it = std::find_if(faces.begin(), faces.end(), [&](const FaceInfo& f) { return f.name == name; });
    if (it == faces.end()) {
        faces.push_back(FaceInfo{name, {}, {}, lf->lfPitchAndFamily});
        it = faces.end() - 1;
    }
    if (std::find(it->charSets.begin(), it->charSets.end(), lf->lfCharSet) == it->charSets.end()) {
        it->charSets.push_back(lf->lfCharSet);
        it->scripts.push_back(reinterpret_cast<const char*>(elf->elfScript));
    }
    return 1;
}

void AddString(HWND combo, const std::string& text, LPARAM data) {
    LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
}

// Selects the item whose data is `data`; the edit of a simple combo box
// shows its text.
void SelectByData(HWND combo, LPARAM data) {
    LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        if (SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

std::string PointsText(int tenths) {
    if (tenths % 10 == 0) return std::to_string(tenths / 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace

std::vector<FaceInfo> EnumerateFaces(DWORD flags) {
    std::vector<FaceInfo> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTA filter{};
    filter.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &filter, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    faces.erase(std::remove_if(faces.begin(), faces.end(),
                               [&](const FaceInfo& f) {
                                   if ((flags & CF_FIXEDPITCHONLY) && (f.pitchAndFamily & 0x3) != FIXED_PITCH) return true;
                                   if ((flags & CF_NOVERTFONTS) && !f.name.empty() && f.name[0] == '@') return true;
                                   if ((flags & CF_SCRIPTSONLY) &&
                                       std::find(f.charSets.begin(), f.charSets.end(), ANSI_CHARSET) == f.charSets.end())
                                       return true;
                                   return false;
                               }),
                faces.end());
    std::sort(faces.begin(), faces.end(), [](const FaceInfo& a, const FaceInfo& b) { return a.name < b.name; });
    return faces;
}

const char* StyleName(int style) {
    static const char* const kNames[] = {"標準", "斜体", "太字", "太字 斜体"};
    return kNames[style & 3];
}

int StyleOf(const LOGFONTA& lf) { return (lf.lfWeight >= FW_SEMIBOLD ? 2 : 0) | (lf.lfItalic ? 1 : 0); }

std::vector<int> SizeList(DWORD flags, int minPoints, int maxPoints) {
    static const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    std::vector<int> out;
    for (int size : kSizes) {
        if ((flags & CF_LIMITSIZE) && ((minPoints && size < minPoints) || (maxPoints && size > maxPoints))) continue;
        out.push_back(size);
    }
    return out;
}

const std::vector<NamedColor>& EffectColors() {
    static const std::vector<NamedColor> kColors = {
        {RGB(0, 0, 0), "黒"},           {RGB(128, 0, 0), "マルーン"},   {RGB(0, 128, 0), "緑"},
        {RGB(128, 128, 0), "オリーブ"}, {RGB(0, 0, 128), "ネイビー"},   {RGB(128, 0, 128), "紫"},
        {RGB(0, 128, 128), "ティール"}, {RGB(128, 128, 128), "灰色"},   {RGB(192, 192, 192), "シルバー"},
        {RGB(255, 0, 0), "赤"},         {RGB(0, 255, 0), "ライム"},     {RGB(255, 255, 0), "黄"},
        {RGB(0, 0, 255), "青"},         {RGB(255, 0, 255), "フクシア"}, {RGB(0, 255, 255), "水色"},
        {RGB(255, 255, 255), "白"},
    };
    return kColors;
}

LOGFONTA ChosenLogFont(const FontState& s) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(s.tenths, 96, 720);
    lf.lfWeight = (s.style & 2) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (s.style & 1) ? 1 : 0;
    lf.lfUnderline = s.underline ? 1 : 0;
    lf.lfStrikeOut = s.strikeOut ? 1 : 0;
    lf.lfCharSet = s.charSet;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    if (s.face >= 0) {
        const FaceInfo& f = s.faces[static_cast<std::size_t>(s.face)];
        lf.lfPitchAndFamily = f.pitchAndFamily;
        std::strncpy(lf.lfFaceName, f.name.c_str(), LF_FACESIZE - 1);
    }
    return lf;
}

int FindFace(const FontState& s, const std::string& name) {
    for (std::size_t i = 0; i < s.faces.size(); ++i) {
        if (s.faces[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

void FillFaces(HWND dialog, FontState& s) {
    HWND combo = GetDlgItem(dialog, cmb1);
    s.filling = true;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < s.faces.size(); ++i) AddString(combo, s.faces[i].name, static_cast<LPARAM>(i));
    SelectByData(combo, s.face);
    s.filling = false;
}

void FillStyles(HWND dialog, FontState& s) {
    HWND combo = GetDlgItem(dialog, cmb2);
    s.filling = true;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int style = 0; style < 4; ++style) AddString(combo, StyleName(style), style);
    SelectByData(combo, s.style);
    s.filling = false;
}

void FillSizes(HWND dialog, FontState& s) {
    HWND combo = GetDlgItem(dialog, cmb3);
    const CHOOSEFONTA& cf = *s.cf;
    s.filling = true;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int size : SizeList(cf.Flags, cf.nSizeMin, cf.nSizeMax)) AddString(combo, std::to_string(size), size * 10);
    SelectByData(combo, s.tenths);
    if (SendMessageA(combo, CB_GETCURSEL, 0, 0) < 0) SetWindowTextA(combo, PointsText(s.tenths).c_str());
    s.filling = false;
}

void FillCharSets(HWND dialog, FontState& s) {
    HWND combo = GetDlgItem(dialog, cmb5);
    if (!combo) return;
    s.filling = true;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (s.face >= 0) {
        const FaceInfo& f = s.faces[static_cast<std::size_t>(s.face)];
        for (std::size_t i = 0; i < f.charSets.size(); ++i) AddString(combo, f.scripts[i], f.charSets[i]);
        if (std::find(f.charSets.begin(), f.charSets.end(), s.charSet) == f.charSets.end() && !f.charSets.empty())
            s.charSet = f.charSets.front();
    }
    SelectByData(combo, s.charSet);
    s.filling = false;
}

void FillColors(HWND dialog, FontState& s) {
    HWND combo = GetDlgItem(dialog, cmb4);
    if (!combo) return;
    s.filling = true;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const NamedColor& c : EffectColors()) AddString(combo, c.name, static_cast<LPARAM>(c.color));
    SelectByData(combo, static_cast<LPARAM>(s.color));
    s.filling = false;
}

void DrawColorItem(const DRAWITEMSTRUCT& di) {
    HDC dc = di.hDC;
    RECT r = di.rcItem;
    const bool selected = (di.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (di.itemID == static_cast<UINT>(-1)) return;
    RECT swatch{r.left + 2, r.top + 2, r.left + 26, r.bottom - 2};
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&swatch, -1, -1);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(di.itemData));
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
    char text[64] = {};
    SendMessageA(di.hwndItem, CB_GETLBTEXT, di.itemID, reinterpret_cast<LPARAM>(text));
    RECT textRect{r.left + 30, r.top, r.right, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (di.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void UpdateSample(HWND dialog, FontState& s) {
    HWND sample = GetDlgItem(dialog, stc5);
    if (!sample) return;
    LOGFONTA lf = ChosenLogFont(s);
    SendMessageA(sample, FSM_SETFONT, 0, reinterpret_cast<LPARAM>(&lf));
    SendMessageA(sample, FSM_SETCOLOR, static_cast<WPARAM>(s.color), 0);
}

}  // namespace win32::comdlg
