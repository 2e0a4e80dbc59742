// What the common dialogs refuse before any window is made, and the
// errors CommDlgExtendedError reports for it.
#include "platform/comdlg/commdlg.h"
#include "tests/support/window_fixture.h"

namespace test {
namespace {

class CommonDialogChecksTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 10, 300, 200});
        fr_.lStructSize = sizeof fr_;
        fr_.hwndOwner = owner_;
        fr_.lpstrFindWhat = find_;
        fr_.wFindWhatLen = sizeof find_;
        fr_.lpstrReplaceWith = replace_;
        fr_.wReplaceWithLen = sizeof replace_;
    }
    HWND owner_ = nullptr;
    char find_[64] = "abc";
    char replace_[64] = "";
    FINDREPLACEA fr_{};
};

TEST_F(CommonDialogChecksTest, FindAndReplaceRefuseBadStructures) {
    FINDREPLACEA bad = fr_;
    bad.lStructSize = 12;
    EXPECT_EQ(nullptr, FindTextA(&bad));
    EXPECT_EQ(CDERR_STRUCTSIZE, CommDlgExtendedError());

    bad = fr_;
    bad.wFindWhatLen = 0;
    EXPECT_EQ(nullptr, FindTextA(&bad));
    EXPECT_EQ(FRERR_BUFFERLENGTHZERO, CommDlgExtendedError());

    bad = fr_;
    bad.lpstrReplaceWith = nullptr;
    EXPECT_EQ(nullptr, ReplaceTextA(&bad));
    EXPECT_EQ(FRERR_BUFFERLENGTHZERO, CommDlgExtendedError());

    bad = fr_;
    bad.Flags = FR_ENABLEHOOK;
    EXPECT_EQ(nullptr, FindTextA(&bad));
    EXPECT_EQ(CDERR_NOHOOK, CommDlgExtendedError());

    bad = fr_;
    bad.Flags = FR_ENABLETEMPLATE;
    bad.lpTemplateName = "NO-SUCH-TEMPLATE";
    EXPECT_EQ(nullptr, FindTextA(&bad));
    EXPECT_EQ(CDERR_FINDRESFAILURE, CommDlgExtendedError());

    bad = fr_;
    bad.hwndOwner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234567));
    EXPECT_EQ(nullptr, FindTextA(&bad));
    EXPECT_EQ(CDERR_DIALOGFAILURE, CommDlgExtendedError());
    EXPECT_EQ(nullptr, FindTextA(nullptr));
}

TEST_F(CommonDialogChecksTest, OtherDialogsCheckSizesAndLimits) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = 7;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CDERR_STRUCTSIZE, CommDlgExtendedError());
    ofn.lStructSize = sizeof ofn;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(FNERR_BUFFERTOOSMALL, CommDlgExtendedError()) << "no file buffer";

    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.Flags = CF_LIMITSIZE;
    cf.nSizeMin = 20;
    cf.nSizeMax = 8;
    EXPECT_FALSE(ChooseFontA(&cf));
    EXPECT_EQ(CFERR_MAXLESSTHANMIN, CommDlgExtendedError());

    CHOOSECOLORA cc{};
    cc.lStructSize = 3;
    EXPECT_FALSE(ChooseColorA(&cc));
    EXPECT_EQ(CDERR_STRUCTSIZE, CommDlgExtendedError());
    PRINTDLGA pd{};
    pd.lStructSize = 1;
    EXPECT_FALSE(PrintDlgA(&pd));
    EXPECT_EQ(CDERR_STRUCTSIZE, CommDlgExtendedError());
}

TEST_F(CommonDialogChecksTest, FileTitles) {
    char title[16];
    EXPECT_EQ(0, GetFileTitleA("/home/user/memo.txt", title, sizeof title));
    EXPECT_STREQ("memo.txt", title);
    EXPECT_EQ(9, GetFileTitleA("C:\\dir\\memo.txt", nullptr, 0)) << "the size needed";
    EXPECT_EQ(9, GetFileTitleA("memo.txt", title, 4));
    EXPECT_EQ(-1, GetFileTitleA("/home/user/", title, sizeof title));
    EXPECT_EQ(-1, GetFileTitleA(nullptr, title, sizeof title));
}

}  // namespace
}  // namespace test
