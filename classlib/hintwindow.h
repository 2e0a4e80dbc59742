// THintWindow: the small yellow window that shows a hint beside the mouse.
#pragma once

#include <string>

#include "classlib/graphiccontrol.h"

namespace classlib {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);

    // Shows text in the screen rectangle r, above other windows and without
    // taking the activation.
    virtual void ActivateHint(TRect r, const std::string& text);
    void ReleaseHandle() { DestroyHandle(); }
    // The rectangle the text needs (at most maxWidth wide), at (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const std::string& text);
    bool IsHintShowing();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
};

}  // namespace classlib
