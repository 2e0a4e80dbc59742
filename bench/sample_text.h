// Deterministic Japanese sample documents for the benchmarks: a mix of kanji,
// kana, half-width katakana, Latin words, digits and blanks in lines of 20 to
// 70 characters ending in CR LF, as a typical memo holds.
#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace bench {

inline std::u16string JapaneseText(std::size_t units) {
    static const char16_t* const words[] = {
        u"日本語", u"の", u"文章", u"を", u"書く", u"テキスト", u"エディタ", u"は", u"、", u"。",
        u"Windows", u"memo", u"2024", u" ", u"ｶﾀｶﾅ", u"です", u"ます", u"速度", u"検索", u"置換",
        u"ファイル", u"保存", u"して", u"から", u"印刷", u"プレビュー", u"設定", u"「", u"」", u"text",
        u"漢字", u"ひらがな", u"カタカナ", u"①", u"が", u"に", u"で", u"と", u"Shift_JIS", u"表示"};
    std::mt19937 rng(12345);
    std::u16string out;
    out.reserve(units + 80);
    std::size_t lineLength = 0;
    std::size_t target = 20 + rng() % 50;
    while (out.size() < units) {
        out += words[rng() % std::size(words)];
        lineLength = out.size() - out.rfind(u'\n');
        if (lineLength >= target) {
            out += u"\r\n";
            target = 20 + rng() % 50;
        }
    }
    out.resize(units);
    if (!out.empty() && out.back() == u'\r') out.back() = u'。';
    return out;
}

}  // namespace bench
