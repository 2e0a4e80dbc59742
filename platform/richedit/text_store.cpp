#include "platform/richedit/text_store.h"

#include <algorithm>

namespace win32::richedit {
namespace {

constexpr bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsEscape(char16_t c) { return c >= 0xDC00 && c <= 0xDCFF; }

}  // namespace

std::u16string NormalizeText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            out += u"\r\n";
        } else if (IsHigh(c)) {
            if (i + 1 < text.size() && IsLow(text[i + 1])) {
                out.push_back(c);
                out.push_back(text[++i]);
            } else {
                out.push_back(u'\uFFFD');
            }
        } else if (IsLow(c) && !IsEscape(c)) {
            out.push_back(u'\uFFFD');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

Pos TextStore::LineEnd(Pos line) const {
    if (line + 1 >= LineCount()) return Length();
    return LineStart(line + 1) - 2;
}

std::u16string TextStore::Range(Pos pos, Pos n) const {
    pos = std::clamp<Pos>(pos, 0, Length());
    n = std::clamp<Pos>(n, 0, Length() - pos);
    std::u16string out(static_cast<std::size_t>(n), u'\0');
    text_.Copy(pos, n, out.data());
    return out;
}

const char16_t* TextStore::RangeView(Pos pos, Pos n, std::u16string& scratch) const {
    if (const char16_t* p = text_.Contiguous(pos, n)) return p;
    scratch.resize(static_cast<std::size_t>(n));
    text_.Copy(pos, n, scratch.data());
    return scratch.data();
}

Pos TextStore::Snap(Pos pos) const {
    pos = std::clamp<Pos>(pos, 0, Length());
    if (pos > 0 && pos < Length()) {
        char16_t before = text_[pos - 1];
        char16_t after = text_[pos];
        if ((before == u'\r' && after == u'\n') || (IsHigh(before) && IsLow(after))) --pos;
    }
    return pos;
}

void TextStore::Insert(Pos pos, std::u16string_view text) {
    if (text.empty()) return;
    Pos n = static_cast<Pos>(text.size());
    Pos line = LineFromPosition(pos);
    text_.Insert(pos, text.data(), n);
    lines_.InsertText(line, n);
    std::vector<Pos> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') starts.push_back(pos + static_cast<Pos>(i) + 1);
    }
    lines_.InsertPartitions(line + 1, starts.data(), static_cast<Pos>(starts.size()));
    Notify({pos, 0, n, line, 0, static_cast<Pos>(starts.size())});
}

void TextStore::Delete(Pos pos, Pos n) {
    if (n <= 0) return;
    NotifyRemoving(pos, n);
    Pos first = LineFromPosition(pos);
    Pos last = LineFromPosition(pos + n);
    text_.Delete(pos, n);
    lines_.RemovePartitions(first + 1, last - first);
    lines_.InsertText(first, -n);
    Notify({pos, n, 0, first, last - first, 0});
}

void TextStore::Adopt(GapBuffer<char16_t>&& text, const std::vector<Pos>& lineStarts) {
    NotifyRemoving(0, Length());
    TextChange change{0, Length(), text.Length(), 0, LineCount() - 1, static_cast<Pos>(lineStarts.size())};
    text_ = std::move(text);
    std::vector<Pos> boundaries;
    boundaries.reserve(lineStarts.size() + 2);
    boundaries.push_back(0);
    boundaries.insert(boundaries.end(), lineStarts.begin(), lineStarts.end());
    boundaries.push_back(text_.Length());
    lines_.Assign(boundaries);
    Notify(change);
}

void TextStore::RemoveObserver(TextObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void TextStore::NotifyRemoving(Pos position, Pos length) {
    for (TextObserver* o : observers_) o->OnTextRemoving(position, length);
}

void TextStore::Notify(const TextChange& change) {
    for (TextObserver* o : observers_) o->OnTextChanged(change);
}

}  // namespace win32::richedit
