#include "classlib/menus.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "classlib/application.h"
#include "classlib/consts.h"
#include "classlib/forms.h"
#include "classlib/menu_platform.h"

namespace classlib {

using namespace win32;

namespace {

// Command identifiers in use; each item holds one for its lifetime.
std::set<UINT>& UsedCommands() {
    static std::set<UINT> used;
    return used;
}

UINT UniqueCommand() {
    UINT id = 1;
    for (UINT used : UsedCommands()) {
        if (used != id) break;
        ++id;
    }
    UsedCommands().insert(id);
    return id;
}

struct KeyName {
    WORD key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},     {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyText(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + std::to_string(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames) {
        if (k.key == key) return k.name;
    }
    return std::string();
}

}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if ((key & 0xFF00) != 0) return 0;
    TShortCut s = key;
    if (shift.Contains(ssShift)) s |= scShift;
    if (shift.Contains(ssCtrl)) s |= scCtrl;
    if (shift.Contains(ssAlt)) s |= scAlt;
    return s;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = {};
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyText(shortCut & 0xFF);
    if (name.empty()) return std::string();
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string rest = text;
    TShortCut mods = 0;
    auto take = [&](const char* prefix, TShortCut flag) {
        std::size_t n = std::char_traits<char>::length(prefix);
        if (rest.size() > n) {
            bool same = true;
            for (std::size_t i = 0; i < n; ++i) {
                same = same && std::tolower(static_cast<unsigned char>(rest[i])) == std::tolower(prefix[i]);
            }
            if (same) {
                rest.erase(0, n);
                mods |= flag;
                return true;
            }
        }
        return false;
    };
    while (take("Shift+", scShift) || take("Ctrl+", scCtrl) || take("Alt+", scAlt)) {
    }
    for (WORD key = 8; key <= 255; ++key) {
        std::string name = KeyText(key);
        if (name.empty() || name.size() != rest.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size(); ++i) {
            same = same && std::tolower(static_cast<unsigned char>(name[i])) ==
                               std::tolower(static_cast<unsigned char>(rest[i]));
        }
        if (same) return static_cast<TShortCut>(key | mods);
    }
    return 0;
}

// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(UniqueCommand()) {}

TMenuItem::~TMenuItem() {
    Destroying();
    if (parent_ != nullptr) parent_->Remove(this);
    // Child items go with their parent item, whoever owns them.
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        delete child;
    }
    DestroyHandle();
    UsedCommands().erase(command_);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError(SMenuIndexError);
    return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const { return parent_ != nullptr ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int index) {
    if (parent_ == nullptr) return;
    TMenuItem* parent = parent_;
    int count = parent->Count();
    index = std::clamp(index, 0, count - 1);
    if (index == MenuIndex()) return;
    parent->Remove(this);
    parent->Insert(index, this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr) return;
    if (item->parent_ != nullptr) throw EMenuError(SMenuReinserted);
    if (index < 0 || index > Count()) throw EMenuError(SMenuIndexError);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    item->DestroyHandle();
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    int index = IndexOf(item);
    if (index < 0) throw EMenuError(SMenuNotFound);
    Delete(index);
}

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    auto plain = [](const std::string& s) {
        std::string out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '&' && i + 1 < s.size() && s[i + 1] != '&') continue;
            out += s[i];
        }
        return out;
    };
    std::string wanted = plain(caption);
    for (TMenuItem* item : items_) {
        if (plain(item->caption_) == wanted) return item;
    }
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_ != nullptr) item = item->parent_;
    return item->menu_;
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (checked && radioItem_ && parent_ != nullptr) {
        // Checking a radio item unchecks the others of its group.
        for (TMenuItem* sibling : parent_->items_) {
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_) {
                sibling->checked_ = false;
                if (parent_->handle_ != nullptr) {
                    menu_platform::CheckItem(parent_->handle_, sibling->command_, false);
                }
            }
        }
    }
    if (parent_ != nullptr && parent_->handle_ != nullptr) menu_platform::CheckItem(parent_->handle_, command_, checked);
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (parent_ != nullptr && parent_->handle_ != nullptr) {
        menu_platform::EnableItem(parent_->handle_, command_, enabled);
    }
    MenuChanged(false);
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    if (isDefault && parent_ != nullptr) {
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    }
    default_ = isDefault;
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (radioItem == radioItem_) return;
    radioItem_ = radioItem;
    MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak menuBreak) {
    if (menuBreak == break_) return;
    break_ = menuBreak;
    MenuChanged(true);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == shortCut_) return;
    shortCut_ = shortCut;
    MenuChanged(true);
}

HMENU TMenuItem::Handle() {
    // A window destroys its menu bar with it; the item then builds its
    // handle anew the next time it is shown.
    if (handle_ != nullptr && !IsMenu(handle_)) handle_ = nullptr;
    if (handle_ == nullptr) {
        TMenu* menu = GetParentMenu();
        bool bar = parent_ == nullptr && menu != nullptr && dynamic_cast<TMainMenu*>(menu) != nullptr;
        handle_ = menu_platform::CreateMenuHandle(!bar);
        if (handle_ != nullptr) {
            for (TMenuItem* item : items_) {
                if (item->visible_) item->AppendTo(handle_);
            }
        }
    }
    return handle_;
}

