#include "classlib/wincontrol.h"

#include <algorithm>
#include <cstring>

#include "classlib/application.h"
#include "classlib/consts.h"
#include "classlib/forms.h"
#include "classlib/graphiccontrol.h"
#include "classlib/menus.h"
#include "classlib/screen.h"

namespace classlib {

using namespace win32;

namespace {

constexpr const char* kControlProp = "classlib.TWinControl";

// The head every WM_NOTIFY structure starts with.
struct NotifyHeader {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

// The control whose window is being created: its first messages arrive
// before CreateWindowExA returns the handle.
TWinControl* gCreationControl = nullptr;
TControl* gCaptureControl = nullptr;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

}  // namespace

TControl* GetCaptureControl() {
    HWND capture = GetCapture();
    if (capture == nullptr) {
        gCaptureControl = nullptr;
        return nullptr;
    }
    if (gCaptureControl != nullptr) return gCaptureControl;
    return TWinControl::FindControl(capture);
}

void SetCaptureControl(TControl* control) {
    ReleaseCapture();
    gCaptureControl = nullptr;
    if (control == nullptr) return;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        SetCapture(win->Handle());
        return;
    }
    if (control->Parent() == nullptr) return;
    gCaptureControl = control;
    SetCapture(control->Parent()->Handle());
}

TControl* FindVCLWindow(TPoint pos) {
    HWND hwnd = WindowFromPoint(pos);
    while (hwnd != nullptr) {
        if (TWinControl* c = TWinControl::FindControl(hwnd)) return c;
        hwnd = GetParent(hwnd);
    }
    return nullptr;
}

TControl* FindDragTarget(TPoint pos, bool allowDisabled) {
    HWND hwnd = WindowFromPoint(pos);
    TWinControl* win = nullptr;
    while (hwnd != nullptr && (win = TWinControl::FindControl(hwnd)) == nullptr) hwnd = GetParent(hwnd);
    if (win == nullptr) return nullptr;
    TPoint client = win->ScreenToClient(pos);
    if (TControl* child = win->ControlAtPos(client, allowDisabled)) return child;
    return win;
}

// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
    brush_->SetColor(Color());
    defWndProc_ = DefWindowProcA;
}

TWinControl::~TWinControl() {
    Destroying();
    DestroyComponents();
    if (handle_ != nullptr) DestroyWindowHandle();
    // Leave the parent while still a windowed control, so no list of the
    // parent keeps this object past its windowed part.
    if (parent_ != nullptr) parent_->RemoveControl(this);
    // Child controls die with their parent, whoever owns them; each leaves
    // its owner's list as it goes.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        delete child;
    }
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) RaiseListIndexError(index);
    return controls_[static_cast<std::size_t>(index)];
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    return static_cast<TWinControl*>(GetPropA(hwnd, kControlProp));
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(win);
        if (HandleAllocated() && win->HandleAllocated()) {
            ::win32::SetParent(win->handle_, handle_);
        }
    }
    if (!control->ComponentState().Contains(csLoading)) {
        control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
        control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->UpdateControlState();
    AlignControl(control);
    control->Invalidate();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(win, true);
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
        if (win->HandleAllocated() && !ComponentState().Contains(csDestroying)) win->DestroyHandle();
    } else {
        control->InvalidateControl(control->Visible(), false);
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    control->parent_ = nullptr;
    if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* control) {
    while (control != nullptr && control != this) control = control->Parent();
    return control == this;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() && !c->ComponentState().Contains(csDesigning)) continue;
        if (!c->Enabled() && !allowDisabled) continue;
        TPoint local{pos.x - c->Left(), pos.y - c->Top()};
        if (PtInRect(c->ClientRect(), local) || PtInRect(Rect(0, 0, c->Width(), c->Height()), local)) {
            if (c->Perform(CM_HITTEST, 0, MAKELPARAM(static_cast<WORD>(local.x), static_cast<WORD>(local.y))) != 0) {
                return c;
            }
        }
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->WndProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

