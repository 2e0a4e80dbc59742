#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/print/printer_list.h"
#include "tests/platform/print/print_fixture.h"

namespace win32 {
namespace {

using testing::PrintTest;

class PrinterListTest : public PrintTest {};

std::vector<std::string> EnumeratedNames(DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS) {
    DWORD needed = 0, returned = 0;
    EXPECT_FALSE(EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &returned));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &returned));
    std::vector<std::string> names;
    auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i) names.push_back(info[i].pPrinterName);
    return names;
}

TEST_F(PrinterListTest, ThePdfPrinterComesFirstAndIsTheDefault) {
    AddQueue("Office_Laser");
    AddQueue("inkjet/photo");
    EXPECT_EQ(EnumeratedNames(), (std::vector<std::string>{kPdfPrinterName, "Office_Laser", "inkjet/photo"}));
    EXPECT_EQ(EnumeratedNames(PRINTER_ENUM_DEFAULT), (std::vector<std::string>{kPdfPrinterName}));

    char name[64];
    DWORD size = 2;
    EXPECT_FALSE(GetDefaultPrinterA(name, &size));
    EXPECT_EQ(size, std::strlen(kPdfPrinterName) + 1);
    EXPECT_TRUE(GetDefaultPrinterA(name, &size));
    EXPECT_STREQ(name, kPdfPrinterName);
}

TEST_F(PrinterListTest, WithoutQueuesOnlyThePdfPrinterIsListed) {
    EXPECT_EQ(EnumeratedNames(), (std::vector<std::string>{kPdfPrinterName}));
    EXPECT_NE(print::FindPrinter("pdf プリンター"), nullptr) << "names compare without ASCII case";
    EXPECT_EQ(print::FindPrinter("PDF"), nullptr);
}

TEST_F(PrinterListTest, LevelTwoCarriesPortDriverAndDeviceModeInsideTheBuffer) {
    AddQueue("Office_Laser", "na_letter_8.5x11in");
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned));
    ASSERT_EQ(returned, 2u);
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    const BYTE* begin = buffer.data();
    const BYTE* end = buffer.data() + buffer.size();
    for (DWORD i = 0; i < returned; ++i) {
        const auto* dm = reinterpret_cast<const BYTE*>(info[i].pDevMode);
        ASSERT_TRUE(dm >= begin && dm + sizeof(DEVMODEA) <= end);
        EXPECT_EQ(info[i].pDevMode->dmSize, sizeof(DEVMODEA));
        EXPECT_STREQ(info[i].pDevMode->dmDeviceName, info[i].pPrinterName);
    }
    EXPECT_STREQ(info[0].pPortName, "PDF:");
    EXPECT_TRUE(info[0].Attributes & PRINTER_ATTRIBUTE_DEFAULT);
    EXPECT_STREQ(info[1].pComment, "Office_Laser の説明");
    EXPECT_FALSE(info[1].Attributes & PRINTER_ATTRIBUTE_DEFAULT);
    // A queue's own default paper is its device mode's default.
    EXPECT_EQ(info[1].pDevMode->dmPaperSize, DMPAPER_LETTER);
    EXPECT_EQ(info[0].pDevMode->dmPaperSize, DMPAPER_A4);

    // One byte short is refused with the size needed.
    DWORD again = 0;
    EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed - 1, &again, &returned));
    EXPECT_EQ(again, needed);
    EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 3, buffer.data(), needed, &again, &returned));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_LEVEL);
}

