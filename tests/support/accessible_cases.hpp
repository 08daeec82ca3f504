// What a screen reader learns of every control class, for an empty, a half-typed, a valid
// and an invalid entry. The headless boxes and the Qt widgets run the same table.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "norvtext/platform/variant.hpp"

namespace norvtext::testing {

struct AccessibleCase {
    const char* class_name;
    std::vector<std::pair<const char*, Variant>> settings;  // written before the user comes in
    std::u16string_view typed;
    bool leave;  // the user leaves the box after typing
    std::u16string_view value;
    std::string_view description;
    std::string_view reason;  // empty: the entry stands
    bool read_only = false;
};

inline const std::vector<AccessibleCase>& accessible_cases() {
    static const std::vector<AccessibleCase> cases = {
        {"txtNorvDate", {}, u"", true, u"", "date, month/day/year", ""},
        {"txtNorvDate", {}, u"1205", false, u"12/05", "date, month/day/year", ""},
        {"txtNorvDate", {}, u"12052026", true, u"12/05/2026", "date, month/day/year", ""},
        {"txtNorvDate", {}, u"1205", true, u"12/05", "date, month/day/year", "not a date"},
        {"txtNorvDate", {{"FormatMask", Variant(std::int32_t{5})}}, u"99", true, u"99", "time, hours:minutes AM or PM",
         "not a time"},
        {"txtNorvText", {}, u"", true, u"", "any characters", ""},
        {"txtNorvText", {{"Chars", Variant(std::int16_t{1 + 4 + 16})}}, u"ab c", false, u"AB C",
         "letters and spaces, upper case", ""},
        {"txtNorvText", {{"Chars", Variant(std::int16_t{2 + 8 + 16 + 32})}, {"CharTable", Variant(u"-")}}, u"1-2x",
         true, u"1-2", "digits and \"-\"", ""},
        {"txtNorvText", {{"MaxChars", Variant(std::int16_t{3})}, {"PasswordChar", Variant(u"*")}}, u"abcd", true,
         u"***", "password, any characters, at most 3 characters", ""},
        {"txtNorvText", {{"ReadOnly", Variant(true)}, {"Text", Variant(u"kept")}}, u"x", true, u"kept",
         "any characters", "", true},
        {"txtNorvCurrency", {}, u"", true, u"$0.00", "amount in dollars and cents", ""},
        {"txtNorvCurrency", {}, u"12.", false, u"12.", "amount in dollars and cents", ""},
        {"txtNorvCurrency", {}, u"1234.5", true, u"$1,234.50", "amount in dollars and cents", ""},
        {"txtNorvCurrency", {}, u"1.2.3", true, u"1.2.3", "amount in dollars and cents", "not a number"},
        {"txtNorvPercent", {}, u"", true, u"0.00%", "percentage", ""},
        {"txtNorvPercent", {{"MaxChars", Variant(std::int16_t{4})}}, u"-", false, u"-", "percentage, at most 4 characters", ""},
        {"txtNorvPercent", {}, u"12.5", true, u"12.50%", "percentage", ""},
        {"txtNorvPercent", {}, u"--5", true, u"--5", "percentage", "not a number"},
        {"txtNorvSocialSecurity", {}, u"", true, u"", "social security number, nine digits", ""},
        {"txtNorvSocialSecurity", {}, u"07805", false, u"078-05", "social security number, nine digits", ""},
        {"txtNorvSocialSecurity", {}, u"078051120", true, u"078-05-1120", "social security number, nine digits", ""},
        {"txtNorvSocialSecurity", {}, u"07805", true, u"078-05", "social security number, nine digits",
         "nine digits needed"},
        {"txtNorvTelephone", {}, u"", true, u"", "telephone number, area code and seven digits", ""},
        {"txtNorvTelephone", {}, u"5551", false, u"(555) 1", "telephone number, area code and seven digits", ""},
        {"txtNorvTelephone", {{"FormatMask", Variant(std::int32_t{1})}}, u"5551234", true, u"555-1234",
         "telephone number, seven digits", ""},
        {"txtNorvTelephone", {}, u"555", true, u"(555", "telephone number, area code and seven digits",
         "ten digits needed"},
        {"txtNorvZip", {}, u"", true, u"", "ZIP code, five digits", ""},
        {"txtNorvZip", {{"FormatMask", Variant(std::int32_t{2})}}, u"123456", false, u"12345-6",
         "ZIP+4 code, five digits and four more", ""},
        {"txtNorvZip", {{"FormatMask", Variant(std::int32_t{2})}}, u"12345", true, u"12345-0000",
         "ZIP+4 code, five digits and four more", ""},
        {"txtNorvZip", {}, u"123", true, u"123", "ZIP code, five digits", "five digits needed"},
    };
    return cases;
}

}  // namespace norvtext::testing
