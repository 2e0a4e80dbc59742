// TList: an ordered list of pointers the list does not own, with the
// library's index checks (EListError) and a sort by a compare function.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "classlib/sysutils.h"

namespace classlib {

class EListError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] void RaiseListIndexError(int index);

template <class T = void>
class TList {
public:
    // Negative when a sorts before b, as the library's compare functions do.
    using TListSortCompare = std::function<int(T* a, T* b)>;

    int Count() const { return static_cast<int>(items_.size()); }
    T* Items(int index) const { return items_[Check(index)]; }
    void SetItems(int index, T* item) { items_[Check(index)] = item; }
    T* operator[](int index) const { return Items(index); }

    int Add(T* item) {
        items_.push_back(item);
        return Count() - 1;
    }
    void Insert(int index, T* item) {
        if (index < 0 || index > Count()) RaiseListIndexError(index);
        items_.push_back(item);
        std::rotate(items_.begin() + index, items_.end() - 1, items_.end());
    }
    void Delete(int index) { items_.erase(items_.begin() + Check(index)); }
    // Removes the first occurrence; returns its former index or -1.
    int Remove(T* item) {
        int i = IndexOf(item);
        if (i >= 0) Delete(i);
        return i;
    }
    T* Extract(T* item) { return Remove(item) >= 0 ? item : nullptr; }
    int IndexOf(const T* item) const {
        auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    void Clear() { items_.clear(); }
    void Exchange(int a, int b) { std::swap(items_[Check(a)], items_[Check(b)]); }
    void Move(int from, int to) {
        if (from == to) return;
        Check(from);
        Check(to);
        if (from < to) {
            std::rotate(items_.begin() + from, items_.begin() + from + 1, items_.begin() + to + 1);
        } else {
            std::rotate(items_.begin() + to, items_.begin() + from, items_.begin() + from + 1);
        }
    }
    T* First() const { return Items(0); }
    T* Last() const { return Items(Count() - 1); }
    // Drops null entries.
    void Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }
    // Not stable: equal items keep no defined order, as with the library's
    // quicksort.
    void Sort(const TListSortCompare& compare) {
        std::sort(items_.begin(), items_.end(), [&](T* a, T* b) { return compare(a, b) < 0; });
    }
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity) { items_.reserve(static_cast<std::size_t>(std::max(capacity, 0))); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::size_t Check(int index) const {
        if (index < 0 || index >= Count()) RaiseListIndexError(index);
        return static_cast<std::size_t>(index);
    }
    std::vector<T*> items_;
};

}  // namespace classlib
