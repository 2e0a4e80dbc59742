// SPI_GETNONCLIENTMETRICS: the frame sizes and fonts of a classic Japanese
// desktop, in the 340-byte structure (without the padded border width of
// later systems).
#include <cstring>

#include "platform/user/window_manager.h"

namespace win32::user {
namespace {

LOGFONTA JapaneseUiFont(LONG weight) {
    LOGFONTA lf{};
    lf.lfHeight = -12;  // 9 points at 96 dpi
    lf.lfWeight = weight;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const char* face = "ＭＳ Ｐゴシック";
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

}  // namespace

BOOL GetNonClientMetrics(UINT size, void* out) {
    auto* m = static_cast<NONCLIENTMETRICSA*>(out);
    if (!m || m->cbSize != sizeof(NONCLIENTMETRICSA) || (size != 0 && size != sizeof(NONCLIENTMETRICSA))) return FALSE;
    m->iBorderWidth = 1;
    m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
    m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
    m->lfCaptionFont = JapaneseUiFont(FW_BOLD);
    m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
    m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
    m->lfSmCaptionFont = JapaneseUiFont(FW_NORMAL);
    m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
    m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
    m->lfMenuFont = JapaneseUiFont(FW_NORMAL);
    m->lfStatusFont = JapaneseUiFont(FW_NORMAL);
    m->lfMessageFont = JapaneseUiFont(FW_NORMAL);
    return TRUE;
}

BOOL GetIconTitleFont(UINT size, void* out) {
    if (!out || (size != 0 && size != sizeof(LOGFONTA))) return FALSE;
    *static_cast<LOGFONTA*>(out) = JapaneseUiFont(FW_NORMAL);
    return TRUE;
}

}  // namespace win32::user
