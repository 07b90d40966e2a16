#pragma once

#include <string>

namespace Orvane::Exceptions {

// The framework reports every error by throwing one of these by value; callers catch the base.
class Exception {
public:
    explicit Exception(std::string message)
        : message_(std::move(message))
    {}
    const std::string& getMessage() const { return message_; }

private:
    std::string message_;
};

class FileNotFoundException : public Exception {
public:
    using Exception::Exception;
};

class UnsupportedFormatException : public Exception {
public:
    using Exception::Exception;
};

class IllegalEnumException : public Exception {
public:
    using Exception::Exception;
};

class DeviceNotCapableException : public Exception {
public:
    using Exception::Exception;
};

}
