// Japanese input through a real XIM server: what the method composes
// arrives as text.
#include "tests/platform/backend/x11/x11_input_method_fixture.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace memopad_test {
namespace {

using win32::POINT;

TEST_F(X11JapaneseInputTest, KanaComposedByTheInputMethodArrivesAsText) {
    std::string style = backend_->InputStyle();
    EXPECT_TRUE(style == "over-the-spot" || style == "root") << style;
    backend_->SetImePosition(host_, POINT{40, 60}, 16);

    // Keys typed with the method off are ordinary keys, Return included.
    Tap(XK_Return);
    HostEvent ev;
    ASSERT_TRUE(Saw([](const HostEvent& e) { return e.type == HostEventType::KeyDown && e.virtualKey == 0x0D; }, &ev));
    EXPECT_EQ(ev.text, "\r");

    events_.clear();
    Tap(XK_space, XK_Shift_L);  // the method's on key
    Tap(XK_a);
    Tap(XK_i);
    // While composing, the keys belong to the method.
    for (const HostEvent& e : events_) EXPECT_NE(e.type, HostEventType::Text);
    Tap(XK_Return);
    ASSERT_TRUE(Saw([](const HostEvent& e) { return e.type == HostEventType::Text; }, &ev));
    EXPECT_EQ(ev.text, "あい");
}

}  // namespace
}  // namespace memopad_test
