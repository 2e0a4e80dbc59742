// The system colour indices GDI's own painting uses (DrawEdge, frame
// controls, focus rectangles), by their COLOR_ numbers.
#pragma once

namespace win32::gdi {

constexpr int kColorMenu = 4;
constexpr int kColorWindow = 5;
constexpr int kColorWindowFrame = 6;
constexpr int kColorMenuText = 7;
constexpr int kColorWindowText = 8;
constexpr int kColorActiveCaption = 2;
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;
constexpr int kColorBtnFace = 15;
constexpr int kColorBtnShadow = 16;
constexpr int kColorGrayText = 17;
constexpr int kColorBtnText = 18;
constexpr int kColorBtnHighlight = 20;
constexpr int kColor3dDkShadow = 21;
constexpr int kColor3dLight = 22;

}  // namespace win32::gdi
