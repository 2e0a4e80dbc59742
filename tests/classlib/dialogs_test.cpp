// The dialog components' translations between their properties and the
// system dialogs' structures.
#include "classlib/dialogs.h"

#include <gtest/gtest.h>

namespace classlib {
namespace {

using namespace win32;

TEST(DialogComponentsTest, FiltersAndOpenOptionsBecomeTheSystemForms) {
    std::string f = TOpenDialog::FilterToSystem("Text  (*.txt)|*.txt|All  (*.*)|*.*");
    EXPECT_EQ(std::string("Text  (*.txt)\0*.txt\0All  (*.*)\0*.*\0\0", 36), f);
    EXPECT_TRUE(TOpenDialog::FilterToSystem("").empty());

    DWORD flags = TOpenDialog::OptionsToFlags({ofHideReadOnly, ofOverwritePrompt, ofFileMustExist});
    EXPECT_EQ(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_EXPLORER, flags);
    EXPECT_FALSE(TOpenDialog::OptionsToFlags({ofOldStyleDialog}) & OFN_EXPLORER);

    TOpenDialog open(nullptr);
    EXPECT_TRUE(open.Options().Contains(ofHideReadOnly));
    EXPECT_EQ(1, open.FilterIndex());
    EXPECT_EQ(nullptr, open.Handle());
}

TEST(DialogComponentsTest, FindOptionsTravelBothWays) {
    DWORD flags = TFindDialog::OptionsToFlags({frDown, frMatchCase, frHideUpDown});
    EXPECT_EQ(FR_DOWN | FR_MATCHCASE | FR_HIDEUPDOWN, flags);
    TFindOptions back = TFindDialog::FlagsToOptions(FR_WHOLEWORD | FR_FINDNEXT, {frDown, frHideUpDown});
    EXPECT_TRUE(back.Contains(frWholeWord));
    EXPECT_TRUE(back.Contains(frFindNext));
    EXPECT_TRUE(back.Contains(frHideUpDown)) << "options the dialog does not report stay";
    EXPECT_FALSE(back.Contains(frDown));
    TFindDialog find(nullptr);
    EXPECT_TRUE(find.Options().Contains(frDown));
}

TEST(DialogComponentsTest, FontsGoToLogFontsAndBack) {
    TFont font;
    font.SetName("ＭＳ ゴシック");
    font.SetHeight(-16);
    font.SetStyle({fsBold, fsUnderline});
    font.SetPitch(fpFixed);
    LOGFONTA lf = TFontDialog::ToLogFont(font);
    EXPECT_STREQ("ＭＳ ゴシック", lf.lfFaceName);
    EXPECT_EQ(-16, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(1, lf.lfUnderline);
    EXPECT_EQ(0, lf.lfItalic);
    EXPECT_EQ(SHIFTJIS_CHARSET, lf.lfCharSet);

    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = 1;
    lf.lfStrikeOut = 1;
    lf.lfUnderline = 0;
    lf.lfHeight = -20;
    TFont back;
    TFontDialog::FromLogFont(lf, back);
    EXPECT_EQ("ＭＳ ゴシック", back.Name());
    EXPECT_EQ(-20, back.Height());
    EXPECT_EQ((TFontStyles{fsItalic, fsStrikeOut}), back.Style());
    EXPECT_EQ(fpFixed, back.Pitch());

    TFontDialog dialog(nullptr);
    dialog.SetFont(&font);
    EXPECT_EQ(-16, dialog.Font()->Height());
    EXPECT_TRUE(dialog.Options().Contains(fdEffects));
}

}  // namespace
}  // namespace classlib
