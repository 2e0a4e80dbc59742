#include "platform/richedit/wrap_layout.h"

#include <algorithm>

#include "platform/kernel/codepage.h"

namespace win32::richedit {
namespace {

// Info entries: width in bits 0-12, class in bits 13-14; 0xFFFF unknown.
constexpr std::uint16_t kUnknown = 0xFFFF;
constexpr std::uint16_t kNarrow = 0;
constexpr std::uint16_t kWide = 1 << 13;
constexpr std::uint16_t kBlank = 2 << 13;
constexpr std::uint16_t kTab = 3 << 13;
constexpr std::uint16_t kClassMask = 3 << 13;
constexpr std::uint16_t kWidthMask = (1 << 13) - 1;
constexpr std::size_t kBreakCacheSize = 512;
constexpr std::size_t kInvalidListSize = 4096;

// Full-width text breaks between any two characters; single-byte text only
// after blanks.
std::uint16_t WrapClass(char32_t c) {
    if (c == u'\t') return kTab;
    if (c == u' ') return kBlank;
    if (text::IsByteEscape(c)) return kNarrow;
    if (c >= 0x10000) return kWide;
    if (c >= 0xFF61 && c <= 0xFF9F) return kNarrow;
    if (c >= 0x2E80) return kWide;
    return text::SjisCharBytes(c) == 2 ? kWide : kNarrow;
}

// Reads a line of the store position by position, for lines that lie across
// the gap and are too long to copy.
struct StoreText {
    const GapBuffer<char16_t>& buffer;
    Pos base;
    char16_t operator[](Pos i) const { return buffer[base + i]; }
};

struct CountSink {
    Pos count = 1;
    bool Add(Pos) {
        ++count;
        return true;
    }
};

struct ListSink {
    std::vector<Pos>& starts;
    bool Add(Pos p) {
        starts.push_back(p);
        return true;
    }
};

}  // namespace

WrapLayout::WrapLayout(TextStore& text, CharMeasurer& measurer)
    : text_(text), measurer_(measurer), info_(new std::uint16_t[65536]) {
    text_.AddObserver(this);
    FontChanged();
}

WrapLayout::~WrapLayout() { text_.RemoveObserver(this); }

void WrapLayout::SetWrapWidth(int pixels) {
    pixels = std::max(pixels, 0);
    if (pixels == width_) return;
    width_ = pixels;
    allInvalid_ = true;
    breaks_.clear();
    long_.clear();
}

void WrapLayout::FontChanged() {
    std::fill(info_.get(), info_.get() + 65536, kUnknown);
    tabWidth_ = std::max(1, 8 * measurer_.AverageCharWidth());
    allInvalid_ = true;
    breaks_.clear();
    long_.clear();
}

std::uint16_t WrapLayout::Info(char32_t c) {
    if (c < 0x10000 && info_[c] != kUnknown) return info_[c];
    int w = std::clamp(measurer_.Advance(c), 0, static_cast<int>(kWidthMask));
    std::uint16_t v = static_cast<std::uint16_t>(w) | WrapClass(c);
    if (c < 0x10000) info_[c] = v;
    return v;
}

// Where the display line that starts at `start` ends: greedy, breaking at
// the latest opportunity before the first character that does not fit
// (inside a word when the word alone is wider than the line). Blanks hang
// past the edge rather than start a display line.
template <typename Text>
WrapLayout::Scan WrapLayout::NextStart(const Text& s, Pos start, Pos n) {
    const int width = width_;
    const int tab = tabWidth_;
    const std::uint16_t* info = info_.get();
    Pos lastBreak = start;
    std::uint16_t prevClass = kBlank;
    int x = 0;
    Pos i = start;
    while (i < n) {
        char32_t c = s[i];
        Pos len = 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            char32_t lo = s[i + 1];
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                len = 2;
            }
        }
        std::uint16_t v = c < 0x10000 && info[c] != kUnknown ? info[c] : Info(c);
        std::uint16_t cls = v & kClassMask;
        int w = cls == kTab ? tab - x % tab : (v & kWidthMask);
        bool blank = cls == kBlank || cls == kTab;
        if (i > start && ((cls == kWide || prevClass == kWide) || (!blank && (prevClass == kBlank || prevClass == kTab)))) {
            lastBreak = i;
        }
        if (!blank && x + w > width && i > start) return {lastBreak > start ? lastBreak : i, i};
        x += w;
        prevClass = cls;
        i += len;
    }
    return {n, n};
}

