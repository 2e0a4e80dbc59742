// The print and printer setup dialogs over a printer list of the PDF
// printer and one queue: the default without a window, a printer, paper
// and orientation chosen in setup, pages and copies in the print dialog.
#include <cstring>

#include "tests/platform/print/print_fixture.h"
#include "tests/support/dialog_fixture.h"

namespace test {
namespace {

class PrintDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        auto queues = std::make_unique<win32::testing::FakeQueues>();
        queues->queues.push_back({"Office_Laser", "事務所のプリンタ", "2階", "iso_a4_210x297mm", false});
        print::SetQueueServiceForTesting(std::move(queues));
        owner_ = CreateRecordedWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {40, 40, 600, 500}, nullptr, 0, "メモ");
        RunUntilIdle();
        pd_.lStructSize = sizeof pd_;
        pd_.hwndOwner = owner_;
    }
    void TearDown() override {
        if (pd_.hDevMode) GlobalFree(pd_.hDevMode);
        if (pd_.hDevNames) GlobalFree(pd_.hDevNames);
        if (pd_.hDC) DeleteDC(pd_.hDC);
        print::SetQueueServiceForTesting(nullptr);
        DialogTest::TearDown();
    }
    std::string Device() const {
        const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(pd_.hDevNames));
        std::string device = dn ? reinterpret_cast<const char*>(dn) + dn->wDeviceOffset : "";
        std::string port = dn ? reinterpret_cast<const char*>(dn) + dn->wOutputOffset : "";
        GlobalUnlock(pd_.hDevNames);
        return device + "|" + port;
    }
    DEVMODEA Mode() const {
        DEVMODEA dm{};
        if (const void* p = GlobalLock(pd_.hDevMode)) std::memcpy(&dm, p, sizeof dm);
        GlobalUnlock(pd_.hDevMode);
        return dm;
    }
    HWND owner_ = nullptr;
    PRINTDLGA pd_{};
};

TEST_F(PrintDialogTest, ReturnDefaultGivesTheDefaultPrinterWithoutAWindow) {
    pd_.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&pd_)) << CommDlgExtendedError();
    const std::string pdf = print::DefaultPrinter().name;
    EXPECT_EQ(pdf + "|PDF:", Device());
    EXPECT_STREQ(pdf.substr(0, CCHDEVICENAME - 1).c_str(), Mode().dmDeviceName);
    ASSERT_NE(nullptr, pd_.hDC);
    EXPECT_EQ(600, GetDeviceCaps(pd_.hDC, LOGPIXELSX));

    // With blocks already there the caller has mixed up its structure.
    HDC dc = pd_.hDC;
    pd_.hDC = nullptr;
    DeleteDC(dc);
    EXPECT_FALSE(PrintDlgA(&pd_));
    EXPECT_EQ(PDERR_RETDEFFAILURE, CommDlgExtendedError());
}

TEST_F(PrintDialogTest, SetupChoosesPrinterPaperAndOrientation) {
    std::string caption;
    std::vector<std::string> printers;
    pd_.Flags = PD_PRINTSETUP;
    WhenIdle([&] {
        HWND d = FindDialogWindow("プリンタの設定");
        ASSERT_TRUE(d);
        caption = TextOf(d);
        HWND combo = GetDlgItem(d, cmb1);
        for (LRESULT i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char text[128] = {};
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            printers.push_back(text);
        }
        QueueAltKey('N');
        QueueKey(VK_DOWN);
        QueueAltKey('A');
        WhenIdle([&] {
            HWND d = FindDialogWindow("プリンタの設定");
            LRESULT a5 = SendDlgItemMessageA(d, cmb2, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(print::FindPaper(DMPAPER_A5)->name));
            SendDlgItemMessageA(d, cmb2, CB_SETCURSEL, static_cast<WPARAM>(a5), 0);
            QueueClickOn(GetDlgItem(d, IDOK));
        });
    });
    ASSERT_TRUE(PrintDlgA(&pd_)) << CommDlgExtendedError();
    EXPECT_EQ("プリンタの設定", caption);
    ASSERT_EQ(2u, printers.size());
    EXPECT_EQ("Office_Laser", printers[1]);
    EXPECT_EQ("Office_Laser|CUPS:", Device());
    DEVMODEA dm = Mode();
    EXPECT_STREQ("Office_Laser", dm.dmDeviceName);
    EXPECT_EQ(DMORIENT_LANDSCAPE, dm.dmOrientation);
    EXPECT_EQ(DMPAPER_A5, dm.dmPaperSize);

    // The blocks handed back start the next dialog; cancel keeps them.
    HGLOBAL names = pd_.hDevNames;
    std::string kept;
    WhenIdle([&] {
        HWND d = FindDialogWindow("プリンタの設定");
        kept = TextOf(GetDlgItem(d, cmb1));
        QueueKey(VK_ESCAPE);
    });
    EXPECT_FALSE(PrintDlgA(&pd_));
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ("Office_Laser", kept);
    EXPECT_EQ(names, pd_.hDevNames);
}

TEST_F(PrintDialogTest, PrintDialogTakesPagesCopiesAndPrintToFile) {
    pd_.Flags = PD_NOSELECTION | PD_RETURNDC;
    pd_.nMinPage = 1;
    pd_.nMaxPage = 5;
    pd_.nFromPage = 1;
    pd_.nToPage = 5;
    pd_.nCopies = 1;
    std::string refusal;
    WhenIdle([&] {
        HWND d = FindDialogWindow("印刷");
        ASSERT_TRUE(d);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, rad2))) << "PD_NOSELECTION";
        CheckRadioButton(d, rad1, rad3, rad3);
        SetDlgItemInt(d, edt1, 2, FALSE);
        SetDlgItemInt(d, edt2, 7, FALSE);
        SetDlgItemInt(d, edt3, 3, FALSE);
        CheckDlgButton(d, chx1, BST_CHECKED);
        QueueClickOn(GetDlgItem(d, IDOK));
        WhenIdle([&] {
            refusal = TextOf(GetDlgItem(FindDialogWindow(), 0xFFFF));
            QueueKey(VK_RETURN);
            WhenIdle([&] {
                HWND d = FindDialogWindow("印刷");
                SetDlgItemInt(d, edt2, 3, FALSE);
                QueueClickOn(GetDlgItem(d, IDOK));
            });
        });
    });
    ASSERT_TRUE(PrintDlgA(&pd_)) << CommDlgExtendedError();
    EXPECT_NE(std::string::npos, refusal.find("1 から 5")) << refusal;
    EXPECT_TRUE(pd_.Flags & PD_PAGENUMS);
    EXPECT_TRUE(pd_.Flags & PD_PRINTTOFILE);
    EXPECT_EQ(2, pd_.nFromPage);
    EXPECT_EQ(3, pd_.nToPage);
    EXPECT_EQ(3, pd_.nCopies);
    EXPECT_NE(nullptr, pd_.hDC);
}

}  // namespace
}  // namespace test
