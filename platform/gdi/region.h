// A region is a set of pixels described by rectangles. It is the value type
// behind HRGN, clip regions, visible regions and update regions.
//
// Invariant (y-x banded form, as GDI keeps it): the rectangles are sorted by
// top, then left; rectangles of one band share top and bottom; bands do not
// overlap; within a band rectangles neither overlap nor touch; two adjacent
// bands with identical spans are merged into one. Every rectangle is
// non-empty. So two regions covering the same pixels hold identical lists,
// and equality is list equality.
#pragma once

#include <vector>

#include "platform/windef.h"

namespace win32 {

enum class RegionOp { And, Or, Xor, Diff, Copy };

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);
    static Region FromRects(const std::vector<RECT>& rects);

    bool IsEmpty() const { return rects_.empty(); }
    // The single-rectangle case decides SIMPLEREGION versus COMPLEXREGION.
    bool IsRectangle() const { return rects_.size() == 1; }
    const std::vector<RECT>& Rects() const { return rects_; }
    // Bounding box; all zero when empty.
    RECT Bounds() const;

    bool Contains(int x, int y) const;
    bool Intersects(const RECT& r) const;
    bool operator==(const Region& other) const;

    void SetEmpty() { rects_.clear(); }
    void SetRect(const RECT& r);
    void Offset(int dx, int dy);

    Region Combined(const Region& other, RegionOp op) const;
    Region& UnionWith(const Region& other);
    Region& IntersectWith(const Region& other);
    Region& Subtract(const Region& other);
    Region& XorWith(const Region& other);
    Region& UnionWith(const RECT& r) { return UnionWith(Region(r)); }
    Region& IntersectWith(const RECT& r) { return IntersectWith(Region(r)); }
    Region& Subtract(const RECT& r) { return Subtract(Region(r)); }

private:
    std::vector<RECT> rects_;
};

// Rectangle helpers with Win32's meaning (an empty rectangle has no pixels;
// right and bottom are exclusive).
inline bool IsRectEmptyValue(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT IntersectRectValue(const RECT& a, const RECT& b) {
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (IsRectEmptyValue(r)) return RECT{0, 0, 0, 0};
    return r;
}

}  // namespace win32
