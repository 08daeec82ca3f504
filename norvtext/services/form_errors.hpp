// How form-file code reports a problem: every message is "WHERE: WHAT" under Error FileError,
// and quotes the file's own text only as printable ASCII, cut short.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace norvtext::services {

// Error messages quote keys and texts; a hostile one must not make a huge message.
inline constexpr std::size_t max_quoted = 80;

// Raises Error FileError "WHERE: WHAT".
[[noreturn]] void raise_form_error(std::string_view where, std::string_view what);

// Text for a message: printable ASCII as is, other bytes as \xNN, cut at `limit` bytes.
std::string printable(std::string_view text, std::size_t limit = max_quoted);
// The text printable and in double quotes.
inline std::string in_quotes(std::string_view text) { return "\"" + printable(text) + "\""; }

}  // namespace norvtext::services
