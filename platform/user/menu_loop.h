// The modal menu loop: one MenuTracker runs while a menu bar or a pop-up
// menu is open. It keeps the chain of open menus (the bar or the tracked
// pop-up at level 0, each open submenu one level deeper), takes the
// thread's messages itself, and tells the owner window what happens with
// Win32's messages: WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP,
// WM_MENUSELECT, WM_MENUCHAR, WM_ENTERIDLE, WM_UNINITMENUPOPUP,
// WM_EXITMENULOOP, and WM_COMMAND or WM_SYSCOMMAND for the chosen item.
//
// Everything it calls out to may change or destroy menus and windows, so
// after each message the tracker checks again what still exists.
#pragma once

#include <vector>

#include "platform/user/menu.h"

namespace win32::user::menu {

class MenuTracker {
public:
    enum class Kind { Bar, Popup };

    MenuTracker(HWND owner, Kind kind, UINT flags);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // Entry points (menu_track.cpp). TrackPopup returns the chosen command
    // (0 for none); the bar forms run until the loop ends.
    UINT TrackPopup(HMENU menu, POINT at, const RECT* exclude);
    void TrackBarByMouse(LRESULT hit, POINT screenPt);
    void TrackBarByKey(UINT key);

    // What the rest of the window system tells the running loop.
    void Cancel();
    void OnMenuDestroyed(HMENU menu);
    void OnMenuChanged(HMENU menu);
    void OnWindowDestroyed(HWND hwnd);
    void OnBarReplaced(HWND hwnd);
    void OnSubmenuTimer(HWND popup);

private:
    struct Level {
        HMENU menu = nullptr;
        HWND window = nullptr;  // null for the bar level
        bool dirty = false;     // items changed: lay out and paint again
    };

    // Where a screen point falls.
    struct Hit {
        enum class Where { Nothing, Popup, Bar, WindowMenuIcon } where = Where::Nothing;
        std::size_t level = 0;
        int index = -1;
    };

    // menu_loop.cpp: starting, running and ending the loop.
    bool Begin(HMENU initMenu);
    void Run();
    UINT Finish();
    bool StillValid();
    void Idle();
    void HandleMessage(const MSG& peeked);
    void RefreshDirtyLevels();

    // menu_loop.cpp: the chain of open menus.
    Menu* MenuAt(std::size_t level) const;
    std::size_t Deepest() const { return levels_.size() - 1; }
    bool IsBarLevel(std::size_t level) const { return kind_ == Kind::Bar && level == 0; }
    void Select(std::size_t level, int index, bool byMouse);
    void SendMenuSelect(std::size_t level, int index, bool byMouse);
    void RedrawItem(std::size_t level, int index, UINT action);
    bool OpenSubmenu(std::size_t level, bool selectFirst);
    void CloseFrom(std::size_t level);
    void Choose(std::size_t level, int index, bool byMouse);
    void End() { ended_ = true; }
    int NextSelectable(std::size_t level, int from, int step) const;
    RECT PlaceSubmenu(std::size_t level, SIZE size) const;
    // The bar level switches between the menu bar and the window menu.
    void SwitchBarLevel(HMENU menu, int index, bool byMouse);
    void MoveOnBar(int step);

    // menu_loop_keys.cpp.
    void OnKeyDown(const MSG& msg);
    void OnKeyUp(const MSG& msg);
    void OnChar(const MSG& msg);
    void OnAccessKey(std::size_t level, char32_t ch, bool system);

    // menu_loop_mouse.cpp. OnButtonDown returns false when the press is
    // outside every menu: the loop ends and leaves it for the window under
    // the pointer.
    Hit HitTest(POINT pt) const;
    void OnMouseMove(const Hit& hit);
    bool OnButtonDown(const Hit& hit, int button, DWORD time);
    void OnButtonUp(const Hit& hit, int button);
    bool ButtonChooses(int button) const;

    HWND owner_;
    Kind kind_;
    UINT flags_;
    std::vector<Level> levels_;
    HMENU bar_ = nullptr;          // the owner's menu bar (bar loop)
    HMENU windowMenu_ = nullptr;   // the holder of the owner's window menu (bar loop)
    HWND activeAtStart_ = nullptr;
    DWORD startTime_ = 0;
    bool startedOnIcon_ = false;
    bool ended_ = false;
    bool idleSent_ = false;
    bool captured_ = false;

    bool haveChoice_ = false;
    UINT choice_ = 0;
    bool choiceIsSystem_ = false;
    LPARAM choicePoint_ = 0;
};

}  // namespace win32::user::menu
