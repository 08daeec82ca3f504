// Locale-aware case conversion with simple (one-to-one) mapping: the length never changes,
// so positions in a converted text match the original.
#pragma once

#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"

namespace norvtext {

std::u16string to_upper(std::u16string_view text, const Locale& loc = Locale::en_us());
std::u16string to_lower(std::u16string_view text, const Locale& loc = Locale::en_us());

}  // namespace norvtext
