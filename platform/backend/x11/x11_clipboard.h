// The CLIPBOARD selection as UTF-8 text, both ways. While we own it we
// answer other programs' requests (TARGETS, UTF8_STRING, STRING, TEXT,
// TIMESTAMP) from the text we keep, sending large texts in INCR pieces;
// reading asks the owner for UTF8_STRING (then the older text types) and
// collects INCR transfers. Line ends follow each side's habit: CR LF for the
// window system above, LF for X programs.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <list>
#include <string>

#include "platform/backend/x11/x11_display.h"

namespace win32::backend::x11 {

class Clipboard {
public:
    // `window` is an unmapped window of ours that selects PropertyChangeMask;
    // `dispatch` handles every other event that arrives while we wait for
    // an answer; `eventTime` gives the server time of the latest user event
    // (CurrentTime when none is known).
    Clipboard(Display* display, const Atoms& atoms, Window window, std::function<void(XEvent&)> dispatch,
              std::function<Time()> eventTime);

    bool SetText(const std::string& text);
    bool GetText(std::string& text);
    bool HasText();
    bool Owns() const { return owned_; }

    // Takes the events of the selection protocol; returns true when `ev`
    // was one. `lost` becomes true when another program took the clipboard.
    bool HandleEvent(const XEvent& ev, bool& lost);
    // Drops transfers whose requestor stopped reading.
    void ExpireTransfers();
    // How long until the next transfer may expire (-1: none is running).
    int MillisecondsToNextExpiry() const;

    // Texts larger than this go out in INCR pieces.
    std::size_t IncrThreshold() const { return incrThreshold_; }

    // Line-end and character-set conversions, exposed for tests.
    static std::string ToX(const std::string& windowsText);
    static std::string FromX(const std::string& xText);
    static std::string Utf8ToLatin1(const std::string& utf8);
    static std::string Latin1ToUtf8(const std::string& latin1);

private:
    using Clock = std::chrono::steady_clock;
    struct Transfer {
        Window requestor;
        Atom property;
        Atom type;
        std::string data;
        std::size_t offset = 0;
        bool finished = false;  // the closing empty piece is sent
        Clock::time_point lastActivity;
    };

    void Answer(const XSelectionRequestEvent& request);
    bool Serve(const XSelectionRequestEvent& request, Atom property);
    void SendPiece(Transfer& transfer);
    bool PropertyDeleted(const XPropertyEvent& ev);

    // Asks the owner to convert to `target`; the result's bytes and type.
    bool Convert(Atom target, PropertyData& result, int timeoutMs);
    bool WaitFor(const std::function<bool(const XEvent&)>& match, XEvent& out, int timeoutMs);

    Display* display_;
    const Atoms& atoms_;
    Window window_;
    std::function<void(XEvent&)> dispatch_;
    std::function<Time()> eventTime_;
    bool owned_ = false;
    std::string text_;   // as X programs get it (LF line ends)
    Time ownedSince_ = CurrentTime;
    std::size_t incrThreshold_;
    std::size_t pieceSize_;
    std::list<Transfer> transfers_;
};

}  // namespace win32::backend::x11
