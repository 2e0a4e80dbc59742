#include "platform/kernel/profile_file.h"

namespace win32::kernel {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kLineBreak = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Text is UTF-8 here, whose multi-byte sequences never contain ASCII bytes,
// so folding ASCII letters byte by byte cannot merge two characters.
bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

// The name of a section line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    t.remove_prefix(1);
    std::size_t close = t.find(']');
    return Trim(close == npos ? t : t.substr(0, close));
}

// The key of a value line, or nothing.
std::optional<std::string_view> KeyName(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == npos) return std::nullopt;
    std::string_view key = Trim(line.substr(0, eq));
    if (!key.empty() && key.front() == '[') return std::nullopt;
    return key;
}

std::string_view FirstLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

}  // namespace

ProfileFile::ProfileFile(std::string_view content) {
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == npos) {
            lines_.push_back({std::string(content.substr(pos)), {}});
            break;
        }
        std::size_t next = end + 1;
        if (content[end] == '\r' && next < content.size() && content[next] == '\n') ++next;
        lines_.push_back({std::string(content.substr(pos, end - pos)), std::string(content.substr(end, next - end))});
        pos = next;
    }
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = SectionName(lines_[i].text);
        if (name && SameName(*name, section)) return i;
    }
    return npos;
}

std::size_t ProfileFile::SectionEnd(std::size_t start) const {
    std::size_t i = start + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
    return i;
}

std::size_t ProfileFile::FindKey(std::size_t start, std::string_view key) const {
    std::size_t end = SectionEnd(start);
    for (std::size_t i = start + 1; i < end; ++i) {
        auto name = KeyName(lines_[i].text);
        if (name && SameName(*name, key)) return i;
    }
    return npos;
}

std::optional<std::string> ProfileFile::Value(std::string_view section, std::string_view key) const {
    std::size_t s = FindSection(section);
    if (s == npos) return std::nullopt;
    std::size_t k = FindKey(s, key);
    if (k == npos) return std::nullopt;
    const std::string& line = lines_[k].text;
    std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool ProfileFile::HasSection(std::string_view section) const { return FindSection(section) != npos; }

std::vector<std::string> ProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        auto name = SectionName(line.text);
        if (!name) continue;
        bool seen = false;
        for (const std::string& n : names) seen = seen || SameName(n, *name);
        if (!seen) names.emplace_back(*name);
    }
    return names;
}

std::vector<std::string> ProfileFile::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    std::size_t s = FindSection(section);
    if (s == npos) return names;
    std::size_t end = SectionEnd(s);
    for (std::size_t i = s + 1; i < end; ++i) {
        auto name = KeyName(lines_[i].text);
        if (!name) continue;
        bool seen = false;
        for (const std::string& n : names) seen = seen || SameName(n, *name);
        if (!seen) names.emplace_back(*name);
    }
    return names;
}

std::vector<std::string> ProfileFile::SectionLines(std::string_view section) const {
    std::vector<std::string> result;
    std::size_t s = FindSection(section);
    if (s == npos) return result;
    std::size_t end = SectionEnd(s);
    for (std::size_t i = s + 1; i < end; ++i) {
        if (KeyName(lines_[i].text)) result.push_back(lines_[i].text);
    }
    return result;
}

void ProfileFile::TerminateLastLine() {
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = kLineBreak;
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(FirstLine(section));
    key = Trim(FirstLine(key));
    value = FirstLine(value);
    std::string line = std::string(key) + "=" + std::string(value);

    std::size_t s = FindSection(section);
    if (s == npos) {
        TerminateLastLine();
        lines_.push_back({"[" + std::string(section) + "]", std::string(kLineBreak)});
        lines_.push_back({line, std::string(kLineBreak)});
        return;
    }
    std::size_t k = FindKey(s, key);
    if (k != npos) {
        // The key keeps the spelling it has in the file.
        lines_[k].text = std::string(*KeyName(lines_[k].text)) + "=" + std::string(value);
        return;
    }
    // After the section's last non-empty line, so blank lines that part it
    // from the next section stay where they are.
    std::size_t after = SectionEnd(s);
    while (after > s + 1 && Trim(lines_[after - 1].text).empty()) --after;
    if (lines_[after - 1].ending.empty()) lines_[after - 1].ending = kLineBreak;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after), Line{line, std::string(kLineBreak)});
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    std::size_t s = FindSection(section);
    if (s == npos) return;
    std::size_t k = FindKey(s, key);
    if (k != npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(k));
}

void ProfileFile::DeleteSection(std::string_view section) {
    std::size_t s = FindSection(section);
    if (s == npos) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(s)));
}

std::string ProfileFile::Content() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

}  // namespace win32::kernel
