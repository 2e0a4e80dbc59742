#include "classlib/collection.h"
#include "classlib/consts.h"
#include "classlib/object.h"
#include "classlib/sysutils.h"

#include <gtest/gtest.h>

namespace classlib {
namespace {

class TPoint3 : public TPersistent {
public:
    int x = 0;
    void Assign(const TPersistent* source) override {
        if (auto* p = dynamic_cast<const TPoint3*>(source)) {
            x = p->x;
            return;
        }
        TPersistent::Assign(source);
    }
};

// Knows how to put itself into a TPoint3, although TPoint3 does not know it.
class TScalar : public TPersistent {
public:
    int v = 0;

protected:
    void AssignTo(TPersistent* dest) const override {
        if (auto* p = dynamic_cast<TPoint3*>(dest)) {
            p->x = v;
            return;
        }
        TPersistent::AssignTo(dest);
    }
};

class TOther : public TPersistent {};

TEST(Persistent, AssignKnownClassCopies) {
    TPoint3 a, b;
    b.x = 5;
    a.Assign(&b);
    EXPECT_EQ(a.x, 5);
}

TEST(Persistent, AssignFallsBackToSourcesAssignTo) {
    TPoint3 a;
    TScalar s;
    s.v = 9;
    a.Assign(&s);
    EXPECT_EQ(a.x, 9);
}

TEST(Persistent, UnsupportedPairRaisesConvertErrorNamingBothClasses) {
    TPoint3 a;
    TOther o;
    try {
        a.Assign(&o);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "TOther を TPoint3 に代入できません");
    }
    try {
        a.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "nil を TPoint3 に代入できません");
    }
}

class TEntry : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string hint;
    void Assign(const TPersistent* source) override {
        if (auto* e = dynamic_cast<const TEntry*>(source)) {
            hint = e->hint;
            return;
        }
        TCollectionItem::Assign(source);
    }
};

class TEntries : public TCollectionOf<TEntry> {
public:
    using TCollectionOf::TCollectionOf;
    int updates = 0;

protected:
    void Update(TCollectionItem*) override { ++updates; }
};

TEST(Collection, AddDeleteIndexAndOwnership) {
    TOther owner;
    TEntries list(&owner);
    EXPECT_EQ(list.Owner(), &owner);
    TEntry* a = list.Add();
    TEntry* b = list.Add();
    TEntry* c = list.Add();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a->DisplayName(), "TEntry");
    c->SetIndex(0);
    EXPECT_EQ(list.Items(0), c);
    list.Delete(1);  // a
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1), b);
    delete b;  // an item freed directly leaves its collection
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.Items(5), Exception);
    EXPECT_EQ(list.FindItemID(c->ID()), c);
}

TEST(Collection, AssignCopiesItemsAndBatchesUpdates) {
    TEntries a(nullptr), b(nullptr);
    a.Add()->hint = "x";
    a.Add()->hint = "y";
    b.Add()->hint = "old";
    b.updates = 0;
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.Items(0)->hint, "x");
    EXPECT_EQ(b.Items(1)->hint, "y");
    EXPECT_EQ(b.updates, 1);
    TOther other;
    EXPECT_THROW(b.Items(0)->Assign(&other), EConvertError);
}

TEST(Resources, FormatResourceSubstitutesInOrder) {
    EXPECT_EQ(FormatResource(SFOpenError, {"C:\\a.txt"}), "ﾌｧｲﾙ C:\\a.txt は開けません");
    EXPECT_EQ(FormatResource(SListIndexError, {"-1"}), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (-1)");
}

}  // namespace
}  // namespace classlib
