// The user's locale as the controls see it: number symbols, month names and AM/PM designators.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace norvtext {

struct Locale {
    std::string name = "en_US";
    std::u16string decimal = u".";
    std::u16string grouping = u",";
    std::array<std::u16string, 12> months{u"January", u"February", u"March",     u"April",
                                          u"May",     u"June",     u"July",      u"August",
                                          u"September", u"October", u"November", u"December"};
    std::array<std::u16string, 12> month_abbreviations{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                       u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    std::u16string am = u"AM";
    std::u16string pm = u"PM";

    // The library's own locale (0x409), used where no host supplies another.
    static const Locale& en_us();
    // Built from ICU data; an unknown name raises Error 380 naming it.
    static Locale from_name(std::string_view name);
};

}  // namespace norvtext
