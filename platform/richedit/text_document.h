// The edited document: the text store with undo, the length limit and the
// line-break normalisation that every way of putting text in goes through.
#pragma once

#include <string>
#include <string_view>

#include "platform/kernel/codepage.h"
#include "platform/richedit/text_store.h"
#include "platform/richedit/undo_history.h"

namespace win32::richedit {

struct EditResult {
    Pos position;   // where the new text starts
    Pos inserted;   // units inserted (after normalisation and the limit)
    bool truncated; // the limit cut the text short
};

class TextDocument {
public:
    static constexpr Pos kMaxLimit = 0x7FFFFFF0;

    TextStore& Store() { return store_; }
    const TextStore& Store() const { return store_; }
    Pos Length() const { return store_.Length(); }

    Pos Limit() const { return limit_; }
    void SetLimit(Pos limit) { limit_ = limit <= 0 || limit > kMaxLimit ? kMaxLimit : limit; }

    // Replaces [pos, pos + len) by `text` (positions clamped and snapped,
    // line breaks normalised, cut at the limit), recorded for undo.
    EditResult Replace(Pos pos, Pos len, std::u16string_view text, EditKind kind = EditKind::Other);
    // Replaces the whole text and forgets the undo history.
    EditResult SetText(std::u16string_view text);

    UndoHistory& History() { return history_; }
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // Undo and redo return the range of text the step left behind (for the
    // selection), or position -1 when there was nothing to do.
    EditResult Undo();
    EditResult Redo();

private:
    void Apply(Pos pos, Pos removed, std::u16string_view text);

    TextStore store_;
    UndoHistory history_;
    Pos limit_ = kMaxLimit;
};

// Loads Shift-JIS bytes block by block into a new text, normalising line
// breaks and cutting at the limit, and hands it to the document at Finish;
// until then the document is untouched, so a failed stream loses nothing.
class StreamLoader {
public:
    explicit StreamLoader(Pos limit);
    // Returns false once the limit is reached (the rest is not wanted).
    bool Feed(const char* bytes, std::size_t size);
    // Replaces the document's text (and clears its undo history); returns
    // what was loaded.
    EditResult Finish(TextDocument& document);
    bool Truncated() const { return truncated_; }

private:
    void Append(const char16_t* units, std::size_t n);
    void Put(char16_t c);

    text::SjisStreamDecoder decoder_;
    GapBuffer<char16_t> text_;
    std::vector<Pos> lineStarts_;
    std::u16string scratch_;
    Pos limit_;
    bool pendingCr_ = false;
    bool truncated_ = false;
};

}  // namespace win32::richedit
