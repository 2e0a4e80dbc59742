#include "classlib/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace classlib {
namespace {

std::vector<std::string>* gLog = nullptr;

// Records destruction and the notifications it receives; may hold a
// reference to another component that it must drop when told.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string label) : TComponent(owner), label_(std::move(label)) {}
    ~Probe() override {
        if (gLog) gLog->push_back("~" + label_);
    }
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove && component == ref) ref = nullptr;
        if (gLog && operation == opRemove) {
            auto* probe = dynamic_cast<Probe*>(component);
            gLog->push_back(label_ + " sees removal of " + (probe ? probe->label_ : std::string("?")));
        }
        TComponent::Notification(component, operation);
    }
    void Loaded() override {
        if (gLog) gLog->push_back(label_ + " loaded, loading=" + std::to_string(ComponentState().Contains(csLoading)));
        TComponent::Loaded();
    }
    TComponent* ref = nullptr;
    std::string label_;
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { gLog = &log; }
    void TearDown() override { gLog = nullptr; }
    std::vector<std::string> log;
};

TEST_F(ComponentTest, OwnedComponentsDieWithOwnerNewestFirst) {
    auto owner = std::make_unique<Probe>(nullptr, "owner");
    new Probe(owner.get(), "a");
    new Probe(owner.get(), "b");
    new Probe(owner.get(), "c");
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(1)->ComponentIndex(), 1);
    owner.reset();
    std::vector<std::string> destroyed;
    for (auto& line : log) {
        if (line[0] == '~') destroyed.push_back(line);
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"~owner", "~c", "~b", "~a"}));
}

TEST_F(ComponentTest, SiblingReferenceClearedWhenSiblingDeleted) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* holder = new Probe(owner.get(), "holder");
    auto* target = new Probe(owner.get(), "target");
    holder->ref = target;
    delete target;
    EXPECT_EQ(holder->ref, nullptr);
    EXPECT_EQ(owner->ComponentCount(), 1);
    // Deleted while the owner dies: the older holder outlives the newer target
    // and is told before the target goes.
    auto* target2 = new Probe(owner.get(), "target2");
    holder->ref = target2;
    log.clear();
    owner.reset();
    EXPECT_EQ(log.front(), "holder sees removal of target2");
}

TEST_F(ComponentTest, FreeNotificationAcrossOwnersIsTwoWayAndClearedOnEitherSide) {
    auto form1 = std::make_unique<TComponent>(nullptr);
    auto form2 = std::make_unique<TComponent>(nullptr);
    auto* holder = new Probe(form1.get(), "holder");
    auto* target = new Probe(form2.get(), "target");
    holder->ref = target;
    target->FreeNotification(holder);
    form2.reset();
    EXPECT_EQ(holder->ref, nullptr);

    // The holder going first must not leave the target with a dangling
    // partner (checked by the sanitizer build).
    auto form3 = std::make_unique<TComponent>(nullptr);
    auto* target3 = new Probe(form3.get(), "target3");
    target3->FreeNotification(holder);
    form1.reset();
    form3.reset();
}

TEST_F(ComponentTest, InsertNotificationReachesOwnerAndSiblings) {
    struct Watcher : TComponent {
        using TComponent::TComponent;
        void Notification(TComponent* c, TOperation op) override {
            if (op == opInsert) inserted.push_back(c);
            TComponent::Notification(c, op);
        }
        std::vector<TComponent*> inserted;
    };
    auto owner = std::make_unique<Watcher>(nullptr);
    auto* sibling = new Watcher(owner.get());
    auto* added = new TComponent(owner.get());
    EXPECT_EQ(owner->inserted, (std::vector<TComponent*>{sibling, added}));
    // The sibling's own override does not exist yet while it is inserted.
    EXPECT_EQ(sibling->inserted, (std::vector<TComponent*>{added}));
}

TEST_F(ComponentTest, NamesAreValidatedAndUniqueWithinOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_THROW(b->SetName("button1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    b->SetName("Button2");
    EXPECT_EQ(owner.FindComponent("BUTTON2"), b);
    EXPECT_EQ(owner.FindComponent("none"), nullptr);
    b->SetTag(42);
    EXPECT_EQ(b->Tag(), 42);
}

TEST_F(ComponentTest, LoadingMarksTreeAndLoadedRunsRootFirstThenCreationOrder) {
    auto form = std::make_unique<Probe>(nullptr, "form");
    {
        TLoadScope scope(form.get());
        new Probe(form.get(), "first");
        auto* second = new Probe(form.get(), "second");
        EXPECT_TRUE(second->ComponentState().Contains(csLoading));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"form loaded, loading=1", "first loaded, loading=1",
                                             "second loaded, loading=1"}));
    for (int i = 0; i < form->ComponentCount(); ++i) {
        EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
    }
}

TEST_F(ComponentTest, ComponentFreedByAnEarlierLoadedIsSkipped) {
    struct Killer : TComponent {
        using TComponent::TComponent;
        void Loaded() override {
            TComponent::Loaded();
            delete victim;
        }
        TComponent* victim = nullptr;
    };
    auto form = std::make_unique<TComponent>(nullptr);
    TLoadScope* scope = new TLoadScope(form.get());
    auto* killer = new Killer(form.get());
    killer->victim = new Probe(form.get(), "victim");
    delete scope;  // must not call Loaded on the freed victim
    EXPECT_EQ(form->ComponentCount(), 1);
}

bool gSawDestroying = false;

struct DestroyingChecker : TComponent {
    using TComponent::TComponent;
    ~DestroyingChecker() override { gSawDestroying = ComponentState().Contains(csDestroying); }
};

TEST_F(ComponentTest, DestroyingStateSeenByOwnedComponents) {
    auto owner = std::make_unique<TComponent>(nullptr);
    new DestroyingChecker(owner.get());
    owner.reset();
    EXPECT_TRUE(gSawDestroying);
}

TEST_F(ComponentTest, MovingBetweenOwnersMovesOwnership) {
    auto a = std::make_unique<TComponent>(nullptr);
    auto b = std::make_unique<TComponent>(nullptr);
    auto* c = new Probe(a.get(), "moved");
    b->InsertComponent(c);
    log.clear();
    EXPECT_EQ(a->ComponentCount(), 0);
    EXPECT_EQ(c->Owner(), b.get());
    a.reset();
    EXPECT_TRUE(log.empty());
    b.reset();
    EXPECT_EQ(log.back(), "~moved");
}

}  // namespace
}  // namespace classlib
