// Base64 in both directions.
#include "norvtext/services/base64.hpp"

#include <algorithm>

namespace norvtext::services {

namespace {

constexpr char base64_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string base64_encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    // Each group of up to three bytes makes four characters; a short last group is padded.
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t used = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) group = (group << 8) | (k < used ? bytes[i + k] : 0u);
        for (std::size_t k = 0; k < 4; ++k) out += k <= used ? base64_alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

// Padded standard base64 with no blanks; the unused bits of the last group must be zero,
// so every byte string has exactly one spelling.
std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    const std::string_view alphabet(base64_alphabet);
    const std::size_t padding = text.ends_with("==") ? 2 : text.ends_with('=') ? 1 : 0;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        // Characters used in this group: all four, but for the padding of the last.
        const std::size_t used = i + 4 == text.size() ? 4 - padding : 4;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t value = k < used ? alphabet.find(text[i + k]) : 0;
            if (value == std::string_view::npos) return std::nullopt;
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        for (std::size_t k = 1; k < used; ++k) out.push_back(static_cast<std::uint8_t>(group >> (24 - 8 * k)));
        // The bits after the last byte, none in a full group.
        if ((group & ((std::uint32_t{1} << (32 - 8 * used)) - 1)) != 0) return std::nullopt;
    }
    return out;
}

}  // namespace norvtext::services
