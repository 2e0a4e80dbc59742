// The content of a profile (INI) file as lines, with the lookups and edits
// of the profile functions. Pure text in, text out: file access and code
// page conversion happen in the functions around it.
//
// The rules are Windows': a section line is "[name]" (blanks allowed
// around), a value line is "key=value" inside a section; names match
// without regard to ASCII case and with blanks around them ignored; the
// first of duplicate sections or keys is the one read and changed; lines of
// any other shape are kept and otherwise ignored. Editing changes only the
// lines it must: every other line keeps its bytes and its line break.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win32::kernel {

class ProfileFile {
public:
    ProfileFile() = default;
    explicit ProfileFile(std::string_view content);

    // The value of a key, blanks around it trimmed and one pair of
    // surrounding quotes (" or ') removed; nothing when the section or the
    // key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Distinct names in file order, as the file spells them.
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The value lines of a section as "key=value", as they stand.
    std::vector<std::string> SectionLines(std::string_view section) const;

    // Sets a value, creating the key and the section when missing. A line
    // break in the key or value ends it, so that no call can add lines of
    // its own making.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);

    std::string Content() const;

private:
    struct Line {
        std::string text;   // without its line break
        std::string ending;  // "\r\n", "\n", "\r", or empty on a last line without one
    };

    // Index of the first section line with that name, or npos.
    std::size_t FindSection(std::string_view section) const;
    // One past the last line belonging to the section that starts at `start`.
    std::size_t SectionEnd(std::size_t start) const;
    std::size_t FindKey(std::size_t start, std::string_view key) const;
    // Gives the last line a line break so that a line can follow it.
    void TerminateLastLine();

    std::vector<Line> lines_;
};

}  // namespace win32::kernel
