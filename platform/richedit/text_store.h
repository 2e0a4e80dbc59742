// The text of the editor: UTF-16 code units in a gap buffer, each line break
// stored as CR LF, with an index of line starts. Positions count code units,
// as the rich-edit messages do, so a line break counts two.
//
// Invariants: every LF is preceded by a CR and every CR followed by an LF
// (callers normalise what they insert, see NormalizeText); no high surrogate
// stands alone; line l starts at LineStart(l), the position after the l-th
// CR LF. Edits never fall inside a CR LF pair or a surrogate pair (Snap).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/richedit/gap_buffer.h"
#include "platform/richedit/partitioning.h"

namespace win32::richedit {

// What one edit did, for the views of the text: `removed` units at
// `position` were replaced by `inserted` units; the lines from `firstLine`
// on changed, `linesRemoved` line breaks went and `linesInserted` came.
struct TextChange {
    Pos position;
    Pos removed;
    Pos inserted;
    Pos firstLine;
    Pos linesRemoved;
    Pos linesInserted;
};

class TextObserver {
public:
    virtual void OnTextChanged(const TextChange& change) = 0;
    // Before `length` units at `position` go; their text is still there.
    virtual void OnTextRemoving(Pos position, Pos length) {
        (void)position;
        (void)length;
    }

protected:
    ~TextObserver() = default;
};

// Lone CR and lone LF become CR LF; unpaired surrogates that are not byte
// escapes become U+FFFD. NUL and every other character stay.
std::u16string NormalizeText(std::u16string_view text);

class TextStore {
public:
    Pos Length() const { return text_.Length(); }
    Pos LineCount() const { return lines_.Partitions(); }
    Pos LineStart(Pos line) const { return lines_.PositionFromPartition(line); }
    // End of the line's text, before its CR LF.
    Pos LineEnd(Pos line) const;
    Pos LineFromPosition(Pos pos) const { return lines_.PartitionFromPosition(pos); }

    char16_t CharAt(Pos pos) const { return text_[pos]; }
    std::u16string Range(Pos pos, Pos n) const;
    void CopyRange(Pos pos, Pos n, char16_t* out) const { text_.Copy(pos, n, out); }
    // Units [pos, pos + n) as one run, copied into `scratch` only when they
    // cross the gap.
    const char16_t* RangeView(Pos pos, Pos n, std::u16string& scratch) const;
    const GapBuffer<char16_t>& Buffer() const { return text_; }

    // A position clamped to the text and moved off the middle of a CR LF or
    // a surrogate pair, to the start of the pair.
    Pos Snap(Pos pos) const;

    // Edits; `text` must be normalised, `pos` snapped.
    void Insert(Pos pos, std::u16string_view text);
    void Delete(Pos pos, Pos n);
    // Replaces everything with text loaded elsewhere, with its line starts.
    void Adopt(GapBuffer<char16_t>&& text, const std::vector<Pos>& lineStarts);

    void AddObserver(TextObserver* o) { observers_.push_back(o); }
    void RemoveObserver(TextObserver* o);

private:
    void Notify(const TextChange& change);
    void NotifyRemoving(Pos position, Pos length);

    GapBuffer<char16_t> text_;
    Partitioning lines_;
    std::vector<TextObserver*> observers_;
};

}  // namespace win32::richedit
