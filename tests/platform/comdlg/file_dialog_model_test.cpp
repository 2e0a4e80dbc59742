// The open and save dialogs' rules apart from their windows: filters,
// wildcards, folder listings, start folders, typed paths, extensions and
// writing the answer back.
#include "platform/comdlg/file_dialog_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

namespace win32::comdlg {
namespace {

class FileDialogModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/comdlg_model_XXXXXX";
        root_ = ::mkdtemp(tmpl);
        Touch("b.txt");
        Touch("A.TXT");
        Touch("memo.rtf");
        Touch("notes");
        Touch(".hidden.txt");
        ::mkdir((root_ + "/Sub").c_str(), 0755);
        ::mkdir((root_ + "/alpha").c_str(), 0755);
    }
    void TearDown() override { std::system(("rm -rf '" + root_ + "'").c_str()); }
    void Touch(const std::string& name) { std::ofstream(root_ + "/" + name) << "x"; }

    std::string root_;
};

TEST_F(FileDialogModelTest, FilterPairsAndWildcards) {
    const char filter[] = "Text  (*.txt)\0*.txt\0RichText  (*.rtf)\0*.rtf;*.doc\0All  (*.*)\0*.*\0\0";
    auto f = ParseFilter(filter);
    ASSERT_EQ(3u, f.size());
    EXPECT_EQ("Text  (*.txt)", f[0].description);
    EXPECT_EQ((std::vector<std::string>{"*.rtf", "*.doc"}), f[1].patterns);
    EXPECT_TRUE(ParseFilter(nullptr).empty());
    EXPECT_EQ(1u, ParseFilter("Lone\0*.a\0Dangling\0\0").size()) << "an unpaired description is dropped";

    EXPECT_TRUE(MatchesPattern("Memo.TXT", "*.txt"));
    EXPECT_FALSE(MatchesPattern("memo.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesPattern("noext", "*.*"));
    EXPECT_TRUE(MatchesPattern("a1.c", "a?.c"));
    EXPECT_FALSE(MatchesPattern("a12.c", "a?.c"));
    EXPECT_TRUE(MatchesPattern("xabcabd", "*ab?"));
}

TEST_F(FileDialogModelTest, ListingPutsFoldersFirstAndFiltersFiles) {
    auto entries = ListFolder(root_, {"*.txt"}, false);
    std::vector<std::string> names;
    for (auto& e : entries) names.push_back(e.name + (e.isFolder ? "/" : ""));
    EXPECT_EQ((std::vector<std::string>{"alpha/", "Sub/", "A.TXT", "b.txt"}), names);
    auto all = ListFolder(root_, {"*.*"}, true);
    EXPECT_EQ(7u, all.size()) << "five files and two folders, the hidden one included";
    EXPECT_TRUE(ListFolder(root_ + "/missing", {"*.*"}, false).empty());
}

TEST_F(FileDialogModelTest, StartFolderFallsBackToAnExistingParent) {
    EXPECT_EQ(root_, StartFolder("", root_.c_str()));
    EXPECT_EQ(root_ + "/Sub", StartFolder(root_ + "/Sub/new.txt", root_.c_str())) << "the file field's folder wins";
    EXPECT_EQ(root_, StartFolder("", (root_ + "/gone/deeper").c_str())) << "a folder that does not exist";
    char cwd[4096];
    ASSERT_TRUE(::getcwd(cwd, sizeof cwd));
    EXPECT_EQ(std::string(cwd), StartFolder("memo.txt", nullptr));
}

TEST_F(FileDialogModelTest, TypedNamesAndExtensions) {
    EXPECT_EQ(root_ + "/memo", ResolveTyped(root_ + "/Sub", "../memo"));
    EXPECT_EQ("/etc/hosts", ResolveTyped(root_, "/etc//./hosts"));
    EXPECT_EQ(root_ + "/Sub/x.txt", ResolveTyped(root_, "Sub\\x.txt"));
    EXPECT_EQ("/", ParentFolder("/"));
    EXPECT_EQ("/a", ParentFolder("/a/b/"));

    Filter text{"Text", {"*.txt"}};
    Filter all{"All", {"*.*"}};
    EXPECT_EQ("txt", ExtensionToAdd("/x/memo", "txt", &text));
    EXPECT_EQ("txt", ExtensionToAdd("/x/memo", "log", &text)) << "the filter's extension comes first";
    EXPECT_EQ("log", ExtensionToAdd("/x/memo", "log", &all));
    EXPECT_EQ("", ExtensionToAdd("/x/memo", nullptr, &text)) << "without a default extension nothing is added";
    EXPECT_EQ("", ExtensionToAdd("/x/memo.rtf", "txt", &text));
    EXPECT_TRUE(IsPattern("*.c"));
    EXPECT_FALSE(IsPattern("memo.c"));
}

TEST_F(FileDialogModelTest, ResultFieldsAndTooSmallBuffers) {
    char file[64] = {};
    char title[8] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrDefExt = "txt";
    DWORD error = 1;
    ASSERT_TRUE(WriteResult(ofn, "/home/user/memo.rtf", &error));
    EXPECT_EQ(0u, error);
    EXPECT_STREQ("/home/user/memo.rtf", file);
    EXPECT_EQ(11, ofn.nFileOffset);
    EXPECT_EQ(16, ofn.nFileExtension);
    EXPECT_STREQ("memo.rt", title) << "cut to its buffer";
    EXPECT_TRUE(ofn.Flags & OFN_EXTENSIONDIFFERENT);
    ASSERT_TRUE(WriteResult(ofn, "/home/user/memo", &error));
    EXPECT_EQ(15, ofn.nFileExtension) << "no extension: the terminator";

    ofn.nMaxFile = 10;
    EXPECT_FALSE(WriteResult(ofn, "/home/user/memo.txt", &error));
    EXPECT_EQ(FNERR_BUFFERTOOSMALL, error);
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof needed);
    EXPECT_EQ(20, needed);
}

}  // namespace
}  // namespace win32::comdlg
