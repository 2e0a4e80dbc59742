#include "platform/backend/x11/x11_clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <vector>

namespace win32::backend::x11 {
namespace {

constexpr int kAnswerTimeoutMs = 2000;     // per step of a conversion
constexpr int kTransferIdleMs = 10000;     // a requestor silent this long has given up

std::vector<Atom> AtomsOf(const PropertyData& data) {
    std::vector<Atom> atoms;
    if (data.format != 32) return atoms;
    const auto* longs = reinterpret_cast<const long*>(data.bytes.data());
    for (unsigned long i = 0; i < data.items; ++i) atoms.push_back(static_cast<Atom>(longs[i]));
    return atoms;
}

}  // namespace

Clipboard::Clipboard(Display* display, const Atoms& atoms, Window window, std::function<void(XEvent&)> dispatch,
                     std::function<Time()> eventTime)
    : display_(display), atoms_(atoms), window_(window), dispatch_(std::move(dispatch)),
      eventTime_(std::move(eventTime)) {
    long maxUnits = XExtendedMaxRequestSize(display_);
    if (maxUnits == 0) maxUnits = XMaxRequestSize(display_);
    std::size_t maxBytes = static_cast<std::size_t>(maxUnits) * 4 - 100;
    incrThreshold_ = std::min<std::size_t>(256 * 1024, maxBytes);
    pieceSize_ = std::min<std::size_t>(64 * 1024, maxBytes);
}

std::string Clipboard::ToX(const std::string& windowsText) {
    std::string out;
    out.reserve(windowsText.size());
    for (std::size_t i = 0; i < windowsText.size(); ++i) {
        if (windowsText[i] == '\r' && i + 1 < windowsText.size() && windowsText[i + 1] == '\n') continue;
        out += windowsText[i];
    }
    return out;
}

std::string Clipboard::FromX(const std::string& xText) {
    std::string out;
    // Win32 text ends at its first NUL.
    std::size_t end = xText.find('\0');
    if (end == std::string::npos) end = xText.size();
    out.reserve(end + end / 16);
    for (std::size_t i = 0; i < end; ++i) {
        if (xText[i] == '\n' && (i == 0 || xText[i - 1] != '\r')) out += '\r';
        out += xText[i];
    }
    return out;
}

std::string Clipboard::Utf8ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
        unsigned cp = extra == 0 ? c : c & (0x3Fu >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out += cp <= 0xFF ? static_cast<char>(cp) : '?';
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Clipboard::Latin1ToUtf8(const std::string& latin1) {
    std::string out;
    for (char ch : latin1) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool Clipboard::SetText(const std::string& text) {
    Time time = eventTime_ ? eventTime_() : CurrentTime;
    if (time == CurrentTime) time = QueryServerTime(display_, window_, atoms_.timeProbe);
    text_ = ToX(text);
    XSetSelectionOwner(display_, atoms_.clipboard, window_, time);
    owned_ = XGetSelectionOwner(display_, atoms_.clipboard) == window_;
    ownedSince_ = time;
    if (!owned_) text_.clear();
    return owned_;
}

bool Clipboard::HandleEvent(const XEvent& ev, bool& lost) {
    switch (ev.type) {
        case SelectionRequest:
            if (ev.xselectionrequest.owner != window_) return false;
            Answer(ev.xselectionrequest);
            return true;
        case SelectionClear:
            if (ev.xselectionclear.window != window_ || ev.xselectionclear.selection != atoms_.clipboard) return false;
            if (owned_) lost = true;
            owned_ = false;
            text_.clear();
            return true;
        case PropertyNotify:
            if (ev.xproperty.state == PropertyDelete && PropertyDeleted(ev.xproperty)) return true;
            return false;
        default:
            return false;
    }
}

void Clipboard::Answer(const XSelectionRequestEvent& request) {
    // Old clients leave the property out and expect the target's name.
    Atom property = request.property != None ? request.property : request.target;
    bool served = false;
    {
        ErrorTrap trap(display_);
        served = request.selection == atoms_.clipboard && owned_ &&
                 (request.time == CurrentTime || ownedSince_ == CurrentTime || request.time >= ownedSince_) &&
                 Serve(request, property);
        if (trap.Failed()) served = false;
    }
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = display_;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = served ? property : None;
    reply.xselection.time = request.time;
    ErrorTrap trap(display_);  // the requestor may be gone already
    XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
}

bool Clipboard::Serve(const XSelectionRequestEvent& request, Atom property) {
    Display* d = display_;
    if (request.target == atoms_.targets) {
        Atom targets[] = {atoms_.targets, atoms_.timestamp, atoms_.utf8String, atoms_.textPlainUtf8, XA_STRING,
                          atoms_.text};
        XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(targets), sizeof targets / sizeof targets[0]);
        return true;
    }
    if (request.target == atoms_.timestamp) {
        long time = static_cast<long>(ownedSince_);
        XChangeProperty(d, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&time), 1);
        return true;
    }
    Atom type;
    std::string data;
    if (request.target == atoms_.utf8String || request.target == atoms_.textPlainUtf8) {
        type = request.target;
        data = text_;
    } else if (request.target == atoms_.text) {
        // TEXT lets the owner choose the type; UTF-8 loses nothing.
        type = atoms_.utf8String;
        data = text_;
    } else if (request.target == XA_STRING) {
        type = XA_STRING;
        data = Utf8ToLatin1(text_);
    } else {
        return false;
    }
    if (data.size() <= incrThreshold_) {
        XChangeProperty(d, request.requestor, property, type, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
        return true;
    }
    // Large: announce the size and send pieces each time the requestor
    // deletes the property.
    XSelectInput(d, request.requestor, PropertyChangeMask);
    long size = static_cast<long>(data.size());
    XChangeProperty(d, request.requestor, property, atoms_.incr, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&size), 1);
    transfers_.push_back(Transfer{request.requestor, property, type, std::move(data), 0, false, Clock::now()});
    return true;
}

void Clipboard::SendPiece(Transfer& transfer) {
    std::size_t n = std::min(pieceSize_, transfer.data.size() - transfer.offset);
    XChangeProperty(display_, transfer.requestor, transfer.property, transfer.type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(transfer.data.data() + transfer.offset),
                    static_cast<int>(n));
    transfer.offset += n;
    if (n == 0) transfer.finished = true;
    transfer.lastActivity = Clock::now();
}

bool Clipboard::PropertyDeleted(const XPropertyEvent& ev) {
    for (auto it = transfers_.begin(); it != transfers_.end(); ++it) {
        if (it->requestor != ev.window || it->property != ev.atom) continue;
        bool failed;
        bool done = it->finished;
        if (!done) {
            ErrorTrap trap(display_);
            SendPiece(*it);
            failed = trap.Failed();
        } else {
            failed = false;
        }
        if (done || failed) {
            Window requestor = it->requestor;
            transfers_.erase(it);
            bool stillUsed = std::any_of(transfers_.begin(), transfers_.end(),
                                         [&](const Transfer& t) { return t.requestor == requestor; });
            if (!stillUsed && requestor != window_) {
                ErrorTrap trap(display_);
                XSelectInput(display_, requestor, NoEventMask);
            }
        }
        return true;
    }
    return false;
}

void Clipboard::ExpireTransfers() {
    auto now = Clock::now();
    transfers_.remove_if([&](const Transfer& t) {
        return now - t.lastActivity > std::chrono::milliseconds(kTransferIdleMs);
    });
}

int Clipboard::MillisecondsToNextExpiry() const {
    if (transfers_.empty()) return -1;
    auto now = Clock::now();
    long best = kTransferIdleMs;
    for (const Transfer& t : transfers_) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        t.lastActivity + std::chrono::milliseconds(kTransferIdleMs) - now)
                        .count();
        best = std::min<long>(best, std::max<long>(left, 0) + 1);
    }
    return static_cast<int>(best);
}

