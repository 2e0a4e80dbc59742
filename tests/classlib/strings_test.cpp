#include "classlib/strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "classlib/list.h"
#include "classlib/streams.h"

namespace classlib {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("classlib_strings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

TEST(StringList, TextJoinsWithCrLfAndSplitsAnyBreak) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "four");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    list.SetText("a\r\n\r\nb");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, SortedAddFindAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    list.Add("pear");
    list.Add("Apple");
    list.Add("banana");
    EXPECT_EQ(list[0], "Apple");
    EXPECT_EQ(list[2], "pear");
    EXPECT_EQ(list.Add("apple"), 0);  // ignored duplicate, case-insensitive
    EXPECT_EQ(list.Count(), 3);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("PEAR"), EStringListError);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    int index = -1;
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf("BANANA"), 1);
}

TEST(StringList, ChangeEventsAreHeldDuringUpdate) {
    TStringList list;
    int changes = 0, changing = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.OnChanging = [&](TObject*) { ++changing; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);
    list.SetText("x\r\ny");
    EXPECT_EQ(changes, 3);
}

TEST(StringList, NamesValuesAndCommaText) {
    TStringList list;
    list.Add("Font=MS UI Gothic");
    list.SetValues("Size", "9");
    EXPECT_EQ(list.Values("font"), "MS UI Gothic");
    EXPECT_EQ(list.Names(1), "Size");
    list.SetValues("Size", "");
    EXPECT_EQ(list.Count(), 1);
    list.SetCommaText("a,\"b c\",\"say \"\"hi\"\"\",,d");
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list[1], "b c");
    EXPECT_EQ(list[2], "say \"hi\"");
    EXPECT_EQ(list[3], "");
    EXPECT_EQ(list.CommaText(), "a,\"b c\",\"say \"\"hi\"\"\",\"\",d");
}

TEST(StringList, IndexErrorsAndObjects) {
    TStringList list;
    TStringList tag;
    list.AddObject("x", &tag);
    EXPECT_EQ(list.Objects(0), &tag);
    EXPECT_EQ(list.IndexOfObject(&tag), 0);
    try {
        list.Get(3);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (3)");
    }
    list.Add("y");
    list.Move(0, 1);
    EXPECT_EQ(list[1], "x");
    EXPECT_EQ(list.Objects(1), &tag);
}

TEST(StringList, AssignFromStringsAndRefusesOthers) {
    TStringList a, b;
    a.SetText("1\r\n2");
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(&a));
    TMemoryStream notStrings;
    (void)notStrings;
    struct TOther : TPersistent {} other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST_F(TempDir, SaveAndLoadFileRoundTripWithCrLf) {
    TStringList list;
    list.Add("first");
    list.Add("second");
    list.SaveToFile(Path("a.txt"));
    EXPECT_EQ(ReadAll(Path("a.txt")), "first\r\nsecond\r\n");
    TStringList back;
    back.LoadFromFile(Path("a.txt"));
    EXPECT_TRUE(back.Equals(&list));
}

TEST_F(TempDir, FilesAreCodePage932AndKeepInvalidBytes) {
    TStringList list;
    list.Add("日本語");
    list.SaveToFile(Path("j.txt"));
    EXPECT_EQ(ReadAll(Path("j.txt")), "\x93\xfa\x96\x7b\x8c\xea\r\n");
    // A lone lead byte and a stray trail byte come back as they were.
    std::string odd = "a\x82\r\n\xfd\xa0z\r\n";
    {
        std::ofstream(Path("odd.txt"), std::ios::binary) << odd;
    }
    TStringList back;
    back.LoadFromFile(Path("odd.txt"));
    EXPECT_EQ(back.Count(), 2);
    back.SaveToFile(Path("odd2.txt"));
    EXPECT_EQ(ReadAll(Path("odd2.txt")), odd);
}

TEST_F(TempDir, LoadMissingFileRaisesOpenErrorWithName) {
    TStringList list;
    std::string path = Path("missing.txt");
    try {
        list.LoadFromFile(path);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + path + " は開けません");
    }
    EXPECT_THROW(list.LoadFromFile(dir.string()), EFOpenError);
}

TEST_F(TempDir, FailedSaveLeavesOldFile) {
    std::string path = Path("keep.txt");
    {
        std::ofstream(path, std::ios::binary) << "old\r\n";
    }
    TStringList list;
    list.Add("new");
    EXPECT_THROW(list.SaveToFile(Path("nodir/x.txt")), EFCreateError);
    EXPECT_THROW(list.SaveToFile(dir.string()), EFCreateError);
    EXPECT_EQ(ReadAll(path), "old\r\n");
    list.SaveToFile(path);
    EXPECT_EQ(ReadAll(path), "new\r\n");
}

TEST(List, IndexChecksMoveAndSort) {
    int a = 3, b = 1, c = 2;
    TList<int> list;
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    list.Sort([](int* x, int* y) { return *x - *y; });
    EXPECT_EQ(*list[0], 1);
    EXPECT_EQ(*list.Last(), 3);
    list.Move(0, 2);
    EXPECT_EQ(list[2], &b);
    EXPECT_EQ(list.Remove(&c), 0);
    EXPECT_EQ(list.IndexOf(&c), -1);
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Insert(5, &a), EListError);
}

TEST(Streams, MemoryStreamReadWriteSeek) {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Size(), 5);
    m.SetPosition(1);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 10), 4);
    EXPECT_STREQ(buf, "ello");
    m.SetPosition(3);
    EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);
    try {
        m.ReadBuffer(buf, 3);
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "ｽﾄﾘｰﾑからの読み込みに失敗しました");
    }
    m.Seek(0, soEnd);
    m.WriteBuffer("!", 1);
    EXPECT_EQ(m.Size(), 6);
    TStringStream s;
    s.CopyFrom(&m, 0);
    EXPECT_EQ(s.DataString(), "hello!");
}

TEST_F(TempDir, FileStreamCreateErrorsNameTheFile) {
    std::string bad = Path("no/such/dir/f.bin");
    try {
        TFileStream f(bad, fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "ﾌｧｲﾙ " + bad + " を作成できません");
    }
    {
        TFileStream f(Path("f.bin"), fmCreate);
        f.WriteBuffer("abc", 3);
    }
    TFileStream r(Path("f.bin"), fmOpenRead);
    EXPECT_EQ(r.Size(), 3);
    char buf[4] = {};
    r.ReadBuffer(buf, 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_THROW(r.WriteBuffer("x", 1), EWriteError);
}

}  // namespace
}  // namespace classlib
