#include "platform/richedit/text_document.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/kernel/codepage.h"

using namespace win32::richedit;

namespace {

// The reference: a plain string with the same editing rules, done the slow
// and obvious way.
struct Reference {
    std::u16string text;
    std::vector<std::u16string> undo;
    std::vector<std::u16string> redo;

    Pos Snap(Pos p) const {
        p = std::clamp<Pos>(p, 0, static_cast<Pos>(text.size()));
        if (p > 0 && p < static_cast<Pos>(text.size()) && text[p - 1] == u'\r' && text[p] == u'\n') --p;
        return p;
    }
    void Replace(Pos pos, Pos len, const std::u16string& what) {
        Pos a = Snap(pos);
        Pos b = std::clamp<Pos>(pos + len, 0, static_cast<Pos>(text.size()));
        if (b <= std::clamp<Pos>(pos, 0, static_cast<Pos>(text.size()))) {
            b = a;
        } else if (Snap(b) != b) {
            ++b;
        }
        std::u16string n;
        for (std::size_t i = 0; i < what.size(); ++i) {
            if (what[i] == u'\r' || what[i] == u'\n') {
                n += u"\r\n";
                if (what[i] == u'\r' && i + 1 < what.size() && what[i + 1] == u'\n') ++i;
            } else {
                n += what[i];
            }
        }
        if (a == b && n.empty()) return;
        undo.push_back(text);
        redo.clear();
        text = text.substr(0, a) + n + text.substr(b);
    }
    std::vector<Pos> LineStarts() const {
        std::vector<Pos> s = {0};
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\n') s.push_back(static_cast<Pos>(i) + 1);
        }
        return s;
    }
};

std::u16string RandomText(std::mt19937& rng) {
    static const char16_t pool[] = u"ab \r\n漢あア\t\0x";
    std::u16string s(rng() % 8, u'a');
    for (char16_t& c : s) c = pool[rng() % (std::size(pool) - 1)];
    return s;
}

void ExpectSame(const TextDocument& doc, const Reference& ref) {
    const TextStore& store = doc.Store();
    ASSERT_EQ(store.Range(0, store.Length()), ref.text);
    std::vector<Pos> starts = ref.LineStarts();
    ASSERT_EQ(store.LineCount(), static_cast<Pos>(starts.size()));
    for (std::size_t l = 0; l < starts.size(); ++l) {
        ASSERT_EQ(store.LineStart(static_cast<Pos>(l)), starts[l]);
        Pos end = l + 1 < starts.size() ? starts[l + 1] - 2 : static_cast<Pos>(ref.text.size());
        ASSERT_EQ(store.LineEnd(static_cast<Pos>(l)), end);
        ASSERT_EQ(store.LineFromPosition(starts[l]), static_cast<Pos>(l));
    }
}

}  // namespace

TEST(TextDocument, LineBreaksBecomeCrLfAndCountTwo) {
    TextDocument doc;
    doc.SetText(u"a\rb\nc\r\nd\n\r");
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(doc.Length(), 14);
    EXPECT_EQ(doc.Store().LineCount(), 6);
    EXPECT_EQ(doc.Store().LineStart(2), 6);
    // Three full-width characters, a line break and three letters count 8.
    doc.SetText(u"漢字列\nabc");
    EXPECT_EQ(doc.Length(), 8);
    // NUL stays; a lone surrogate does not, an escape does.
    doc.SetText(std::u16string({u'a', 0, 0xD800, u'b', 0xDC81, 0xDE00}));
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), std::u16string({u'a', 0, 0xFFFD, u'b', 0xDC81, 0xFFFD}));
}

TEST(TextDocument, EditsNeverSplitALineBreak) {
    TextDocument doc;
    doc.SetText(u"a\r\nb");
    EXPECT_EQ(doc.Store().Snap(2), 1);
    doc.Replace(2, 0, u"x");  // between CR and LF: goes before the CR
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"ax\r\nb");
    doc.Replace(2, 1, u"");  // half of the pair takes the whole pair
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"axb");
    doc.Replace(-5, 100, u"\U0001F600z");
    EXPECT_EQ(doc.Store().Snap(1), 0);
}

TEST(TextDocument, TextBeyondTheLimitIsCutOff) {
    TextDocument doc;
    doc.SetLimit(5);
    EditResult r = doc.Replace(0, 0, u"abc\ndef");
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.inserted, 5);
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abc\r\n");
    r = doc.Replace(0, 1, u"XY");  // replacing a selection frees its room
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"Xbc\r\n");
    doc.SetLimit(4);
    r = doc.SetText(u"abc\r\n");  // never half a line break
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abc");
    EXPECT_TRUE(r.truncated);
}

