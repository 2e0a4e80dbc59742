#include "classlib/radiogroup.h"

#include <algorithm>

namespace classlib {

using namespace win32;

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject*) {
        if (!ComponentState().Contains(csLoading)) {
            if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
            UpdateButtons();
        }
    };
    SetBounds(0, 0, 185, 105);
}

TCustomRadioGroup::~TCustomRadioGroup() {
    items_->OnChange = nullptr;
    Destroying();
    DestroyComponents();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
    updating_ = true;
    while (static_cast<int>(buttons_.size()) > items_->Count()) {
        TRadioButton* b = buttons_.back();
        buttons_.pop_back();
        delete b;
    }
    while (static_cast<int>(buttons_.size()) < items_->Count()) {
        auto* b = new TRadioButton(this);
        b->SetParent(this);
        b->OnClick = [this, b](TObject*) { ButtonClicked(b); };
        buttons_.push_back(b);
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
        buttons_[i]->SetEnabled(Enabled());
    }
    if (itemIndex_ >= 0 && itemIndex_ < ButtonCount()) buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(true);
    updating_ = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    // Measured on the screen: the group may have no window yet.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TSize size{0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int textHeight = size.cy;
    int perColumn = (ButtonCount() + columns_ - 1) / columns_;
    int buttonWidth = (Width() - 10) / columns_;
    int space = Height() - textHeight - 5;
    int buttonHeight = space / perColumn;
    int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < ButtonCount(); ++i) {
        buttons_[static_cast<std::size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                          (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                          buttonHeight);
    }
}

void TCustomRadioGroup::SetItemIndex(int index) {
    index = std::clamp(index, -1, ButtonCount() - 1);
    if (ComponentState().Contains(csLoading)) {
        itemIndex_ = index;
        return;
    }
    if (index == itemIndex_) return;
    if (itemIndex_ >= 0) buttons_[static_cast<std::size_t>(itemIndex_)]->SetChecked(false);
    itemIndex_ = index;
    if (index >= 0) buttons_[static_cast<std::size_t>(index)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int columns) {
    columns = std::clamp(columns, 1, 16);
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ButtonClicked(TRadioButton* button) {
    if (updating_ || !button->Checked()) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    Changed();
    Click();
}

void TCustomRadioGroup::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
        case CM_FONTCHANGED:
            TCustomGroupBox::Dispatch(m);
            ArrangeButtons();
            return;
        case CM_ENABLEDCHANGED:
            TCustomGroupBox::Dispatch(m);
            for (TRadioButton* b : buttons_) b->SetEnabled(Enabled());
            return;
        default: TCustomGroupBox::Dispatch(m);
    }
}

}  // namespace classlib
