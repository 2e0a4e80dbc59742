// TRadioGroup: a group box with one radio button per line of Items, laid
// out in Columns, with ItemIndex for the checked one and OnClick when it
// changes.
#pragma once

#include <memory>
#include <vector>

#include "classlib/button_controls.h"
#include "classlib/strings.h"

namespace classlib {

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings* items) { items_->Assign(items); }
    int ItemIndex() const { return itemIndex_; }
    // Checks that button (-1 none); a change runs OnClick.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    void Loaded() override;

protected:
    void Dispatch(TMessage& message) override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);

    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

}  // namespace classlib