bool Clipboard::WaitFor(const std::function<bool(const XEvent&)>& match, XEvent& out, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(display_)) {
            XEvent ev;
            XNextEvent(display_, &ev);
            if (match(ev)) {
                out = ev;
                return true;
            }
            if (dispatch_) dispatch_(ev);
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd pfd{ConnectionNumber(display_), POLLIN, 0};
        poll(&pfd, 1, static_cast<int>(left));
    }
}

bool Clipboard::Convert(Atom target, PropertyData& result, int timeoutMs) {
    Atom property = atoms_.selectionData;
    XDeleteProperty(display_, window_, property);
    Time time = eventTime_ ? eventTime_() : CurrentTime;
    XConvertSelection(display_, atoms_.clipboard, target, property, window_, time);
    XEvent ev;
    auto isAnswer = [&](const XEvent& e) {
        return e.type == SelectionNotify && e.xselection.requestor == window_ &&
               e.xselection.selection == atoms_.clipboard && e.xselection.target == target;
    };
    if (!WaitFor(isAnswer, ev, timeoutMs)) return false;
    if (ev.xselection.property == None) return false;
    if (!ReadProperty(display_, window_, property, true, result)) return false;
    if (result.type != atoms_.incr) return true;

    // INCR: each new value is a piece, an empty one ends the transfer.
    std::string whole;
    Atom type = None;
    auto isPiece = [&](const XEvent& e) {
        return e.type == PropertyNotify && e.xproperty.window == window_ && e.xproperty.atom == property &&
               e.xproperty.state == PropertyNewValue;
    };
    for (;;) {
        if (!WaitFor(isPiece, ev, kAnswerTimeoutMs)) return false;
        PropertyData piece;
        if (!ReadProperty(display_, window_, property, true, piece)) continue;
        if (piece.bytes.empty()) break;
        type = piece.type;
        whole += piece.bytes;
    }
    result.type = type;
    result.format = 8;
    result.items = whole.size();
    result.bytes = std::move(whole);
    return true;
}

