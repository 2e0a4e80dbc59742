// TIniFile: sections and keys of a settings file through the profile
// functions, with the library's conversions (hexadecimal "0x" and "$"
// integers, booleans as 0 and 1) and its write error.
#pragma once

#include <string>

#include "classlib/object.h"
#include "classlib/sysutils.h"

namespace classlib {

class TStrings;

// "%s に書き込めません" with the file's path.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // Values are read up to 1023 bytes; a missing file, section or key gives
    // the default.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def);
    // Decimal, "$" hexadecimal, or "0x" hexadecimal when longer than two
    // characters; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& ident, int def);
    bool ReadBool(const std::string& section, const std::string& ident, bool def);
    // Raise EIniFileException when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    void ReadSection(const std::string& section, TStrings* keys);
    void ReadSections(TStrings* sections);
    void ReadSectionValues(const std::string& section, TStrings* values);
    bool SectionExists(const std::string& section);
    bool ValueExists(const std::string& section, const std::string& ident);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);
    void UpdateFile();

private:
    void Write(const char* section, const char* ident, const char* value);
    std::string fileName_;
};

// The integer conversion the settings use: optional sign, decimal digits or
// "$" and hexadecimal digits, within 32 bits; false when it does not convert.
bool TryParseInt(const std::string& text, int& value);

}  // namespace classlib
