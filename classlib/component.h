// TComponent: ownership (owned components die with their owner, newest
// first), names, tags, component state, loading and the notifications that
// clear references to a component that goes away.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/object.h"
#include "classlib/sysutils.h"
#include "classlib/types.h"

namespace classlib {

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
};
using TComponentState = TSet<TComponentStateFlag>;

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TComponent : public TPersistent {
public:
    // The owner, when given, takes ownership: the new component is destroyed
    // with it. Receivers of the opInsert notification see the newcomer as a
    // plain TComponent, since its own constructor has not run yet.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    TComponentState ComponentState() const { return state_; }

    // Asks to be told (Notification opRemove) when component is destroyed,
    // for references across owners; the link is kept both ways.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Moves a component between owners; ownership travels with it.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys every owned component, the newest first.
    void DestroyComponents();
    // Marks this component and those it owns as going away.
    void Destroying();

    // Building a form in code stands for reading it: between BeginLoad and
    // EndLoad this component and every component it owns (and every one
    // created for it meanwhile) carry csLoading; EndLoad then calls Loaded on
    // this component and on the owned ones in creation order.
    void BeginLoad();
    void EndLoad();
    void SetDesigning(bool designing);

    // Called once the stored state has been set; clears csLoading.
    virtual void Loaded();
    // Told of every component inserted into or removed from the owner, and of
    // the destruction of free-notification partners. Forwards to the owned
    // components; overrides clear their references and call this.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    void SetComponentStateFlag(TComponentStateFlag flag, bool on);
    virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
    virtual void ValidateInsert(TComponent* component);

private:
    void Insert(TComponent* component);
    std::unique_ptr<TComponent> Remove(TComponent* component);
    void CollectForLoad(std::vector<TComponent*>& out);
    bool OwnsBelow(const TComponent* component) const;

    TComponent* owner_ = nullptr;
    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
};

// Scope in which a component tree is "being loaded"; ends with EndLoad on
// every way out, so Loaded runs even when a constructor throws midway.
class TLoadScope {
public:
    explicit TLoadScope(TComponent* root) : root_(root) { root_->BeginLoad(); }
    ~TLoadScope() { root_->EndLoad(); }
    TLoadScope(const TLoadScope&) = delete;
    TLoadScope& operator=(const TLoadScope&) = delete;

private:
    TComponent* root_;
};

bool IsValidIdent(const std::string& name);

}  // namespace classlib
