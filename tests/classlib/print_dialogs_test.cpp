// The printer setup and print dialog components on the system's dialogs:
// what the user chooses there becomes the program's current printer.
#include <gtest/gtest.h>

#include "classlib/print_dialogs.h"
#include "classlib/printers.h"
#include "tests/classlib/ui_fixture.h"
#include "tests/platform/print/print_fixture.h"

namespace classlib {
namespace {

using namespace win32;

class PrintDialogsTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        auto queues = std::make_unique<win32::testing::FakeQueues>();
        queues->queues.push_back({"Office_Laser", "", "", "iso_a4_210x297mm", false});
        print::SetQueueServiceForTesting(std::move(queues));
        previous = SetPrinter(std::make_unique<TPrinter>());
    }
    void TearDown() override {
        SetPrinter(std::move(previous));
        print::SetQueueServiceForTesting(nullptr);
        UiTest::TearDown();
    }
    // Keys for the dialog that is up, queued for its loop.
    void QueueAlt(UINT vk) {
        headless->Key(VK_MENU, true);
        headless->Key(vk, true);
        headless->Key(vk, false);
        headless->Key(VK_MENU, false);
    }
    void QueueKey(UINT vk) {
        headless->Key(vk, true);
        headless->Key(vk, false);
    }
    std::string CurrentPrinter() { return Printer()->Printers()->Get(Printer()->PrinterIndex()); }
    std::unique_ptr<TPrinter> previous;
};

TEST_F(PrintDialogsTest, SetupDialogChangesTheCurrentPrinterAndOrientation) {
    ASSERT_EQ(print::DefaultPrinter().name, CurrentPrinter());
    TPrinterSetupDialog setup(nullptr);
    headless->AddIdleStep([&] {
        QueueAlt('N');
        QueueKey(VK_DOWN);
        QueueAlt('A');
        QueueKey(VK_RETURN);
    });
    ASSERT_TRUE(setup.Execute());
    EXPECT_EQ("Office_Laser", CurrentPrinter());
    EXPECT_EQ(poLandscape, Printer()->Orientation());

    // Cancelled, nothing changes.
    headless->AddIdleStep([&] {
        QueueAlt('N');
        QueueKey(VK_UP);
        QueueKey(VK_ESCAPE);
    });
    EXPECT_FALSE(setup.Execute());
    EXPECT_EQ("Office_Laser", CurrentPrinter());
}

TEST_F(PrintDialogsTest, PrintDialogGivesCopies) {
    TPrintDialog dialog(nullptr);
    dialog.SetCopies(2);
    std::string shown;
    headless->AddIdleStep([&] {
        HWND d = GetActiveWindow();
        shown = std::to_string(GetDlgItemInt(d, edt3, nullptr, FALSE));
        SetDlgItemInt(d, edt3, 4, FALSE);
        QueueKey(VK_RETURN);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ("2", shown);
    EXPECT_EQ(4, dialog.Copies());
    EXPECT_EQ(print::DefaultPrinter().name, CurrentPrinter());
}

}  // namespace
}  // namespace classlib
