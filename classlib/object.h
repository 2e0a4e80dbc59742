// The root of the object model: TObject (class name, message dispatch by
// number), TMessage, and TPersistent (assignment between objects).
#pragma once

#include <string>

#include "platform/windef.h"

namespace classlib {

using win32::LPARAM;
using win32::LRESULT;
using win32::UINT;
using win32::WPARAM;

// A message as handlers by number receive it; Result is what the sender gets.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class's own name without namespace ("TFont"), as messages show it.
    std::string ClassName() const;

    // Routes a message to the handler for its number. Classes that handle
    // messages override Dispatch with a switch that calls named handlers and
    // hands every other number to the base class; the root calls
    // DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    template <class T>
    bool InheritsFrom() const { return dynamic_cast<const T*>(this) != nullptr; }
};

// Objects that can copy their state from another: Assign asks the source to
// assign itself when the destination does not know the source's class.
class TPersistent : public TObject {
public:
    // Copies source into this object; raises EConvertError when neither side
    // knows how. A null source is an unsupported pair unless a class says so.
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
    // Raises the library's "cannot assign" error for source into this object.
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

// Strips namespaces from a demangled type name ("classlib::TFont" -> "TFont").
std::string ShortTypeName(const char* mangled);

}  // namespace classlib