template <typename Text, typename Sink>
void WrapLayout::Wrap(const Text& s, Pos from, Pos n, Sink& sink) {
    Pos start = from;
    while (start < n) {
        Scan r = NextStart(s, start, n);
        if (r.next >= n || !sink.Add(r.next)) return;
        start = r.next;
    }
}

void WrapLayout::BreakLine(const char16_t* s, Pos length, std::vector<Pos>& starts) {
    starts.assign(1, 0);
    if (width_ <= 0) return;
    ListSink sink{starts};
    Wrap(s, 0, length, sink);
}

Pos WrapLayout::NextDisplayStart(Pos line, Pos offset) {
    Pos base = text_.LineStart(line);
    Pos n = text_.LineEnd(line) - base;
    if (width_ <= 0 || offset >= n) return n;
    return NextStart(StoreText{text_.Buffer(), base}, std::max<Pos>(offset, 0), n).next;
}

WrapLayout::LongLine* WrapLayout::BuildLongLine(Pos line) {
    Pos start = text_.LineStart(line);
    Pos n = text_.LineEnd(line) - start;
    std::vector<Pos> starts{0};
    ListSink sink{starts};
    if (const char16_t* p = text_.Buffer().Contiguous(start, n)) {
        Wrap(p, 0, n, sink);
    } else {
        Wrap(StoreText{text_.Buffer(), start}, 0, n, sink);
    }
    starts.push_back(n);
    auto& slot = long_[line];
    slot = std::make_unique<LongLine>();
    slot->starts.Assign(starts);
    return slot.get();
}

Pos WrapLayout::CountLine(Pos line) {
    if (width_ <= 0) return 1;
    Pos start = text_.LineStart(line);
    Pos n = text_.LineEnd(line) - start;
    if (n >= kLongLine) return BuildLongLine(line)->starts.Partitions();
    if (!long_.empty()) long_.erase(line);
    if (n == 0) return 1;
    CountSink sink;
    Wrap(text_.RangeView(start, n, scratch_), 0, n, sink);
    return sink.count;
}

void WrapLayout::UpdateLongLine(Pos line, LongLine& ll, Pos offset, Pos removed, Pos inserted) {
    Partitioning& starts = ll.starts;
    Pos base = text_.LineStart(line);
    Pos length = text_.LineEnd(line) - base;  // after the edit
    Pos delta = inserted - removed;
    StoreText s{text_.Buffer(), base};
    auto next = [&](Pos from) { return NextStart(s, from, length); };

    // Back up to a display line whose start was decided by characters
    // before the edit only: the start of display line m is decided while
    // wrapping display line m - 1, up to its first character that did not fit.
    Pos m = starts.PartitionFromPosition(offset);
    while (m > 0) {
        Pos prev = starts.PositionFromPartition(m - 1);
        Scan r = next(prev);
        if (r.overflow < offset && r.next == starts.PositionFromPartition(m)) break;
        --m;
    }
    // Wrap on until a new start meets an old one past the edited text.
    std::vector<Pos> fresh;
    Pos from = starts.PositionFromPartition(m);
    Pos sync = starts.Partitions();  // the end boundary when they never meet
    while (from < length) {
        Scan r = next(from);
        if (r.next >= length) break;
        if (r.next >= offset + inserted) {
            Pos old = r.next - delta;
            Pos j = starts.PartitionFromPosition(old);
            if (j > m && starts.PositionFromPartition(j) == old) {
                sync = j;
                break;
            }
        }
        fresh.push_back(r.next);
        from = r.next;
    }
    starts.RemovePartitions(m + 1, sync - m - 1);
    starts.InsertText(m, delta);
    starts.InsertPartitions(m + 1, fresh.data(), static_cast<Pos>(fresh.size()));
}

