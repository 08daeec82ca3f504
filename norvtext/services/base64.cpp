// Base64 in both directions.
#include "norvtext/services/base64.hpp"

namespace norvtext::services {

namespace {

constexpr char base64_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string base64_encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6) out += base64_alphabet[(group >> shift) & 0x3F];
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        if (rest == 2) group |= std::uint32_t{bytes[i + 1]} << 8;
        out += base64_alphabet[(group >> 18) & 0x3F];
        out += base64_alphabet[(group >> 12) & 0x3F];
        out += rest == 2 ? base64_alphabet[(group >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

// Padded standard base64 with no blanks; the unused bits of the last group must be zero,
// so every byte string has exactly one spelling.
std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    const auto sextet = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    std::size_t padding = 0;
    if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const std::size_t used = last ? 4 - padding : 4;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            int value = 0;
            if (k < used) {
                value = sextet(text[i + k]);
                if (value < 0) return std::nullopt;
            }
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        out.push_back(static_cast<std::uint8_t>(group >> 16));
        if (used >= 3) out.push_back(static_cast<std::uint8_t>(group >> 8));
        if (used == 4) out.push_back(static_cast<std::uint8_t>(group));
        if (used == 2 && (group & 0xFFFFu) != 0) return std::nullopt;
        if (used == 3 && (group & 0xFFu) != 0) return std::nullopt;
    }
    return out;
}

}  // namespace norvtext::services
