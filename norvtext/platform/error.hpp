// The one error type of the library: the platform's error number and its message.
#pragma once

#include <stdexcept>
#include <string>

namespace norvtext {

// Error numbers the controls and the platform services raise.
enum class ErrorCode : int {
    Overflow = 6,
    TypeMismatch = 13,
    InvalidUseOfNull = 94,
    InvalidPropertyValue = 380,
    PropertyIsReadOnly = 383,
    WrongArguments = 450,
    NotSupported = 438,
    // Reading or writing a form file failed; the message names the file and position.
    FileError = 31036,
};

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& message);
    explicit Error(ErrorCode code);                        // the standard message
    Error(ErrorCode code, const std::string& message);
    int number() const noexcept { return number_; }

private:
    int number_;
};

[[noreturn]] void raise(ErrorCode code);
[[noreturn]] void raise(ErrorCode code, const std::string& message);

}  // namespace norvtext