void TMenuItem::AppendTo(HMENU menu) {
    menu_platform::ItemSpec spec;
    spec.text = caption_;
    if (shortCut_ != 0 && parent_ != nullptr && parent_->parent_ != nullptr) spec.text += "\t" + ShortCutToText(shortCut_);
    spec.command = command_;
    spec.separator = IsLine();
    spec.checked = checked_;
    spec.enabled = enabled_;
    spec.radio = radioItem_;
    spec.isDefault = default_;
    spec.menuBreak = break_ == mbBreak ? 1 : break_ == mbBarBreak ? 2 : 0;
    if (!items_.empty()) spec.submenu = Handle();
    menu_platform::AppendItem(menu, spec);
}

void TMenuItem::RebuildHandle() {
    if (handle_ == nullptr) return;
    menu_platform::ClearMenu(handle_);
    for (TMenuItem* item : items_) {
        if (item->visible_) item->AppendTo(handle_);
    }
}

void TMenuItem::DestroyHandle() {
    if (handle_ == nullptr) return;
    for (TMenuItem* item : items_) item->DestroyHandle();
    menu_platform::DestroyMenuHandle(handle_);
    handle_ = nullptr;
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (ComponentState().Contains(csDestroying)) return;
    TMenuItem* source = this;
    if (rebuild && parent_ != nullptr) parent_->RebuildHandle();
    if (rebuild && parent_ == nullptr) RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(source, rebuild);
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (OnClick) OnClick(this);
}

// TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() {
    Destroying();
    DestroyComponents();
}

HMENU TMenu::Handle() { return items_->Handle(); }

void TMenu::SetWindowHandle(HWND hwnd) {
    windowHandle_ = hwnd;
    if (hwnd != nullptr) menu_platform::SetWindowMenu(hwnd, Handle());
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
    std::function<TMenuItem*(TMenuItem*)> search = [&](TMenuItem* item) -> TMenuItem* {
        for (TMenuItem* child : item->items_) {
            bool match = false;
            switch (kind) {
                case fkCommand: match = child->command_ == value; break;
                case fkHandle: match = child->handle_ != nullptr && reinterpret_cast<UINT_PTR>(child->handle_) == value; break;
                case fkShortCut: match = child->shortCut_ != 0 && child->shortCut_ == value; break;
            }
            if (match) return child;
            if (TMenuItem* found = search(child)) return found;
        }
        return nullptr;
    };
    return search(items_);
}

bool TMenu::IsShortCut(TMessage& m) {
    TShortCut shortCut = static_cast<TShortCut>(m.WParam & 0xFF);
    if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
    if (m.LParam & 0x20000000) shortCut |= scAlt;
    if ((shortCut & 0xFF) == 0) return false;
    enum Result { disabled, clicked, moved };
    // Parents are clicked first, as opening their menus would; a handler may
    // move the shortcut elsewhere, and the search then starts again.
    std::function<Result(TMenuItem*, int)> doClick = [&](TMenuItem* item, int level) -> Result {
        Result r = clicked;
        if (item->parent_ != nullptr && item->parent_->parent_ != nullptr) r = doClick(item->parent_, level + 1);
        if (r != clicked) return r;
        if (!item->enabled_) return disabled;
        try {
            item->Click();
        } catch (...) {
            ReportException(this);
        }
        if (level == 0 && item->shortCut_ != shortCut) return moved;
        return clicked;
    };
    TMenuItem* item = nullptr;
    for (int guard = 0; guard < 16; ++guard) {
        item = FindItem(shortCut, fkShortCut);
        if (item == nullptr || doClick(item, 0) != moved) break;
    }
    return item != nullptr;
}

bool TMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU submenu) {
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(submenu), fkHandle);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    if (OnChange) OnChange(this, source, rebuild);
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form != nullptr && form->HandleAllocated()) {
        SendMessageA(form->Handle(), CM_MENUCHANGED, 0, 0);
    }
}

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (WindowHandle() != nullptr && !ComponentState().Contains(csDestroying)) menu_platform::DrawBar(WindowHandle());
    TMenu::MenuChanged(source, rebuild);
}

// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    popupComponent_ = component;
    if (component != nullptr) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
    TMenu::Notification(component, operation);
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    static constexpr menu_platform::PopupAlign kAlign[] = {
        menu_platform::PopupAlign::Left, menu_platform::PopupAlign::Right, menu_platform::PopupAlign::Center};
    HWND owner = Application->Handle();
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form != nullptr) owner = form->Handle();
    UINT command = menu_platform::TrackPopup(Handle(), kAlign[alignment_], x, y,
                                             owner);
    if (command != 0) DispatchCommand(static_cast<WORD>(command));
}

}  // namespace classlib
