// TPageControl and TTabSheet: pages behind a row of tabs. Until the window
// system's tab control is there, the library draws the classic tabs itself
// and switches pages on a click or with Ctrl+Tab.
#pragma once

#include <vector>

#include "classlib/graphiccontrol.h"

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

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    void SelectNextPage(bool goForward);
    // The tab of a page in client coordinates (empty for a hidden tab).
    TRect TabRect(int index);
    int TabHeight();

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void ChangeActivePage(TTabSheet* page, bool byUser);
    void UpdatePageVisibility();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

}  // namespace classlib
