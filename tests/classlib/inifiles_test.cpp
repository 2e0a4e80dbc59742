#include "classlib/inifiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/strings.h"

namespace classlib {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("classlib_ini_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "PMemo.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::filesystem::path dir;
    std::string path;
};

TEST_F(IniFileTest, IntegersTakeDecimalDollarAndLongerZeroXForms) {
    Put("[Option]\r\nA=0xFF\r\nB=255\r\nC=red\r\nD=$10\r\nE=-5\r\nF=0x\r\nG=259\r\nH=99999999999\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Option", "A", 7), 255);
    EXPECT_EQ(ini.ReadInteger("Option", "B", 7), 255);
    EXPECT_EQ(ini.ReadInteger("Option", "C", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Option", "D", 7), 16);
    EXPECT_EQ(ini.ReadInteger("Option", "E", 7), -5);
    EXPECT_EQ(ini.ReadInteger("Option", "F", 7), 7) << "\"0x\" alone is not a number";
    EXPECT_EQ(ini.ReadInteger("Option", "G", 7) & 0xFF, 3);
    EXPECT_EQ(ini.ReadInteger("Option", "H", 7), 7) << "out of range";
    EXPECT_EQ(ini.ReadInteger("Option", "Missing", 440), 440);
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndWritesCreateIt) {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Option", "MyName", "ぽらりMEMO"), "ぽらりMEMO");
    ini.WriteString("Option", "Font", "ＭＳ ゴシック");
    ini.WriteInteger("Form", "Width", 563);
    ini.WriteBool("Form", "Max", true);
    EXPECT_EQ(ini.ReadString("Option", "Font", ""), "ＭＳ ゴシック");
    EXPECT_EQ(ini.ReadInteger("Form", "Width", 0), 563);
    EXPECT_TRUE(ini.ReadBool("Form", "Max", false));
    TStringList sections, keys;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.CommaText(), "Option,Form");
    ini.ReadSection("Form", &keys);
    EXPECT_EQ(keys.CommaText(), "Width,Max");
    EXPECT_TRUE(ini.ValueExists("Form", "Max"));
    ini.DeleteKey("Form", "Max");
    EXPECT_FALSE(ini.ValueExists("Form", "Max"));
    ini.EraseSection("Form");
    EXPECT_FALSE(ini.SectionExists("Form"));
}

TEST_F(IniFileTest, LongValuesAreCutTo1023Bytes) {
    Put("[Option]\r\nMyName=" + std::string(2000, 'x') + "\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Option", "MyName", "").size(), 1023u);
}

TEST_F(IniFileTest, RefusedWriteRaisesWithThePath) {
    std::string folder = dir.string();  // a folder cannot be written as a file
    TIniFile ini(folder);
    try {
        ini.WriteString("Option", "Font", "x");
        FAIL();
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), folder + " に書き込めません");
    }
}

}  // namespace
}  // namespace classlib
