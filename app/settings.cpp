// LoadSettings and SaveSettings: the editor's font and colours, the window's
// bounds and the title, kept in the settings file beside the executable.
#include "app/main_form.h"
#include "app/program_files.h"
#include "classlib/inifiles.h"

namespace app {

namespace {

constexpr const char* kOption = "Option";
constexpr const char* kForm = "Form";
constexpr const char* kDefaultTitle = "ぽらりMEMO";
// Names no installed face, so the font system's Shift-JIS substitute is
// used until the user picks a font.
constexpr const char* kDefaultFace = "Erorr";
constexpr int kDefaultBackground = 0xFFFFD7;
constexpr int kDefaultTextColor = 0xFF0000;

// The style byte holds bold, italic, underline and strike-out in its low
// four bits; anything above names no style.
TFontStyles StyleFromByte(int value) { return TFontStyles::FromBits(static_cast<unsigned>(value) & 0x0F); }

TFontPitch PitchFromByte(int value) { return value >= fpDefault && value <= fpFixed ? TFontPitch(value) : fpDefault; }

}  // namespace

void TMainForm::LoadSettings() {
    TIniFile ini(SettingsFileName());
    appTitle_ = ini.ReadString(kOption, "MyName", kDefaultTitle);
    TFont* font = MainMemo->Font();
    font->SetName(ini.ReadString(kOption, "Font", kDefaultFace));
    font->SetSize(ini.ReadInteger(kOption, "FontSize", 10));
    int style = ini.ReadInteger(kOption, "FontStyle", 0) & 0xFF;
    int pitch = ini.ReadInteger(kOption, "FontPitch", 0) & 0xFF;
    font->SetStyle(StyleFromByte(style));
    font->SetPitch(PitchFromByte(pitch));
    MainMemo->SetColor(ini.ReadInteger(kOption, "BGColor", kDefaultBackground));
    font->SetColor(ini.ReadInteger(kOption, "FontColor", kDefaultTextColor));
    SetTop(ini.ReadInteger(kForm, "Top", 0));
    SetLeft(ini.ReadInteger(kForm, "Left", 0));
    SetHeight(ini.ReadInteger(kForm, "Height", 440));
    SetWidth(ini.ReadInteger(kForm, "Width", 563));
}

void TMainForm::SaveSettings() {
    TIniFile ini(SettingsFileName());
    const TFont* font = MainMemo->Font();
    ini.WriteString(kOption, "Font", font->Name());
    ini.WriteInteger(kOption, "FontSize", font->Size());
    ini.WriteInteger(kOption, "FontStyle", static_cast<int>(font->Style().Bits()));
    ini.WriteInteger(kOption, "FontPitch", static_cast<int>(font->Pitch()));
    ini.WriteInteger(kOption, "BGColor", MainMemo->Color());
    ini.WriteInteger(kOption, "FontColor", font->Color());
    ini.WriteInteger(kForm, "Top", Top());
    ini.WriteInteger(kForm, "Left", Left());
    ini.WriteInteger(kForm, "Height", Height());
    ini.WriteInteger(kForm, "Width", Width());
}

}  // namespace app
