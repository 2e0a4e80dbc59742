// Japanese (and any other) input through XIM. One input context per host
// window that can take the keyboard focus. The preferred style is
// over-the-spot: the input method draws the text being composed in its own
// window at the caret, which the editor reports through SetImePosition.
// Next comes the method's own root window; on-the-spot, where the method
// hands the text being composed to us as Composition events, comes last
// since the window system would have to draw that text. Without an input
// method server, Xlib's local method still gives dead keys and compose
// sequences, and without any method at all keys are looked up directly.
#pragma once

#include "platform/backend/x11/x11_display.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace win32::backend::x11 {

class InputMethod {
public:
    // `onComposition` receives the window and the text being composed (empty
    // when composition ends) for on-the-spot editing.
    InputMethod(Display* display, std::function<void(Window, const std::string&)> onComposition);
    ~InputMethod();
    InputMethod(const InputMethod&) = delete;
    InputMethod& operator=(const InputMethod&) = delete;

    bool Available() const { return im_ != nullptr; }
    // Which style is in use, for tests and diagnostics: "over-the-spot",
    // "on-the-spot", "root", "none" or "" without an input method.
    const char* StyleName() const;

    // Creates the window's context and adds the events the method needs to
    // the window's event mask.
    void Attach(Window window);
    void Detach(Window window);
    void GainFocus(Window window);
    void LoseFocus(Window window);
    // The caret in window coordinates: top and height of the line.
    void SetSpot(Window window, int x, int y, int height);

    enum class Lookup { Nothing, Chars, KeySym, Both };
    // Looks a key press up through the window's context (or directly
    // without one); `text` receives UTF-8.
    Lookup LookupKey(XKeyEvent& ev, KeySym& keysym, std::string& text);

private:
    struct Context {
        XIC ic = nullptr;
        std::u32string preedit;
        XPoint spot{0, 0};
    };

    bool Open();
    void CreateContext(Window window, Context& context);
    XIC MakeContext(Window window, Context& context, XIMStyle style);
    void ForgetMethod();  // the server went away: contexts are gone with it

    static void OnDestroyed(XIM im, XPointer self, XPointer data);
    static void OnInstantiated(Display* display, XPointer self, XPointer data);
    static Bool OnPreeditStart(XIC ic, XPointer self, XPointer data);
    static Bool OnPreeditDone(XIC ic, XPointer self, XPointer data);
    static Bool OnPreeditDraw(XIC ic, XPointer self, XPointer data);
    static Bool OnPreeditCaret(XIC ic, XPointer self, XPointer data);
    Window WindowOf(XIC ic) const;

    Display* display_;
    std::function<void(Window, const std::string&)> onComposition_;
    XIM im_ = nullptr;
    XIMStyle style_ = 0;
    std::vector<XIMStyle> candidates_;  // the method's styles, best first
    XFontSet fontSet_ = nullptr;
    bool waitingForServer_ = false;
    std::map<Window, Context> contexts_;
    XIMCallback destroyed_{};
    XICCallback preeditStart_{}, preeditDone_{}, preeditDraw_{}, preeditCaret_{};
};

}  // namespace win32::backend::x11
