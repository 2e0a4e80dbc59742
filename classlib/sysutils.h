// The general exception classes of the library. The formatting helpers and
// the rest of the system utilities join this header.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace classlib {

// Base of every exception the library raises; Message is what the
// application's error box shows.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Ends an operation silently: the application reports it to nobody.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace classlib