// Alignment

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (--alignLevel_ == 0 && ControlState().Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    if (alignLevel_ != 0) {
        SetControlState(ControlState() + csAlignmentNeeded);
        return;
    }
    DisableAlign();
    try {
        TRect r = ClientRect();
        AlignControls(control, r);
    } catch (...) {
        SetControlState(ControlState() - csAlignmentNeeded);
        EnableAlign();
        throw;
    }
    SetControlState(ControlState() - csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* control, TRect& r) {
    AdjustClientRect(r);
    auto insertBefore = [](TControl* c1, TControl* c2, TAlign align) {
        switch (align) {
            case alTop: return c1->Top() < c2->Top();
            case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
            case alLeft: return c1->Left() < c2->Left();
            case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
            default: return false;
        }
    };
    auto position = [&r](TControl* c, TAlign align) {
        int newWidth = r.right - r.left;
        if (newWidth < 0 || align == alLeft || align == alRight) newWidth = c->Width();
        int newHeight = r.bottom - r.top;
        if (newHeight < 0 || align == alTop || align == alBottom) newHeight = c->Height();
        int newLeft = r.left, newTop = r.top;
        switch (align) {
            case alTop: r.top += newHeight; break;
            case alBottom:
                r.bottom -= newHeight;
                newTop = r.bottom;
                break;
            case alLeft: r.left += newWidth; break;
            case alRight:
                r.right -= newWidth;
                newLeft = r.right;
                break;
            default: break;
        }
        c->SetBounds(newLeft, newTop, newWidth, newHeight);
        // A control that refused the size gives the difference back.
        switch (align) {
            case alTop: r.top -= newHeight - c->Height(); break;
            case alBottom: r.bottom += newHeight - c->Height(); break;
            case alLeft: r.left -= newWidth - c->Width(); break;
            case alRight: r.right += newWidth - c->Width(); break;
            case alClient:
                r.right -= newWidth - c->Width();
                r.bottom -= newHeight - c->Height();
                break;
            default: break;
        }
    };
    bool designing = ComponentState().Contains(csDesigning);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (control != nullptr && control->Align() == align && (control->Visible() || designing)) {
            list.push_back(control);
        }
        for (TControl* c : controls_) {
            if (c == control || c->Align() != align || !(c->Visible() || designing)) continue;
            std::size_t j = 0;
            while (j < list.size() && !insertBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) position(c, align);
    }
}

// Window creation

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_ != nullptr) return;
    if (parent_ != nullptr) parent_->HandleNeeded();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND parent) {
    if (parent_ != nullptr || parent == parentWindow_) return;
    if (handle_ != nullptr && parent != nullptr) {
        ::win32::SetParent(handle_, parent);
    } else if (handle_ != nullptr) {
        DestroyHandle();
    }
    parentWindow_ = parent;
    UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = textValue_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls)) {
        p.Style |= WS_CLIPCHILDREN;
        p.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WndParent = parent_ != nullptr ? parent_->Handle() : parentWindow_;
    p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    p.WindowClass.lpfnWndProc = DefWindowProcA;
    p.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    p.WindowClass.hbrBackground = nullptr;
    p.WindowClass.hInstance = Instance();
    p.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& p, const char* controlClassName) {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, controlClassName, &wc) || GetClassInfoA(Instance(), controlClassName, &wc)) {
        // Keep the platform class's look; only our procedure goes in front.
        p.WindowClass = wc;
        p.WindowClass.hInstance = Instance();
    }
}

void TWinControl::CreateHandle() {
    if (handle_ != nullptr) return;
    CreateWnd();
    if (handle_ == nullptr) return;
    if (parent_ != nullptr) {
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (TWinControl* child : tabList_) {
        if (child->HandleAllocated()) ::win32::SetParent(child->handle_, handle_);
    }
    Realign();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (p.WndParent == nullptr && (p.Style & WS_CHILD) != 0 && parent_ == nullptr && parentWindow_ == nullptr) {
        throw EInvalidOperation(FormatResource(SParentRequired, {Name()}));
    }
    defWndProc_ = p.WindowClass.lpfnWndProc != nullptr ? p.WindowClass.lpfnWndProc : DefWindowProcA;
    WNDCLASSA registered{};
    bool known = GetClassInfoA(p.WindowClass.hInstance, p.WinClassName.c_str(), &registered) &&
                 registered.lpfnWndProc == &TWinControl::StdWndProc;
    if (!known) {
        WNDCLASSA wc = p.WindowClass;
        wc.lpfnWndProc = &TWinControl::StdWndProc;
        wc.lpszClassName = p.WinClassName.c_str();
        UnregisterClassA(p.WinClassName.c_str(), wc.hInstance);
        if (RegisterClassA(&wc) == 0) throw EOutOfResources(SWindowClass);
    }
    CreateWindowHandle(p);
    if (handle_ == nullptr) throw EOutOfResources(SWindowCreate);
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    InitializeWindow();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    TWinControl* previous = gCreationControl;
    gCreationControl = this;
    // A child of one of our windows gets an id of its own among its
    // siblings: owner-drawn lists and combo boxes are found by it when they
    // ask for their items' heights (WM_MEASUREITEM names no window).
    HMENU id = nullptr;
    if ((p.Style & WS_CHILD) != 0 && parent_ != nullptr) {
        parent_->lastChildId_ = parent_->lastChildId_ % 0xFFFF + 1;
        id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(parent_->lastChildId_));
    }
    HWND hwnd = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                p.Height, p.WndParent, id, p.WindowClass.hInstance, p.Param);
    gCreationControl = previous;
    if (hwnd != nullptr && handle_ == nullptr) {
        // The window sent nothing during creation; bind it now.
        handle_ = hwnd;
        SetPropA(hwnd, kControlProp, this);
    }
}

