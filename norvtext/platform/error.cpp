// Standard messages for the platform's error numbers.
#include "norvtext/platform/error.hpp"

namespace norvtext {

// The standard message of a platform error number ("Overflow", "Type mismatch", ...).
static std::string error_message(ErrorCode code) {
    switch (code) {
        case ErrorCode::Overflow: return "Overflow";
        case ErrorCode::TypeMismatch: return "Type mismatch";
        case ErrorCode::InvalidUseOfNull: return "Invalid use of Null";
        case ErrorCode::InvalidPropertyValue: return "Invalid property value";
        case ErrorCode::PropertyIsReadOnly: return "Property is read-only";
        case ErrorCode::WrongArguments: return "Wrong number of arguments or invalid property assignment";
        case ErrorCode::NotSupported: return "Object doesn't support this property or method";
        case ErrorCode::FileError: return "Form file error";
    }
    return "Application-defined or object-defined error";
}

Error::Error(int number, const std::string& message) : std::runtime_error(message), number_(number) {}
Error::Error(ErrorCode code) : Error(static_cast<int>(code), error_message(code)) {}
Error::Error(ErrorCode code, const std::string& message) : Error(static_cast<int>(code), message) {}

void raise(ErrorCode code) { throw Error(code); }
void raise(ErrorCode code, const std::string& message) { throw Error(code, message); }

}  // namespace norvtext