TEST(TextDocument, TypingIsOneUndoStepUntilTheCaretMoves) {
    TextDocument doc;
    for (char16_t c : std::u16string(u"abc")) doc.Replace(doc.Length(), 0, std::u16string(1, c), EditKind::Typing);
    doc.History().BreakCoalescing();
    doc.Replace(doc.Length(), 0, u"d", EditKind::Typing);
    doc.Replace(0, 1, u"", EditKind::Other);
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"bcd");
    EXPECT_EQ(doc.Undo().position, 0);
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abcd");
    doc.Undo();
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abc");
    EditResult r = doc.Undo();
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"");
    EXPECT_EQ(r.position, 0);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.Undo().position, -1);
    doc.Redo();
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abc");
    doc.Replace(0, 0, u"z");
    EXPECT_FALSE(doc.CanRedo());
    // Replacing text by itself leaves no step behind.
    doc.History().Clear();
    doc.Replace(0, 1, u"z");
    EXPECT_FALSE(doc.CanUndo());
}

TEST(TextDocument, RandomEditingMatchesTheReference) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        TextDocument doc;
        Reference ref;
        for (int step = 0; step < 300; ++step) {
            int op = static_cast<int>(rng() % 10);
            if (op < 7) {
                Pos pos = static_cast<Pos>(rng() % (ref.text.size() + 3)) - 1;
                Pos len = static_cast<Pos>(rng() % 6);
                std::u16string what = RandomText(rng);
                doc.Replace(pos, len, what);
                ref.Replace(pos, len, what);
            } else if (op < 9) {
                EXPECT_EQ(doc.CanUndo(), !ref.undo.empty());
                if (doc.CanUndo()) {
                    doc.Undo();
                    ref.redo.push_back(ref.text);
                    ref.text = ref.undo.back();
                    ref.undo.pop_back();
                }
            } else if (doc.CanRedo()) {
                ASSERT_FALSE(ref.redo.empty());
                doc.Redo();
                ref.undo.push_back(ref.text);
                ref.text = ref.redo.back();
                ref.redo.pop_back();
            }
            ASSERT_NO_FATAL_FAILURE(ExpectSame(doc, ref)) << "seed " << seed << " step " << step;
        }
    }
}

TEST(StreamLoader, BlocksOfAnySizeLoadTheSameText) {
    std::string bytes = win32::text::Utf16ToSjis(u"一行目\r\n二行目\rthree\nfour\r");
    bytes += "\x81\x20\x85";  // invalid bytes and a cut-off character
    for (std::size_t block = 1; block <= bytes.size(); ++block) {
        TextDocument doc;
        doc.SetText(u"old");
        StreamLoader loader(TextDocument::kMaxLimit);
        for (std::size_t i = 0; i < bytes.size(); i += block) {
            loader.Feed(bytes.data() + i, std::min(block, bytes.size() - i));
        }
        EditResult r = loader.Finish(doc);
        std::u16string text = doc.Store().Range(0, doc.Length());
        ASSERT_EQ(text, u"一行目\r\n二行目\r\nthree\r\nfour\r\n\xDC81 \xDC85") << block;
        ASSERT_EQ(r.inserted, doc.Length());
        ASSERT_EQ(doc.Store().LineCount(), 5);
        ASSERT_EQ(doc.Store().LineStart(4), 23);
        // Saving gives the bytes back, line breaks made CR LF.
        std::string saved = win32::text::Utf16ToSjis(text);
        ASSERT_EQ(saved.substr(saved.size() - 3), "\x81\x20\x85");
        ASSERT_FALSE(doc.CanUndo());
    }
}

TEST(StreamLoader, StopsAtTheLimitAndLeavesTheDocumentAloneUntilFinished) {
    TextDocument doc;
    doc.SetText(u"keep");
    StreamLoader loader(6);
    EXPECT_TRUE(loader.Feed("abcd", 4));
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"keep");
    EXPECT_FALSE(loader.Feed("\r\nxyz", 5));
    EditResult r = loader.Finish(doc);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(doc.Store().Range(0, doc.Length()), u"abcd\r\n");
    EXPECT_EQ(doc.Store().LineCount(), 2);
}