void TWinControl::DestroyHandle() {
    if (handle_ == nullptr) return;
    for (TWinControl* child : tabList_) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    // Keep the window's text so a recreated window shows the same.
    if (handle_ != nullptr) textValue_ = Text();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    SetControlState(ControlState() + csDestroyingHandle);
    HWND hwnd = handle_;
    if (hwnd != nullptr) DestroyWindow(hwnd);
    if (handle_ != nullptr) {
        RemovePropA(handle_, kControlProp);
        handle_ = nullptr;
    }
    showing_ = false;
    SetControlState(ControlState() - csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
    if (handle_ != nullptr) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    bool wasFocused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (wasFocused && handle_ != nullptr) ::win32::SetFocus(handle_);
}

// Showing

bool TWinControl::Showing() { return showing_; }

void TWinControl::UpdateShowing() {
    bool show = (Visible() || ComponentState().Contains(csDesigning)) && !ComponentState().Contains(csDestroying);
    if (show) {
        if (handle_ == nullptr) CreateHandle();
        for (TWinControl* child : std::vector<TWinControl*>(tabList_)) child->UpdateShowing();
    }
    if (handle_ != nullptr && showing_ != show) {
        showing_ = show;
        try {
            Perform(CM_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            showing_ = !show;
            throw;
        }
    }
}

void TWinControl::UpdateControlState() {
    // Only a control whose chain reaches a shown top-level window shows.
    TWinControl* c = this;
    while (c->parent_ != nullptr) {
        c = c->parent_;
        if (!c->Showing()) return;
    }
    if (dynamic_cast<TCustomForm*>(c) != nullptr || c->parentWindow_ != nullptr || c != this) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    static constexpr UINT kShow = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    static constexpr UINT kHide = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0, showing_ ? kShow : kHide);
}

void TWinControl::SetVisible(bool visible) {
    if (visible == Visible()) return;
    TControl::SetVisible(visible);
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (!Visible() && parent_ != nullptr) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    }
    UpdateControlState();
}

void TWinControl::SetEnabled(bool enabled) { TControl::SetEnabled(enabled); }

void TWinControl::CMEnabledChanged(TMessage&) {
    if (!Enabled() && parent_ != nullptr) {
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    }
    if (handle_ != nullptr) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
    Invalidate();
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_ == nullptr && parent != nullptr && parentWindow_ != nullptr) parentWindow_ = nullptr;
    TControl::SetParent(parent);
}