void WrapLayout::RenumberLongLines(Pos first, Pos removed, Pos inserted) {
    if (long_.empty()) return;
    std::map<Pos, std::unique_ptr<LongLine>> kept;
    for (auto& [line, ll] : long_) {
        if (line < first) {
            kept.emplace(line, std::move(ll));
        } else if (line > first + removed) {
            kept.emplace(line - removed + inserted, std::move(ll));
        }
    }
    long_ = std::move(kept);
}

void WrapLayout::ValidateAll() {
    Pos lines = text_.LineCount();
    if (allInvalid_) {
        long_.clear();
        std::vector<Pos> firsts;
        firsts.reserve(static_cast<std::size_t>(lines) + 1);
        Pos total = 0;
        for (Pos l = 0; l < lines; ++l) {
            firsts.push_back(total);
            total += CountLine(l);
        }
        firsts.push_back(total);
        display_.Assign(firsts);
        valid_.Clear();
        valid_.InsertValue(0, lines, 1);
        invalidLines_ = 0;
        invalidList_.clear();
        invalidListOverflow_ = false;
        allInvalid_ = false;
        return;
    }
    if (invalidLines_ == 0) return;
    if (invalidListOverflow_) {
        for (Pos l = 0; l < lines && invalidLines_ > 0; ++l) {
            if (!valid_[l]) ValidateLine(l);
        }
    } else {
        for (Pos l : invalidList_) ValidateLine(l);
    }
    invalidList_.clear();
    invalidListOverflow_ = false;
}

void WrapLayout::MarkInvalid(Pos line) {
    if (!valid_[line]) return;
    valid_.SetAt(line, 0);
    ++invalidLines_;
    if (invalidList_.size() < kInvalidListSize) {
        invalidList_.push_back(line);
    } else {
        invalidListOverflow_ = true;
    }
}

void WrapLayout::ValidateLine(Pos line) {
    if (line >= text_.LineCount() || valid_[line]) return;
    Pos old = display_.PositionFromPartition(line + 1) - display_.PositionFromPartition(line);
    Pos now = CountLine(line);
    display_.InsertText(line, now - old);
    valid_.SetAt(line, 1);
    --invalidLines_;
}

void WrapLayout::OnTextChanged(const TextChange& change) {
    breaks_.clear();
    if (allInvalid_) {
        long_.clear();
        return;
    }
    Pos first = change.firstLine;
    Pos removed = change.linesRemoved;
    Pos n = change.linesInserted;
    // An edit inside a long line that is up to date re-wraps where it happened.
    if (removed == 0 && n == 0 && width_ > 0 && valid_[first]) {
        auto it = long_.find(first);
        if (it != long_.end()) {
            Pos before = it->second->starts.Partitions();
            UpdateLongLine(first, *it->second, change.position - text_.LineStart(first), change.removed,
                           change.inserted);
            display_.InsertText(first, it->second->starts.Partitions() - before);
            return;
        }
    }
    if (n > static_cast<Pos>(kInvalidListSize)) {
        // A new text or a large paste: one pass over everything is quicker.
        allInvalid_ = true;
        long_.clear();
        return;
    }
    RenumberLongLines(first, removed, n);
    // Lines merged into `first` go; it keeps one provisional display line.
    Pos merged = display_.PositionFromPartition(first + removed + 1) - display_.PositionFromPartition(first);
    for (Pos l = first + 1; l <= first + removed; ++l) {
        if (!valid_[l]) --invalidLines_;
    }
    display_.RemovePartitions(first + 1, removed);
    valid_.Delete(first + 1, removed);
    display_.InsertText(first, 1 - merged);
    // New lines get one provisional display line each.
    if (n > 0) {
        Pos base = display_.PositionFromPartition(first);
        std::vector<Pos> values(static_cast<std::size_t>(n));
        for (Pos k = 0; k < n; ++k) values[static_cast<std::size_t>(k)] = base + 1 + k;
        display_.InsertPartitions(first + 1, values.data(), n);
        display_.InsertText(first + n, n);
        valid_.InsertValue(first + 1, n, 1);
    }
    // The list of invalid lines follows the renumbering.
    if (removed != 0 || n != 0) {
        std::size_t kept = 0;
        for (Pos l : invalidList_) {
            if (l > first && l <= first + removed) continue;
            invalidList_[kept++] = l > first + removed ? l - removed + n : l;
        }
        invalidList_.resize(kept);
    }
    for (Pos l = first; l <= first + n; ++l) MarkInvalid(l);
}

