#include "classlib/sysutils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/kernel/winbase.h"

namespace classlib {
namespace {

TEST(SysUtilsLocale, JapaneseSettings) {
    EXPECT_EQ(DateSeparator, "/");
    EXPECT_EQ(TimeSeparator, ":");
    EXPECT_EQ(ThousandSeparator, ",");
    EXPECT_EQ(DecimalSeparator, ".");
    EXPECT_EQ(ShortMonthNames[1], "1");
    EXPECT_EQ(ShortMonthNames[6], "6");
    EXPECT_EQ(ShortMonthNames[12], "12");
    EXPECT_EQ(LongMonthNames[6], "6月");
    EXPECT_EQ(ShortMonthNames[0], "");
    EXPECT_EQ(ShortMonthNames[13], "");
    EXPECT_EQ(ShortDayNames[1], "日");
    EXPECT_EQ(LongDayNames[2], "月曜日");
    EXPECT_EQ(LongTimeFormat, "h:mm:ss");
    EXPECT_EQ(ShortDateFormat, "yyyy/mm/dd");
    EXPECT_EQ(TimeAMString, "午前");
    EXPECT_EQ(TimePMString, "午後");
}

TEST(SysUtilsExceptions, MessagesAndKinds) {
    try {
        Abort();
    } catch (const EAbort& e) {
        EXPECT_EQ(e.Message(), SOperationAborted);
    }
    win32::SetLastError(win32::ERROR_FILE_NOT_FOUND);
    try {
        RaiseLastOSError();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), win32::ERROR_FILE_NOT_FOUND);
        EXPECT_NE(e.Message().find("指定されたファイルが見つかりません。"), std::string::npos);
    }
    EInOutError io("x", 5);
    EXPECT_EQ(io.ErrorCode(), 5);
    const Exception& base = EDivByZero(SDivByZero);
    EXPECT_STREQ(base.what(), "0 で除算しました");
}

TEST(SysUtilsStrings, TrimAndCase) {
    EXPECT_EQ(Trim("  \t abc \r\n"), "abc");
    EXPECT_EQ(Trim("\x01x\x7F"), "x\x7F");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("　全角　"), "　全角　");  // the ideographic blank is a character
    EXPECT_EQ(UpperCase("abcＡｂｃ"), "ABCＡｂｃ");
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_EQ(AnsiUpperCase("abcｘｙｚéαж"), "ABCＸＹＺÉΑЖ");
    EXPECT_EQ(AnsiLowerCase("ABCＸＹＺÉΑЖЁ"), "abcｘｙｚéαжё");
    EXPECT_EQ(AnsiLowerCase("日本語ｶﾅ"), "日本語ｶﾅ");
    EXPECT_EQ(AnsiLowerCase("a\xFF" "B"), "a\xFF" "b");
}

TEST(SysUtilsStrings, Comparisons) {
    EXPECT_EQ(AnsiCompareText("abc", "ABC"), 0);
    EXPECT_EQ(AnsiCompareText("ＡＢＣ", "ａｂｃ"), 0);
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_GT(AnsiCompareText("b", "A"), 0);
    EXPECT_LT(AnsiCompareText("ab", "abc"), 0);
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);
    EXPECT_LT(AnsiCompareStr("A", "b"), 0);
    EXPECT_EQ(AnsiCompareStr("Ab", "Ab"), 0);
    EXPECT_GT(CompareStr("a", "A"), 0);
    EXPECT_EQ(CompareText("Font", "FONT"), 0);
    EXPECT_TRUE(SameText("dfm", "DFM"));
    EXPECT_TRUE(AnsiSameText("ｄｆｍ", "ＤＦＭ"));
    EXPECT_EQ(AnsiPos("本", "日本語"), 4);
    EXPECT_EQ(AnsiPos("x", "日本語"), 0);
    EXPECT_EQ(AnsiPos("", "abc"), 0);
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {}), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {TReplaceFlag::rfReplaceAll}), "a+b+c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "_", {TReplaceFlag::rfReplaceAll, TReplaceFlag::rfIgnoreCase}), "a_b_c");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}

TEST(SysUtilsFileNames, Parts) {
    EXPECT_EQ(ExtractFileName("/home/user/memo.txt"), "memo.txt");
    EXPECT_EQ(ExtractFileName("memo.txt"), "memo.txt");
    EXPECT_EQ(ExtractFileName("/home/user/"), "");
    EXPECT_EQ(ExtractFilePath("/home/user/memo.txt"), "/home/user/");
    EXPECT_EQ(ExtractFilePath("memo.txt"), "");
    EXPECT_EQ(ExtractFileDir("/home/user/memo.txt"), "/home/user");
    EXPECT_EQ(ExtractFileDir("/memo.txt"), "/");
    EXPECT_EQ(ExtractFileExt("/a/FORM1.DFM"), ".DFM");
    EXPECT_EQ(ExtractFileExt("/a/form1.dfm.txt"), ".txt");
    EXPECT_EQ(ExtractFileExt("/a/form1.~df"), ".~df");
    EXPECT_EQ(ExtractFileExt("/a.b/memo"), "");
    EXPECT_EQ(ExtractFileExt("/a/memo."), ".");
    EXPECT_EQ(ChangeFileExt("/a/memo.txt", ".bak"), "/a/memo.bak");
    EXPECT_EQ(ChangeFileExt("/a.b/memo", ".txt"), "/a.b/memo.txt");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/usr/bin"), "/usr/bin/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/usr/bin/"), "/usr/bin/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/usr/bin/"), "/usr/bin");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(ExpandFileName("/a/b/../c"), "/a/c");
}

TEST(SysUtilsFileNames, Existence) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("sysutils_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "f.txt") << "x";
    fs::create_symlink(dir / "f.txt", dir / "link");
    EXPECT_TRUE(FileExists((dir / "f.txt").string()));
    EXPECT_TRUE(FileExists((dir / "link").string()));
    EXPECT_FALSE(FileExists(dir.string()));
    EXPECT_FALSE(FileExists((dir / "none").string()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(dir.string()));
    EXPECT_FALSE(DirectoryExists((dir / "f.txt").string()));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace classlib
