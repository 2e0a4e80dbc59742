#include "platform/gdi/region.h"

#include <algorithm>

namespace win32 {
namespace {

struct Span {
    LONG left;
    LONG right;
};

// The spans of `rects` in the band [top, bottom): rectangles of one band of a
// banded region all cover the whole band or none of it.
void SpansAt(const std::vector<RECT>& rects, std::size_t& cursor, LONG top, LONG bottom, std::vector<Span>& out) {
    out.clear();
    // Skip bands that end at or above this band.
    while (cursor < rects.size() && rects[cursor].bottom <= top) ++cursor;
    for (std::size_t i = cursor; i < rects.size() && rects[i].top < bottom; ++i) {
        if (rects[i].top <= top && rects[i].bottom >= bottom) out.push_back({rects[i].left, rects[i].right});
    }
}

bool Inside(const std::vector<Span>& spans, std::size_t& i, LONG x) {
    while (i < spans.size() && spans[i].right <= x) ++i;
    return i < spans.size() && spans[i].left <= x;
}

// One-dimensional boolean operation on two sorted, disjoint span lists.
void CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, RegionOp op, std::vector<Span>& out) {
    out.clear();
    std::vector<LONG> edges;
    edges.reserve((a.size() + b.size()) * 2);
    for (const Span& s : a) {
        edges.push_back(s.left);
        edges.push_back(s.right);
    }
    for (const Span& s : b) {
        edges.push_back(s.left);
        edges.push_back(s.right);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::size_t ia = 0, ib = 0;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        LONG x = edges[e];
        bool inA = Inside(a, ia, x);
        bool inB = Inside(b, ib, x);
        bool keep = false;
        switch (op) {
            case RegionOp::And: keep = inA && inB; break;
            case RegionOp::Or: keep = inA || inB; break;
            case RegionOp::Xor: keep = inA != inB; break;
            case RegionOp::Diff: keep = inA && !inB; break;
            case RegionOp::Copy: keep = inA; break;
        }
        if (!keep) continue;
        if (!out.empty() && out.back().right == x) {
            out.back().right = edges[e + 1];
        } else {
            out.push_back({x, edges[e + 1]});
        }
    }
}

// Appends a band, merging it with the previous band when that one ends where
// this one starts and has the same spans.
void AppendBand(std::vector<RECT>& rects, std::size_t& lastBandStart, const std::vector<Span>& spans, LONG top,
                LONG bottom) {
    if (spans.empty()) return;
    if (lastBandStart < rects.size() && rects[lastBandStart].bottom == top &&
        rects.size() - lastBandStart == spans.size()) {
        bool same = true;
        for (std::size_t i = 0; i < spans.size() && same; ++i) {
            same = rects[lastBandStart + i].left == spans[i].left && rects[lastBandStart + i].right == spans[i].right;
        }
        if (same) {
            for (std::size_t i = lastBandStart; i < rects.size(); ++i) rects[i].bottom = bottom;
            return;
        }
    }
    lastBandStart = rects.size();
    for (const Span& s : spans) rects.push_back(RECT{s.left, top, s.right, bottom});
}

}  // namespace

Region::Region(const RECT& r) { SetRect(r); }

Region Region::FromRects(const std::vector<RECT>& rects) {
    Region result;
    for (const RECT& r : rects) result.UnionWith(r);
    return result;
}

void Region::SetRect(const RECT& r) {
    rects_.clear();
    RECT n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
           std::max(r.top, r.bottom)};
    if (!IsRectEmptyValue(n)) rects_.push_back(n);
}

RECT Region::Bounds() const {
    if (rects_.empty()) return RECT{0, 0, 0, 0};
    RECT b{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
    }
    return b;
}

bool Region::Contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (r.top > y) break;
        if (y < r.bottom && x >= r.left && x < r.right) return true;
    }
    return false;
}

bool Region::Intersects(const RECT& q) const {
    if (IsRectEmptyValue(q)) return false;
    for (const RECT& r : rects_) {
        if (r.top >= q.bottom) break;
        if (r.bottom > q.top && r.right > q.left && r.left < q.right) return true;
    }
    return false;
}

bool Region::operator==(const Region& other) const { return rects_ == other.rects_; }

void Region::Offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

Region Region::Combined(const Region& other, RegionOp op) const {
    if (op == RegionOp::Copy) return *this;
    // Fast paths that keep the common cases cheap.
    if (op == RegionOp::And && (IsEmpty() || other.IsEmpty())) return Region();
    if ((op == RegionOp::Or || op == RegionOp::Xor) && other.IsEmpty()) return *this;
    if ((op == RegionOp::Or || op == RegionOp::Xor) && IsEmpty()) return other;
    if (op == RegionOp::Diff && (IsEmpty() || other.IsEmpty())) return *this;
    if (op == RegionOp::And && IsRectangle() && other.IsRectangle()) {
        return Region(IntersectRectValue(rects_[0], other.rects_[0]));
    }

    std::vector<LONG> ys;
    ys.reserve((rects_.size() + other.rects_.size()) * 2);
    for (const RECT& r : rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const RECT& r : other.rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region result;
    std::size_t lastBandStart = 0;
    std::size_t ca = 0, cb = 0;
    std::vector<Span> sa, sb, out;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        SpansAt(rects_, ca, ys[i], ys[i + 1], sa);
        SpansAt(other.rects_, cb, ys[i], ys[i + 1], sb);
        CombineSpans(sa, sb, op, out);
        AppendBand(result.rects_, lastBandStart, out, ys[i], ys[i + 1]);
    }
    return result;
}

Region& Region::UnionWith(const Region& other) { return *this = Combined(other, RegionOp::Or); }
Region& Region::IntersectWith(const Region& other) { return *this = Combined(other, RegionOp::And); }
Region& Region::Subtract(const Region& other) { return *this = Combined(other, RegionOp::Diff); }
Region& Region::XorWith(const Region& other) { return *this = Combined(other, RegionOp::Xor); }

}  // namespace win32
