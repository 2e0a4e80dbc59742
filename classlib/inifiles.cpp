#include "classlib/inifiles.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/consts.h"
#include "classlib/strings.h"
#include "platform/kernel/winbase.h"

namespace classlib {

using namespace win32;

bool TryParseInt(const std::string& text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    std::uint64_t n = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        n = n * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (n > 0xFFFFFFFFull) return false;
    }
    if (base == 10) {
        if (negative ? n > 0x80000000ull : n > 0x7FFFFFFFull) return false;
        value = negative ? static_cast<int>(-static_cast<std::int64_t>(n)) : static_cast<int>(n);
    } else {
        // Hexadecimal fills all 32 bits, as the library's conversion does.
        std::uint32_t bits = static_cast<std::uint32_t>(n);
        value = static_cast<int>(negative ? 0u - bits : bits);
    }
    return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) {
    char buffer[1024];
    DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), def.c_str(), buffer, sizeof(buffer),
                                       fileName_.c_str());
    return std::string(buffer, n);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) {
    std::string text = ReadString(section, ident, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    int value = def;
    return TryParseInt(text, value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::Write(const char* section, const char* ident, const char* value) {
    if (!WritePrivateProfileStringA(section, ident, value, fileName_.c_str())) {
        throw EIniFileException(FormatResource(SIniFileWriteError, {fileName_}));
    }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    Write(section.c_str(), ident.c_str(), value.c_str());
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

namespace {

// Reads a double-NUL-terminated list, growing the buffer until it fits.
std::vector<std::string> ReadList(const std::function<DWORD(char*, DWORD)>& read) {
    std::vector<char> buffer(16384);
    DWORD n = 0;
    while (true) {
        n = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + 2 < buffer.size() || buffer.size() > (1u << 24)) break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (buffer[i] == '\0') {
            if (i > start) out.emplace_back(buffer.data() + start, i - start);
            start = i + 1;
        }
    }
    if (start < n) out.emplace_back(buffer.data() + start, n - start);
    return out;
}

}  // namespace

void TIniFile::ReadSection(const std::string& section, TStrings* keys) {
    keys->BeginUpdate();
    keys->Clear();
    for (const std::string& key : ReadList([&](char* b, DWORD size) {
             return GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, b, size, fileName_.c_str());
         })) {
        keys->Add(key);
    }
    keys->EndUpdate();
}

void TIniFile::ReadSections(TStrings* sections) {
    sections->BeginUpdate();
    sections->Clear();
    for (const std::string& name : ReadList([&](char* b, DWORD size) {
             return GetPrivateProfileSectionNamesA(b, size, fileName_.c_str());
         })) {
        sections->Add(name);
    }
    sections->EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings* values) {
    values->BeginUpdate();
    values->Clear();
    for (const std::string& line : ReadList([&](char* b, DWORD size) {
             return GetPrivateProfileSectionA(section.c_str(), b, size, fileName_.c_str());
         })) {
        values->Add(line);
    }
    values->EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.Count() > 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) {
    TStringList keys;
    ReadSection(section, &keys);
    return keys.IndexOf(ident) >= 0;
}

void TIniFile::EraseSection(const std::string& section) { Write(section.c_str(), nullptr, nullptr); }

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, fileName_.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str()); }

}  // namespace classlib
