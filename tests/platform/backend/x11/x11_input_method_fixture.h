// Japanese input through a real XIM server (uim with Anthy) when the
// machine has one and the Japanese UTF-8 locale it serves. The fixture
// starts the server, opens a backend that uses it and maps one window.
#pragma once

#include <memory>
#include <string>

#include "tests/platform/backend/x11/x11_fixture.h"

namespace memopad_test {

class X11JapaneseInputTest : public X11Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Presses and releases a key (with a modifier held), then reads events
    // for a moment.
    void Tap(unsigned long keysym, unsigned long modifier = 0);
    // Sends the key through XTest and waits for the server to have it.
    void Press(unsigned long keysym, unsigned long modifier = 0);

    std::unique_ptr<Child> server_;
    std::string savedLocale_;
    bool mapsHost_ = true;  // a window of the backend's own, mapped and active
    HostId host_ = 0;
};

}  // namespace memopad_test
