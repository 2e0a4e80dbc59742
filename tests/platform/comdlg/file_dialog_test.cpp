// The open and save dialogs as a person uses them: typing a name or
// picking it from the list, entering folders, filters and wildcards, the
// questions before a missing or an existing file, and what the caller gets
// back; and as a program extends them: a hook with a child template.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>

#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

// What the hook of the extension tests saw and does.
struct HookLog {
    std::vector<UINT> codes;  // CDN_* in order
    HWND child = nullptr;
    LPARAM initParam = 0;
    std::vector<std::string> selectedPaths;  // CDM_GETFILEPATH at each CDN_SELCHANGE
    std::string folderAtChange;
    int refuseFileOk = 0;  // how many CDN_FILEOK to refuse
    RECT placeholder{0, 0, 0, 0};  // stc32 at CDN_INITDONE, screen coordinates
};
HookLog* g_hook = nullptr;

// A message box's text with its line breaks as plain LFs.
std::string Plain(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string Ask(HWND child, UINT msg) {
    char buffer[MAX_PATH] = {};
    LRESULT n = SendMessageA(GetParent(child), msg, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return n > 0 ? std::string(buffer) : std::string("<error>");
}

UINT_PTR CALLBACK RecordingHook(HWND child, UINT msg, WPARAM, LPARAM lParam) {
    if (!g_hook) return 0;
    if (msg == WM_INITDIALOG) {
        g_hook->child = child;
        g_hook->initParam = lParam;
        return TRUE;
    }
    if (msg != WM_NOTIFY) return 0;
    const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
    g_hook->codes.push_back(note->hdr.code);
    switch (note->hdr.code) {
        case CDN_INITDONE: GetWindowRect(GetDlgItem(child, stc32), &g_hook->placeholder); break;
        case CDN_SELCHANGE: g_hook->selectedPaths.push_back(Ask(child, CDM_GETFILEPATH)); break;
        case CDN_FOLDERCHANGE: g_hook->folderAtChange = Ask(child, CDM_GETFOLDERPATH); break;
        case CDN_FILEOK:
            if (g_hook->refuseFileOk > 0) {
                --g_hook->refuseFileOk;
                SetWindowLongPtrA(child, DWLP_MSGRESULT, 1);
                return TRUE;
            }
            break;
        default: break;
    }
    return 0;
}

class FileDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        char pattern[] = "/tmp/filedlgXXXXXX";
        folder_ = mkdtemp(pattern);
        for (const char* name : {"memo.txt", "a.txt", "b.log", "README"}) Write(folder_ + "/" + name);
        mkdir((folder_ + "/sub").c_str(), 0755);
        Write(folder_ + "/sub/inner.txt");
        char cwd[4096] = {};
        savedCwd_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 700, 560}, nullptr, 0, "メモ");
        RunUntilIdle();
        ofn_.lStructSize = sizeof ofn_;
        ofn_.hwndOwner = owner_;
        ofn_.lpstrFilter = "Text  (*.txt)\0*.txt\0Log\0*.log\0All  (*.*)\0*.*\0";
        ofn_.nFilterIndex = 1;
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = sizeof file_;
        ofn_.lpstrFileTitle = title_;
        ofn_.nMaxFileTitle = sizeof title_;
        ofn_.lpstrInitialDir = folder_.c_str();
        ofn_.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    }
    void TearDown() override {
        g_hook = nullptr;
        if (chdir(savedCwd_.c_str()) != 0) ADD_FAILURE() << "could not go back to " << savedCwd_;
        std::string command = "rm -rf '" + folder_ + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not remove " << folder_;
        DialogTest::TearDown();
    }

    static void Write(const std::string& path) { std::ofstream(path) << "text\r\n"; }

    // The file dialog that is up (its caption tells open from save).
    static HWND Dialog() {
        HWND d = FindDialogWindow("ファイルを開く");
        return d ? d : FindDialogWindow("名前を付けて保存");
    }
    // The items of the file list as shown.
    static std::vector<std::string> ListItems(HWND dialog) {
        std::vector<std::string> out;
        HWND list = GetDlgItem(dialog, lst1);
        LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char text[MAX_PATH] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    static int ListIndexOf(HWND dialog, const std::string& shown) {
        std::vector<std::string> items = ListItems(dialog);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == shown) return static_cast<int>(i);
        }
        return -1;
    }
    // Clicks (or double-clicks) an item of the file list.
    void QueueClickItem(HWND dialog, const std::string& shown, bool twice = false) {
        HWND list = GetDlgItem(dialog, lst1);
        int index = ListIndexOf(dialog, shown);
        ASSERT_GE(index, 0) << shown << " is not in the list";
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        RECT r{0, 0, 0, 0};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        if (twice) QueueDoubleClick(p.x, p.y);
        else QueueClick(p.x, p.y);
    }
    // Types into the name field and presses Enter.
    void QueueName(HWND dialog, const std::string& name) {
        SetFocus(GetDlgItem(dialog, edt1));
        SetDlgItemTextA(dialog, edt1, "");
        QueueText(name);
        QueueKey(VK_RETURN);
    }
    // Runs `steps` one after another, each when the program next waits.
    using Steps = std::vector<std::function<void()>>;
    void Script(Steps steps) { RunStep(std::make_shared<Steps>(std::move(steps)), 0); }
    void RunStep(std::shared_ptr<Steps> steps, std::size_t i) {
        if (i >= steps->size()) return;
        WhenIdle([this, steps, i] {
            (*steps)[i]();
            RunStep(steps, i + 1);
        });
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
    std::string savedCwd_;
    HWND owner_ = nullptr;
    char file_[MAX_PATH] = "";
    char title_[64] = "";
    OPENFILENAMEA ofn_{};
};

