// Streaming Shift-JIS in and out of the rich-edit control: byte-exact round
// trips, failing callbacks, the length limit and characters 932 cannot hold.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/richedit/richedit_fixture.h"

namespace test {
namespace {

struct Source {
    std::string bytes;
    std::size_t at = 0;
    std::size_t block = 1 << 30;  // the most handed over per call
    int failAtCall = -1;          // the call that reports an error
    int calls = 0;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
    auto* s = reinterpret_cast<Source*>(cookie);
    if (s->calls++ == s->failAtCall) return 1234;
    std::size_t n = std::min({static_cast<std::size_t>(size), s->bytes.size() - s->at, s->block});
    std::copy_n(s->bytes.data() + s->at, n, buffer);
    s->at += n;
    *got = static_cast<LONG>(n);
    return 0;
}

struct Sink {
    std::string bytes;
    LONG most = 1 << 30;  // the most taken per call
    bool fail = false;
};

DWORD CALLBACK WriteSink(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* took) {
    auto* s = reinterpret_cast<Sink*>(cookie);
    if (s->fail) return 77;
    LONG n = std::min(size, s->most);
    s->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
    *took = n;
    return 0;
}

class RichEditStreamTest : public RichEditTest {
protected:
    LRESULT StreamIn(Source& source, WPARAM format = SF_TEXT, DWORD* error = nullptr) {
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, ReadSource};
        LRESULT r = Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
        if (error) *error = es.dwError;
        return r;
    }
    std::string StreamOut(Sink& sink, WPARAM format = SF_TEXT, DWORD* error = nullptr) {
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&sink), 0, WriteSink};
        Send(EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
        if (error) *error = es.dwError;
        return sink.bytes;
    }
};

// Every single byte, every lead and trail byte pair, and bytes that are no
// Shift-JIS at all, with CR LF between the rows.
std::string EveryShiftJisCode() {
    std::string s;
    for (int b = 0; b < 0x100; ++b) {
        if (b == '\r' || b == '\n') continue;
        s.push_back(static_cast<char>(b));
    }
    s += "\r\n";
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            s.push_back(static_cast<char>(lead));
            s.push_back(static_cast<char>(trail));
        }
        s += "\r\n";
    }
    // A bad trail byte, a lead byte before a line break, stray high bytes and
    // a lead byte cut off by the end of the file.
    s += "\x81\x20\x82\r\n\x80\xA0\xFD\xFE\xFF\r\n\x88";
    return s;
}

TEST_F(RichEditStreamTest, EveryShiftJisCodeAndInvalidBytesComeBackByteForByte) {
    Source in{EveryShiftJisCode()};
    in.block = 4093;  // blocks that cut pairs in two
    LRESULT chars = StreamIn(in);
    EXPECT_GT(chars, 10000);
    EXPECT_EQ(Length(), chars);
    Sink out;
    out.most = 1000;  // a callback that takes less than offered
    EXPECT_EQ(StreamOut(out), in.bytes);
    EXPECT_EQ(Send(EM_GETLOSTCHARCOUNT), 0);
}

TEST_F(RichEditStreamTest, NulBytesAndLoneLineBreaksAreHandled) {
    Source in{std::string("a\0b\rc\nd", 7)};
    EXPECT_EQ(StreamIn(in), 9);
    EXPECT_EQ(Text(), std::string("a\0b\r\nc\r\nd", 9));
    Sink out;
    EXPECT_EQ(StreamOut(out), std::string("a\0b\r\nc\r\nd", 9));
}

TEST_F(RichEditStreamTest, AFailingCallbackLeavesTheTextAsItWas) {
    SetText("keep me");
    Send(EM_SETMODIFY, TRUE);
    Source in{std::string(200000, 'x')};
    in.block = 50000;
    in.failAtCall = 2;
    DWORD error = 0;
    EXPECT_EQ(StreamIn(in, SF_TEXT, &error), 0);
    EXPECT_EQ(error, 1234u);
    EXPECT_EQ(Text(), "keep me");
    EXPECT_TRUE(Send(EM_GETMODIFY));

    Sink out;
    out.fail = true;
    StreamOut(out, SF_TEXT, &error);
    EXPECT_EQ(error, 77u);
}

TEST_F(RichEditStreamTest, AFileLargerThanTheLimitIsCutAtTheLimit) {
    Send(EM_EXLIMITTEXT, 0, 1000);
    std::string bytes;
    for (int i = 0; bytes.size() < 5000; ++i) bytes += "行" + std::to_string(i) + "\r\n";
    Source in{bytes};
    in.block = 333;
    int maxText = CommandCount(EN_MAXTEXT);
    EXPECT_EQ(StreamIn(in), 1000);
    EXPECT_EQ(Length(), 1000);
    EXPECT_EQ(CommandCount(EN_MAXTEXT), maxText + 1);
    // What is shown is the start of the file, nothing in it lost.
    Sink out;
    std::string kept = StreamOut(out);
    EXPECT_EQ(bytes.compare(0, kept.size(), kept), 0);
    EXPECT_LT(in.at, bytes.size());  // reading stopped at the limit
}

TEST_F(RichEditStreamTest, CharactersShiftJisCannotHoldGoOutAsQuestionMarksAndAreCounted) {
    SetText("a😀b€c");
    Sink out;
    EXPECT_EQ(StreamOut(out), "a?b?c");
    EXPECT_EQ(Send(EM_GETLOSTCHARCOUNT), 2);
    SetText("ok");
    Sink again;
    StreamOut(again);
    EXPECT_EQ(Send(EM_GETLOSTCHARCOUNT), 0);
}

TEST_F(RichEditStreamTest, StreamingIntoTheSelectionReplacesIt) {
    SetText("head tail");
    SetSel(4, 5);
    Source in{"\x93\xfa\x96\x7b"};  // 日本
    EXPECT_EQ(StreamIn(in, SF_TEXT | SFF_SELECTION), 2);
    EXPECT_EQ(Text(), "head日本tail");
    SetSel(4, 6);
    Sink out;
    EXPECT_EQ(StreamOut(out, SF_TEXT | SFF_SELECTION), "\x93\xfa\x96\x7b");
    // A whole new text starts unmodified, with the caret at the start.
    Source whole{"new"};
    StreamIn(whole);
    EXPECT_EQ(Text(), "new");
    EXPECT_FALSE(Send(EM_GETMODIFY));
    EXPECT_EQ(Sel().cpMax, 0);
    EXPECT_FALSE(Send(EM_CANUNDO));
}

}  // namespace
}  // namespace test