// Geometry

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (handle_ != nullptr && !IsIconic(handle_)) {
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // The window reported its place; keep what was asked where it did not.
        if (Left() != left || Top() != top || Width() != width || Height() != height) UpdateBounds();
    } else {
        SetBoundsValues(left, top, std::max(width, 0), std::max(height, 0));
        Realign();
    }
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (handle_ == nullptr) return;
    RECT r{};
    GetWindowRect(handle_, &r);
    HWND parentHwnd = GetParent(handle_);
    if ((GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) != 0 && parentHwnd != nullptr) {
        MapWindowPoints(nullptr, parentHwnd, reinterpret_cast<POINT*>(&r), 2);
    }
    SetBoundsValues(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TRect TWinControl::ClientRect() {
    if (handle_ == nullptr) return TControl::ClientRect();
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
}

TPoint TWinControl::ClientOrigin() {
    if (handle_ == nullptr) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::win32::ClientToScreen(handle_, &p);
    return p;
}

void TWinControl::WMSize(TMessage& m) {
    UpdateBounds();
    DefaultHandler(m);
    Realign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& m) {
    UpdateBounds();
    DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    // Size and move arrive as WM_SIZE and WM_MOVE from the default handling.
    DefaultHandler(m);
    UpdateBounds();
}

// Text

std::string TWinControl::Text() {
    if (handle_ == nullptr) return textValue_;
    int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

void TWinControl::SetText(const std::string& text) {
    if (Text() == text) return;
    textValue_ = text;
    if (handle_ != nullptr) SetWindowTextA(handle_, text.c_str());
    Perform(CM_TEXTCHANGED, 0, 0);
}

// Painting

void TWinControl::Invalidate() {
    if (handle_ != nullptr) InvalidateRect(handle_, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (handle_ != nullptr) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto start = controls_.begin();
    if (first != nullptr) {
        auto it = std::find(controls_.begin(), controls_.end(), first);
        if (it != controls_.end()) start = it;
    }
    for (auto it = start; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) != nullptr) continue;
        if (!c->Visible() && !c->ComponentState().Contains(csDesigning)) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        int saved = SaveDC(dc);
        POINT old{};
        GetViewportOrgEx(dc, &old);
        SetViewportOrgEx(dc, old.x + c->Left(), old.y + c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    if (dc == nullptr) dc = BeginPaint(handle_, &ps);
    try {
        // The window's own painting must not draw over windowless children
        // that paint themselves completely.
        int saved = SaveDC(dc);
        for (TControl* c : controls_) {
            if (dynamic_cast<TWinControl*>(c) == nullptr && c->Visible() && c->ControlStyle().Contains(csOpaque)) {
                ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
            }
        }
        PaintWindow(dc);
        RestoreDC(dc, saved);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (m.WParam == 0) EndPaint(handle_, &ps);
        throw;
    }
    if (m.WParam == 0) EndPaint(handle_, &ps);
}

void TWinControl::WMPaint(TMessage& m) { PaintHandler(m); }

void TWinControl::WMEraseBkgnd(TMessage& m) {
    RECT r = ClientRect();
    brush_->SetColor(Color());
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_->Handle());
    m.Result = 1;
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    int saved = SaveDC(dc);
    POINT old{};
    GetViewportOrgEx(dc, &old);
    SetViewportOrgEx(dc, old.x + x, old.y + y, nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    SendMessageA(Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TWinControl* child : tabList_) {
        if (child->Visible()) child->PaintTo(dc, child->Left(), child->Top());
    }
    RestoreDC(dc, saved);
}

void TWinControl::CMColorChanged(TMessage& m) {
    brush_->SetColor(Color());
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(m);
}

void TWinControl::CMFontChanged(TMessage& m) {
    if (handle_ != nullptr) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(m);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMSysColorChange(TMessage& m) {
    // Brushes of system colours hold the old scheme's values.
    brush_->Refresh();
    Invalidate();
    Broadcast(m);
    m.Result = 0;
}

void TWinControl::CMInvalidate(TMessage&) { Invalidate(); }

// Focus and tab order

bool TWinControl::Focused() { return handle_ != nullptr && GetFocus() == handle_; }

bool TWinControl::CanFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr) return false;
    for (TControl* c = this; c != form; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return form->Visible() && form->Enabled();
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (handle_ != nullptr) {
        ::win32::SetFocus(handle_);
    }
}

int TWinControl::TabOrder() {
    if (parent_ == nullptr) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (parent_ == nullptr) return;
    auto& list = parent_->tabList_;
    int cur = TabOrder();
    if (cur < 0) return;
    order = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
    list.erase(list.begin() + cur);
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == tabStop_) return;
    tabStop_ = tabStop;
    if (handle_ != nullptr) {
        LONG style = GetWindowLongA(handle_, GWL_STYLE);
        SetWindowLongA(handle_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(TList<TWinControl>& list) {
    for (TWinControl* c : tabList_) {
        list.Add(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    TList<TWinControl> list;
    GetTabOrderList(list);
    if (list.Count() == 0) return nullptr;
    int start = list.IndexOf(current);
    if (start < 0) start = goForward ? list.Count() - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % list.Count() : (i + list.Count() - 1) % list.Count();
        TWinControl* c = list[i];
        if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) &&
            (!checkParent || c->Parent() == this)) {
            return c;
        }
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::WMSetFocus(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::CMFocusChanged(TMessage& m) { Broadcast(m); }

// Keyboard

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
    if (!ControlStyle().Contains(csNoStdEvents)) {
        WORD key = static_cast<WORD>(m.WParam);
        KeyDown(key, KeyDataToShiftState(m.LParam));
        m.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
    if (!ControlStyle().Contains(csNoStdEvents)) {
        WORD key = static_cast<WORD>(m.WParam);
        KeyUp(key, KeyDataToShiftState(m.LParam));
        m.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
    if (!ControlStyle().Contains(csNoStdEvents)) {
        char32_t key = static_cast<char32_t>(m.WParam);
        KeyPress(key);
        m.WParam = key;
        if (key == 0) return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TMessage& m) {
    if (!DoKeyDown(m)) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
    if (!DoKeyUp(m)) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
    if (!DoKeyPress(m)) DefaultHandler(m);
}

bool TWinControl::IsMenuKey(TMessage& m) {
    TWinControl* c = this;
    while (c != nullptr) {
        if (c->PopupMenu() != nullptr && c->PopupMenu()->IsShortCut(m)) return true;
        c = c->Parent();
    }
    TCustomForm* form = GetParentForm(this);
    return form != nullptr && form->IsShortCut(m);
}

void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    if (IsMenuKey(m)) return;
    if (!ComponentState().Contains(csDesigning)) {
        if (Perform(CM_CHILDKEY, m.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
        LRESULT mask = 0;
        switch (m.WParam) {
            case VK_TAB: mask = DLGC_WANTTAB; break;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN: mask = DLGC_WANTARROWS; break;
            case VK_RETURN:
            case VK_ESCAPE:
            case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
            default: break;
        }
        TCustomForm* form = GetParentForm(this);
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 &&
            form != nullptr && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
            return;
        }
    }
    m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
    m.Result = 0;
    if (ComponentState().Contains(csDesigning)) return;
    TCustomForm* form = GetParentForm(this);
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 && form != nullptr &&
        form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
        m.Result = 1;
    }
}

void TWinControl::CNSysChar(TMessage& m) {
    m.Result = 0;
    if (ComponentState().Contains(csDesigning)) return;
    // Alt+letter: the form's controls may claim it as their accelerator
    // before it opens the menu.
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
}

void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }

void TWinControl::WMSetCursor(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        TCursor cursor = Screen != nullptr ? Screen->Cursor() : crDefault;
        if (cursor == crDefault) {
            POINT p{};
            GetCursorPos(&p);
            TControl* c = ControlAtPos(ScreenToClient(p), false);
            cursor = c != nullptr ? c->Cursor() : Cursor();
        }
        if (cursor != crDefault && Screen != nullptr) {
            ::win32::SetCursor(Screen->Cursors(cursor));
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

// Reflection of child notifications

bool TWinControl::DoControlMsg(HWND child, TMessage& m) {
    TWinControl* c = FindControl(child);
    if (c == nullptr || c == this) return false;
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WMCommand(TMessage& m) {
    if (!DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
    auto* header = reinterpret_cast<NotifyHeader*>(m.LParam);
    if (header == nullptr || !DoControlMsg(header->hwndFrom, m)) DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
    if (!DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMScroll(TMessage& m) {
    if (m.LParam == 0 || !DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMDrawItem(TMessage& m) {
    auto* s = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    if (s == nullptr || s->CtlType == ODT_MENU || !DoControlMsg(s->hwndItem, m)) DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TMessage& m) {
    auto* s = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (s != nullptr && s->CtlType != ODT_MENU && handle_ != nullptr) {
        for (TWinControl* c : tabList_) {
            if (c->HandleAllocated() && GetDlgCtrlID(c->handle_) == static_cast<int>(s->CtlID)) {
                m.Result = c->Perform(CN_MEASUREITEM, m.WParam, m.LParam);
                return;
            }
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMNCDestroy(TMessage& m) {
    DefaultHandler(m);
    if (handle_ != nullptr) {
        RemovePropA(handle_, kControlProp);
        handle_ = nullptr;
        showing_ = false;
    }
}

// Message paths

bool TWinControl::IsControlMouseMsg(TMessage& m) {
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture != nullptr) {
        if (capture->Parent() == this) target = capture;
    } else {
        target = ControlAtPos(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)), false);
    }
    if (target == nullptr) return false;
    LPARAM lp = MAKELPARAM(static_cast<WORD>(GET_X_LPARAM(m.LParam) - target->Left()),
                           static_cast<WORD>(GET_Y_LPARAM(m.LParam) - target->Top()));
    m.Result = target->Perform(m.Msg, m.WParam, lp);
    return true;
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
            if (TCustomForm* form = GetParentForm(this); form != nullptr) {
                if (!form->SetFocusedControl(this)) return;
            }
            break;
        case WM_KILLFOCUS:
            if (ControlState().Contains(csFocusing)) return;
            break;
        case WM_NCHITTEST:
            TControl::WndProc(m);
            if (m.Result == HTTRANSPARENT && ControlAtPos(ScreenToClient(Point(GET_X_LPARAM(m.LParam),
                                                                             GET_Y_LPARAM(m.LParam))),
                                                          false) != nullptr) {
                m.Result = HTCLIENT;
            }
            return;
        default:
            if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL) {
                if (IsControlMouseMsg(m)) {
                    // The window still sees the cursor: default handling of
                    // WM_SETCURSOR and the like stays intact.
                    if (m.Result == 0 && handle_ != nullptr) {
                        CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
                    }
                    return;
                }
            }
            break;
    }
    TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT: return WMPaint(m);
        case WM_ERASEBKGND: return WMEraseBkgnd(m);
        case WM_SIZE: return WMSize(m);
        case WM_MOVE: return WMMove(m);
        case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(m);
        case WM_SETFOCUS: return WMSetFocus(m);
        case WM_KILLFOCUS: return WMKillFocus(m);
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: return WMKeyDown(m);
        case WM_KEYUP:
        case WM_SYSKEYUP: return WMKeyUp(m);
        case WM_CHAR: return WMChar(m);
        case WM_SETCURSOR: return WMSetCursor(m);
        case WM_COMMAND: return WMCommand(m);
        case WM_NOTIFY: return WMNotify(m);
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return WMCtlColor(m);
        case WM_DRAWITEM: return WMDrawItem(m);
        case WM_MEASUREITEM: return WMMeasureItem(m);
        case WM_HSCROLL:
        case WM_VSCROLL: return WMScroll(m);
        case WM_NCDESTROY: return WMNCDestroy(m);
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN: return CNKeyDown(m);
        case CN_CHAR: return CNChar(m);
        case CN_SYSCHAR: return CNSysChar(m);
        case CM_FOCUSCHANGED: return CMFocusChanged(m);
        case CM_DIALOGCHAR: return CMDialogChar(m);
        case CM_DIALOGKEY: return CMDialogKey(m);
        case CM_ENTER: return CMEnter(m);
        case CM_EXIT: return CMExit(m);
        case CM_SHOWINGCHANGED: return CMShowingChanged(m);
        case CM_COLORCHANGED: return CMColorChanged(m);
        case CM_FONTCHANGED: return CMFontChanged(m);
        case CM_ENABLEDCHANGED: return CMEnabledChanged(m);
        case CM_VISIBLECHANGED: return CMVisibleChanged(m);
        case CM_RECREATEWND: return CMRecreateWnd(m);
        case CM_SYSCOLORCHANGE: return CMSysColorChange(m);
        case CM_SHOWHINTCHANGED: return CMShowHintChanged(m);
        case CM_INVALIDATE: return CMInvalidate(m);
        default: TControl::Dispatch(m);
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (handle_ != nullptr) {
        if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) return;  // unhandled reflections stop here
        if (m.Msg >= CM_BASE && m.Msg < CN_BASE) return;
        m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    TControl::DefaultHandler(m);
}

void TWinControl::MainWndProc(TMessage& m) {
    try {
        WndProc(m);
    } catch (...) {
        ReportException(this);
    }
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(hwnd);
    if (control == nullptr && gCreationControl != nullptr) {
        control = gCreationControl;
        gCreationControl = nullptr;
        control->handle_ = hwnd;
        SetPropA(hwnd, kControlProp, control);
    }
    if (control == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    control->MainWndProc(m);
    return m.Result;
}

}  // namespace classlib
