#include "platform/gdi/draw_text_layout.h"

#include <algorithm>

#include "platform/gdi/text_utf8.h"
#include "platform/gdi/wingdi.h"

namespace win32::gdi {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char32_t c) { return c == ' ' || c == '\t'; }

class Layouter {
public:
    Layouter(const LayoutParams& p, AdvanceSource& a, TextLayout& out) : p_(p), advances_(a), out_(out) {
        wrap_ = (p.format & DT_WORDBREAK) && !(p.format & DT_SINGLELINE);
        editControl_ = (p.format & DT_EDITCONTROL) != 0;
        expandTabs_ = (p.format & DT_EXPANDTABS) != 0;
        fullWidthBreaks_ = !(p.format & DT_NOFULLWIDTHCHARBREAK);
        tabWidth_ = std::max(0, p.tabLength) * std::max(0, p.aveCharWidth);
    }

    void Run(std::string_view text);

private:
    int Measure(char32_t c, int x) {
        if (c == '\t' && expandTabs_) {
            if (tabWidth_ <= 0) return 0;
            int next = (x / tabWidth_ + 1) * tabWidth_;
            return next - x;
        }
        return advances_.Advance(c) + p_.charExtra;
    }
    void Paragraph(std::size_t begin, std::size_t end);
    void Emit(std::size_t begin, std::size_t end, int width);
    void AppendMeasured(const char32_t* chars, std::size_t count, int prefixAt, LayoutLine& line);
    void ApplyEllipsis(LayoutLine& line);

    const LayoutParams& p_;
    AdvanceSource& advances_;
    TextLayout& out_;
    bool wrap_;
    bool editControl_;
    bool expandTabs_;
    bool fullWidthBreaks_;
    int tabWidth_;

    std::vector<char32_t> src_;  // after prefix processing
    std::vector<int> xs_;        // per source character, x within its line
    std::vector<int> advs_;
    std::size_t prefix_ = kNone;  // index into src_ of the underlined character
};

void Layouter::Run(std::string_view text) {
    out_.chars.clear();
    out_.x.clear();
    out_.advance.clear();
    out_.lines.clear();
    out_.height = 0;
    out_.maxWidth = 0;
    src_.clear();
    src_.reserve(text.size());
    const bool prefixes = !(p_.format & DT_NOPREFIX);
    for (std::size_t i = 0; i < text.size();) {
        DecodedChar d = DecodeUtf8At(text, i);
        i += d.length;
        if (prefixes && d.code == '&') {
            if (i < text.size() && text[i] == '&') {
                // "&&" is a literal ampersand.
                ++i;
                src_.push_back('&');
                continue;
            }
            // A single "&" marks the next character; the last mark wins. A
            // trailing "&" marks nothing.
            if (i < text.size()) prefix_ = src_.size();
            continue;
        }
        src_.push_back(d.code);
    }
    xs_.assign(src_.size(), 0);
    advs_.assign(src_.size(), 0);

    if (p_.format & DT_SINGLELINE) {
        if (!src_.empty()) Paragraph(0, src_.size());
    } else {
        // CR LF, CR and LF each end a line; text after the last break makes
        // one more line only when there is any.
        std::size_t start = 0;
        for (std::size_t i = 0; i < src_.size(); ++i) {
            char32_t c = src_[i];
            if (c != '\r' && c != '\n') continue;
            Paragraph(start, i);
            if (c == '\r' && i + 1 < src_.size() && src_[i + 1] == '\n') ++i;
            start = i + 1;
        }
        if (start < src_.size()) Paragraph(start, src_.size());
    }

    // Placement.
    const UINT f = p_.format;
    int yBase = 0;
    if (f & DT_SINGLELINE) {
        if (f & DT_VCENTER) {
            yBase = (p_.height - p_.lineHeight) / 2;
        } else if (f & DT_BOTTOM) {
            yBase = p_.height - p_.lineHeight;
        }
    }
    for (std::size_t n = 0; n < out_.lines.size(); ++n) {
        LayoutLine& line = out_.lines[n];
        if (f & DT_CENTER) {
            line.xOffset = (p_.width - line.width) / 2;
        } else if (f & DT_RIGHT) {
            line.xOffset = p_.width - line.width;
        }
        line.yOffset = yBase + static_cast<int>(n) * p_.lineHeight;
        if (editControl_ && !(f & DT_SINGLELINE) && !(f & DT_CALCRECT)) {
            line.visible = line.yOffset + p_.lineHeight <= p_.height;
        }
        out_.maxWidth = std::max(out_.maxWidth, line.width);
    }
    const int lines = static_cast<int>(out_.lines.size());
    if ((f & DT_SINGLELINE) && (f & (DT_VCENTER | DT_BOTTOM)) && lines > 0) {
        out_.height = yBase + p_.lineHeight;
    } else {
        out_.height = lines * p_.lineHeight;
    }
}

