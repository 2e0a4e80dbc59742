// Starting and closing the memo pad: the caption, the command-line file,
// the minimum size, the hint in the status bar, and the settings file read
// at start-up and written at close.
#include <gtest/gtest.h>

#include "classlib/application.h"
#include "classlib/inifiles.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;

constexpr const char* kUntitled = "ぽらりMEMO・・・無題";

TEST_F(MainFormTest, StartsUntitledCentredAndClosesWithoutAQuestion) {
    StartPad();
    EXPECT_EQ(Caption(), kUntitled);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_EQ(Pad()->Width(), 563);
    EXPECT_EQ(Pad()->Height(), 440) << "the stored default height";
    EXPECT_EQ(Pad()->Left(), (1024 - 563) / 2);
    EXPECT_EQ(Pad()->Top(), (768 - 440) / 2);
    EXPECT_EQ(Pad()->MainMemo->Color(), 0xFFFFD7u);
    EXPECT_EQ(Pad()->MainMemo->Font()->Color(), 0xFF0000u);
    EXPECT_EQ(Pad()->MainMemo->Font()->Size(), 10);
    EXPECT_TRUE(Pad()->N4->Checked());
    EXPECT_TRUE(Pad()->MainMemo->WordWrap());
    CloseWindow();
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(boxes.empty()) << "nothing to save, nothing asked";
}

TEST_F(MainFormTest, OpensTheFirstArgumentAsTyped) {
    WriteFile("doc.txt", "\x82\xa0\x82\xa2\r\nabc");  // Shift-JIS "あい", then "abc"
    StartPad({Path("doc.txt"), Path("other.txt")});
    EXPECT_EQ(Text(), "あい\r\nabc");
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・" + Path("doc.txt"));
    EXPECT_EQ(Pad()->CurrentFile(), Path("doc.txt"));
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_TRUE(boxes.empty());
    CloseWindow();
    EXPECT_TRUE(Closed()) << "no edits, no question";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainFormTest, RelativeArgumentStaysRelativeInTheCaption) {
    WriteFile("rel.txt", "x");
    std::string old = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
    StartPad({"rel.txt"});
    std::filesystem::current_path(old);
    EXPECT_EQ(Caption(), "ぽらりMEMO・・・rel.txt");
    EXPECT_EQ(Text(), "x");
}

TEST_F(MainFormTest, MissingArgumentNamesThePathAndOpensUntitled) {
    StartPad({Path("missing.txt")});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ﾌｧｲﾙ " + Path("missing.txt") + " は開けません.") << "the error box ends the message with a full stop";
    EXPECT_EQ(Caption(), kUntitled);
    EXPECT_EQ(Pad()->CurrentFile(), "");
    EXPECT_FALSE(Pad()->Modified());
    EXPECT_TRUE(Pad()->Visible());
}

TEST_F(MainFormTest, KeepsTheMinimumSizeAndTheCountPanelAtTheRight) {
    StartPad();
    Pad()->SetBounds(10, 10, 300, 200);
    Pump();
    EXPECT_EQ(Pad()->Width(), 563);
    EXPECT_EQ(Pad()->Height(), 350);
    // Dragging is held by the window's track size.
    win32::MINMAXINFO info{};
    win32::SendMessageA(Pad()->Handle(), win32::WM_GETMINMAXINFO, 0, reinterpret_cast<win32::LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 563);
    EXPECT_EQ(info.ptMinTrackSize.y, 350);
    for (int width : {563, 700, 1000}) {
        Pad()->SetWidth(width);
        Pump();
        TStatusBar* bar = Pad()->StatusBar1;
        EXPECT_EQ(bar->Panels()->Items(1)->Width(), 120);
        EXPECT_EQ(bar->Panels()->Items(0)->Width(), bar->Width() - 120);
    }
}

TEST_F(MainFormTest, MenuHintsReachTheFirstPanel) {
    StartPad();
    Application->SetHint("既存文書を開きます");
    EXPECT_EQ(StatusText(0), "既存文書を開きます");
    // Highlighting an item shows its own hint while the menu is open.
    Application->SetHint("");
    std::string seen;
    Key(win32::VK_MENU, true);
    Key('F', true);
    Key('F', false);
    Key(win32::VK_MENU, false);
    Key(win32::VK_DOWN, true);
    Key(win32::VK_DOWN, false);
    headless->AddIdleStep([&] {
        seen = StatusText(0);
        for (int i = 0; i < 2; ++i) {
            Key(win32::VK_ESCAPE, true);
            Key(win32::VK_ESCAPE, false);
        }
    });
    Pump();
    EXPECT_EQ(seen, "既存文書を開きます");
    // The editor has no hint: pointing at it empties the panel.
    Application->SetHint("stale");
    MoveTo(Center(Pad()->StatusBar1));
    MoveTo(Center(Pad()->MainMemo));
    EXPECT_EQ(StatusText(0), "");
}

