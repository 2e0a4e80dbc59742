// TRichEdit, TMemo and TEdit of the class library on the headless screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/edit.h"
#include "classlib/graphics.h"
#include "classlib/richedit.h"
#include "classlib/streams.h"
#include "tests/classlib/ui_fixture.h"
#include "tests/platform/kernel/temp_dir.h"

namespace classlib {
namespace {

using testing::UiTest;
using namespace win32;

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

// A form with the editor filling it, as the main window has it.
class EditorForm : public TForm {
public:
    explicit EditorForm(TComponent* owner) : TForm(owner) {
        SetBounds(50, 50, 420, 300);
        memo = new TRichEdit(this);
        memo->SetParent(this);
        memo->SetPlainText(true);
        memo->SetMaxLength(90000000);
        memo->SetScrollBars(ssVertical);
        memo->SetAlign(alClient);
        memo->OnChange = [this](TObject*) { ++changes; };
        memo->OnSelectionChange = [this](TObject*) { ++selections; };
        hidden = new TMemo(this);
        hidden->SetParent(this);
        hidden->SetVisible(false);
    }
    TRichEdit* memo;
    TMemo* hidden;
    int changes = 0;
    int selections = 0;
};

class RichEditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        Application->CreateForm(form);
        form->Show();
        Pump();
    }
    void TearDown() override {
        delete form;
        UiTest::TearDown();
    }
    EditorForm* form = nullptr;
    win32::testing::TempDir dir;
};

TEST_F(RichEditTest, LinesCountAndGiveTheTextAndChangesAreReported) {
    TRichEdit* m = form->memo;
    TStrings* lines = m->Lines();
    EXPECT_EQ(lines->Count(), 0);
    int before = form->changes;
    lines->Add("一行目");
    lines->Add("second");
    EXPECT_GT(form->changes, before);
    EXPECT_EQ(m->Text(), "一行目\r\nsecond\r\n");
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Strings(0), "一行目");
    lines->Insert(1, "middle");
    EXPECT_EQ(lines->Strings(1), "middle");
    lines->Delete(0);
    EXPECT_EQ(m->Text(), "middle\r\nsecond\r\n");
    lines->SetText("a\nb");
    EXPECT_EQ(m->Text(), "a\r\nb");
    EXPECT_EQ(lines->Count(), 2);
    lines->Add("c");  // after a last line without a line break
    EXPECT_EQ(m->Text(), "a\r\nb\r\nc");
    EXPECT_EQ(m->GetTextLen(), 7);
}

TEST_F(RichEditTest, AnInsertionCutShortByTheMaximumLengthRaises) {
    TRichEdit* m = form->memo;
    m->SetMaxLength(10);
    m->Lines()->Add("12345");
    try {
        m->Lines()->Add("6789012345");
        FAIL() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "RichEdit での行の挿入ｴﾗｰ");
    }
    EXPECT_EQ(m->GetTextLen(), 10);  // what went in stays
}

TEST_F(RichEditTest, SelectionFindUndoAndTheClipboard) {
    TRichEdit* m = form->memo;
    m->SetText("abc ABC abcd\r\n");
    int selections = form->selections;
    m->SetSelStart(4);
    m->SetSelLength(3);
    EXPECT_GT(form->selections, selections);
    EXPECT_EQ(m->SelText(), "ABC");
    EXPECT_EQ(m->FindText("abc", 1, 12, {}), 4);
    EXPECT_EQ(m->FindText("abc", 1, 12, {stMatchCase}), 8);
    EXPECT_EQ(m->FindText("abc", 5, 9, {stWholeWord}), -1);
    m->CopyToClipboard();
    m->SetSelStart(0);
    m->SetSelLength(0);
    m->PasteFromClipboard();
    EXPECT_EQ(m->Text(), "ABCabc ABC abcd\r\n");
    EXPECT_TRUE(m->CanUndo());
    m->Undo();
    EXPECT_EQ(m->Text(), "abc ABC abcd\r\n");
    m->SelectAll();
    EXPECT_EQ(m->SelLength(), 14);
    m->CutToClipboard();
    EXPECT_EQ(m->Text(), "");
    m->ClearUndo();
    EXPECT_FALSE(m->CanUndo());
    m->SetSelText("日付");
    EXPECT_EQ(m->SelStart(), 2);
}

