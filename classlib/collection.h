// TCollection and TCollectionItem: an owned, ordered list of items of one
// class, with update batching and the owner a designer shows it under.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/object.h"

namespace classlib {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // The collection, when given, takes ownership of the new item.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or out of any: the caller then
    // owns it).
    void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;
    void SetIndex(int index);
    // The name a collection editor shows; the class name by default.
    virtual std::string DisplayName() const;
    virtual void SetDisplayName(const std::string& name);

protected:
    // Tells the collection that this item (or, with allItems, every item)
    // changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // The factory stands for the item class: it creates one item inserted
    // into the collection it is given.
    TCollection(TPersistent* owner, TItemFactory itemClass);
    ~TCollection() override;

    TPersistent* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Replaces the items with copies of source's (a collection of the same
    // item kind); every other source goes the usual way.
    void Assign(const TPersistent* source) override;

protected:
    // Called after changes unless updates are held; item is the changed one
    // or null when the whole collection changed.
    virtual void Update(TCollectionItem* item);
    enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(TCollectionItem* item, int index);

    TPersistent* owner_;
    TItemFactory itemClass_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};

// A collection whose items are all of class T, with typed access.
template <class T>
class TCollectionOf : public TCollection {
public:
    explicit TCollectionOf(TPersistent* owner)
        : TCollection(owner, [](TCollection* c) -> TCollectionItem* { return new T(c); }) {}
    T* Items(int index) const { return static_cast<T*>(TCollection::Items(index)); }
    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(int index) { return static_cast<T*>(TCollection::Insert(index)); }
};

}  // namespace classlib
