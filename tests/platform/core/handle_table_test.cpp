#include "platform/handle_table.h"

#include <gtest/gtest.h>

namespace win32 {
namespace {

struct Thing {
    int value;
};

TEST(HandleTable, StaleWrongKindAndMadeUpKeysFindNothing) {
    HandleTable<Thing> windows(HandleKind::Window);
    HandleTable<Thing> menus(HandleKind::Menu);
    std::uintptr_t w = windows.Add(std::make_unique<Thing>(Thing{7}));
    std::uintptr_t m = menus.Add(std::make_unique<Thing>(Thing{8}));
    ASSERT_NE(w, 0u);
    EXPECT_EQ(windows.Get(w)->value, 7);
    EXPECT_EQ(windows.Get(m), nullptr);
    EXPECT_EQ(menus.Get(w), nullptr);
    EXPECT_EQ(windows.Get(0), nullptr);
    EXPECT_EQ(windows.Get(0x12345678), nullptr);
    EXPECT_EQ(windows.Get(~std::uintptr_t{0}), nullptr);

    EXPECT_EQ(windows.Remove(w)->value, 7);
    EXPECT_EQ(windows.Get(w), nullptr);
    EXPECT_EQ(windows.Remove(w), nullptr);

    // The slot is reused under a new generation: the old key stays dead.
    std::uintptr_t again = windows.Add(std::make_unique<Thing>(Thing{9}));
    EXPECT_NE(again, w);
    EXPECT_EQ(windows.Get(w), nullptr);
    EXPECT_EQ(windows.Get(again)->value, 9);
    EXPECT_EQ(windows.Count(), 1u);
}

TEST(HandleTable, KeysFitInThirtyTwoBits) {
    HandleTable<Thing> table(HandleKind::Other);
    for (int i = 0; i < 1000; ++i) {
        std::uintptr_t k = table.Add(std::make_unique<Thing>(Thing{i}));
        EXPECT_LE(k, 0xFFFFFFFFu);
        EXPECT_NE(k, 0u);
    }
}

}  // namespace
}  // namespace win32

namespace win32 {
namespace {

// A handle kept after its object died must not find the object that later
// took the same slot, even after much churn.
TEST(HandleTable, StaleKeysStayDeadThroughHeavyReuse) {
    HandleTable<Thing> table(HandleKind::Window);
    std::uintptr_t first = table.Add(std::make_unique<Thing>(Thing{1}));
    table.Remove(first);
    for (int i = 0; i < 3000; ++i) table.Remove(table.Add(std::make_unique<Thing>(Thing{i})));
    std::uintptr_t live = table.Add(std::make_unique<Thing>(Thing{2}));
    EXPECT_EQ(table.Get(first), nullptr);
    EXPECT_EQ(table.Get(live)->value, 2);
}

}  // namespace
}  // namespace win32
