#include "platform/richedit/text_document.h"

#include <algorithm>

namespace win32::richedit {
namespace {

// The longest prefix of normalised text of at most `room` units that does
// not end inside a CR LF or a surrogate pair.
std::size_t CutPoint(std::u16string_view text, std::size_t room) {
    if (text.size() <= room) return text.size();
    std::size_t k = room;
    if (k > 0 && (text[k - 1] == u'\r' || (text[k - 1] >= 0xD800 && text[k - 1] <= 0xDBFF))) --k;
    return k;
}

}  // namespace

EditResult TextDocument::Replace(Pos pos, Pos len, std::u16string_view text, EditKind kind) {
    Pos a = std::clamp<Pos>(pos, 0, Length());
    Pos b = std::clamp<Pos>(pos + std::max<Pos>(len, 0), 0, Length());
    Pos start = store_.Snap(std::min(a, b));
    // A range that ends inside a pair takes the whole pair.
    Pos end = std::max(a, b);
    if (end == std::min(a, b)) {
        end = start;
    } else if (store_.Snap(end) != end) {
        ++end;
    }

    std::u16string normalized = NormalizeText(text);
    Pos room = std::max<Pos>(0, limit_ - (Length() - (end - start)));
    std::size_t keep = CutPoint(normalized, static_cast<std::size_t>(room));
    bool truncated = keep < normalized.size();
    normalized.resize(keep);
    if (end == start && normalized.empty()) return {start, 0, truncated};

    std::u16string removed = store_.Range(start, end - start);
    // Replacing text by itself changes nothing and leaves no undo step.
    if (removed == normalized) return {start, static_cast<Pos>(normalized.size()), truncated};
    history_.Record({start, std::move(removed), normalized}, kind);
    Apply(start, end - start, normalized);
    return {start, static_cast<Pos>(normalized.size()), truncated};
}

EditResult TextDocument::SetText(std::u16string_view text) {
    std::u16string normalized = NormalizeText(text);
    std::size_t keep = CutPoint(normalized, static_cast<std::size_t>(limit_));
    bool truncated = keep < normalized.size();
    normalized.resize(keep);
    Apply(0, Length(), normalized);
    history_.Clear();
    return {0, static_cast<Pos>(normalized.size()), truncated};
}

EditResult TextDocument::Undo() {
    if (!history_.CanUndo()) return {-1, 0, false};
    const std::vector<Replacement>& step = history_.NextUndo();
    for (auto it = step.rbegin(); it != step.rend(); ++it) {
        Apply(it->position, static_cast<Pos>(it->inserted.size()), it->removed);
    }
    EditResult r{step.front().position, static_cast<Pos>(step.front().removed.size()), false};
    history_.Undone();
    return r;
}

EditResult TextDocument::Redo() {
    if (!history_.CanRedo()) return {-1, 0, false};
    const std::vector<Replacement>& step = history_.NextRedo();
    for (const Replacement& r : step) Apply(r.position, static_cast<Pos>(r.removed.size()), r.inserted);
    EditResult r{step.back().position, static_cast<Pos>(step.back().inserted.size()), false};
    history_.Redone();
    return r;
}

void TextDocument::Apply(Pos pos, Pos removed, std::u16string_view text) {
    store_.Delete(pos, removed);
    store_.Insert(pos, text);
}

StreamLoader::StreamLoader(Pos limit) : limit_(limit) {}

bool StreamLoader::Feed(const char* bytes, std::size_t size) {
    if (truncated_) return false;
    scratch_.resize(size + 1);
    std::size_t n = decoder_.Decode(bytes, size, scratch_.data());
    Append(scratch_.data(), n);
    return !truncated_;
}

void StreamLoader::Append(const char16_t* units, std::size_t n) {
    if (n == 0 || truncated_) return;
    Pos room = limit_ - text_.Length();
    // Each unit gives at most two (a lone LF becomes CR LF), plus a CR kept
    // from the previous block.
    Pos want = static_cast<Pos>(std::min<std::size_t>(2 * n + 2, static_cast<std::size_t>(std::max<Pos>(room, 0)) + 2));
    char16_t* out = text_.AppendSpace(want);
    Pos base = text_.Length();
    Pos w = 0;
    auto lineBreak = [&]() {
        if (room - w < 2) {
            truncated_ = true;
            return false;
        }
        out[w++] = u'\r';
        out[w++] = u'\n';
        lineStarts_.push_back(base + w);
        return true;
    };
    std::size_t i = 0;
    if (pendingCr_) {
        pendingCr_ = false;
        if (!lineBreak()) i = n;
        if (i < n && units[i] == u'\n') ++i;
    }
    for (; i < n; ++i) {
        char16_t c = units[i];
        if (c > u'\r' || (c != u'\r' && c != u'\n')) {
            if (w >= room) {
                truncated_ = true;
                break;
            }
            out[w++] = c;
        } else if (c == u'\n') {
            if (!lineBreak()) break;
        } else if (i + 1 < n) {
            if (!lineBreak()) break;
            if (units[i + 1] == u'\n') ++i;
        } else {
            pendingCr_ = true;  // its LF may start the next block
        }
    }
    text_.CommitAppend(w);
}

EditResult StreamLoader::Finish(TextDocument& document) {
    char16_t last[1];
    std::size_t n = decoder_.Finish(last);
    Append(last, n);
    if (pendingCr_ && !truncated_) {
        const char16_t lf = u'\n';
        Append(&lf, 1);  // a CR at the very end is a line break of its own
    }
    pendingCr_ = false;
    Pos length = text_.Length();
    document.Store().Adopt(std::move(text_), lineStarts_);
    document.History().Clear();
    return {0, length, truncated_};
}

}  // namespace win32::richedit
