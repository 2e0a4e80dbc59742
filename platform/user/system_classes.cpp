// The window classes of the system's own controls. They are registered the
// first time a window of theirs is made or their class is asked for, so a
// reset window system gets them back without anyone calling in.
#include <strings.h>

#include "platform/user/window_class.h"

namespace win32 {
// Each control's module registers its classes (idempotent).
void RegisterEditClass();
void RegisterRichEditClass();
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterListBoxClass();
void RegisterComboBoxClass();
void RegisterComboListClass();
void RegisterUpDownClass();
void RegisterStatusBarClass();
void RegisterProgressBarClass();
void RegisterTabControlClass();
}  // namespace win32

namespace win32::user {

bool RegisterSystemClass(LPCSTR name) {
    struct Entry {
        const char* name;
        void (*Register)();
    };
    static const Entry kClasses[] = {
        {"EDIT", RegisterEditClass},
        {"RICHEDIT", RegisterRichEditClass},
        {"BUTTON", RegisterButtonClass},
        {"STATIC", RegisterStaticClass},
        {"LISTBOX", RegisterListBoxClass},
        {"COMBOBOX", RegisterComboBoxClass},
        {"ComboLBox", RegisterComboListClass},
        {"msctls_updown32", RegisterUpDownClass},
        {"msctls_statusbar32", RegisterStatusBarClass},
        {"msctls_progress32", RegisterProgressBarClass},
        {"SysTabControl32", RegisterTabControlClass},
    };
    for (const Entry& e : kClasses) {
        if (strcasecmp(e.name, name) == 0) {
            e.Register();
            return true;
        }
    }
    return false;
}

}  // namespace win32::user
