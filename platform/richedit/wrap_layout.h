// Display lines: each line of the text cut into the pieces that fit the
// window width (word wrap), computed when asked and cached.
//
// Cached per line: how many display lines it takes (as a Partitioning of
// first display lines) and whether that count is still valid. An edit
// invalidates the lines it touched; a new width or font invalidates all, and
// the next question re-wraps lazily. The break positions of recently used
// lines are kept in a small cache.
//
// Long lines (kLongLine units and more) keep their display-line starts for
// good, and an edit inside one re-wraps only from the display line it
// touched until the breaks fall in step with the old ones again, so typing
// into a line of millions of characters costs a few display lines.
//
// The wrap is greedy and restartable: where the display line after one
// starting at `s` begins depends only on the characters from `s` up to the
// first one that does not fit, never on anything before `s`.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/richedit/partitioning.h"
#include "platform/richedit/text_store.h"

namespace win32::richedit {

// Measures characters for the wrap, in pixels; the control answers from its
// font, tests from a table.
class CharMeasurer {
public:
    virtual int Advance(char32_t c) = 0;
    virtual int AverageCharWidth() = 0;

protected:
    ~CharMeasurer() = default;
};

struct DisplayLine {
    Pos start;        // first position of the display line
    Pos end;          // end of its text (before a CR LF)
    Pos line;         // the line of the text it belongs to
};

class WrapLayout : private TextObserver {
public:
    static constexpr Pos kLongLine = 8192;

    WrapLayout(TextStore& text, CharMeasurer& measurer);
    ~WrapLayout();
    WrapLayout(const WrapLayout&) = delete;
    WrapLayout& operator=(const WrapLayout&) = delete;

    // Width 0 or wrapping off: one display line per line.
    void SetWrapWidth(int pixels);
    int WrapWidth() const { return width_; }
    // The measurer's answers changed (a new font).
    void FontChanged();
    // The tab stop distance in pixels (eight average character widths).
    int TabWidth() const { return tabWidth_; }

    Pos DisplayLineCount();
    Pos DisplayLineFromPosition(Pos pos);
    DisplayLine GetDisplayLine(Pos displayLine);
    // The first display line of a line of the text.
    Pos FirstDisplayLineOf(Pos line);

    // Where the display line starting `offset` units into line `line` ends:
    // the offset of the next one, or the line's length at its end. Printing
    // lays pages out with it without keeping the breaks.
    Pos NextDisplayStart(Pos line, Pos offset);

    // Start offsets (relative to the line start, the first always 0) of the
    // display lines of a line of `length` units; exposed for tests.
    void BreakLine(const char16_t* s, Pos length, std::vector<Pos>& starts);

private:
    // The display-line starts of a long line: partition k is display line k,
    // the last boundary is the line's length.
    struct LongLine {
        Partitioning starts;
    };

    struct Scan {
        Pos next;      // start of the next display line (the line's length at its end)
        Pos overflow;  // the character that did not fit (the length at the end)
    };

    void OnTextChanged(const TextChange& change) override;
    void ValidateAll();
    void ValidateLine(Pos line);
    void MarkInvalid(Pos line);
    Pos CountLine(Pos line);
    const std::vector<Pos>& Breaks(Pos line);
    std::uint16_t Info(char32_t c);
    template <typename Text>
    Scan NextStart(const Text& s, Pos start, Pos n);
    // Wraps s[from, n) from a display-line start, reporting each later start
    // to the sink until it returns false.
    template <typename Text, typename Sink>
    void Wrap(const Text& s, Pos from, Pos n, Sink& sink);
    // Builds the kept starts of a long line from scratch.
    LongLine* BuildLongLine(Pos line);
    // Re-wraps a long line after an edit inside it.
    void UpdateLongLine(Pos line, LongLine& ll, Pos offset, Pos removed, Pos inserted);
    // Line numbers of the kept long lines after lines were removed/added.
    void RenumberLongLines(Pos first, Pos removed, Pos inserted);

    TextStore& text_;
    CharMeasurer& measurer_;
    int width_ = 0;
    int tabWidth_ = 64;
    Partitioning display_;             // first display line of each line
    GapBuffer<std::uint8_t> valid_;    // per line: its count is valid
    Pos invalidLines_ = 0;
    // Where the invalid lines are, while there are few of them; past a
    // bound the flags are scanned instead.
    std::vector<Pos> invalidList_;
    bool invalidListOverflow_ = false;
    bool allInvalid_ = true;
    std::unique_ptr<std::uint16_t[]> info_;  // per BMP character: width and class
    std::unordered_map<Pos, std::vector<Pos>> breaks_;
    std::map<Pos, std::unique_ptr<LongLine>> long_;
    std::u16string scratch_;
};

}  // namespace win32::richedit
