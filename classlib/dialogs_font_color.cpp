// The font and colour dialogs: the component's font or colour goes in,
// and what the user confirmed comes back.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "classlib/dialogs.h"

namespace classlib {

using namespace win32;

// ---- TFontDialog ------------------------------------------------------------------

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* font) {
    if (font) font_->Assign(font);
}

LOGFONTA TFontDialog::ToLogFont(const TFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Style().Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = font.Style().Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = font.Style().Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font.Charset();
    lf.lfPitchAndFamily = font.Pitch() == fpFixed ? FIXED_PITCH : font.Pitch() == fpVariable ? VARIABLE_PITCH : 0;
    std::strncpy(lf.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
    return lf;
}

void TFontDialog::FromLogFont(const LOGFONTA& lf, TFont& font) {
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    font.SetName(face);
    font.SetHeight(lf.lfHeight);
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style += fsBold;
    if (lf.lfItalic) style += fsItalic;
    if (lf.lfUnderline) style += fsUnderline;
    if (lf.lfStrikeOut) style += fsStrikeOut;
    font.SetStyle(style);
    font.SetCharset(lf.lfCharSet);
    BYTE pitch = lf.lfPitchAndFamily & 0x03;
    font.SetPitch(pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault);
}

bool TFontDialog::Execute() {
    LOGFONTA lf = ToLogFont(*font_);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = OwnerWindow();
    cf.lpLogFont = &lf;
    cf.rgbColors = ColorToRGB(font_->Color());
    cf.Flags = CF_INITTOLOGFONTSTRUCT;
    cf.Flags |= device_ == fdScreen ? CF_SCREENFONTS : device_ == fdPrinter ? CF_PRINTERFONTS : CF_BOTH;
    struct Pair {
        TFontDialogOption option;
        DWORD flag;
    };
    static const Pair pairs[] = {
        {fdAnsiOnly, CF_ANSIONLY},         {fdTrueTypeOnly, CF_TTONLY},       {fdEffects, CF_EFFECTS},
        {fdFixedPitchOnly, CF_FIXEDPITCHONLY}, {fdForceFontExist, CF_FORCEFONTEXIST}, {fdNoFaceSel, CF_NOFACESEL},
        {fdNoOEMFonts, CF_NOOEMFONTS},     {fdNoSimulations, CF_NOSIMULATIONS}, {fdNoSizeSel, CF_NOSIZESEL},
        {fdNoStyleSel, CF_NOSTYLESEL},     {fdNoVectorFonts, CF_NOVECTORFONTS}, {fdShowHelp, CF_SHOWHELP},
        {fdWysiwyg, CF_WYSIWYG},           {fdScalableOnly, CF_SCALABLEONLY}, {fdApplyButton, CF_APPLY},
    };
    for (const Pair& p : pairs) {
        if (options_.Contains(p.option)) cf.Flags |= p.flag;
    }
    if (options_.Contains(fdLimitSize) || minFontSize_ > 0 || maxFontSize_ > 0) {
        cf.Flags |= CF_LIMITSIZE;
        cf.nSizeMin = minFontSize_;
        cf.nSizeMax = maxFontSize_;
    }
    if (!ChooseFontA(&cf)) return false;
    FromLogFont(lf, *font_);
    if (cf.Flags & CF_EFFECTS) font_->SetColor(cf.rgbColors);
    return true;
}

// ---- TColorDialog -----------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), customColors_(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) {
        std::string name = std::string("Color") + static_cast<char>('A' + i);
        std::string value = customColors_->Values(name);
        char* end = nullptr;
        unsigned long v = value.empty() ? 0xFFFFFF : std::strtoul(value.c_str(), &end, 16);
        custom[i] = (value.empty() || (end && *end)) ? 0xFFFFFF : static_cast<COLORREF>(v & 0xFFFFFF);
    }
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow();
    cc.rgbResult = ColorToRGB(color_);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (options_.Contains(cdFullOpen)) cc.Flags |= CC_FULLOPEN;
    if (options_.Contains(cdPreventFullOpen)) cc.Flags |= CC_PREVENTFULLOPEN;
    if (options_.Contains(cdShowHelp)) cc.Flags |= CC_SHOWHELP;
    if (options_.Contains(cdSolidColor)) cc.Flags |= CC_SOLIDCOLOR;
    if (options_.Contains(cdAnyColor)) cc.Flags |= CC_ANYCOLOR;
    bool ok = ChooseColorA(&cc) != FALSE;
    // Custom colours the user defined are kept even when he cancels.
    for (int i = 0; i < 16; ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(custom[i] & 0xFFFFFF));
        customColors_->SetValues(std::string("Color") + static_cast<char>('A' + i), hex);
    }
    if (ok) color_ = cc.rgbResult;
    return ok;
}

}  // namespace classlib
