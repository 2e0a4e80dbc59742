#include "classlib/hintwindow.h"

#include "classlib/screen.h"

namespace classlib {

using namespace win32;

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    SetParentFont(false);
    Font()->Assign(Screen->HintFont());
    SetVisibleFlag(false);
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.WndParent = nullptr;
    p.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    TRect r = Rect(0, 0, maxWidth, 0);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    r.right += 6;
    r.bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect r, const std::string& text) {
    SetText(text);
    SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, RectWidth(r), RectHeight(r),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    Update();
}

bool THintWindow::IsHintShowing() { return HandleAllocated() && IsWindowVisible(Handle()); }

void THintWindow::Paint() {
    TRect r = ClientRect();
    r.left += 2;
    r.top += 2;
    Canvas()->Font()->Assign(Font());
    Canvas()->Font()->SetColor(clInfoText);
    Canvas()->Brush()->SetStyle(bsClear);
    std::string text = Text();
    DrawTextA(Canvas()->PrepareText(), text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::Dispatch(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::Dispatch(m);
}

}  // namespace classlib
