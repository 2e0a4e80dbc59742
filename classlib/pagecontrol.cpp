#include "classlib/pagecontrol.h"

#include <algorithm>

#include "classlib/forms.h"

namespace classlib {

using namespace win32;

// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle({csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisibleFlag(false);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
    Destroying();
    DestroyComponents();
    if (pageControl_ != nullptr) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == pageControl_) return;
    if (pageControl_ != nullptr) pageControl_->RemovePage(this);
    SetParent(pageControl);
    if (pageControl != nullptr) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (pageControl_ == nullptr) return -1;
    auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (pageControl_ == nullptr) return;
    auto& pages = pageControl_->pages_;
    index = std::clamp(index, 0, static_cast<int>(pages.size()) - 1);
    pages.erase(std::find(pages.begin(), pages.end(), this));
    pages.insert(pages.begin() + index, this);
    pageControl_->Invalidate();
}

void TTabSheet::SetTabVisible(bool visible) {
    tabVisible_ = visible;
    if (pageControl_ != nullptr) pageControl_->Invalidate();
}

void TTabSheet::Dispatch(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED && pageControl_ != nullptr) pageControl_->Invalidate();
    TWinControl::Dispatch(m);
}

// TPageControl

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
    Destroying();
    DestroyComponents();
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    if (activePage_ == nullptr) ChangeActivePage(page, false);
    UpdatePageVisibility();
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!pages_.empty() && !ComponentState().Contains(csDestroying)) {
            ChangeActivePage(pages_[static_cast<std::size_t>(std::min(index, PageCount() - 1))], false);
        }
    }
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->pageControl_ != this) return;
    ChangeActivePage(page, false);
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

void TPageControl::ChangeActivePage(TTabSheet* page, bool byUser) {
    if (page == activePage_) return;
    if (byUser && OnChanging) {
        bool allow = true;
        OnChanging(this, allow);
        if (!allow) return;
    }
    // Focus inside the page that goes away moves to the control itself.
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && activePage_ != nullptr && form->ActiveControl() != nullptr &&
        activePage_->ContainsControl(form->ActiveControl()) && CanFocus()) {
        SetFocus();
    }
    activePage_ = page;
    UpdatePageVisibility();
    Invalidate();
    if (byUser && OnChange) OnChange(this);
}

void TPageControl::UpdatePageVisibility() {
    if (activePage_ != nullptr) {
        activePage_->SetVisible(true);
        activePage_->BringToFront();
    }
    for (TTabSheet* page : pages_) {
        if (page != activePage_) page->SetVisible(false);
    }
}

void TPageControl::SelectNextPage(bool goForward) {
    if (pages_.empty()) return;
    int start = ActivePageIndex(), n = PageCount();
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (goForward ? step : -step)) % n + n) % n;
        if (pages_[static_cast<std::size_t>(i)]->TabVisible()) {
            ChangeActivePage(pages_[static_cast<std::size_t>(i)], true);
            return;
        }
    }
}

int TPageControl::TabHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TSize size{0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cy + 6;
}

TRect TPageControl::TabRect(int index) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    int x = 2, h = TabHeight();
    TRect result = Rect(0, 0, 0, 0);
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = pages_[static_cast<std::size_t>(i)];
        if (!page->TabVisible()) continue;
        std::string text = page->Caption();
        TRect measure = Rect(0, 0, 0, 0);
        DrawTextA(dc, text.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        int w = RectWidth(measure) + 12;
        if (i == index) result = Rect(x, 2, x + w, 2 + h);
        x += w;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return result;
}

void TPageControl::AdjustClientRect(TRect& r) {
    TCustomControl::AdjustClientRect(r);
    r.top += TabHeight() + 2 + 2;
    r.left += 2;
    r.right -= 2;
    r.bottom -= 2;
}

void TPageControl::Paint() {
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(client);
    int top = TabHeight() + 2;
    TRect body = Rect(0, top, client.right, client.bottom);
    DrawEdge(c->Handle(), &body, EDGE_RAISED, BF_RECT);
    c->Font()->Assign(Font());
    int active = ActivePageIndex();
    auto drawTab = [&](int i) {
        TRect r = TabRect(i);
        if (RectWidth(r) == 0) return;
        bool selected = i == active;
        if (selected) r = Rect(r.left - 2, 0, r.right + 2, r.bottom + 1);
        // Classic tab: highlight left and top with cut corners, shadows right.
        c->Brush()->SetColor(Color());
        c->FillRect(Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom));
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(r.left, r.bottom - 1);
        c->LineTo(r.left, r.top + 2);
        c->LineTo(r.left + 2, r.top);
        c->LineTo(r.right - 2, r.top);
        c->Pen()->SetColor(cl3DDkShadow);
        c->MoveTo(r.right - 2, r.top + 1);
        c->LineTo(r.right - 1, r.top + 2);
        c->LineTo(r.right - 1, r.bottom);
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(r.right - 2, r.top + 2);
        c->LineTo(r.right - 2, r.bottom);
        std::string text = pages_[static_cast<std::size_t>(i)]->Caption();
        TRect t = Rect(r.left, r.top + (selected ? 1 : 0), r.right, r.bottom);
        c->Brush()->SetStyle(bsClear);
        HDC dc = c->PrepareText();
        DrawTextA(dc, text.c_str(), -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (selected && Focused()) {
            TRect focus = Rect(r.left + 3, r.top + 3, r.right - 3, r.bottom - 2);
            ::win32::DrawFocusRect(dc, &focus);
        }
        c->Brush()->SetStyle(bsSolid);
    };
    for (int i = 0; i < PageCount(); ++i) {
        if (i != active) drawTab(i);
    }
    if (active >= 0) drawTab(active);
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    for (int i = 0; i < PageCount(); ++i) {
        if (PtInRect(TabRect(i), Point(x, y))) {
            ChangeActivePage(pages_[static_cast<std::size_t>(i)], true);
            if (CanFocus()) SetFocus();
            return;
        }
    }
}

void TPageControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
        case WM_KEYDOWN:
            if (m.WParam == VK_LEFT || m.WParam == VK_RIGHT) {
                SelectNextPage(m.WParam == VK_RIGHT);
                return;
            }
            TCustomControl::Dispatch(m);
            return;
        case CM_DIALOGKEY:
            if (m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && activePage_ != nullptr) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                m.Result = 1;
                return;
            }
            TCustomControl::Dispatch(m);
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(m);
            Invalidate();
            if (m.Msg == CM_FONTCHANGED) Realign();
            return;
        default: TCustomControl::Dispatch(m);
    }
}

}  // namespace classlib
