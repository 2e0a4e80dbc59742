// Display lines: each line of the text cut into the pieces that fit the
// window width (word wrap), computed when asked and cached.
//
// Cached per line: how many display lines it takes (as a Partitioning of
// first display lines) and whether that count is still valid. An edit
// invalidates the lines it touched; a new width or font invalidates all, and
// the next question re-wraps lazily. The break positions of recently used
// lines are kept in a small cache.
#pragma once

#include <cstdint>
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
    WrapLayout(TextStore& text, CharMeasurer& measurer);
    ~WrapLayout();
    WrapLayout(const WrapLayout&) = delete;
    WrapLayout& operator=(const WrapLayout&) = delete;

    // Width 0 or wrapping off: one display line per line.
    void SetWrapWidth(int pixels);
    int WrapWidth() const { return width_; }
    // The measurer's answers changed (a new font).
    void FontChanged();

    Pos DisplayLineCount();
    Pos DisplayLineFromPosition(Pos pos);
    DisplayLine GetDisplayLine(Pos displayLine);
    // The first display line of a line of the text.
    Pos FirstDisplayLineOf(Pos line);

    // Start offsets (relative to the line start, the first always 0) of the
    // display lines of a line of `length` units; exposed for tests.
    void BreakLine(const char16_t* s, Pos length, std::vector<Pos>& starts);

private:
    void OnTextChanged(const TextChange& change) override;
    void ValidateAll();
    void ValidateLine(Pos line);
    void MarkInvalid(Pos line);
    Pos CountLine(Pos line);
    const std::vector<Pos>& Breaks(Pos line);
    std::uint16_t Info(char32_t c);
    template <typename Sink>
    void Wrap(const char16_t* s, Pos length, Sink& sink);

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
    std::u16string scratch_;
};

}  // namespace win32::richedit