TEST_F(PrinterListTest, DocumentPropertiesMergesTheCallersFields) {
    char name[64];
    std::strcpy(name, kPdfPrinterName);
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
    EXPECT_EQ(DocumentPropertiesA(nullptr, printer, name, nullptr, nullptr, 0), static_cast<LONG>(sizeof(DEVMODEA)));

    DEVMODEA in{};
    in.dmSize = sizeof in;
    in.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    in.dmOrientation = DMORIENT_LANDSCAPE;
    in.dmPaperSize = DMPAPER_B5;
    in.dmCopies = 5000;
    DEVMODEA out{};
    EXPECT_EQ(DocumentPropertiesA(nullptr, printer, name, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER), 1);
    EXPECT_EQ(out.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(out.dmPaperSize, DMPAPER_B5);
    EXPECT_EQ(out.dmCopies, 999) << "copies are brought into range";
    EXPECT_EQ(out.dmPrintQuality, 600);
    EXPECT_STREQ(out.dmFormName, "B5 (JIS)");
    EXPECT_TRUE(out.dmFields & DM_ORIENTATION);

    // A paper the printer does not know leaves the paper as it was; a size
    // of the caller's own becomes a user-defined paper.
    in.dmFields = DM_PAPERSIZE;
    in.dmPaperSize = 999;
    DocumentPropertiesA(nullptr, printer, name, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER);
    EXPECT_EQ(out.dmPaperSize, DMPAPER_A4);
    in.dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH;
    in.dmPaperWidth = 1000;
    in.dmPaperLength = 2000;
    DocumentPropertiesA(nullptr, printer, name, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER);
    EXPECT_EQ(out.dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(out.dmPaperWidth, 1000);
    EXPECT_TRUE(out.dmFields & DM_PAPERLENGTH);
    // The sizes of a listed paper are that paper.
    in.dmPaperWidth = 1000;
    in.dmPaperLength = 1480;
    DocumentPropertiesA(nullptr, printer, name, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER);
    EXPECT_EQ(out.dmPaperSize, DMPAPER_JAPANESE_POSTCARD);

    EXPECT_TRUE(ClosePrinter(printer));
    EXPECT_FALSE(ClosePrinter(printer));
    EXPECT_EQ(DocumentPropertiesA(nullptr, printer, nullptr, &out, nullptr, DM_OUT_BUFFER), -1);
    char missing[] = "どこにもないプリンター";
    EXPECT_FALSE(OpenPrinterA(missing, &printer, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
}

TEST_F(PrinterListTest, GetPrinterDescribesTheOpenedPrinterWithItsDefaults) {
    char name[64];
    std::strcpy(name, kPdfPrinterName);
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_ORIENTATION;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    PRINTER_DEFAULTSA defaults{nullptr, &dm, 0};
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterA(name, &printer, &defaults));
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterA(printer, 2, nullptr, 0, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetPrinterA(printer, 2, buffer.data(), needed, &needed));
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    EXPECT_STREQ(info->pPrinterName, kPdfPrinterName);
    EXPECT_EQ(info->pDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    ClosePrinter(printer);
    EXPECT_FALSE(GetPrinterA(printer, 2, buffer.data(), needed, &needed));
}

TEST_F(PrinterListTest, DeviceCapabilitiesListPapersWithNamesAndSizes) {
    const int n = DeviceCapabilitiesA(kPdfPrinterName, "PDF:", DC_PAPERS, nullptr, nullptr);
    ASSERT_GT(n, 5);
    std::vector<WORD> codes(static_cast<std::size_t>(n));
    std::vector<char> names(static_cast<std::size_t>(n) * CCHPAPERNAME);
    std::vector<POINT> sizes(static_cast<std::size_t>(n));
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, DC_PAPERS, reinterpret_cast<LPSTR>(codes.data()), nullptr), n);
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, DC_PAPERNAMES, names.data(), nullptr), n);
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr), n);
    auto find = [&](WORD code) {
        for (int i = 0; i < n; ++i)
            if (codes[static_cast<std::size_t>(i)] == code) return i;
        return -1;
    };
    const int a4 = find(DMPAPER_A4), b5 = find(DMPAPER_B5), letter = find(DMPAPER_LETTER);
    ASSERT_GE(a4, 0);
    ASSERT_GE(b5, 0);
    ASSERT_GE(letter, 0);
    EXPECT_STREQ(&names[static_cast<std::size_t>(a4) * CCHPAPERNAME], "A4");
    EXPECT_EQ(sizes[static_cast<std::size_t>(a4)].x, 2100);
    EXPECT_EQ(sizes[static_cast<std::size_t>(a4)].y, 2970);
    EXPECT_EQ(sizes[static_cast<std::size_t>(b5)].x, 1820);
    EXPECT_EQ(sizes[static_cast<std::size_t>(letter)].y, 2794);
    for (int i = 0; i < n; ++i) {
        const char* name = &names[static_cast<std::size_t>(i) * CCHPAPERNAME];
        EXPECT_GT(std::strlen(name), 0u);
        EXPECT_LT(std::strlen(name), static_cast<std::size_t>(CCHPAPERNAME));
    }
    LONG resolutions[6];
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, DC_ENUMRESOLUTIONS, reinterpret_cast<LPSTR>(resolutions), nullptr), 3);
    EXPECT_EQ(resolutions[2], 600);
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, DC_SIZE, nullptr, nullptr), static_cast<int>(sizeof(DEVMODEA)));
    EXPECT_EQ(DeviceCapabilitiesA("存在しない", nullptr, DC_PAPERS, nullptr, nullptr), -1);
    EXPECT_EQ(DeviceCapabilitiesA(kPdfPrinterName, nullptr, 999, nullptr, nullptr), -1);
}

TEST_F(PrinterListTest, CreateDcFailsForAPrinterThatDoesNotExist) {
    SetLastError(0);
    EXPECT_EQ(CreateDCA("WINSPOOL", "消えたプリンター", nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
    EXPECT_EQ(CreateDCA(nullptr, nullptr, nullptr, nullptr), nullptr);
}

}  // namespace
}  // namespace win32