TEST_F(FileDialogTest, OpenShowsJapaneseControlsAndTakesATypedName) {
    struct {
        std::string labels[3], ok, cancel, folder;
        bool ownerEnabled = true, hasReadOnly = true;
        std::vector<std::string> items;
        std::string type;
    } seen;
    ofn_.Flags |= OFN_FILEMUSTEXIST;
    Script({[&] {
        HWND d = Dialog();
        ASSERT_TRUE(d);
        seen.labels[0] = TextOf(GetDlgItem(d, stc4));
        seen.labels[1] = TextOf(GetDlgItem(d, stc3));
        seen.labels[2] = TextOf(GetDlgItem(d, stc2));
        seen.ok = TextOf(GetDlgItem(d, IDOK));
        seen.cancel = TextOf(GetDlgItem(d, IDCANCEL));
        seen.ownerEnabled = IsWindowEnabled(owner_);
        seen.hasReadOnly = GetDlgItem(d, chx1) != nullptr;
        seen.items = ListItems(d);
        seen.type = TextOf(GetDlgItem(d, cmb1));
        QueueName(d, "memo.txt");
    }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_)) << CommDlgExtendedError();
    EXPECT_EQ("ファイルの場所(&I):", seen.labels[0]);
    EXPECT_EQ("ファイル名(&N):", seen.labels[1]);
    EXPECT_EQ("ファイルの種類(&T):", seen.labels[2]);
    EXPECT_EQ("開く(&O)", seen.ok);
    EXPECT_EQ("キャンセル", seen.cancel);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_FALSE(seen.hasReadOnly) << "OFN_HIDEREADONLY";
    EXPECT_EQ((std::vector<std::string>{"sub", "a.txt", "memo.txt"}), seen.items) << "folders, then *.txt";
    EXPECT_EQ("Text  (*.txt)", seen.type);

    EXPECT_EQ(Path("memo.txt"), file_);
    EXPECT_EQ(folder_.size() + 1, ofn_.nFileOffset);
    EXPECT_STREQ("txt", file_ + ofn_.nFileExtension);
    EXPECT_STREQ("memo.txt", title_);
    EXPECT_EQ(1u, ofn_.nFilterIndex);
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(nullptr, Dialog());
}

TEST_F(FileDialogTest, ListClicksChooseFilesAndEnterFolders) {
    std::vector<std::string> inSub, inSubAgain;
    std::string nameAfterClick;
    Script({[&] { QueueClickItem(Dialog(), "memo.txt"); },
            [&] {
                nameAfterClick = TextOf(GetDlgItem(Dialog(), edt1));
                QueueClickItem(Dialog(), "sub", true);
            },
            [&] {
                inSub = ListItems(Dialog());
                QueueName(Dialog(), "..");
            },
            [&] { QueueClickItem(Dialog(), "memo.txt"); },
            [&] {
                // Enter in the list on a folder opens it even with a name in the field.
                QueueClickItem(Dialog(), "sub");
                QueueKey(VK_RETURN);
            },
            [&] {
                inSubAgain = ListItems(Dialog());
                QueueClickItem(Dialog(), "inner.txt", true);
            }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_)) << CommDlgExtendedError();
    EXPECT_EQ("memo.txt", nameAfterClick) << "a click on a file fills the name field";
    EXPECT_EQ((std::vector<std::string>{"inner.txt"}), inSub) << "a double click on a folder enters it";
    EXPECT_EQ(inSub, inSubAgain);
    EXPECT_EQ(Path("sub/inner.txt"), file_) << "a double click on a file chooses it";
}

