#include "classlib/component.h"

#include <algorithm>

#include "classlib/consts.h"

namespace classlib {

namespace {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool IsValidIdent(const std::string& name) {
    if (name.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Partners are told first, while this component still has its owned ones.
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = partner->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_ != nullptr) {
        // The owner's unique_ptr is this object itself: release it unfreed.
        owner_->RemoveComponent(this);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) {
        throw EComponentError(FormatResource(SListIndexError, {std::to_string(index)}));
    }
    return components_[static_cast<std::size_t>(index)].get();
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr) return -1;
    for (int i = 0; i < owner_->ComponentCount(); ++i) {
        if (owner_->components_[static_cast<std::size_t>(i)].get() == this) return i;
    }
    return -1;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (const auto& c : components_) {
        if (SameText(c->name_, name)) return c.get();
    }
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError(FormatResource(SInvalidName, {name}));
    if (owner_ != nullptr) {
        owner_->ValidateRename(this, name_, name);
    } else {
        ValidateRename(nullptr, name_, name);
    }
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName) {
    if (component == nullptr || newName.empty() || SameText(curName, newName)) return;
    TComponent* other = FindComponent(newName);
    if (other != nullptr && other != component) throw EComponentError(FormatResource(SDuplicateName, {newName}));
}

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) return;
    if (owner_ == nullptr || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
            freeNotifies_.push_back(component);
        }
        auto& theirs = component->freeNotifies_;
        if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
    }
    SetComponentStateFlag(csFreeNotification, true);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    if (component != nullptr) {
        auto& theirs = component->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
}

void TComponent::InsertComponent(TComponent* component) {
    if (component == nullptr) return;
    ValidateInsert(component);
    ValidateRename(component, std::string(), component->name_);
    if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
    Insert(component);
    if (state_.Contains(csDesigning)) component->SetDesigning(true);
    if (state_.Contains(csLoading)) component->BeginLoad();
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component == nullptr || component->owner_ != this) return;
    Notification(component, opRemove);
    // Whoever removes a component takes over its lifetime; the destructor
    // path drops the released pointer since the object is already dying.
    Remove(component).release();
}

void TComponent::Insert(TComponent* component) {
    components_.emplace_back(component);
    component->owner_ = this;
}

std::unique_ptr<TComponent> TComponent::Remove(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [&](const std::unique_ptr<TComponent>& p) { return p.get() == component; });
    if (it == components_.end()) return nullptr;
    std::unique_ptr<TComponent> owned = std::move(*it);
    components_.erase(it);
    component->owner_ = nullptr;
    return owned;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back().get();
        // Tell the owner and the siblings first so their references are gone
        // before the object is.
        Notification(last, opRemove);
        std::unique_ptr<TComponent> owned = Remove(last);
        owned.reset();
    }
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    for (auto& c : components_) c->Destroying();
}

void TComponent::SetComponentStateFlag(TComponentStateFlag flag, bool on) {
    if (on) {
        state_.Include(flag);
    } else {
        state_.Exclude(flag);
    }
}

void TComponent::SetDesigning(bool designing) {
    SetComponentStateFlag(csDesigning, designing);
    for (auto& c : components_) c->SetDesigning(designing);
}

void TComponent::BeginLoad() {
    state_.Include(csLoading);
    for (auto& c : components_) c->BeginLoad();
}

void TComponent::CollectForLoad(std::vector<TComponent*>& out) {
    if (!state_.Contains(csLoading)) return;
    out.push_back(this);
    for (auto& c : components_) c->CollectForLoad(out);
}

void TComponent::EndLoad() {
    std::vector<TComponent*> loaded;
    CollectForLoad(loaded);
    // Each Loaded may create or free components; only ones still owned below
    // this root and still loading are called.
    for (TComponent* c : loaded) {
        if ((c == this || OwnsBelow(c)) && c->state_.Contains(csLoading)) c->Loaded();
    }
}

bool TComponent::OwnsBelow(const TComponent* component) const {
    // Compares addresses only, so a component freed meanwhile is never read.
    for (const auto& c : components_) {
        if (c.get() == component || c->OwnsBelow(component)) return true;
    }
    return false;
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr) RemoveFreeNotification(component);
    for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Notification(component, operation);
}

}  // namespace classlib
