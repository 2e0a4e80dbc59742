// An ordered list of partition boundaries over a growing and shrinking
// sequence, for line starts (in characters) and for the first display line
// of each line (in display lines).
//
// Boundaries 0 .. Partitions() are kept; partition p runs from boundary p to
// boundary p + 1. An edit shifts every later boundary; instead of touching
// them all, the shift is kept pending: boundaries after `stepPartition_` are
// stored `stepLength_` too low. Edits near the previous one move the step
// point a short way, so typing costs O(1) whatever the number of lines.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/richedit/gap_buffer.h"

namespace win32::richedit {

class Partitioning {
public:
    Partitioning() { Reset(); }

    void Reset() {
        body_.Clear();
        const Pos zeros[2] = {0, 0};
        body_.Insert(0, zeros, 2);
        stepPartition_ = 0;
        stepLength_ = 0;
    }

    // Takes the boundaries in one piece (first 0, ascending); for loading.
    void Assign(const std::vector<Pos>& boundaries) {
        body_.Clear();
        body_.Insert(0, boundaries.data(), static_cast<Pos>(boundaries.size()));
        stepPartition_ = Partitions();
        stepLength_ = 0;
    }

    Pos Partitions() const { return body_.Length() - 1; }

    Pos PositionFromPartition(Pos p) const {
        Pos v = body_[p];
        return p > stepPartition_ ? v + stepLength_ : v;
    }

    // The partition holding `pos`: the last one whose start is <= pos.
    Pos PartitionFromPosition(Pos pos) const {
        Pos lo = 0;
        Pos hi = Partitions() - 1;
        if (hi <= 0 || pos >= PositionFromPartition(hi)) return hi < 0 ? 0 : hi;
        while (lo < hi) {
            Pos mid = lo + (hi - lo + 1) / 2;
            if (PositionFromPartition(mid) <= pos) {
                lo = mid;
            } else {
                hi = mid - 1;
            }
        }
        return lo;
    }

    // Every boundary after partition p moves by delta.
    void InsertText(Pos p, Pos delta) {
        if (delta == 0) return;
        if (stepLength_ == 0) {
            stepPartition_ = p;
        } else {
            MoveStep(p);
        }
        stepLength_ += delta;
    }

    // New boundaries at index p .. p + n - 1 (p >= 1) with the given values.
    void InsertPartitions(Pos p, const Pos* values, Pos n) {
        if (n <= 0) return;
        MoveStep(p - 1);
        std::vector<Pos> stored(values, values + n);
        for (Pos& v : stored) v -= stepLength_;
        body_.Insert(p, stored.data(), n);
    }

    // Removes boundaries p .. p + n - 1 (p >= 1), merging those partitions
    // into partition p - 1.
    void RemovePartitions(Pos p, Pos n) {
        if (n <= 0) return;
        MoveStep(p - 1);
        body_.Delete(p, n);
    }

private:
    // Makes the boundaries up to p hold true values and the ones after it
    // pending, so the step point becomes p.
    void MoveStep(Pos p) {
        if (stepLength_ == 0) {
            stepPartition_ = std::min(p, Partitions());
            return;
        }
        if (p > stepPartition_) {
            Pos last = std::min(p, Partitions());
            for (Pos i = stepPartition_ + 1; i <= last; ++i) body_.SetAt(i, body_[i] + stepLength_);
        } else {
            for (Pos i = p + 1; i <= stepPartition_ && i <= Partitions(); ++i) body_.SetAt(i, body_[i] - stepLength_);
        }
        stepPartition_ = p;
        if (stepPartition_ >= Partitions()) {
            stepPartition_ = Partitions();
            stepLength_ = 0;
        }
    }

    GapBuffer<Pos> body_;
    Pos stepPartition_ = 0;
    Pos stepLength_ = 0;
};

}  // namespace win32::richedit