TEST_F(FileDialogTest, CancelAndEscapeLeaveTheBufferAlone) {
    std::strcpy(file_, "keep.txt");
    Script({[&] { QueueKey(VK_ESCAPE); }});
    EXPECT_FALSE(GetOpenFileNameA(&ofn_));
    EXPECT_EQ(0u, CommDlgExtendedError()) << "cancelling is not an error";
    EXPECT_STREQ("keep.txt", file_);

    Script({[&] { QueueClickOn(GetDlgItem(Dialog(), IDCANCEL)); }});
    EXPECT_FALSE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(0u, CommDlgExtendedError());
}

TEST_F(FileDialogTest, TypedFoldersWildcardsAndFilterSwitch) {
    std::vector<std::string> afterFolder, afterWildcard, afterType, afterUp;
    ofn_.lpstrFilter = "Text\0*.txt\0Log\0*.log\0All\0*.*\0";
    Script({[&] { QueueName(Dialog(), "sub"); },
            [&] {
                afterFolder = ListItems(Dialog());
                QueueName(Dialog(), "../*.log");
            },
            [&] {
                afterWildcard = ListItems(Dialog());
                HWND d = Dialog();
                SendDlgItemMessageA(d, cmb1, CB_SETCURSEL, 2, 0);
                SendMessageA(d, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(GetDlgItem(d, cmb1)));
                afterType = ListItems(d);
                QueueName(d, "sub/..");
            },
            [&] {
                afterUp = ListItems(Dialog());
                QueueName(Dialog(), "README");
            }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_)) << CommDlgExtendedError();
    EXPECT_EQ((std::vector<std::string>{"inner.txt"}), afterFolder);
    EXPECT_EQ((std::vector<std::string>{"sub", "b.log"}), afterWildcard) << "a wildcard with a folder goes there";
    EXPECT_EQ((std::vector<std::string>{"sub", "a.txt", "b.log", "memo.txt", "README"}), afterType);
    EXPECT_EQ(afterType, afterUp) << "the chosen type stays while browsing";
    EXPECT_EQ(Path("README"), file_);
    EXPECT_EQ(3u, ofn_.nFilterIndex);
    EXPECT_EQ(std::strlen(file_), ofn_.nFileExtension) << "no extension: the offset of the terminator";
}

