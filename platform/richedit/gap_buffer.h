// A gap buffer: one block holding the items before the gap, free room, then
// the items after it. Insertions and deletions next to the last edit cost
// the size of the edit only; moving the edit point costs the distance moved.
//
// Invariants: 0 <= gapStart_ <= length_; the block holds length_ +
// gapLength_ items; items [0, gapStart_) sit at the block's start and items
// [gapStart_, length_) sit after the gap. The block grows with realloc, which
// for large blocks remaps pages instead of copying them, so growth costs
// neither time nor a second copy in memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace win32::richedit {

using Pos = std::int32_t;

template <typename T>
class GapBuffer {
    static_assert(std::is_trivially_copyable_v<T>, "items are moved with memmove");

public:
    GapBuffer() = default;
    GapBuffer(const GapBuffer&) = delete;
    GapBuffer& operator=(const GapBuffer&) = delete;
    GapBuffer(GapBuffer&& o) noexcept { Take(o); }
    GapBuffer& operator=(GapBuffer&& o) noexcept {
        if (this != &o) {
            std::free(data_);
            Take(o);
        }
        return *this;
    }
    ~GapBuffer() { std::free(data_); }

    Pos Length() const { return length_; }
    bool Empty() const { return length_ == 0; }

    T operator[](Pos i) const { return i < gapStart_ ? data_[i] : data_[i + gapLength_]; }
    void SetAt(Pos i, T v) { (i < gapStart_ ? data_[i] : data_[i + gapLength_]) = v; }

    void Insert(Pos pos, const T* items, Pos n) {
        if (n <= 0) return;
        MakeRoom(pos, n);
        std::memcpy(data_ + pos, items, static_cast<std::size_t>(n) * sizeof(T));
        gapStart_ += n;
        gapLength_ -= n;
        length_ += n;
    }

    void InsertValue(Pos pos, Pos n, T v) {
        if (n <= 0) return;
        MakeRoom(pos, n);
        std::fill(data_ + pos, data_ + pos + n, v);
        gapStart_ += n;
        gapLength_ -= n;
        length_ += n;
    }

    void Delete(Pos pos, Pos n) {
        if (n <= 0) return;
        if (pos == 0 && n == length_) {
            gapLength_ += length_;
            gapStart_ = 0;
            length_ = 0;
            return;
        }
        MoveGap(pos);
        gapLength_ += n;
        length_ -= n;
    }

    void Clear() { Delete(0, length_); }

    // Room for `n` more items at the end; returns where to write them. The
    // caller then calls CommitAppend with the number it wrote.
    T* AppendSpace(Pos n) {
        MakeRoom(length_, n);
        return data_ + length_;
    }
    void CommitAppend(Pos n) {
        gapStart_ += n;
        gapLength_ -= n;
        length_ += n;
    }

    // Copies items [pos, pos + n) out.
    void Copy(Pos pos, Pos n, T* out) const {
        if (n <= 0) return;
        Pos first = std::clamp<Pos>(gapStart_ - pos, 0, n);
        if (first > 0) std::memcpy(out, data_ + pos, static_cast<std::size_t>(first) * sizeof(T));
        if (n > first) {
            std::memcpy(out + first, data_ + pos + first + gapLength_, static_cast<std::size_t>(n - first) * sizeof(T));
        }
    }

    // Items [pos, pos + n) as one run: directly when they do not cross the
    // gap, otherwise nullptr (use Copy).
    const T* Contiguous(Pos pos, Pos n) const {
        if (pos + n <= gapStart_) return data_ + pos;
        if (pos >= gapStart_) return data_ + pos + gapLength_;
        return nullptr;
    }

    // The two runs of items: before the gap and after it.
    const T* Before() const { return data_; }
    Pos BeforeLength() const { return gapStart_; }
    const T* After() const { return data_ + gapStart_ + gapLength_; }
    Pos AfterLength() const { return length_ - gapStart_; }

    std::size_t BytesAllocated() const { return static_cast<std::size_t>(length_ + gapLength_) * sizeof(T); }

private:
    void Take(GapBuffer& o) {
        data_ = o.data_;
        length_ = o.length_;
        gapStart_ = o.gapStart_;
        gapLength_ = o.gapLength_;
        o.data_ = nullptr;
        o.length_ = o.gapStart_ = o.gapLength_ = 0;
    }

    void MoveGap(Pos pos) {
        if (pos == gapStart_) return;
        if (pos < gapStart_) {
            std::memmove(data_ + pos + gapLength_, data_ + pos, static_cast<std::size_t>(gapStart_ - pos) * sizeof(T));
        } else {
            std::memmove(data_ + gapStart_, data_ + gapStart_ + gapLength_,
                         static_cast<std::size_t>(pos - gapStart_) * sizeof(T));
        }
        gapStart_ = pos;
    }

    // Moves the gap to `pos` and makes it at least `n` long.
    void MakeRoom(Pos pos, Pos n) {
        if (gapLength_ < n) {
            // Grow with the gap at the end, where realloc keeps it, then put
            // it where the insertion goes.
            MoveGap(length_);
            std::size_t grow = std::max<std::size_t>({static_cast<std::size_t>(n), static_cast<std::size_t>(length_) / 4, 64});
            std::size_t capacity = static_cast<std::size_t>(length_) + grow;
            void* p = std::realloc(data_, capacity * sizeof(T));
            if (!p) throw std::bad_alloc();
            data_ = static_cast<T*>(p);
            gapLength_ = static_cast<Pos>(capacity - static_cast<std::size_t>(length_));
        }
        MoveGap(pos);
    }

    T* data_ = nullptr;
    Pos length_ = 0;
    Pos gapStart_ = 0;
    Pos gapLength_ = 0;
};

}  // namespace win32::richedit
