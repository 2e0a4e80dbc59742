// The date stamp, the signature and the mail request.
#include <gtest/gtest.h>

#include "app/editor_text.h"
#include "classlib/sysutils.h"
#include "platform/kernel/fixed_time.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

using namespace classlib;

std::string Month(int month) { return FormatDateTime("mmm", EncodeDate(2001, static_cast<win32::WORD>(month), 1)); }

TEST_F(MainFormTest, DateStampIsANewLastLineOnTheTwelveHourClock) {
    StartPad();
    {
        win32::kernel::ScopedFixedLocalTime at(2001, 6, 25, 0, 30);
        ChooseMenu("オプション(&O)", "日付の挿入(&D)");
    }
    std::string first = "2001/" + Month(6) + "/25     AM12:30";
    EXPECT_EQ(Text(), first + "\r\n");
    EXPECT_EQ(StatusText(1), "文字数 = " + std::to_string(EditorLength(first) + 2));
    EXPECT_TRUE(Pad()->Modified());
    {
        win32::kernel::ScopedFixedLocalTime at(2001, 6, 5, 12, 0);
        ChooseMenu("オプション(&O)", "日付の挿入(&D)");
    }
    TypeText("x");  // the caret stands after the stamp
    {
        win32::kernel::ScopedFixedLocalTime at(2001, 12, 31, 23, 59);
        ChooseMenu("オプション(&O)", "日付の挿入(&D)");
    }
    EXPECT_EQ(Text(), first + "\r\n2001/" + Month(6) + "/05     PM12:00\r\nx\r\n2001/" + Month(12) +
                          "/31     PM11:59");
}

TEST_F(MainFormTest, SignatureIsReadAfreshAndAppendedAsItStands) {
    StartPad();
    ChooseMenu("オプション(&O)", "署名の挿入(&S)");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "署名が登録されていません。");
    EXPECT_EQ(boxes[0].caption, Application->Title());
    WriteFile("PMemo.sig", "");
    ChooseMenu("オプション(&O)", "署名の挿入(&S)");
    EXPECT_EQ(boxes.size(), 2u) << "an empty signature is no signature";
    EXPECT_EQ(Text(), "");

    WriteFile("PMemo.sig", "\x8e\x52\x93\x63\n--");  // "山田", a lone LF, "--"
    ChooseMenu("オプション(&O)", "署名の挿入(&S)");
    EXPECT_EQ(Text(), "山田\r\n--\r\n");
    TypeText("body");
    WriteFile("PMemo.sig", "sig");
    ChooseMenu("オプション(&O)", "署名の挿入(&S)");
    EXPECT_EQ(Text(), "山田\r\n--\r\nbody\r\nsig");
}

TEST_F(MainFormTest, MailRequestCarriesTheTextUnescaped) {
    StartPad();
    ChooseMenu("ファイル(&F)", "メーラーへ転送(&M)");
    TypeText("abc");
    ChooseMenu("ファイル(&F)", "メーラーへ転送(&M)");
    Pad()->MainMemo->SetText("a&b=c?\r\n50% 日本");
    ChooseMenu("ファイル(&F)", "メーラーへ転送(&M)");
    EXPECT_EQ(Pad()->shellRequests,
              (std::vector<std::string>{"mailto:?body=", "mailto:?body=abc&", "mailto:?body=a&b=c?\r\n50% 日本&"}));
}

}  // namespace
}  // namespace app::testing
