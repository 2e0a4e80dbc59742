#include "classlib/timer.h"

namespace classlib {

using namespace win32;

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner), window_([this](TMessage& m) {
          if (m.Msg == WM_TIMER) {
              Timer();
          } else {
              m.Result = DefWindowProcA(window_.Handle(), m.Msg, m.WParam, m.LParam);
          }
      }) {
    UpdateTimer();
}

TTimer::~TTimer() {
    if (running_) KillTimer(window_.Handle(), kTimerId);
}

void TTimer::UpdateTimer() {
    if (running_) {
        KillTimer(window_.Handle(), kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ != 0) {
        running_ = SetTimer(window_.Handle(), kTimerId, interval_, nullptr) != 0;
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

}  // namespace classlib
