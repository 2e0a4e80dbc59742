// The library's exceptions that belong to no single area: misuse of a
// control or component, and the printer's errors. Stream, list and graphics
// errors live beside their classes.
#pragma once

#include "classlib/sysutils.h"

namespace classlib {

// Raised for an operation that the object's state does not allow.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

}  // namespace classlib
