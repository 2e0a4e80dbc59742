// The headless screen of the class library's tests, with the memo pad's
// settings and signature files in a fresh folder of their own per test.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdlib.h>

#include "app/program_files.h"
#include "resources/resources.h"
#include "tests/classlib/ui_fixture.h"

namespace app::testing {

class AppTest : public classlib::testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        // The program's icon and bitmaps, as the executable has them.
        resources::Register();
        std::string pattern = (std::filesystem::temp_directory_path() / "appforms.XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        SetProgramDirectory(dir);
        std::error_code ec;
        startFolder = std::filesystem::current_path(ec);
    }
    void TearDown() override {
        SetProgramDirectory("");
        UiTest::TearDown();
        // The open and save dialogs move the current folder to the file
        // chosen, which may be in this test's folder; it comes back first.
        std::error_code ec;
        if (!startFolder.empty()) std::filesystem::current_path(startFolder, ec);
        std::filesystem::remove_all(dir, ec);
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }

    std::string dir;
    std::filesystem::path startFolder;
};

}  // namespace app::testing
