// The text file dialogs on the system's open dialog: the preview pane lies
// below the standard controls and shows the file picked in the list.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "dialogs/text_file_dialogs.h"
#include "tests/classlib/ui_fixture.h"

namespace dialogs {
namespace {

using namespace win32;

class TextFileDialogWindowTest : public classlib::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        char pattern[] = "/tmp/textdlgXXXXXX";
        folder_ = mkdtemp(pattern);
        std::ofstream(folder_ + "/note.txt") << "first line\r\nsecond line\r\n";
    }
    void TearDown() override {
        std::string command = "rm -rf '" + folder_ + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << folder_;
        UiTest::TearDown();
    }
    // The list item's middle on the screen.
    static POINT ItemPoint(HWND list, int index) {
        RECT r{0, 0, 0, 0};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    }
    std::string folder_;
};

TEST_F(TextFileDialogWindowTest, PreviewPaneShowsThePickedFileBelowTheStandardControls) {
    TTextOpenDialog dialog(nullptr);
    dialog.SetPreview(true);
    dialog.SetFilter("Text  (*.txt)|*.txt|All  (*.*)|*.*");
    dialog.SetInitialDir(folder_);
    std::string shown;
    RECT memo{}, cancel{};
    bool paneBelow = false;
    headless->AddIdleStep([&] {
        HWND child = dialog.Handle();
        ASSERT_TRUE(child);
        HWND system = GetParent(child);
        HWND list = GetDlgItem(system, lst1);
        POINT p = ItemPoint(list, 0);
        headless->MouseMove(p);
        headless->MouseButton(p, backend::MouseButton::Left, true);
        headless->MouseButton(p, backend::MouseButton::Left, false);
        headless->AddIdleStep([&, system] {
            ASSERT_TRUE(dialog.PreviewMemo());
            shown = dialog.PreviewMemo()->Lines()->Text();
            GetWindowRect(dialog.PreviewMemo()->Handle(), &memo);
            GetWindowRect(GetDlgItem(system, IDCANCEL), &cancel);
            RECT client;
            GetClientRect(system, &client);
            MapWindowPoints(system, nullptr, reinterpret_cast<POINT*>(&client), 2);
            paneBelow = memo.top >= cancel.bottom && memo.bottom <= client.bottom;
            headless->Key(VK_RETURN, true);
            headless->Key(VK_RETURN, false);
        });
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ("first line\r\nsecond line\r\n", shown);
    EXPECT_TRUE(paneBelow) << memo.top << " " << cancel.bottom;
    EXPECT_EQ(folder_ + "/note.txt", dialog.FileName());
    EXPECT_EQ(nullptr, dialog.PreviewMemo()) << "the pane goes with the dialog";
}

}  // namespace
}  // namespace dialogs