void Layouter::Paragraph(std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    do {
        const std::size_t start = i;
        int x = 0;
        std::size_t breakEnd = kNone, breakNext = kNone;
        int breakWidth = 0;
        std::size_t blankRun = kNone;
        std::size_t lineEnd = end, next = end;
        int lineWidth = -1;
        for (std::size_t j = start; j < end; ++j) {
            const char32_t c = src_[j];
            const bool blank = IsBlank(c);
            if (wrap_ && !blank && j > start && fullWidthBreaks_ && !IsBlank(src_[j - 1]) &&
                (IsFullWidthBreakable(c) || IsFullWidthBreakable(src_[j - 1]))) {
                breakEnd = breakNext = j;
                breakWidth = x;
            }
            const int adv = Measure(c, x);
            if (wrap_ && !blank && j > start && x + adv > p_.width) {
                if (breakEnd != kNone) {
                    lineEnd = breakEnd;
                    next = breakNext;
                    lineWidth = breakWidth;
                    break;
                }
                if (editControl_) {
                    lineEnd = next = j;
                    lineWidth = x;
                    break;
                }
                // A word longer than the line stays whole and overhangs.
            }
            xs_[j] = x;
            advs_[j] = adv;
            x += adv;
            if (blank && wrap_) {
                if (j == start || !IsBlank(src_[j - 1])) blankRun = j;
                if (blankRun > start) {
                    breakEnd = blankRun;
                    breakNext = j + 1;
                    breakWidth = xs_[blankRun];
                }
            }
        }
        if (lineWidth < 0) lineWidth = x;
        Emit(start, lineEnd, lineWidth);
        i = next;
    } while (i < end);
}

void Layouter::Emit(std::size_t begin, std::size_t end, int width) {
    LayoutLine line;
    line.begin = out_.chars.size();
    out_.chars.insert(out_.chars.end(), src_.begin() + begin, src_.begin() + end);
    out_.x.insert(out_.x.end(), xs_.begin() + begin, xs_.begin() + end);
    out_.advance.insert(out_.advance.end(), advs_.begin() + begin, advs_.begin() + end);
    line.end = out_.chars.size();
    line.width = width;
    if (prefix_ != kNone && prefix_ >= begin && prefix_ < end) {
        line.prefix = static_cast<int>(line.begin + (prefix_ - begin));
    }
    if ((p_.format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) && width > p_.width) {
        ApplyEllipsis(line);
    }
    out_.lines.push_back(line);
}

// Appends characters measured from x = 0 as the content of `line`.
void Layouter::AppendMeasured(const char32_t* chars, std::size_t count, int prefixAt, LayoutLine& line) {
    line.begin = out_.chars.size();
    line.prefix = -1;
    int x = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const int adv = Measure(chars[k], x);
        if (static_cast<int>(k) == prefixAt) line.prefix = static_cast<int>(out_.chars.size());
        out_.chars.push_back(chars[k]);
        out_.x.push_back(x);
        out_.advance.push_back(adv);
        x += adv;
    }
    line.end = out_.chars.size();
    line.width = x;
}

void Layouter::ApplyEllipsis(LayoutLine& line) {
    std::vector<char32_t> text(out_.chars.begin() + line.begin, out_.chars.begin() + line.end);
    std::vector<int> xs(out_.x.begin() + line.begin, out_.x.begin() + line.end);
    const int prefixAt = line.prefix >= 0 ? line.prefix - static_cast<int>(line.begin) : -1;
    out_.chars.resize(line.begin);
    out_.x.resize(line.begin);
    out_.advance.resize(line.begin);
    const char32_t dots[3] = {'.', '.', '.'};
    const int dotsWidth = 3 * (advances_.Advance('.') + p_.charExtra);

    std::size_t sep = kNone;
    if (p_.format & DT_PATH_ELLIPSIS) {
        for (std::size_t k = text.size(); k-- > 0;) {
            if (text[k] == '\\' || text[k] == '/') {
                sep = k;
                break;
            }
        }
    }
    std::vector<char32_t> result;
    int resultPrefix = -1;
    if (sep != kNone && sep > 0) {
        // Keep the last path element whole and shorten what comes before it.
        const int tailWidth = line.width - xs[sep];
        std::size_t keep = sep;
        while (keep > 0 && xs[keep] + dotsWidth + tailWidth > p_.width) --keep;
        result.assign(text.begin(), text.begin() + keep);
        if (prefixAt >= 0 && static_cast<std::size_t>(prefixAt) < keep) resultPrefix = prefixAt;
        result.insert(result.end(), dots, dots + 3);
        if (prefixAt >= 0 && static_cast<std::size_t>(prefixAt) >= sep) {
            resultPrefix = static_cast<int>(result.size() + (prefixAt - sep));
        }
        result.insert(result.end(), text.begin() + sep, text.end());
    } else {
        // Keep the longest head whose last character ends before the dots.
        std::size_t keep = text.size();
        while (keep > 0 && (keep < text.size() ? xs[keep] : line.width) + dotsWidth > p_.width) --keep;
        result.assign(text.begin(), text.begin() + keep);
        if (prefixAt >= 0 && static_cast<std::size_t>(prefixAt) < keep) resultPrefix = prefixAt;
        result.insert(result.end(), dots, dots + 3);
    }
    AppendMeasured(result.data(), result.size(), resultPrefix, line);
}

}  // namespace

EffectiveFormat SplitFormat(UINT format, int defaultTabLength) {
    if (format & DT_TABSTOP) {
        // The tab length lives in the second byte, where the flags it
        // displaces would otherwise be.
        int length = static_cast<int>((format >> 8) & 0xFF);
        format &= ~(0xFF00u | DT_TABSTOP);
        return {format, length == 0 ? defaultTabLength : length};
    }
    return {format, defaultTabLength};
}

void LayoutText(std::string_view text, const LayoutParams& params, AdvanceSource& advances, TextLayout& out) {
    Layouter(params, advances, out).Run(text);
}

}  // namespace win32::gdi
