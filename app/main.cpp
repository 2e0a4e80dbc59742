// Program entry of the memo pad: the main window, then the about box, the
// settings dialog and the help window, and the message loop until the main
// window closes.
#include <cstdio>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/help_form.h"
#include "app/main_form.h"
#include "app/set_form.h"
#include "classlib/application.h"
#include "classlib/printer_print_target.h"
#include "platform/backend/select.h"
#include "platform/user/window_system.h"
#include "resources/resources.h"

int main(int argc, char** argv) {
    std::string error;
    if (!win32::backend::SelectBackend(error)) {
        std::fprintf(stderr, "PMemo: %s\n", error.c_str());
        return 1;
    }
    win32::user::ResetWindowSystem();  // the desktop takes the display's size
    resources::Register();
    classlib::TRichEdit::SetPrinterFactory(classlib::MakePrinterPrintTarget);

    using namespace app;
    classlib::Application->Initialize();
    classlib::Application->SetTitle("ぽらりMEMO");
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    TMainForm* mainForm = nullptr;
    TAboutBox* aboutBox = nullptr;
    TSetFm* setForm = nullptr;
    THelpFm* helpForm = nullptr;
    try {
        classlib::Application->CreateForm(mainForm, std::move(arguments));
        // Made for the program as a whole but never shown: the About
        // command shows the main window's own.
        classlib::Application->CreateForm(aboutBox);
        classlib::Application->CreateForm(setForm);
        classlib::Application->CreateForm(helpForm, mainForm->MainMemo);
    } catch (...) {
        classlib::Application->HandleException(classlib::Application);
    }
    if (mainForm == nullptr) return 1;
    mainForm->SetSettingsForm(setForm);
    mainForm->SetHelpForm(helpForm);
    classlib::Application->Run();
    // The forms go with the application, each window freeing what it holds.
    delete classlib::Application;
    classlib::Application = nullptr;
    return 0;
}
