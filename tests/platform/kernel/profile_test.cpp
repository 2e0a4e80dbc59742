#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/kernel/codepage.h"
#include "platform/kernel/profile.h"
#include "platform/kernel/profile_file.h"
#include "tests/platform/kernel/temp_dir.h"

namespace win32 {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class Profile : public ::testing::Test {
protected:
    std::string Get(const char* section, const char* key, const char* def = "DEF", DWORD size = 1024) {
        std::vector<char> buffer(size + 1, '#');
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer.data(), size, path.c_str());
        lastLength = n;
        return std::string(buffer.data(), n);
    }
    std::vector<std::string> List(const char* section, DWORD size = 1024) {
        std::vector<char> buffer(size, '#');
        DWORD n = GetPrivateProfileStringA(section, nullptr, "x", buffer.data(), size, path.c_str());
        std::vector<std::string> items;
        for (DWORD i = 0; i < n;) {
            std::string item(buffer.data() + i);
            items.push_back(item);
            i += static_cast<DWORD>(item.size()) + 1;
        }
        lastLength = n;
        return items;
    }
    bool Put(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, path.c_str()) != FALSE;
    }

    TempDir dir;
    std::string path = dir / "PMemo.ini";
    DWORD lastLength = 0;
};

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Get("Option", "Font"), "DEF");
    EXPECT_EQ(Get("Option", "Font", "Erorr   "), "Erorr");  // trailing blanks of the default go
    EXPECT_EQ(Get("Option", "Font", nullptr), "");
    WriteBytes(path, "[Option]\r\nFont=IPAGothic\r\n");
    EXPECT_EQ(Get("Form", "Top"), "DEF");
    EXPECT_EQ(Get("Option", "FontSize"), "DEF");
    EXPECT_EQ(Get("Option", "Font"), "IPAGothic");
}

TEST_F(Profile, NamesIgnoreCaseAndBlanksValuesLoseBlanksAndOneQuotePair) {
    WriteBytes(path,
               "  [ Option ]  \r\n"
               "  MyName  =   ABC def  \r\n"
               "Quoted=\"x y\"\r\n"
               "Single=' z '\r\n"
               "Nested=\"'q'\"\r\n"
               "Unmatched=\"abc\r\n"
               "Empty=\r\n"
               "Tabs=\t1\t\r\n");
    EXPECT_EQ(Get("option", "MYNAME"), "ABC def");
    EXPECT_EQ(Get("OPTION", " myname "), "ABC def");
    EXPECT_EQ(Get("Option", "Quoted"), "x y");
    EXPECT_EQ(Get("Option", "Single"), " z ");
    EXPECT_EQ(Get("Option", "Nested"), "'q'");
    EXPECT_EQ(Get("Option", "Unmatched"), "\"abc");
    EXPECT_EQ(Get("Option", "Empty"), "");  // present but empty: not the default
    EXPECT_EQ(Get("Option", "Tabs"), "1");
}

TEST_F(Profile, BufferSizeCutsTheValueOnAWholeCharacter) {
    WriteBytes(path, text::Utf8ToSjis("[Option]\r\nMyName=abcdefgh\r\nJp=日本語\r\n"));
    EXPECT_EQ(Get("Option", "MyName", "", 4), "abc");
    EXPECT_EQ(lastLength, 3u);
    EXPECT_EQ(Get("Option", "MyName", "", 1), "");
    EXPECT_EQ(Get("Option", "Jp", "", 5), "日");
    EXPECT_EQ(Get("Option", "Missing", "defaultvalue", 5), "defa");
    char untouched = '#';
    EXPECT_EQ(GetPrivateProfileStringA("Option", "MyName", "", &untouched, 0, path.c_str()), 0u);
    EXPECT_EQ(untouched, '#');

    std::string big(2000, 'n');
    ASSERT_TRUE(Put("Option", "MyName", big.c_str()));
    EXPECT_EQ(Get("Option", "MyName", "", 1024), big.substr(0, 1023));
    EXPECT_EQ(kernel::ReadProfileValue(path, "Option", "MyName"), big);
}

