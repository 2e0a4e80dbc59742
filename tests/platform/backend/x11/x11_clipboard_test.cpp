// The CLIPBOARD selection shared with other X programs (xclip, xsel).
#include "tests/platform/backend/x11/x11_fixture.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "platform/backend/x11/x11_clipboard.h"

namespace memopad_test {
namespace {

using win32::backend::x11::Clipboard;

TEST(X11ClipboardText, LineEndsFollowEachSide) {
    EXPECT_EQ(Clipboard::ToX("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(Clipboard::ToX("lone\rcr"), "lone\rcr");
    EXPECT_EQ(Clipboard::FromX("a\nb\r\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(Clipboard::FromX("\n"), "\r\n");
    // Windows text ends at the first NUL.
    EXPECT_EQ(Clipboard::FromX(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(Clipboard::Utf8ToLatin1("caf\xC3\xA9 日本"), "caf\xE9 ??");
    EXPECT_EQ(Clipboard::Latin1ToUtf8("caf\xE9"), "caf\xC3\xA9");
}

bool HasTool(const char* name) {
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

class X11ClipboardTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (!HasTool("xclip") || !HasTool("xsel")) GTEST_SKIP() << "skipped: xclip or xsel is not installed";
    }
    // Another program takes the clipboard with `text` and keeps serving it
    // until the returned Child is stopped.
    std::unique_ptr<Child> OfferFromXclip(const std::string& text) {
        Atom clipboard = XInternAtom(other_, "CLIPBOARD", False);
        Window before = XGetSelectionOwner(other_, clipboard);
        auto child = std::make_unique<Child>(std::vector<std::string>{"xclip", "-quiet", "-selection", "clipboard",
                                                                      "-i"});
        EXPECT_TRUE(child->Started());
        child->Write(text);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            Window owner = XGetSelectionOwner(other_, clipboard);
            if (owner != None && owner != before) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return child;
    }
    std::string ReadWith(const std::vector<std::string>& argv) {
        Child reader(argv);
        int status = -1;
        EXPECT_TRUE(reader.Finish(*backend_, 10000, &status));
        EXPECT_EQ(status, 0);
        return reader.Output();
    }
};

TEST_F(X11ClipboardTest, TextCopiedByAnotherProgramPastesIn) {
    auto xclip = OfferFromXclip("一行目\n二行目 with ASCII\n");
    EXPECT_TRUE(backend_->HasClipboardText());
    std::string text;
    ASSERT_TRUE(backend_->GetClipboardText(text));
    EXPECT_EQ(text, "一行目\r\n二行目 with ASCII\r\n");
    xclip->Stop();
}

TEST_F(X11ClipboardTest, TextWeCopyIsReadByOtherPrograms) {
    ASSERT_TRUE(backend_->SetClipboardText("ぽらりMEMO\r\nline two"));
    EXPECT_EQ(ReadWith({"xclip", "-selection", "clipboard", "-o"}), "ぽらりMEMO\nline two");
    // Served as long as we own it, again and by another reader.
    EXPECT_EQ(ReadWith({"xsel", "--clipboard", "--output"}), "ぽらりMEMO\nline two");
    std::string targets = ReadWith({"xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"});
    EXPECT_NE(targets.find("UTF8_STRING"), std::string::npos);
    EXPECT_NE(targets.find("TARGETS"), std::string::npos);
    // Our own reads need no round trip.
    std::string text;
    ASSERT_TRUE(backend_->GetClipboardText(text));
    EXPECT_EQ(text, "ぽらりMEMO\r\nline two");
}

std::string LargeText() {
    std::string text;
    for (int i = 0; text.size() < 1200 * 1024; ++i)
        text += "行 " + std::to_string(i) + " のテキスト、INCR で送られる大きな内容\n";
    return text;
}

TEST_F(X11ClipboardTest, LargeTextGoesOutInIncrPieces) {
    std::string text = LargeText();
    ASSERT_GT(text.size(), 1024u * 1024u);
    ASSERT_TRUE(backend_->SetClipboardText(text));
    std::string read = ReadWith({"xclip", "-selection", "clipboard", "-o"});
    EXPECT_EQ(read.size(), text.size());
    EXPECT_TRUE(read == text);
}

TEST_F(X11ClipboardTest, LargeTextComesInFromIncrPieces) {
    std::string text = LargeText();
    auto xclip = OfferFromXclip(text);
    std::string got;
    ASSERT_TRUE(backend_->GetClipboardText(got));
    EXPECT_EQ(got, Clipboard::FromX(text));
    xclip->Stop();
}

TEST_F(X11ClipboardTest, AnotherProgramTakingTheClipboardEndsOurOwnership) {
    ASSERT_TRUE(backend_->SetClipboardText("ours"));
    auto xclip = OfferFromXclip("theirs");
    HostEvent ev;
    EXPECT_TRUE(WaitFor([](const HostEvent& e) { return e.type == HostEventType::ClipboardChanged; }, &ev));
    std::string text;
    ASSERT_TRUE(backend_->GetClipboardText(text));
    EXPECT_EQ(text, "theirs");
    xclip->Stop();
    // With the owner gone there is no text.
    Pump(100);
    EXPECT_FALSE(backend_->HasClipboardText());
    EXPECT_FALSE(backend_->GetClipboardText(text));
}

}  // namespace
}  // namespace memopad_test
