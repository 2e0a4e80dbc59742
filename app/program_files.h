// Where the memo pad keeps what survives between runs: the settings file
// "PMemo.ini" and the signature file "PMemo.sig", both beside the
// executable. Each call builds the path afresh.
#pragma once

#include <string>

namespace app {

// The executable's folder with a final separator.
std::string ProgramDirectory();
// ProgramDirectory() + "PMemo.ini".
std::string SettingsFileName();
// ProgramDirectory() + "PMemo.sig".
std::string SignatureFileName();

// Puts both files into another folder (tests run many programs from one
// build folder); an empty folder restores the executable's.
void SetProgramDirectory(const std::string& directory);

}  // namespace app
