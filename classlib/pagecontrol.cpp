#include "classlib/pagecontrol.h"

#include <algorithm>

#include "classlib/forms.h"
#include "classlib/messages.h"
#include "platform/comctl/commctrl.h"

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
    pageControl_->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == tabVisible_) return;
    tabVisible_ = visible;
    if (pageControl_ != nullptr) pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& m) {
    TWinControl::Dispatch(m);
    if (m.Msg == CM_TEXTCHANGED && pageControl_ != nullptr) pageControl_->UpdateTabs();
}

// TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    // The window takes the clicks and draws the tabs itself.
    SetControlStyle({csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
    Destroying();
    DestroyComponents();
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, WC_TABCONTROLA);
}

void TPageControl::InitializeWindow() { UpdateTabs(); }

void TPageControl::UpdateTabs() {
    if (!HandleAllocated() || ComponentState().Contains(csDestroying)) return;
    HWND h = Handle();
    SendMessageA(h, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (TTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        std::string caption = page->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = reinterpret_cast<LPARAM>(page);
        SendMessageA(h, TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    SelectActiveTab();
    // The row may have grown or shrunk with the labels' font.
    Realign();
}

void TPageControl::SelectActiveTab() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(TabOfPage(activePage_)), 0);
}

int TPageControl::TabOfPage(const TTabSheet* page) const {
    if (page == nullptr || !page->TabVisible()) return -1;
    int tab = 0;
    for (TTabSheet* p : pages_) {
        if (p == page) return tab;
        if (p->TabVisible()) ++tab;
    }
    return -1;
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* p : pages_) {
        if (p->TabVisible() && tabIndex-- == 0) return p;
    }
    return nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    UpdateTabs();
    if (activePage_ == nullptr) ShowPage(page);
    else UpdatePageVisibility();
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
            ShowPage(pages_[static_cast<std::size_t>(std::min(index, PageCount() - 1))]);
        }
    }
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->pageControl_ != this) return;
    ShowPage(page);
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

int TPageControl::TabIndex() const { return TabOfPage(activePage_); }

void TPageControl::SetTabIndex(int index) {
    if (TTabSheet* page = PageOfTab(index)) SetActivePage(page);
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::ShowPage(TTabSheet* page) {
    if (page != activePage_) {
        // Focus inside the page that goes away moves to the control itself.
        TCustomForm* form = GetParentForm(this);
        if (form != nullptr && activePage_ != nullptr && form->ActiveControl() != nullptr &&
            activePage_->ContainsControl(form->ActiveControl()) && CanFocus()) {
            SetFocus();
        }
        activePage_ = page;
        UpdatePageVisibility();
    }
    SelectActiveTab();
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
    if (start < 0) start = goForward ? -1 : n;
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (goForward ? step : -step)) % n + n) % n;
        TTabSheet* page = pages_[static_cast<std::size_t>(i)];
        if (!page->TabVisible()) continue;
        if (page == activePage_ || !CanChange()) return;
        ShowPage(page);
        Change();
        return;
    }
}

int TPageControl::TabHeight() {
    // The display area's top inset less its bottom one is the row.
    TRect r = Rect(0, 0, 0, 0);
    SendMessageA(Handle(), TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return -r.top - r.bottom;
}

TRect TPageControl::TabRect(int pageIndex) {
    TRect r = Rect(0, 0, 0, 0);
    if (pageIndex < 0 || pageIndex >= PageCount()) return r;
    int tab = TabOfPage(pages_[static_cast<std::size_t>(pageIndex)]);
    if (tab >= 0) SendMessageA(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    return r;
}

int TPageControl::IndexOfTabAt(int x, int y) {
    TCHITTESTINFO hit{{x, y}, 0};
    return static_cast<int>(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TPageControl::AdjustClientRect(TRect& r) {
    TWinControl::AdjustClientRect(r);
    if (HandleAllocated()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
}

bool TPageControl::HoldsFocus() {
    if (!HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus != nullptr && (focus == Handle() || IsChild(Handle(), focus));
}

void TPageControl::CNNotify(TMessage& m) {
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    m.Result = 0;
    if (header == nullptr) return;
    switch (header->code) {
        case TCN_SELCHANGING: m.Result = CanChange() ? 0 : 1; break;
        case TCN_SELCHANGE:
            ShowPage(PageOfTab(static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0))));
            Change();
            break;
        default: break;
    }
}

void TPageControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY: return CNNotify(m);
        case CM_DIALOGKEY:
            // Ctrl+Tab turns the pages wherever the focus is inside the control.
            if (m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && HoldsFocus()) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                m.Result = 1;
                return;
            }
            TWinControl::Dispatch(m);
            return;
        case CM_FONTCHANGED:
            TWinControl::Dispatch(m);
            Realign();
            return;
        case WM_PAINT:
        case WM_ERASEBKGND:
            // The tab control paints itself.
            return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

}  // namespace classlib