bool Clipboard::GetText(std::string& text) {
    if (owned_) {
        text = FromX(text_);
        return true;
    }
    if (XGetSelectionOwner(display_, atoms_.clipboard) == None) return false;
    PropertyData data;
    if (Convert(atoms_.utf8String, data, kAnswerTimeoutMs) &&
        (data.type == atoms_.utf8String || data.type == atoms_.textPlainUtf8)) {
        text = FromX(data.bytes);
        return true;
    }
    if (Convert(XA_STRING, data, kAnswerTimeoutMs) && data.type == XA_STRING) {
        text = FromX(Latin1ToUtf8(data.bytes));
        return true;
    }
    if (Convert(atoms_.compoundText, data, kAnswerTimeoutMs) && data.type == atoms_.compoundText) {
        XTextProperty property{};
        property.value = reinterpret_cast<unsigned char*>(data.bytes.data());
        property.encoding = data.type;
        property.format = 8;
        property.nitems = data.bytes.size();
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(display_, &property, &list, &count) >= Success && list) {
            std::string joined;
            for (int i = 0; i < count; ++i) joined += list[i];
            XFreeStringList(list);
            text = FromX(joined);
            return true;
        }
    }
    return false;
}

bool Clipboard::HasText() {
    if (owned_) return !text_.empty();
    if (XGetSelectionOwner(display_, atoms_.clipboard) == None) return false;
    PropertyData data;
    if (Convert(atoms_.targets, data, kAnswerTimeoutMs)) {
        for (Atom a : AtomsOf(data))
            if (a == atoms_.utf8String || a == XA_STRING || a == atoms_.text || a == atoms_.compoundText ||
                a == atoms_.textPlainUtf8)
                return true;
        return false;
    }
    // An owner too old to list its targets may still give text.
    std::string text;
    return GetText(text) && !text.empty();
}

}  // namespace win32::backend::x11
