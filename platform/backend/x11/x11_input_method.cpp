#include "platform/backend/x11/x11_input_method.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/backend/x11/x11_keyboard.h"

namespace win32::backend::x11 {
namespace {

std::u32string DecodeUtf8(const char* s, std::size_t n) {
    std::u32string out;
    std::size_t i = 0;
    while (i < n) {
        auto c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = extra <= 0 ? c : c & (0x3F >> extra);
        bool bad = extra < 0 || i + static_cast<std::size_t>(extra) >= n + (extra == 0 ? 1 : 0);
        for (int k = 1; !bad && k <= extra; ++k) {
            auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc & 0xC0) != 0x80) bad = true;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (bad) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += cp;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(const std::u32string& s) {
    std::string out;
    for (char32_t c : s) AppendUtf8(out, c);
    return out;
}

bool IsPosition(XIMStyle s) { return (s & XIMPreeditPosition) != 0; }
bool IsCallbacks(XIMStyle s) { return (s & XIMPreeditCallbacks) != 0; }

}  // namespace

InputMethod::InputMethod(Display* display, std::function<void(Window, const std::string&)> onComposition)
    : display_(display), onComposition_(std::move(onComposition)) {
    XPointer self = reinterpret_cast<XPointer>(this);
    destroyed_ = XIMCallback{self, &InputMethod::OnDestroyed};
    preeditStart_ = XICCallback{self, &InputMethod::OnPreeditStart};
    preeditDone_ = XICCallback{self, &InputMethod::OnPreeditDone};
    preeditDraw_ = XICCallback{self, &InputMethod::OnPreeditDraw};
    preeditCaret_ = XICCallback{self, &InputMethod::OnPreeditCaret};
    Open();
}

InputMethod::~InputMethod() {
    if (waitingForServer_)
        XUnregisterIMInstantiateCallback(display_, nullptr, nullptr, nullptr, &InputMethod::OnInstantiated,
                                         reinterpret_cast<XPointer>(this));
    for (auto& [window, context] : contexts_)
        if (context.ic) XDestroyIC(context.ic);
    if (im_) XCloseIM(im_);
    if (fontSet_) XFreeFontSet(display_, fontSet_);
}

const char* InputMethod::StyleName() const {
    if (!im_) return "";
    if (IsPosition(style_)) return "over-the-spot";
    if (IsCallbacks(style_)) return "on-the-spot";
    if (style_ & XIMPreeditNothing) return "root";
    return "none";
}

bool InputMethod::Open() {
    // The server named by XMODIFIERS first; else Xlib's own method, which
    // still composes dead keys.
    if (XSetLocaleModifiers("")) im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    if (!im_ && XSetLocaleModifiers("@im=none")) im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    if (!im_) return false;
    XSetIMValues(im_, XNDestroyCallback, &destroyed_, nullptr);

    XIMStyles* styles = nullptr;
    if (XGetIMValues(im_, XNQueryInputStyle, &styles, nullptr) != nullptr || !styles) {
        XCloseIM(im_);
        im_ = nullptr;
        return false;
    }
    // Over-the-spot first: the method draws the text being composed at our
    // caret. On-the-spot comes last because it leaves drawing that text to
    // the window system.
    static const XIMStyle preferred[] = {
        XIMPreeditPosition | XIMStatusNothing,  XIMPreeditPosition | XIMStatusNone,
        XIMPreeditNothing | XIMStatusNothing,   XIMPreeditNothing | XIMStatusNone,
        XIMPreeditCallbacks | XIMStatusNothing, XIMPreeditCallbacks | XIMStatusNone,
        XIMPreeditNone | XIMStatusNone,
    };
    candidates_.clear();
    for (XIMStyle want : preferred)
        for (unsigned short i = 0; i < styles->count_styles; ++i)
            if (styles->supported_styles[i] == want) candidates_.push_back(want);
    XFree(styles);
    if (candidates_.empty()) {
        XCloseIM(im_);
        im_ = nullptr;
        return false;
    }
    style_ = candidates_.front();
    if (IsPosition(style_) && !fontSet_) {
        char** missing = nullptr;
        int missingCount = 0;
        char* defaultString = nullptr;
        fontSet_ = XCreateFontSet(display_, "-*-*-medium-r-normal--16-*-*-*-*-*-*-*,-*-*-*-*-*-*-16-*-*-*-*-*-*-*,*",
                                  &missing, &missingCount, &defaultString);
        if (missing) XFreeStringList(missing);
    }
    return true;
}

XIC InputMethod::MakeContext(Window window, Context& context, XIMStyle style) {
    XVaNestedList attributes = nullptr;
    if (IsPosition(style)) {
        attributes = fontSet_ ? XVaCreateNestedList(0, XNSpotLocation, &context.spot, XNFontSet, fontSet_, nullptr)
                              : XVaCreateNestedList(0, XNSpotLocation, &context.spot, nullptr);
    } else if (IsCallbacks(style)) {
        attributes = XVaCreateNestedList(0, XNPreeditStartCallback, &preeditStart_, XNPreeditDoneCallback,
                                         &preeditDone_, XNPreeditDrawCallback, &preeditDraw_,
                                         XNPreeditCaretCallback, &preeditCaret_, nullptr);
    }
    XIC ic;
    if (attributes) {
        ic = XCreateIC(im_, XNInputStyle, style, XNClientWindow, window, XNFocusWindow, window, XNPreeditAttributes,
                       attributes, nullptr);
        XFree(attributes);
    } else {
        ic = XCreateIC(im_, XNInputStyle, style, XNClientWindow, window, XNFocusWindow, window, nullptr);
    }
    return ic;
}

void InputMethod::CreateContext(Window window, Context& context) {
    if (!im_ || context.ic) return;
    // A method may list a style it cannot make (over-the-spot without a
    // font set); the next one it lists then serves, for later windows too.
    auto it = std::find(candidates_.begin(), candidates_.end(), style_);
    for (; it != candidates_.end() && !context.ic; ++it) {
        context.ic = MakeContext(window, context, *it);
        if (context.ic) style_ = *it;
    }
    if (!context.ic) return;
    long filter = 0;
    if (XGetICValues(context.ic, XNFilterEvents, &filter, nullptr) == nullptr && filter) {
        XWindowAttributes attrs;
        if (XGetWindowAttributes(display_, window, &attrs)) XSelectInput(display_, window, attrs.your_event_mask | filter);
    }
}

void InputMethod::Attach(Window window) {
    Context& context = contexts_[window];
    CreateContext(window, context);
}

void InputMethod::Detach(Window window) {
    auto it = contexts_.find(window);
    if (it == contexts_.end()) return;
    if (it->second.ic) XDestroyIC(it->second.ic);
    contexts_.erase(it);
}

void InputMethod::GainFocus(Window window) {
    auto it = contexts_.find(window);
    if (it != contexts_.end() && it->second.ic) XSetICFocus(it->second.ic);
}

void InputMethod::LoseFocus(Window window) {
    auto it = contexts_.find(window);
    if (it != contexts_.end() && it->second.ic) XUnsetICFocus(it->second.ic);
}

void InputMethod::SetSpot(Window window, int x, int y, int height) {
    auto it = contexts_.find(window);
    if (it == contexts_.end()) return;
    Context& context = it->second;
    // The spot is the baseline of the text at the caret.
    context.spot.x = static_cast<short>(x);
    context.spot.y = static_cast<short>(y + height - height / 5);
    if (!context.ic || !(IsPosition(style_) || IsCallbacks(style_))) return;
    XVaNestedList attributes = XVaCreateNestedList(0, XNSpotLocation, &context.spot, nullptr);
    XSetICValues(context.ic, XNPreeditAttributes, attributes, nullptr);
    XFree(attributes);
}

InputMethod::Lookup InputMethod::LookupKey(XKeyEvent& ev, KeySym& keysym, std::string& text) {
    keysym = NoSymbol;
    text.clear();
    auto it = contexts_.find(ev.window);
    if (it != contexts_.end() && it->second.ic && ev.type == KeyPress) {
        Status status = 0;
        char buffer[64];
        int n = Xutf8LookupString(it->second.ic, &ev, buffer, sizeof buffer, &keysym, &status);
        if (status == XBufferOverflow) {
            std::string big(static_cast<std::size_t>(n), '\0');
            n = Xutf8LookupString(it->second.ic, &ev, big.data(), n, &keysym, &status);
            text.assign(big.data(), static_cast<std::size_t>(n > 0 ? n : 0));
        } else if (n > 0) {
            text.assign(buffer, static_cast<std::size_t>(n));
        }
        switch (status) {
            case XLookupChars: return Lookup::Chars;
            case XLookupKeySym:
            case XLookupBoth:
                if (status == XLookupKeySym) text.clear();
                // Some methods hand Return, Tab or Ctrl+letter back without
                // their control character; Windows types one.
                if (text.empty()) {
                    char plain[8];
                    KeySym ignored;
                    int m = XLookupString(&ev, plain, sizeof plain, &ignored, nullptr);
                    if (m == 1 && (static_cast<unsigned char>(plain[0]) < 0x20 || plain[0] == 0x7F))
                        text.assign(plain, 1);
                }
                return text.empty() ? Lookup::KeySym : Lookup::Both;
            default: text.clear(); return Lookup::Nothing;
        }
    }
    char buffer[32];
    int n = XLookupString(&ev, buffer, sizeof buffer, &keysym, nullptr);
    if (n == 1 && (static_cast<unsigned char>(buffer[0]) < 0x20 || buffer[0] == 0x7F)) {
        text.assign(buffer, 1);
    } else if (char32_t cp = KeysymToCodePoint(keysym)) {
        AppendUtf8(text, cp);
    }
    if (keysym == NoSymbol) return text.empty() ? Lookup::Nothing : Lookup::Chars;
    return text.empty() ? Lookup::KeySym : Lookup::Both;
}

void InputMethod::ForgetMethod() {
    // The contexts died with the method; drop them without touching them.
    for (auto& [window, context] : contexts_) {
        context.ic = nullptr;
        context.preedit.clear();
    }
    im_ = nullptr;
}

void InputMethod::OnDestroyed(XIM, XPointer self, XPointer) {
    auto* me = reinterpret_cast<InputMethod*>(self);
    me->ForgetMethod();
    // Wait for the server to come back (it restarts after a crash or a
    // change of input method).
    XSetLocaleModifiers("");
    if (XRegisterIMInstantiateCallback(me->display_, nullptr, nullptr, nullptr, &InputMethod::OnInstantiated, self))
        me->waitingForServer_ = true;
}

void InputMethod::OnInstantiated(Display* display, XPointer self, XPointer) {
    auto* me = reinterpret_cast<InputMethod*>(self);
    XUnregisterIMInstantiateCallback(display, nullptr, nullptr, nullptr, &InputMethod::OnInstantiated, self);
    me->waitingForServer_ = false;
    if (me->im_ || !me->Open()) return;
    for (auto& [window, context] : me->contexts_) me->CreateContext(window, context);
}

Window InputMethod::WindowOf(XIC ic) const {
    for (const auto& [window, context] : contexts_)
        if (context.ic == ic) return window;
    return None;
}

Bool InputMethod::OnPreeditStart(XIC, XPointer, XPointer) {
    return -1;  // no limit on the length of the text being composed
}

Bool InputMethod::OnPreeditDone(XIC ic, XPointer self, XPointer) {
    auto* me = reinterpret_cast<InputMethod*>(self);
    Window window = me->WindowOf(ic);
    if (window == None) return True;
    me->contexts_[window].preedit.clear();
    if (me->onComposition_) me->onComposition_(window, std::string());
    return True;
}

Bool InputMethod::OnPreeditDraw(XIC ic, XPointer self, XPointer data) {
    auto* me = reinterpret_cast<InputMethod*>(self);
    auto* draw = reinterpret_cast<XIMPreeditDrawCallbackStruct*>(data);
    Window window = me->WindowOf(ic);
    if (window == None || !draw) return True;
    std::u32string& preedit = me->contexts_[window].preedit;
    std::size_t first = draw->chg_first < 0 ? 0 : static_cast<std::size_t>(draw->chg_first);
    if (first > preedit.size()) first = preedit.size();
    std::size_t length = draw->chg_length < 0 ? 0 : static_cast<std::size_t>(draw->chg_length);
    if (length > preedit.size() - first) length = preedit.size() - first;
    std::u32string inserted;
    if (draw->text) {
        if (draw->text->encoding_is_wchar) {
            const wchar_t* w = draw->text->string.wide_char;
            for (unsigned short i = 0; w && i < draw->text->length; ++i) inserted += static_cast<char32_t>(w[i]);
        } else if (const char* mb = draw->text->string.multi_byte) {
            inserted = DecodeUtf8(mb, std::strlen(mb));
        }
    }
    preedit.replace(first, length, inserted);
    if (me->onComposition_) me->onComposition_(window, EncodeUtf8(preedit));
    return True;
}

Bool InputMethod::OnPreeditCaret(XIC, XPointer, XPointer) { return True; }

}  // namespace win32::backend::x11
