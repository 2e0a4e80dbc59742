// TPageControl and TTabSheet: pages behind a row of tabs, on the window
// system's tab control. Every page whose tab is visible has one tab, in
// page order; a click, the arrow keys on the control or Ctrl+Tab anywhere
// in it turn the pages, asking OnChanging first. The active page fills the
// control's display rectangle. A page whose tab is hidden can still be
// made active in code, with no tab selected.
#pragma once

#include <functional>
#include <vector>

#include "classlib/wincontrol.h"

namespace classlib {

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return pageControl_; }
    // Puts the sheet into a page control (as its last page) or out of it.
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    void SetPageIndex(int index);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

protected:
    void Dispatch(TMessage& message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The page after (or before) the active one whose tab is visible, as
    // the user would turn to it: OnChanging may refuse, OnChange follows.
    void SelectNextPage(bool goForward);
    // The selected tab among the visible ones, -1 for none.
    int TabIndex() const;
    void SetTabIndex(int index);
    // The page of a visible tab, or null.
    TTabSheet* PageOfTab(int tabIndex) const;
    // The tab under a client point, -1 for none.
    int IndexOfTabAt(int x, int y);
    // The tab of a page in client coordinates (empty for a hidden tab).
    TRect TabRect(int pageIndex);
    // From the control's top to the page frame: the height of the row.
    int TabHeight();

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void AdjustClientRect(TRect& rect) override;
    void Dispatch(TMessage& message) override;
    // Asks OnChanging; false keeps the page.
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Shows a page without asking anyone, as code does.
    void ShowPage(TTabSheet* page);
    void UpdatePageVisibility();
    // Puts the visible pages' tabs into the window and selects the active one's.
    void UpdateTabs();
    void SelectActiveTab();
    int TabOfPage(const TTabSheet* page) const;
    void CNNotify(TMessage& m);
    bool HoldsFocus();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

}  // namespace classlib
