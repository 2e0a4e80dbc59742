#include "app/set_form.h"

#include <gtest/gtest.h>

#include "tests/app/app_fixture.h"

namespace app {
namespace {

using namespace classlib;

class SetFormTest : public testing::AppTest {
protected:
    TSetFm* MakeForm() {
        auto* form = new TSetFm(Application);
        form->AfterConstruction();
        return form;
    }
};

TEST_F(SetFormTest, BuildsBothPagesWithTheFilesContents) {
    WriteFile("PMemo.ini", "[Option]\r\nMyName=My pad\r\n");
    WriteFile("PMemo.sig", "line one\nline two\rthree");
    TSetFm* form = MakeForm();
    EXPECT_EQ(form->Caption(), "ぽらりMEMOの設定");
    EXPECT_EQ(form->Edit1->Text(), "My pad");
    EXPECT_EQ(form->Memo1->Text(), "line one\r\nline two\r\nthree");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    delete form;
}

}  // namespace
}  // namespace app
