#pragma once
// The engine's exceptions. Every failure travels as one of these; the log's
// fatal level raises FatalError, which the game loader shows in a message box.
#include <string>

namespace ZorvaneEngine {

class Error {
public:
    explicit Error(std::string message) : message(std::move(message)) {}
    virtual ~Error() = default;
    Error(const Error&) = default;
    Error& operator=(const Error&) = default;

    std::string message;
};

// A file cannot be opened, read, written or parsed.
class FileError : public Error {
public:
    using Error::Error;
};

// Raised by MessageManager::Fatal after the log entry is written.
class FatalError : public Error {
public:
    using Error::Error;
};

} // namespace ZorvaneEngine
