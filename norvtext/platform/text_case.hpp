// Locale-aware case conversion with simple (one-to-one) mapping: the length never changes,
// so positions in a converted text match the original.
#pragma once

#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"

namespace norvtext {

std::u16string to_upper(std::u16string_view text, const Locale& loc = Locale::en_us());
std::u16string to_lower(std::u16string_view text, const Locale& loc = Locale::en_us());
// Turkish and Azeri pair dotted and dotless i differently from every other language; the
// language code counts in either case ("tr_TR", "TR").
bool uses_turkic_i(const Locale& loc);

}  // namespace norvtext
