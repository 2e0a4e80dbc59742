#include "platform/shell/shellapi.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>

namespace win32 {
namespace {

namespace fs = std::filesystem;

// A folder on PATH holding a stand-in for the desktop's opener that writes
// its argument count and arguments, each ended by a zero byte, to a file.
class StubOpener : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "shelltest.XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        record = dir + "/args";
        WriteOpener("printf '%s\\0' \"$#\" \"$@\" > \"$0.tmp\"; mv \"$0.tmp\" \"" + record + "\"");
        const char* old = std::getenv("PATH");
        savedPath = old ? old : "";
        ::setenv("PATH", (dir + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", savedPath.c_str(), 1);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void WriteOpener(const std::string& body) {
        std::ofstream(dir + "/xdg-open") << "#!/bin/sh\n" << body << "\n";
        ::chmod((dir + "/xdg-open").c_str(), 0755);
    }
    // The arguments the opener received (count first), once it has run.
    std::vector<std::string> Received() {
        for (int i = 0; i < 500 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(record, std::ios::binary);
        std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i] == '\0') {
                parts.push_back(all.substr(start, i - start));
                start = i + 1;
            }
        }
        fs::remove(record);
        return parts;
    }
    INT_PTR Open(const std::string& file, const char* verb = "open") {
        return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, verb, file.c_str(), nullptr, nullptr, 5));
    }

    std::string dir, record, savedPath;
};

TEST_F(StubOpener, MailRequestArrivesAsOneWellFormedArgument) {
    EXPECT_GT(Open("mailto:?body=abc&"), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", "mailto:?body=abc&"}));

    EXPECT_GT(Open("mailto:?body="), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", "mailto:?body="}));

    EXPECT_GT(Open("mailto:?body=一行目\r\n2 & 3&"), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", "mailto:?body=%E4%B8%80%E8%A1%8C%E7%9B%AE%0D%0A2%20&%203&"}));

    EXPECT_GT(Open("https://www.example.com/"), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", "https://www.example.com/"}));
}

TEST_F(StubOpener, NoTextRunsAnyCommand) {
    const std::string pwned = dir + "/pwned";
    const std::vector<std::string> attacks = {
        "mailto:?body=$(touch " + pwned + ")&",
        "mailto:?body=`touch " + pwned + "`&",
        "mailto:?body=a; touch " + pwned + "; b&",
        "mailto:?body=a' ; touch " + pwned + " ; '&",
        "mailto:?body=a\" ; touch " + pwned + " ; \"&",
        "mailto:?body=x\ntouch " + pwned + "\n&",
        "mailto:?body=a & touch " + pwned + " &&",
        "mailto:?body=a | touch " + pwned + " > " + pwned + "&",
        "https://example.com/$(touch " + pwned + ")",
    };
    for (const std::string& attack : attacks) {
        ASSERT_GT(Open(attack), 32) << attack;
        std::vector<std::string> got = Received();
        ASSERT_EQ(got.size(), 2u) << attack;
        EXPECT_EQ(got[0], "1");
    }
    EXPECT_FALSE(fs::exists(pwned));
}

TEST_F(StubOpener, DocumentsByPath) {
    const std::string doc = dir + "/a b;$(x)'.txt";
    std::ofstream(doc) << "x";
    EXPECT_GT(Open(doc), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", doc}));
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, "a b;$(x)'.txt", nullptr, dir.c_str(), 5)), 32);
    EXPECT_EQ(Received(), (std::vector<std::string>{"1", doc}));

    EXPECT_EQ(Open(dir + "/missing.txt"), SE_ERR_FNF);
    EXPECT_EQ(Open(dir + "/no/such/file.txt"), SE_ERR_PNF);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", nullptr, nullptr, nullptr, 5)), 0);
}

TEST_F(StubOpener, OtherVerbsAndMissingOpener) {
    EXPECT_EQ(Open("https://example.com/", "print"), SE_ERR_NOASSOC);
    EXPECT_GT(Open("https://example.com/", "OPEN"), 32);
    Received();

    fs::remove(dir + "/xdg-open");
    ::setenv("PATH", dir.c_str(), 1);
    EXPECT_EQ(Open("https://example.com/"), SE_ERR_NOASSOC);
}

TEST_F(StubOpener, ReturnsAtOnceAndLeavesNoZombie) {
    WriteOpener("sleep 3; printf '%s\\0' \"$#\" > \"" + record + "\"");
    auto start = std::chrono::steady_clock::now();
    EXPECT_GT(Open("mailto:x@example.com"), 32);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // Every child of this process has been reaped already.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(StubOpener, OverlongRequestFailsWithoutStarting) {
    std::string huge = "mailto:?body=" + std::string(200000, 'a') + "&";
    EXPECT_EQ(Open(huge), SE_ERR_OOM);
}

}  // namespace
}  // namespace win32
