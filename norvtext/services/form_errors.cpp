// The messages of form-file problems.
#include "norvtext/services/form_errors.hpp"

#include "norvtext/platform/error.hpp"

namespace norvtext::services {

void raise_form_error(std::string_view where, std::string_view what) {
    raise(ErrorCode::FileError, std::string(where) + ": " + std::string(what));
}

std::string printable(std::string_view text, std::size_t limit) {
    std::string out;
    static constexpr char hex[] = "0123456789abcdef";
    for (const unsigned char byte : text.substr(0, limit)) {
        if (byte >= 0x20 && byte < 0x7f) out += static_cast<char>(byte);
        else out += {'\\', 'x', hex[byte >> 4], hex[byte & 0xf]};
    }
    if (text.size() > limit) out += "...";
    return out;
}

}  // namespace norvtext::services
