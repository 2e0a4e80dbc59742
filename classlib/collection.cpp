#include "classlib/collection.h"

#include <algorithm>

#include "classlib/list.h"

namespace classlib {

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() {
    if (collection_ != nullptr) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection_ != nullptr) collection_->RemoveItem(this);
    if (collection != nullptr) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (collection_ == nullptr) return -1;
    for (int i = 0; i < collection_->Count(); ++i) {
        if (collection_->items_[static_cast<std::size_t>(i)].get() == this) return i;
    }
    return -1;
}

void TCollectionItem::SetIndex(int index) {
    if (collection_ != nullptr && index != Index()) collection_->MoveItem(this, index);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const std::string&) { Changed(false); }

void TCollectionItem::Changed(bool allItems) {
    if (collection_ != nullptr && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* owner, TItemFactory itemClass)
    : owner_(owner), itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() {
    ++updateCount_;
    while (!items_.empty()) {
        // The item's destructor removes it from items_; take it out first so
        // the vector is never touched while an element is being destroyed.
        std::unique_ptr<TCollectionItem> item = std::move(items_.back());
        items_.pop_back();
        item->collection_ = nullptr;
    }
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) RaiseListIndexError(index);
    return items_[static_cast<std::size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = itemClass_(this);
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    Notify(Items(index), cnDeleting);
    delete Items(index);
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back().get();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (const auto& item : items_) {
        if (item->id_ == id) return item.get();
    }
    return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCollection*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (const auto& item : other->items_) Add()->Assign(item.get());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.emplace_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const std::unique_ptr<TCollectionItem>& p) { return p.get() == item; });
    if (it == items_.end()) return;
    Notify(item, cnExtracting);
    it->release();
    items_.erase(it);
    item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
    int from = item->Index();
    if (index < 0 || index >= Count()) RaiseListIndexError(index);
    std::unique_ptr<TCollectionItem> owned = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + index, std::move(owned));
    Changed();
}

}  // namespace classlib