TEST_F(MainFormTest, WritesAllTenSettingsAtCloseButNotTheTitle) {
    StartPad();
    CloseWindow();
    ASSERT_TRUE(Closed());
    std::string ini = ReadFile("PMemo.ini");
    for (const char* line : {"[Option]", "Font=Erorr", "FontSize=10", "FontStyle=0", "FontPitch=0", "BGColor=16777175",
                             "FontColor=16711680", "[Form]", "Top=164", "Left=230", "Height=440", "Width=563"}) {
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
    }
    EXPECT_EQ(ini.find("MyName"), std::string::npos);
}

TEST_F(MainFormTest, ReadsTheSettingsWithTheirConversions) {
    std::string longName(2000, 'n');
    WriteFile("PMemo.ini",
              "[Option]\r\nMyName=" + longName + "\r\nFont=IPAGothic\r\nFontSize=14\r\nFontStyle=259\r\n"
              "FontPitch=2\r\nBGColor=0xFF\r\nFontColor=$00FF00\r\n"
              "[Form]\r\nTop=5\r\nLeft=7\r\nHeight=500\r\nWidth=100\r\n");
    StartPad();
    EXPECT_EQ(Pad()->AppTitle(), std::string(1023, 'n')) << "cut to 1023 bytes";
    TFont* font = Pad()->MainMemo->Font();
    EXPECT_EQ(font->Name(), "IPAGothic");
    EXPECT_EQ(font->Size(), 14);
    EXPECT_EQ(font->Style(), (TFontStyles{fsBold, fsItalic})) << "259 keeps its low 8 bits: 3";
    EXPECT_EQ(font->Pitch(), fpFixed);
    EXPECT_EQ(Pad()->MainMemo->Color(), 0x0000FFu);
    EXPECT_EQ(font->Color(), 0x00FF00u);
    EXPECT_EQ(Pad()->Width(), 563) << "raised to the minimum";
    EXPECT_EQ(Pad()->Height(), 500);
    EXPECT_EQ(Pad()->Left(), (1024 - 563) / 2) << "the stored place gives way to centring";
}

TEST_F(MainFormTest, JunkValuesGiveTheDefaults) {
    WriteFile("PMemo.ini", "[Option]\r\nBGColor=red\r\nFontSize=ten\r\n[Form]\r\nHeight=\r\n");
    StartPad();
    EXPECT_EQ(Pad()->MainMemo->Color(), 0xFFFFD7u);
    EXPECT_EQ(Pad()->MainMemo->Font()->Size(), 10);
    EXPECT_EQ(Pad()->Height(), 440);
}

TEST_F(MainFormTest, ChangedFontAndColourAreStoredAndReadBack) {
    StartPad();
    AnswerDialog([](TCommonDialog* d) {
        auto* fonts = dynamic_cast<TFontDialog*>(d);
        EXPECT_EQ(fonts->Font()->Name(), "Erorr") << "the dialog starts from the editor's font";
        fonts->Font()->SetName("IPAMincho");
        fonts->Font()->SetSize(12);
        fonts->Font()->SetStyle({fsItalic});
        fonts->Font()->SetColor(0x123456);
        return true;
    });
    ChooseMenu("設定(&A)", "フォント(&F)");
    AnswerDialog([](TCommonDialog* d) {
        dynamic_cast<TColorDialog*>(d)->SetColor(0x00C0FF);
        return true;
    });
    ChooseMenu("設定(&A)", "カラー(&C)");
    CloseWindow();
    ASSERT_TRUE(Closed());
    std::string ini = ReadFile("PMemo.ini");
    for (const char* line : {"Font=IPAMincho", "FontSize=12", "FontStyle=2", "BGColor=49407", "FontColor=1193046"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
}

TEST_F(MainFormTest, UnwritableSettingsAreReportedAndTheWindowStillCloses) {
    std::filesystem::create_directory(Path("PMemo.ini"));  // a folder where the file should be
    StartPad();
    CloseWindow();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Path("PMemo.ini") + " に書き込めません.");
    EXPECT_TRUE(Closed()) << "the user can always quit";
}

TEST_F(MainFormTest, SizePresetsCentreTheWindow) {
    StartPad();
    ChooseMenu("オプション(&O)", "サイズ", "スモール(&S)");
    EXPECT_EQ(Pad()->Width(), 563);
    EXPECT_EQ(Pad()->Height(), 437);
    EXPECT_EQ(Pad()->Left(), (1024 - 563) / 2);
    ChooseMenu("オプション(&O)", "サイズ", "ラージ(&L)");
    EXPECT_EQ(Pad()->Width(), 900);
    EXPECT_EQ(Pad()->Height(), 700);
    EXPECT_EQ(Pad()->Left(), (1024 - 900) / 2);
    EXPECT_EQ(Pad()->Top(), (768 - 700) / 2);
    ChooseMenu("オプション(&O)", "サイズ", "ミディアム(&M)");
    EXPECT_EQ(Pad()->Width(), 800);
    EXPECT_EQ(Pad()->Height(), 600);
}

}  // namespace
}  // namespace app::testing
