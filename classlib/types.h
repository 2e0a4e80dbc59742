// Small value types shared by the whole library: sets of enumerations,
// rectangles and points with their helpers, and the plain notify event.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "platform/windef.h"

namespace classlib {

class TObject;

// A set of enumeration values, as the library's flag properties use them:
// `state.Contains(csLoading)`, `style + csOpaque`, `TControlStyle{a, b}`.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values) bits_ |= Bit(v);
    }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr void Include(E v) { bits_ |= Bit(v); }
    constexpr void Exclude(E v) { bits_ &= ~Bit(v); }
    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TSet operator+(E v) const { return FromBits(bits_ | Bit(v)); }
    constexpr TSet operator-(E v) const { return FromBits(bits_ & ~Bit(v)); }
    constexpr TSet& operator+=(TSet o) { bits_ |= o.bits_; return *this; }
    constexpr TSet& operator-=(TSet o) { bits_ &= ~o.bits_; return *this; }
    constexpr TSet& operator+=(E v) { bits_ |= Bit(v); return *this; }
    constexpr TSet& operator-=(E v) { bits_ &= ~Bit(v); return *this; }
    constexpr bool operator==(const TSet&) const = default;
    constexpr std::uint64_t Bits() const { return bits_; }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }

private:
    static constexpr std::uint64_t Bit(E v) { return std::uint64_t{1} << static_cast<unsigned>(v); }
    std::uint64_t bits_ = 0;
};

using TRect = win32::RECT;
using TPoint = win32::POINT;
using TSize = win32::SIZE;

constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
    return TRect{left, top, left + width, top + height};
}
constexpr TPoint Point(int x, int y) { return TPoint{x, y}; }
constexpr int RectWidth(const TRect& r) { return r.right - r.left; }
constexpr int RectHeight(const TRect& r) { return r.bottom - r.top; }
constexpr bool PtInRect(const TRect& r, TPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

using TNotifyEvent = std::function<void(TObject* sender)>;

}  // namespace classlib