Pos WrapLayout::DisplayLineCount() {
    ValidateAll();
    return display_.PositionFromPartition(display_.Partitions());
}

Pos WrapLayout::FirstDisplayLineOf(Pos line) {
    ValidateAll();
    line = std::clamp<Pos>(line, 0, text_.LineCount() - 1);
    return display_.PositionFromPartition(line);
}

const std::vector<Pos>& WrapLayout::Breaks(Pos line) {
    auto it = breaks_.find(line);
    if (it != breaks_.end()) return it->second;
    if (breaks_.size() >= kBreakCacheSize) breaks_.clear();
    std::vector<Pos>& starts = breaks_[line];
    Pos start = text_.LineStart(line);
    Pos n = text_.LineEnd(line) - start;
    BreakLine(text_.RangeView(start, n, scratch_), n, starts);
    return starts;
}

Pos WrapLayout::DisplayLineFromPosition(Pos pos) {
    ValidateAll();
    pos = std::clamp<Pos>(pos, 0, text_.Length());
    Pos line = text_.LineFromPosition(pos);
    Pos offset = pos - text_.LineStart(line);
    Pos sub = 0;
    if (auto it = long_.find(line); it != long_.end()) {
        sub = it->second->starts.PartitionFromPosition(offset);
    } else if (width_ > 0) {
        const std::vector<Pos>& starts = Breaks(line);
        sub = static_cast<Pos>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
    }
    return display_.PositionFromPartition(line) + std::max<Pos>(sub, 0);
}

DisplayLine WrapLayout::GetDisplayLine(Pos displayLine) {
    ValidateAll();
    Pos total = display_.PositionFromPartition(display_.Partitions());
    displayLine = std::clamp<Pos>(displayLine, 0, total - 1);
    Pos line = display_.PartitionFromPosition(displayLine);
    Pos sub = displayLine - display_.PositionFromPartition(line);
    Pos lineStart = text_.LineStart(line);
    Pos lineEnd = text_.LineEnd(line);
    if (sub == 0 && width_ <= 0) return {lineStart, lineEnd, line};
    if (auto it = long_.find(line); it != long_.end()) {
        const Partitioning& starts = it->second->starts;
        Pos end = sub + 1 < starts.Partitions() ? lineStart + starts.PositionFromPartition(sub + 1) : lineEnd;
        return {lineStart + starts.PositionFromPartition(sub), end, line};
    }
    const std::vector<Pos>& starts = Breaks(line);
    sub = std::min<Pos>(sub, static_cast<Pos>(starts.size()) - 1);
    Pos start = lineStart + starts[static_cast<std::size_t>(sub)];
    Pos end = static_cast<std::size_t>(sub) + 1 < starts.size() ? lineStart + starts[static_cast<std::size_t>(sub) + 1]
                                                                 : lineEnd;
    return {start, end, line};
}

}  // namespace win32::richedit
