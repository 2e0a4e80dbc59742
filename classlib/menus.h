// Menus: TMenuItem trees kept in step with the window system's menu
// handles, TMainMenu on a form's menu bar, TPopupMenu, shortcuts
// (ShortCut, ShortCutToText, TextToShortCut) and the lookups by command,
// handle and shortcut. A change of an item sends CM_MENUCHANGED to the
// owner form's window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/component.h"
#include "classlib/controls.h"
#include "platform/windows.h"

namespace classlib {

class TMenu;

using TShortCut = win32::WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(win32::WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, win32::WORD& key, TShiftState& shift);
// "Ctrl+X", "Shift+Ctrl+A", "F3", "Del": the texts menus show.
std::string ShortCutToText(TShortCut shortCut);
TShortCut TextToShortCut(const std::string& text);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };


class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    TMenuBreak Break() const { return break_; }
    void SetBreak(TMenuBreak menuBreak);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    bool IsLine() const { return caption_ == "-"; }

    // The identifier WM_COMMAND carries for this item.
    win32::UINT Command() const { return command_; }
    // The item's own menu handle (its submenu), made when first asked.
    win32::HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void SetMenuIndex(int index);
    int IndexOf(const TMenuItem* item) const;
    // The item takes child; a child without owner is then owned by this item.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Delete(int index);
    void Remove(TMenuItem* item);
    void Clear();
    TMenuItem* Find(const std::string& caption) const;
    TMenu* GetParentMenu() const;

    virtual void Click();
    TNotifyEvent OnClick;

protected:
    // Rebuilds the parent's menu handle (rebuild) or only reports the change.
    void MenuChanged(bool rebuild);

private:
    friend class TMenu;
    void RebuildHandle();
    void AppendTo(win32::HMENU menu);
    void DestroyHandle();

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    TMenuBreak break_ = mbNone;
    bool visible_ = true;
    TShortCut shortCut_ = 0;
    std::string hint_;
    int imageIndex_ = -1;
    win32::UINT command_ = 0;
    win32::HMENU handle_ = nullptr;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;
    bool ownsItems_ = true;
};

using TMenuChangeEvent = std::function<void(TObject* sender, TMenuItem* source, bool rebuild)>;

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_; }
    virtual win32::HMENU Handle();
    // The window showing the menu (a main menu's form), or null.
    win32::HWND WindowHandle() const { return windowHandle_; }
    void SetWindowHandle(win32::HWND hwnd);
    TMenuItem* FindItem(win32::UINT_PTR value, TFindItemKind kind) const;
    // A key message that is the shortcut of an item clicks it (the parents
    // first) and is consumed, even when the item is disabled.
    bool IsShortCut(TMessage& message);
    bool DispatchCommand(win32::WORD command);
    bool DispatchPopup(win32::HMENU submenu);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }

    TMenuChangeEvent OnChange;

    // An item of this menu changed; tells the owner form and the window.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);

protected:
    virtual bool IsPopup() const { return false; }

private:
    TMenuItem* items_;
    win32::HWND windowHandle_ = nullptr;
    bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
    void MenuChanged(TMenuItem* source, bool rebuild) override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    // Shows the menu at a screen point and runs the chosen item's OnClick.
    virtual void Popup(int x, int y);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    TNotifyEvent OnPopup;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    bool IsPopup() const override { return true; }

private:
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

}  // namespace classlib
