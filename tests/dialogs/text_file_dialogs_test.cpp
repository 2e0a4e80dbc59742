// The preview pane of the text file dialogs, on the dialog template laid
// into a plain window the way the system's file dialog lays it in.
#include "dialogs/text_file_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "classlib/text_file.h"
#include "tests/classlib/ui_fixture.h"
#include "tests/platform/kernel/temp_dir.h"

namespace dialogs {
namespace {

using namespace classlib;
using namespace win32;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class PreviewPaneTest : public classlib::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        host = new TForm(Application);
        host->SetBounds(40, 40, 520, 420);
        host->Show();
        open = new TTextOpenDialog(host);
        save = new TTextSaveDialog(host);
        open->SetSelectedPathQuery([this] { return selected; });
        save->SetSelectedPathQuery([this] { return selected; });
        Pump();
    }
    void TearDown() override {
        delete host;
        UiTest::TearDown();
    }

    // The template's child dialog as the system grows it: 500 by 360 with
    // the standard controls in the placeholder's 500 by 220.
    HWND MakeChildDialog() {
        HWND dialog = CreateDialogParamA(nullptr, kTextDialogTemplate, host->Handle(), PlainDialogProc, 0);
        EXPECT_NE(dialog, nullptr);
        SetWindowPos(dialog, nullptr, 0, 0, 500, 360, SWP_NOZORDER);
        SetWindowPos(GetDlgItem(dialog, kTemplatePlaceholderId), nullptr, 0, 0, 500, 220, SWP_NOZORDER);
        return dialog;
    }
    // Shows the pane, selects `path`, and gives the pane's text.
    std::string PreviewOf(TTextOpenDialog* d, const std::string& path) {
        selected = path;
        d->UpdatePreview();
        return d->PreviewMemo()->Text();
    }
    std::string File(const std::string& name, const std::string& bytes) {
        std::string path = dir.path() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Corpus(const std::string& name) {
        std::ifstream in(std::string(MEMOPAD_SOURCE_DIR) + "/fuzz/corpus/form_text_fuzz/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TForm* host = nullptr;
    TTextOpenDialog* open = nullptr;
    TTextSaveDialog* save = nullptr;
    std::string selected;
    win32::testing::TempDir dir;
};

TEST_F(PreviewPaneTest, TheTemplateIsRegisteredAsDescribed) {
    const DLGTEMPLATE* t = FindDialogTemplate(nullptr, "enhdlg1");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->cx, 200);
    EXPECT_EQ(t->cy, 100);
    EXPECT_EQ(t->typeface, "MS Sans Serif");
    EXPECT_EQ(t->pointSize, 8);
    EXPECT_EQ(t->style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL),
              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL);
    ASSERT_EQ(t->items.size(), 1u);
    EXPECT_EQ(t->items[0].id, 1119);
    EXPECT_EQ(t->items[0].cx, 200);
    EXPECT_EQ(t->items[0].cy, 20);
}

TEST_F(PreviewPaneTest, ThePaneLiesBelowThePlaceholderOnlyWhileShown) {
    EXPECT_FALSE(open->Preview());
    EXPECT_EQ(open->PreviewPanel(), nullptr);
    HWND dialog = MakeChildDialog();
    open->SetPreview(true);
    open->ShowPreviewPane(dialog);
    ASSERT_NE(open->PreviewPanel(), nullptr);
    EXPECT_EQ(open->PreviewPanel()->ParentWindow(), dialog);
    EXPECT_EQ(open->PreviewPanel()->BevelOuter(), bvNone);
    EXPECT_EQ(open->PreviewPanel()->BoundsRect(), Rect(0, 210, 500, 360));
    EXPECT_EQ(open->PreviewCheck()->BoundsRect(), Rect(5, 2, 205, 27));
    EXPECT_EQ(open->PreviewCheck()->Caption(), "内容をプレビューする(&P)");
    EXPECT_TRUE(open->PreviewCheck()->Checked());
    EXPECT_EQ(open->PreviewMemo()->BoundsRect(), Rect(5, 25, 5 + 490, 25 + 120));
    EXPECT_TRUE(open->PreviewMemo()->ReadOnly());
    EXPECT_EQ(open->PreviewMemo()->Font()->Name(), "ＭＳ ゴシック");
    open->ClosePreviewPane();
    EXPECT_EQ(open->PreviewPanel(), nullptr);
    EXPECT_EQ(open->PreviewCheck(), nullptr);
    EXPECT_EQ(open->PreviewMemo(), nullptr);
    EXPECT_TRUE(open->Preview());
    DestroyWindow(dialog);
}

TEST_F(PreviewPaneTest, TextShowsItsFirstKilobyteWithEveryKindOfLineBreak) {
    open->SetPreview(true);
    open->ShowPreviewPane(MakeChildDialog());
    EXPECT_EQ(PreviewOf(open, File("a.txt", "one\r\ntwo\nthree\rfour")), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(PreviewOf(open, File("sjis.txt", AnsiFromUtf8("日本語のテキスト"))), "日本語のテキスト");

    std::string longText(1000, 'a');
    longText += std::string(100, 'b');
    EXPECT_EQ(PreviewOf(open, File("long.txt", longText)), std::string(1000, 'a') + std::string(24, 'b'));

    EXPECT_EQ(PreviewOf(open, File("bin.dat", std::string("head\0tail", 9))), "head") << "a zero byte ends the text";
    EXPECT_EQ(PreviewOf(open, File("empty.txt", "")), "");
}

TEST_F(PreviewPaneTest, FormFilesAreShownInTheirTextFormByTheirExtensionInAnyCase) {
    open->SetPreview(true);
    open->ShowPreviewPane(MakeChildDialog());
    std::string form = Corpus("simple.dfm");
    ASSERT_FALSE(form.empty());
    std::string text = PreviewOf(open, File("FORM1.DFM", form));
    EXPECT_EQ(text.rfind("object Form1: TForm1\r\n  Left = 8\r\n", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 7), "\r\nend\r\n") << "the whole text form and nothing after it";
    EXPECT_EQ(PreviewOf(open, File("form1.~df", form)), text);
    // Not a form file: the raw bytes up to the header's zero byte.
    EXPECT_EQ(PreviewOf(open, File("form1.dfm.txt", form)), Utf8FromAnsi("\xFF") + "\r\n");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PreviewPaneTest, UnreadableFormFilesAndFilesAreReportedAndLeaveThePaneEmpty) {
    open->SetPreview(true);
    open->ShowPreviewPane(MakeChildDialog());
    PreviewOf(open, File("shown.txt", "shown"));
    EXPECT_EQ(PreviewOf(open, File("text.dfm", Corpus("text_form.dfm"))), "");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "不正なｽﾄﾘｰﾑ ﾌｫｰﾏｯﾄ.");
    EXPECT_EQ(PreviewOf(open, File("cut.dfm", Corpus("truncated.dfm"))), "");
    EXPECT_EQ(boxes.size(), 2u);
    boxes.clear();
    if (::geteuid() != 0) {
        std::string locked = File("locked.txt", "secret");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(PreviewOf(open, locked), "");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙ " + locked + " は開けません.");
    }
}

TEST_F(PreviewPaneTest, NothingSelectedAFolderOrAMissingNameEmptiesThePane) {
    open->SetPreview(true);
    open->ShowPreviewPane(MakeChildDialog());
    std::string shown = File("shown.txt", "shown");
    EXPECT_EQ(PreviewOf(open, shown), "shown");
    EXPECT_EQ(PreviewOf(open, dir.path()), "");
    PreviewOf(open, shown);
    EXPECT_EQ(PreviewOf(open, dir.path() + "/missing.txt"), "");
    PreviewOf(open, shown);
    EXPECT_EQ(PreviewOf(open, ""), "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PreviewPaneTest, TheCheckBoxEmptiesAndRefillsThePaneAndEachDialogKeepsItsState) {
    selected = File("shown.txt", "shown");
    open->SetPreview(true);
    open->ShowPreviewPane(MakeChildDialog());
    open->UpdatePreview();
    EXPECT_EQ(open->PreviewMemo()->Text(), "shown");
    Click(open->PreviewCheck());
    EXPECT_FALSE(open->Preview());
    EXPECT_EQ(open->PreviewMemo()->Text(), "") << "clearing the box empties the pane at once";
    Click(open->PreviewCheck());
    EXPECT_TRUE(open->Preview());
    EXPECT_EQ(open->PreviewMemo()->Text(), "shown") << "ticking it shows the current file";
    // Writing Preview while shown moves the box, which refreshes the pane.
    open->SetPreview(false);
    EXPECT_FALSE(open->PreviewCheck()->Checked());
    EXPECT_EQ(open->PreviewMemo()->Text(), "");
    open->ClosePreviewPane();
    EXPECT_FALSE(open->Preview()) << "the state at the end is kept for the next time";

    // The save dialog keeps a state of its own.
    save->SetPreview(true);
    save->ShowPreviewPane(MakeChildDialog());
    EXPECT_TRUE(save->PreviewCheck()->Checked());
    save->ClosePreviewPane();
    open->ShowPreviewPane(MakeChildDialog());
    EXPECT_FALSE(open->PreviewCheck()->Checked());
    open->UpdatePreview();
    EXPECT_EQ(open->PreviewMemo()->Text(), "");
}

TEST_F(PreviewPaneTest, ExecuteChoosesTheTemplateByTheDialogStyle) {
    open->SetSelectedPathQuery(nullptr);
    save->SetSelectedPathQuery(nullptr);
    std::string seen;
    bool placeholder = false;
    // Looks at the dialog once it is up, then cancels it.
    auto lookAndCancel = [&](TTextOpenDialog* d) {
        headless->AddIdleStep([&, d] {
            seen = d->Template();
            placeholder = d->Handle() && GetDlgItem(d->Handle(), kTemplatePlaceholderId);
            PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        });
    };
    lookAndCancel(open);
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(seen, "ENHDLG1");
    EXPECT_TRUE(placeholder);
    lookAndCancel(save);
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(seen, "ENHDLG1");
    EXPECT_TRUE(placeholder);

    open->SetOptions(open->Options() + ofOldStyleDialog);
    headless->AddIdleStep([&] { PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    open->Execute();
    headless->ClearIdleSteps();
    EXPECT_EQ(open->Template(), "");
}

// Clicks the list item of the system dialog that shows `name`.
void PickInList(backend::HeadlessBackend* headless, HWND system, const std::string& name) {
    HWND list = GetDlgItem(system, lst1);
    int index = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(name.c_str())));
    ASSERT_GE(index, 0) << name;
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &p);
    headless->MouseMove(p);
    headless->MouseButton(p, backend::MouseButton::Left, true);
    headless->MouseButton(p, backend::MouseButton::Left, false);
}

TEST_F(PreviewPaneTest, TheSystemDialogsSelectionReachesThePane) {
    File("FORM1.DFM", Corpus("simple.dfm"));
    File("note.txt", "note");
    std::filesystem::create_directory(dir.path() + "/sub");
    open->SetSelectedPathQuery(nullptr);
    open->SetPreview(true);
    open->SetFilter("All  (*.*)|*.*");
    open->SetInitialDir(dir.path());
    int selectionChanges = 0;
    open->OnSelectionChange = [&](TObject*) { ++selectionChanges; };
    std::string form, folder, cleared, note, path;
    headless->AddIdleStep([&] {
        HWND system = GetParent(open->Handle());
        PickInList(headless, system, "FORM1.DFM");
        headless->AddIdleStep([&, system] {
            form = open->PreviewMemo()->Text();
            PickInList(headless, system, "sub");
            headless->AddIdleStep([&, system] {
                folder = open->PreviewMemo()->Text();
                PickInList(headless, system, "note.txt");
                headless->AddIdleStep([&, system] {
                    Click(open->PreviewCheck());
                    cleared = open->PreviewMemo()->Text();
                    Click(open->PreviewCheck());
                    note = open->PreviewMemo()->Text();
                    std::vector<char> buffer(261, '\0');
                    SendMessageA(system, CDM_GETFILEPATH, 260, reinterpret_cast<LPARAM>(buffer.data()));
                    path = buffer.data();
                    Click(open->PreviewCheck());
                    PostMessageA(system, WM_COMMAND, IDCANCEL, 0);
                });
            });
        });
    });
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(form.rfind("object Form1: TForm1\r\n", 0), 0u) << form;
    EXPECT_EQ(folder, "");
    EXPECT_EQ(cleared, "");
    EXPECT_EQ(note, "note");
    EXPECT_EQ(path, dir.path() + "/note.txt");
    EXPECT_GE(selectionChanges, 3) << "the inherited notification still runs";
    EXPECT_EQ(open->PreviewPanel(), nullptr);
    EXPECT_FALSE(open->Preview()) << "the box's last state is kept";
    EXPECT_TRUE(boxes.empty());
}

TEST(PreviewText, CutsAtTheKilobyteAndTheZeroByteAndNormalisesLineBreaks) {
    EXPECT_EQ(PreviewTextOfBytes("a\rb\nc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(PreviewTextOfBytes(std::string(1023, 'x') + "\r\n"), std::string(1023, 'x') + "\r\n");
    EXPECT_EQ(PreviewTextOfBytes(std::string(2000, 'x')).size(), 1024u);
    EXPECT_EQ(PreviewTextOfBytes(std::string("\0abc", 4)), "");
}

}  // namespace
}  // namespace dialogs