TEST_F(Profile, OddFilesReadWithoutTrouble) {
    std::string binary("[Option]\r\nFont=A\0B\r\n\xFF\xFE\x01junk\r\nX=\x80\x81\r\n", 35);
    WriteBytes(path, binary);
    EXPECT_EQ(Get("Option", "Font"), "A");  // a zero byte ends the string as in C
    EXPECT_EQ(lastLength, 1u);
    // Bytes that are not Shift-JIS arrive as the code page's byte escapes.
    EXPECT_EQ(Get("Option", "X", "d", 10), text::SjisToUtf8("\x80\x81"));

    // Duplicates: the first section and the first key are the ones read.
    WriteBytes(path, "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(Get("A", "k"), "1");
    EXPECT_EQ(Get("A", "j"), "DEF");

    // No final line break, lone CR and lone LF line ends, keys before any
    // section, lines without '='.
    WriteBytes(path, "orphan=1\rjunk line\r[S]\rk=v\nlast=end");
    EXPECT_EQ(Get("S", "k"), "v");
    EXPECT_EQ(Get("S", "last"), "end");
    EXPECT_EQ(Get("S", "orphan"), "DEF");
    EXPECT_EQ(Get("S", "junk line"), "DEF");

    std::string longLine = "[S]\r\nlong=" + std::string(1 << 20, 'x') + "\r\nafter=ok\r\n";
    WriteBytes(path, longLine);
    EXPECT_EQ(Get("S", "after"), "ok");
    EXPECT_EQ(Get("S", "long", "", 8), "xxxxxxx");

    // A folder in place of the file reads as a missing file.
    std::string folder = dir / "folder.ini";
    ::mkdir(folder.c_str(), 0755);
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", buffer, sizeof buffer, folder.c_str()), 1u);
    EXPECT_STREQ(buffer, "d");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", folder.c_str()));
}

TEST_F(Profile, WritingCreatesTheFileWithCrLf) {
    ASSERT_TRUE(Put("Option", "Font", "Erorr"));
    ASSERT_TRUE(Put("Option", "FontSize", "10"));
    ASSERT_TRUE(Put("Form", "Top", "0"));
    ASSERT_TRUE(Put("option", "FONTSIZE", "12"));
    EXPECT_EQ(ReadBytes(path), "[Option]\r\nFont=Erorr\r\nFontSize=12\r\n[Form]\r\nTop=0\r\n");
}

TEST_F(Profile, WritingKeepsEveryOtherLineAsItWas) {
    const std::string original =
        "; a comment\n"
        "[Option]\n"
        "  Font = IPAGothic \n"
        "odd line\n"
        "\n"
        "[Form]\r"
        "Top=5";
    WriteBytes(path, original);
    ASSERT_TRUE(Put("OPTION", "font", "IPAMincho"));
    EXPECT_EQ(ReadBytes(path),
              "; a comment\n[Option]\nFont=IPAMincho\nodd line\n\n[Form]\rTop=5");

    // A new key goes after the section's last line, before blank lines.
    ASSERT_TRUE(Put("Option", "BGColor", "16777175"));
    EXPECT_EQ(ReadBytes(path),
              "; a comment\n[Option]\nFont=IPAMincho\nodd line\nBGColor=16777175\r\n\n[Form]\rTop=5");

    // After a last line without a line break, one is added first.
    ASSERT_TRUE(Put("Form", "Left", "7"));
    EXPECT_TRUE(ReadBytes(path).ends_with("[Form]\rTop=5\r\nLeft=7\r\n"));
    ASSERT_TRUE(Put("New", "k", "v"));
    EXPECT_TRUE(ReadBytes(path).ends_with("Left=7\r\n[New]\r\nk=v\r\n"));
}

TEST_F(Profile, BinaryBytesAndLongLinesSurviveAWrite) {
    std::string binary = std::string("\xFF\xFE\x00\x01 junk\r\n[Option]\r\nX=\x80\x81\xFC\r\n", 28) +
                         std::string(300000, 'L') + "\r\n";
    WriteBytes(path, binary);
    ASSERT_TRUE(Put("Option", "Font", "A"));
    // The long line belongs to the section, so the new key follows it.
    EXPECT_TRUE(ReadBytes(path) == binary + "Font=A\r\n");
}

TEST_F(Profile, DeletingKeysAndSections) {
    WriteBytes(path, "[A]\r\nk=1\r\nj=2\r\n[B]\r\nm=3\r\n");
    ASSERT_TRUE(Put("A", "k", nullptr));
    EXPECT_EQ(ReadBytes(path), "[A]\r\nj=2\r\n[B]\r\nm=3\r\n");
    ASSERT_TRUE(Put("a", nullptr, nullptr));
    EXPECT_EQ(ReadBytes(path), "[B]\r\nm=3\r\n");

    // Deleting what is not there leaves the file alone and creates none.
    struct stat before{}, after{};
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(Put("B", "absent", nullptr));
    ::stat(path.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    ASSERT_TRUE(WritePrivateProfileStringA("X", "k", nullptr, (dir / "none.ini").c_str()));
    EXPECT_EQ(::access((dir / "none.ini").c_str(), F_OK), -1);
}

TEST_F(Profile, LineBreaksCannotAddLines) {
    ASSERT_TRUE(Put("Option", "MyName", "abc\r\n[Form]\r\nTop=99"));
    EXPECT_EQ(Get("Option", "MyName"), "abc");
    EXPECT_EQ(Get("Form", "Top"), "DEF");
    ASSERT_TRUE(Put("Option", "k\nx", "v"));
    EXPECT_EQ(Get("Option", "k"), "v");
}

TEST_F(Profile, UnwritableFileGivesFalseAndStaysAsItWas) {
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", (dir / "no/such/folder.ini").c_str()));
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", nullptr));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", path.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()));
}

