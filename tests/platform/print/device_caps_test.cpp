#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/print/paper.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PdfPrinterDC;
using testing::PrintTest;

class DeviceCapsTest : public PrintTest {};

int Pixels600(int tenthsOfMm) { return static_cast<int>(std::lround(tenthsOfMm * 600.0 / 254.0)); }

TEST_F(DeviceCapsTest, EveryPaperInBothOrientationsReportsItsSheetAndPrintableArea) {
    for (const print::PaperInfo& paper : print::Papers()) {
        SCOPED_TRACE(paper.name);
        HDC portrait = PdfPrinterDC(paper.code, DMORIENT_PORTRAIT);
        HDC landscape = PdfPrinterDC(paper.code, DMORIENT_LANDSCAPE);
        ASSERT_NE(portrait, nullptr);
        ASSERT_NE(landscape, nullptr);
        const int w = Pixels600(paper.width), h = Pixels600(paper.length);

        EXPECT_EQ(GetDeviceCaps(portrait, TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(GetDeviceCaps(portrait, LOGPIXELSX), 600);
        EXPECT_EQ(GetDeviceCaps(portrait, LOGPIXELSY), 600);
        EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALWIDTH), w);
        EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALHEIGHT), h);
        // The border: a sixth of an inch left and right, a fifth at the
        // top, a quarter at the bottom.
        EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALOFFSETX), 100);
        EXPECT_EQ(GetDeviceCaps(portrait, PHYSICALOFFSETY), 120);
        EXPECT_EQ(GetDeviceCaps(portrait, HORZRES), w - 200);
        EXPECT_EQ(GetDeviceCaps(portrait, VERTRES), h - 270);
        EXPECT_EQ(GetDeviceCaps(portrait, HORZSIZE), std::lround((w - 200) * 25.4 / 600));
        EXPECT_EQ(GetDeviceCaps(portrait, VERTSIZE), std::lround((h - 270) * 25.4 / 600));

        // Landscape turns every pair.
        for (auto [p, l] : {std::pair{PHYSICALWIDTH, PHYSICALHEIGHT}, std::pair{PHYSICALOFFSETX, PHYSICALOFFSETY},
                            std::pair{HORZRES, VERTRES}, std::pair{HORZSIZE, VERTSIZE}}) {
            EXPECT_EQ(GetDeviceCaps(landscape, p), GetDeviceCaps(portrait, l));
            EXPECT_EQ(GetDeviceCaps(landscape, l), GetDeviceCaps(portrait, p));
        }
        DeleteDC(portrait);
        DeleteDC(landscape);
    }
}

TEST_F(DeviceCapsTest, TheDefaultIsPortraitA4At600Dpi) {
    HDC dc = CreateDCA(nullptr, kPdfPrinterName, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 4961);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 7016);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 4761);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 6746);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 0);
}

TEST_F(DeviceCapsTest, ResolutionAndUserSizesComeFromTheDeviceMode) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PRINTQUALITY | DM_PAPERWIDTH | DM_PAPERLENGTH;
    dm.dmPrintQuality = 300;
    dm.dmPaperWidth = 1270;   // 5 inches
    dm.dmPaperLength = 2540;  // 10 inches
    HDC dc = CreateDCA(nullptr, kPdfPrinterName, nullptr, &dm);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 1500);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3000);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 50);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 60);
    DeleteDC(dc);

    dm.dmFields = DM_PRINTQUALITY;
    dm.dmPrintQuality = DMRES_HIGH;
    dc = CreateDCA(nullptr, kPdfPrinterName, nullptr, &dm);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 1200);
    DeleteDC(dc);
}

TEST_F(DeviceCapsTest, ResetDcTurnsThePageBetweenPagesOnly) {
    HDC dc = PdfPrinterDC(DMPAPER_A4, DMORIENT_PORTRAIT);
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_ORIENTATION;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    EXPECT_EQ(ResetDCA(dc, &dm), dc);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 7016);

    const std::string file = Path("turned.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "turned", file.c_str(), nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    dm.dmOrientation = DMORIENT_PORTRAIT;
    EXPECT_EQ(ResetDCA(dc, &dm), nullptr) << "not while a page is open";
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_EQ(ResetDCA(dc, &dm), dc);
    EXPECT_GT(StartPage(dc), 0);
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    if (!testing::HavePoppler()) GTEST_SKIP() << "poppler-utils missing";
    EXPECT_NE(testing::PdfInfo(file, 1)["Page    1 size"].find("841.89 x 595.276"), std::string::npos);
    EXPECT_NE(testing::PdfInfo(file, 2)["Page    2 size"].find("595.276 x 841.89"), std::string::npos);
}

TEST_F(DeviceCapsTest, AQueueReportsThePageItIsSetTo) {
    AddQueue("Office_Laser", "iso_a5_148x210mm");
    HDC dc = CreateICA(nullptr, "office_laser", nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), Pixels600(1480));
    DOCINFOA info{sizeof(DOCINFOA), "ic", nullptr, nullptr, 0};
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR) << "an information context prints nothing";
    DeleteDC(dc);
}

}  // namespace
}  // namespace win32
