// Base64, the text form of a Picture's bytes in a form file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvtext::services {

// Padded standard base64 ("+/", "=" padding), no blanks or line breaks.
std::string base64_encode(const std::vector<std::uint8_t>& bytes);
// The bytes of padded standard base64 with no blanks; nothing for any other text, including
// one whose last group has unused bits that are not zero, so every byte string has exactly
// one spelling.
std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text);

}  // namespace norvtext::services