TEST_F(Profile, EnumeratingSectionsAndKeys) {
    WriteBytes(path, "[Option]\r\nFont=a\r\nfont=b\r\nSize=1\r\n[Form]\r\nTop=0\r\n[OPTION]\r\nX=1\r\n");
    EXPECT_EQ(List(nullptr), (std::vector<std::string>{"Option", "Form"}));
    EXPECT_EQ(List("option"), (std::vector<std::string>{"Font", "Size"}));
    EXPECT_EQ(List("none"), (std::vector<std::string>{}));

    char buffer[64];
    DWORD n = GetPrivateProfileSectionNamesA(buffer, sizeof buffer, path.c_str());
    EXPECT_EQ(std::string(buffer, n + 1), std::string("Option\0Form\0\0", 13));
    EXPECT_EQ(buffer[n], '\0');

    // Too small: the last name is cut, two terminators end the list, and
    // the result is size - 2.
    n = GetPrivateProfileStringA(nullptr, nullptr, nullptr, buffer, 10, path.c_str());
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(std::string(buffer, 10), std::string("Option\0F\0\0", 10));

    n = GetPrivateProfileSectionA("Form", buffer, sizeof buffer, path.c_str());
    EXPECT_EQ(std::string(buffer, n), std::string("Top=0\0", 6));
}

TEST_F(Profile, IntegersFollowWindows) {
    WriteBytes(path, "[N]\r\ndec=42\r\nhex=0x1F\r\nneg=-5\r\ntail=12abc\r\nword=abc\r\nempty=\r\nq=\"7\"\r\n");
    auto Int = [&](const char* key) { return GetPrivateProfileIntA("N", key, 99, path.c_str()); };
    EXPECT_EQ(Int("dec"), 42u);
    EXPECT_EQ(Int("hex"), 31u);
    EXPECT_EQ(Int("neg"), static_cast<UINT>(-5));
    EXPECT_EQ(Int("tail"), 12u);
    EXPECT_EQ(Int("word"), 0u);
    EXPECT_EQ(Int("empty"), 99u);
    EXPECT_EQ(Int("q"), 7u);
    EXPECT_EQ(Int("missing"), 99u);
}

TEST_F(Profile, FilesAreCodePage932OnDisk) {
    ASSERT_TRUE(Put("Option", "MyName", "ぽらりMEMO"));
    EXPECT_EQ(ReadBytes(path), "[Option]\r\nMyName=\x82\xDB\x82\xE7\x82\xE8MEMO\r\n");
    EXPECT_EQ(Get("Option", "MyName"), "ぽらりMEMO");

    // Trail bytes that look like '[' or '\\' belong to their character.
    WriteBytes(path, "[\x83\x5C\x83\x74\x83\x67]\r\n\x81\x5B=\x83\x5C\r\n");
    EXPECT_EQ(List(nullptr), (std::vector<std::string>{"ソフト"}));
    EXPECT_EQ(Get("ソフト", "ー"), "ソ");

    // A character code page 932 cannot hold is written as '?'.
    ASSERT_TRUE(Put("Option", "Emoji", "a😀b"));
    EXPECT_EQ(Get("Option", "Emoji"), "a?b");
}

TEST(ProfileValue, CutsAtCodePageBytes) {
    EXPECT_EQ(kernel::CutToCodePageBytes("日本語abc", 7), "日本語a");
    EXPECT_EQ(kernel::CutToCodePageBytes("日本語abc", 5), "日本");
    EXPECT_EQ(kernel::CutToCodePageBytes("ｱｲｳ", 2), "ｱｲ");
    EXPECT_EQ(kernel::CutToCodePageBytes("abc", 10), "abc");
    std::string longName;
    for (int i = 0; i < 1000; ++i) longName += "名";
    EXPECT_EQ(kernel::CutToCodePageBytes(longName, 1023), longName.substr(0, 511 * 3));
}

TEST(ProfileFile, ContentRoundTripsUnchanged) {
    for (std::string text : {std::string(""), std::string("a"), std::string("\r\n\r\n"), std::string("x\ry\nz\r\n"),
                             std::string("[S]\r\nk=v")}) {
        EXPECT_EQ(kernel::ProfileFile(text).Content(), text);
    }
}

}  // namespace
}  // namespace win32
