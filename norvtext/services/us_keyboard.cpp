// The US keyboard's key codes for typed characters.
#include "norvtext/services/us_keyboard.hpp"

#include <string_view>

namespace norvtext::services {

KeyStroke us_key_of(char16_t c) {
    if (c >= u'a' && c <= u'z') return {static_cast<std::int16_t>(c - 32), 0};
    if (c >= u'A' && c <= u'Z') return {static_cast<std::int16_t>(c), 1};
    if (c >= u'0' && c <= u'9') return {static_cast<std::int16_t>(c), 0};
    constexpr std::u16string_view plain = u" ;=,-./`[\\]'";
    constexpr std::int16_t plain_codes[] = {32, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
    constexpr std::u16string_view shifted = u")!@#$%^&*(:+<_>?~{|}\"";
    constexpr std::int16_t shifted_codes[] = {48,  49,  50,  51,  52,  53,  54,  55,  56,  57, 186,
                                              187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
    if (auto p = plain.find(c); p != std::u16string_view::npos) return {plain_codes[p], 0};
    if (auto p = shifted.find(c); p != std::u16string_view::npos) return {shifted_codes[p], 1};
    return {};
}

}  // namespace norvtext::services
