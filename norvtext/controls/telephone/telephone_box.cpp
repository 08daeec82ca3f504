// The telephone box: its four shapes and what it does differently from the ZIP box.
#include "norvtext/controls/telephone/telephone_box.hpp"

#include <array>

namespace norvtext {

namespace {
constexpr std::array<DigitRow, 4> rows{{
    {u"(###) ###-####", u"(000) 000-0000", 10, "telephone number, area code and seven digits", "ten digits needed"},
    {u"###-####", u"000-0000", 7, "telephone number, seven digits", "seven digits needed"},
    {u"#(###) ###-####", u"0(000) 000-0000", 11, "telephone number, country code, area code and seven digits",
     "eleven digits needed"},
    {u"##(###) ###-####", u"00(000) 000-0000", 12,
     "telephone number, two-digit country code, area code and seven digits", "twelve digits needed"},
}};
}  // namespace

// The inner box is designed with the date mask; first placement or loading replaces it.
txtNorvTelephone::txtNorvTelephone(Host& host) : FormatMaskBoxBase(host, "txtNorvTelephone", rows, u"##/##/####", 10) {}

}  // namespace norvtext