TEST_F(FileDialogTest, MissingFileAndMissingPathAreRefusedWithABox) {
    std::vector<std::string> texts;
    ofn_.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    auto readBox = [&] {
        HWND box = FindDialogWindow();
        texts.push_back(Plain(TextOf(GetDlgItem(box, 0xFFFF))));
        QueueKey(VK_RETURN);
    };
    Script({[&] { QueueName(Dialog(), "none.txt"); }, readBox,
            [&] { QueueName(Dialog(), "nowhere/x.txt"); }, readBox,
            [&] { QueueName(Dialog(), "a.txt"); }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    ASSERT_EQ(2u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("none.txt\nファイルが見つかりません。")) << texts[0];
    EXPECT_NE(std::string::npos, texts[1].find("パスが存在しません。")) << texts[1];
    EXPECT_EQ(Path("a.txt"), file_);
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacingAndAddsTheDefaultExtension) {
    std::string question, caption, ok;
    ofn_.Flags |= OFN_OVERWRITEPROMPT;
    Script({[&] {
                ok = TextOf(GetDlgItem(Dialog(), IDOK));
                QueueName(Dialog(), "memo.txt");
            },
            [&] {
                HWND box = FindDialogWindow();
                caption = TextOf(box);
                question = Plain(TextOf(GetDlgItem(box, 0xFFFF)));
                QueueKey(VK_RETURN);  // No is the default
            },
            [&] { QueueName(Dialog(), "memo.txt"); },
            [&] { QueueAltKey('Y'); }});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ("保存(&S)", ok);
    EXPECT_EQ("名前を付けて保存の確認", caption);
    EXPECT_EQ("memo.txt は既に存在します。\n上書きしますか?", question);
    EXPECT_EQ(Path("memo.txt"), file_);

    // Without the flag a file is replaced without a question; without a
    // default extension a bare name stays bare.
    ofn_.Flags &= ~OFN_OVERWRITEPROMPT;
    Script({[&] { QueueName(Dialog(), "a.txt"); }});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(Path("a.txt"), file_);
    Script({[&] { QueueName(Dialog(), "memo"); }});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(Path("memo"), file_);

    ofn_.lpstrDefExt = "log";
    ofn_.nFilterIndex = 3;  // All: no concrete extension, so the default one
    Script({[&] { QueueName(Dialog(), "note"); }});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(Path("note.log"), file_);
    EXPECT_FALSE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);
    ofn_.nFilterIndex = 1;
    Script({[&] { QueueName(Dialog(), "note"); }});
    ASSERT_TRUE(GetSaveFileNameA(&ofn_));
    EXPECT_EQ(Path("note.txt"), file_) << "the current filter's extension";
    EXPECT_TRUE(ofn_.Flags & OFN_EXTENSIONDIFFERENT);
}

TEST_F(FileDialogTest, BufferTooSmallAndCurrentFolder) {
    char small[8] = "";
    ofn_.lpstrFile = small;
    ofn_.nMaxFile = sizeof small;
    Script({[&] { QueueName(Dialog(), "memo.txt"); }});
    EXPECT_FALSE(GetOpenFileNameA(&ofn_));
    EXPECT_EQ(FNERR_BUFFERTOOSMALL, CommDlgExtendedError());
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(Path("memo.txt").size() + 1, needed);

    ofn_.lpstrFile = file_;
    ofn_.nMaxFile = sizeof file_;
    ofn_.Flags |= OFN_NOCHANGEDIR;
    Script({[&] { QueueName(Dialog(), "sub/inner.txt"); }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    char cwd[4096] = {};
    EXPECT_EQ(savedCwd_, getcwd(cwd, sizeof cwd));
    EXPECT_EQ(Path("sub/inner.txt"), file_);
    ofn_.Flags &= ~OFN_NOCHANGEDIR;
    file_[0] = '\0';
    Script({[&] { QueueName(Dialog(), "sub/inner.txt"); }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    EXPECT_EQ(Path("sub/inner.txt"), file_);
    EXPECT_EQ(Path("sub"), getcwd(cwd, sizeof cwd)) << "the chosen file's folder";

    // The file field's folder wins over the initial folder.
    std::strcpy(file_, (folder_ + "/sub/inner.txt").c_str());
    ofn_.lpstrInitialDir = "/";
    std::vector<std::string> items;
    std::string name;
    Script({[&] {
        items = ListItems(Dialog());
        name = TextOf(GetDlgItem(Dialog(), edt1));
        QueueKey(VK_RETURN);
    }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    EXPECT_EQ((std::vector<std::string>{"inner.txt"}), items);
    EXPECT_EQ("inner.txt", name);
}

// A template like the memo pad's: 200 by 100 with the placeholder on top
// and room below it for the program's own controls.
DLGTEMPLATE ChildTemplate() {
    DLGTEMPLATE t;
    t.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT;
    t.typeface = "MS Sans Serif";
    t.pointSize = 8;
    t.cx = 200;
    t.cy = 100;
    DLGITEMTEMPLATE placeholder;
    placeholder.windowClass = "STATIC";
    placeholder.id = stc32;
    placeholder.style = WS_CHILD;
    placeholder.cx = 200;
    placeholder.cy = 20;
    DLGITEMTEMPLATE extra = placeholder;
    extra.id = 500;
    extra.title = "extra";
    extra.style = WS_CHILD | WS_VISIBLE;
    extra.x = 4;
    extra.y = 40;
    extra.cx = 60;
    extra.cy = 10;
    t.items = {placeholder, extra};
    return t;
}

TEST_F(FileDialogTest, HookWithChildTemplateHearsTheDialogAndAsksForPaths) {
    RegisterDialogTemplate("TESTDLG1", ChildTemplate());
    HookLog log;
    log.refuseFileOk = 1;
    g_hook = &log;
    ofn_.Flags |= OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
    ofn_.lpfnHook = RecordingHook;
    ofn_.lpTemplateName = "TESTDLG1";
    struct {
        HWND parent = nullptr;
        RECT ok{}, cancel{}, types{}, extra{}, client{}, childRect{};
        std::string nameField, okText;
        bool typesVisible = true;
    } seen;
    Script({[&] {
                HWND d = Dialog();
                ASSERT_TRUE(d && log.child);
                seen.parent = GetParent(log.child);
                seen.ok = ScreenRectOf(GetDlgItem(d, IDOK));
                seen.cancel = ScreenRectOf(GetDlgItem(d, IDCANCEL));
                seen.types = ScreenRectOf(GetDlgItem(d, cmb1));
                seen.extra = ScreenRectOf(GetDlgItem(log.child, 500));
                seen.childRect = ScreenRectOf(log.child);
                GetClientRect(d, &seen.client);
                MapWindowPoints(d, nullptr, reinterpret_cast<POINT*>(&seen.client), 2);
                QueueClickItem(d, "a.txt");
            },
            [&] { QueueClickItem(Dialog(), "sub"); },
            [&] {
                HWND d = Dialog();
                seen.nameField = Ask(log.child, CDM_GETSPEC);
                SendMessageA(d, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("決定"));
                SendMessageA(d, CDM_HIDECONTROL, cmb1, 0);
                seen.okText = TextOf(GetDlgItem(d, IDOK));
                seen.typesVisible = IsWindowVisible(GetDlgItem(d, cmb1));
                QueueName(d, "memo.txt");
            },
            [&] { QueueKey(VK_RETURN); }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_)) << CommDlgExtendedError();
    g_hook = nullptr;

    EXPECT_EQ(reinterpret_cast<LPARAM>(&ofn_), log.initParam) << "WM_INITDIALOG carries the structure";
    EXPECT_EQ(FindDialogWindow(), nullptr);
    ASSERT_GE(log.codes.size(), 2u);
    EXPECT_EQ(CDN_INITDONE, log.codes[0]);
    EXPECT_EQ(folder_, log.folderAtChange);
    std::vector<UINT> selections;
    for (UINT c : log.codes) {
        if (c == CDN_SELCHANGE) selections.push_back(c);
    }
    EXPECT_EQ(2u, selections.size()) << "one CDN_SELCHANGE per click";
    EXPECT_EQ((std::vector<std::string>{Path("a.txt"), Path("sub")}), log.selectedPaths);
    EXPECT_EQ("a.txt", seen.nameField) << "a folder's selection leaves the name field";
    EXPECT_EQ("決定", seen.okText);
    EXPECT_FALSE(seen.typesVisible);
    EXPECT_EQ(2, std::count(log.codes.begin(), log.codes.end(), CDN_FILEOK)) << "the first was refused";
    EXPECT_EQ(Path("memo.txt"), file_);

    // The standard controls lie in the grown placeholder, the child's own
    // control below them, and the dialog holds the whole child.
    for (const RECT& r : {seen.ok, seen.cancel, seen.types}) {
        EXPECT_GE(r.left, log.placeholder.left);
        EXPECT_LE(r.right, log.placeholder.right);
        EXPECT_GE(r.top, log.placeholder.top);
        EXPECT_LE(r.bottom, log.placeholder.bottom);
    }
    EXPECT_GE(seen.extra.top, seen.cancel.bottom);
    EXPECT_LE(seen.extra.bottom, seen.client.bottom);
    EXPECT_EQ(seen.client.left, seen.childRect.left);
    EXPECT_EQ(seen.client.bottom, seen.childRect.bottom);
    EXPECT_GT(seen.client.bottom - log.placeholder.bottom, 60) << "the child's own area lies below";
}

TEST_F(FileDialogTest, HookWithoutTemplateGetsAnEmptyChildAndTheStandardSize) {
    RECT plain{}, hooked{};
    Script({[&] {
        plain = ScreenRectOf(Dialog());
        QueueKey(VK_ESCAPE);
    }});
    EXPECT_FALSE(GetOpenFileNameA(&ofn_));
    HookLog log;
    g_hook = &log;
    ofn_.Flags |= OFN_ENABLEHOOK;
    ofn_.lpfnHook = RecordingHook;
    Script({[&] {
        hooked = ScreenRectOf(Dialog());
        QueueName(Dialog(), "a.txt");
    }});
    ASSERT_TRUE(GetOpenFileNameA(&ofn_));
    g_hook = nullptr;
    ASSERT_TRUE(log.child);
    EXPECT_FALSE(IsWindow(log.child)) << "the child goes with the dialog";
    ASSERT_FALSE(log.codes.empty());
    EXPECT_EQ(CDN_INITDONE, log.codes.front());
    EXPECT_EQ(CDN_FILEOK, log.codes.back());
    EXPECT_EQ(plain.right - plain.left, hooked.right - hooked.left);
    EXPECT_EQ(plain.bottom - plain.top, hooked.bottom - hooked.top);
}

}  // namespace
}  // namespace test
