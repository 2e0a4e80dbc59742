// The window system's API, in one include: a subset of Win32 with Win32's
// names, values and behaviour, in namespace win32.
#pragma once

#include "platform/windef.h"
#include "platform/kernel/winbase.h"
#include "platform/kernel/winnls.h"
#include "platform/user/winuser.h"
#include "platform/gdi/wingdi.h"
#include "platform/comctl/commctrl.h"
#include "platform/richedit/richedit.h"
#include "platform/comdlg/commdlg.h"
#include "platform/print/winspool.h"
#include "platform/shell/shellapi.h"