TEST_F(RichEditTest, WrappedLinesAreEntriesOfTheirOwnAndAtMost4096Bytes) {
    TRichEdit* m = form->memo;
    std::string longLine;
    for (int i = 0; i < 3000; ++i) longLine += "漢";
    m->SetText(longLine + "\r\nend");
    int wrapped = m->Lines()->Count();
    EXPECT_GT(wrapped, 20);
    std::string joined;
    for (int i = 0; i < wrapped; ++i) joined += m->Lines()->Strings(i);
    EXPECT_EQ(joined, longLine + "end");
    HWND before = m->Handle();
    m->SetWordWrap(false);
    EXPECT_EQ(m->Handle(), before);  // the window stays
    EXPECT_EQ(m->Lines()->Count(), 2);
    std::string first = m->Lines()->Strings(0);
    EXPECT_EQ(first.size(), 2048u * 3);  // 4096 bytes of code page 932
    m->SetScrollBars(ssBoth);
    Pump();
    EXPECT_TRUE(GetWindowLongA(m->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(RichEditTest, FilesStreamShiftJisAndSaveSafely) {
    std::string path = dir / "doc.txt";
    std::string bytes = "\x93\xfa\x96\x7b\x8c\xea\r\n\x81\x20tail\xff";
    WriteFile(path, bytes);
    TRichEdit* m = form->memo;
    m->Lines()->LoadFromFile(path);
    EXPECT_EQ(m->Lines()->Strings(0), "日本語");
    std::string out = dir / "out.txt";
    m->Lines()->SaveToFile(out);
    EXPECT_EQ(ReadFile(out), bytes);
    EXPECT_EQ(m->LostCharacters(), 0);
    // Characters code page 932 lacks become '?' and are counted.
    m->SetText("価格 €5 😀");
    m->Lines()->SaveToFile(out);
    EXPECT_EQ(ReadFile(out), "\x89\xbf\x8a\x69 ?5 ?");
    EXPECT_EQ(m->LostCharacters(), 2);

    try {
        m->Lines()->LoadFromFile(dir / "missing.txt");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + (dir / "missing.txt") + " は開けません");
    }
    EXPECT_EQ(m->Text(), "価格 €5 😀");
    std::filesystem::create_directory(dir / "folder");
    try {
        m->Lines()->SaveToFile(dir / "folder");
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "ﾌｧｲﾙ " + (dir / "folder") + " を作成できません");
    }
}

TEST_F(RichEditTest, FontAndColourReachTheControl) {
    TRichEdit* m = form->memo;
    m->Font()->SetName("ＭＳ ゴシック");
    m->Font()->SetHeight(-16);
    m->Font()->SetColor(clRed);
    m->SetColor(clNavy);
    CHARFORMATA f{};
    f.cbSize = sizeof f;
    SendMessageA(m->Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&f));
    EXPECT_STREQ(f.szFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(f.yHeight, 240);
    EXPECT_EQ(f.crTextColor, ColorToRGB(clRed));
    EXPECT_EQ(SendMessageA(m->Handle(), EM_SETBKGNDCOLOR, 0, ColorToRGB(clNavy)), static_cast<LRESULT>(ColorToRGB(clNavy)));
}

class PagesOnABitmap : public TRichEditPrintTarget {
public:
    PagesOnABitmap() {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, 300, 200);
        SelectObject(dc, bitmap);
    }
    ~PagesOnABitmap() override {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC BeginDoc(const std::string& t) override {
        title = t;
        pages = 1;
        return dc;
    }
    void NewPage() override { ++pages; }
    void EndDoc() override { ended = true; }
    TRect PageRect() override { return TRect{0, 0, 300, 200}; }
    HDC dc;
    HBITMAP bitmap;
    std::string title;
    int pages = 0;
    bool ended = false;
};

TEST_F(RichEditTest, PrintLaysTheTextOutPageByPage) {
    TRichEdit* m = form->memo;
    for (int i = 0; i < 100; ++i) m->Lines()->Add("印刷する行 " + std::to_string(i));
    PagesOnABitmap target;
    m->Print("C:\\memo.txt", target);
    EXPECT_EQ(target.title, "C:\\memo.txt");
    EXPECT_GT(target.pages, 3);
    EXPECT_TRUE(target.ended);
    EXPECT_THROW(m->Print("none"), EInvalidOperation);  // no printer yet
}

TEST_F(RichEditTest, TheHiddenMemoReadsASignatureAndKnowsItsCapacity) {
    TMemo* memo = form->hidden;
    std::string path = dir / "PMemo.sig";
    WriteFile(path, "\x8f\x90\x96\xbc\r\nline two");
    memo->Lines()->LoadFromFile(path);
    EXPECT_EQ(memo->Text(), "署名\r\nline two");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->SetMaxLength(4);
    try {
        memo->Lines()->SetText("too long for it");
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "文字列の大きさが ﾒﾓ の制限を越えました");
    }
}

TEST_F(RichEditTest, TheEditAndTheMemoTakeTypingAndTellTheirChange) {
    TEdit* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 100, 21);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("abc");
    EXPECT_EQ(changes, 1);
    edit->SetFocus();
    Pump();
    edit->SelectAll();
    Press('X');
    EXPECT_EQ(edit->Text(), "x");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(edit->Modified());
    edit->SetReadOnly(true);
    Press('Y');
    EXPECT_EQ(edit->Text(), "x");
    TMemo* memo = form->hidden;
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    memo->Lines()->Add("one");
    EXPECT_EQ(memo->Lines()->Count(), 1);
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
}

TEST_F(RichEditTest, EditsKeepTheWindowColourOnAGreyParent) {
    // The form paints with the button face; an edit on it is still white.
    TMemo* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 100, 50);
    Pump();
    EXPECT_EQ(memo->Color(), clWindow);
    EXPECT_FALSE(memo->ParentColor());
    POINT inside = memo->ClientToScreen(Point(50, 25));
    EXPECT_EQ(headless->ScreenPixel(inside.x, inside.y) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace classlib
