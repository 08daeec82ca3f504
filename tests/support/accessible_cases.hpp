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
    // The expected entries of the shapes most rows use.
    constexpr std::string_view date = "date, month/day/year";
    constexpr std::string_view amount = "amount in dollars and cents";
    constexpr std::string_view ssn = "social security number, nine digits";
    constexpr std::string_view phone = "telephone number, area code and seven digits";
    constexpr std::string_view zip5 = "ZIP code, five digits";
    constexpr std::string_view zip9 = "ZIP+4 code, five digits and four more";
    constexpr std::string_view any = "any characters";
    static const std::vector<AccessibleCase> cases = {
        {"txtNorvDate", {}, u"", true, u"", date, ""},
        {"txtNorvDate", {}, u"1205", false, u"12/05", date, ""},
        {"txtNorvDate", {}, u"12052026", true, u"12/05/2026", date, ""},
        {"txtNorvDate", {}, u"1205", true, u"12/05", date, "not a date"},
        {"txtNorvDate", {{"FormatMask", Variant(5)}}, u"99", true, u"99", "time, hours:minutes AM or PM", "not a time"},
        {"txtNorvText", {}, u"", true, u"", any, ""},
        {"txtNorvText", {{"Chars", Variant(1 + 4 + 16)}},
         u"ab c", false, u"AB C", "letters and spaces, upper case", ""},
        {"txtNorvText", {{"Chars", Variant(2 + 8 + 16 + 32)}, {"CharTable", Variant(u"-")}},
         u"1-2x", true, u"1-2", "digits and \"-\"", ""},
        {"txtNorvText", {{"MaxChars", Variant(1)}, {"PasswordChar", Variant(u"*")}},
         u"ab", true, u"*", "password, any characters, at most 1 character", ""},
        {"txtNorvText", {{"ReadOnly", Variant(true)}, {"Text", Variant(u"kept")}}, u"x", true, u"kept", any, "", true},
        {"txtNorvCurrency", {}, u"", true, u"$0.00", amount, ""},
        {"txtNorvCurrency", {}, u"12.", false, u"12.", amount, ""},
        {"txtNorvCurrency", {}, u"1234.5", true, u"$1,234.50", amount, ""},
        {"txtNorvCurrency", {}, u"1.2.3", true, u"1.2.3", amount, "not a number"},
        {"txtNorvPercent", {}, u"", true, u"0.00%", "percentage", ""},
        {"txtNorvPercent", {{"MaxChars", Variant(1)}}, u"-", false, u"-", "percentage, at most 1 character", ""},
        {"txtNorvPercent", {}, u"12.5", true, u"12.50%", "percentage", ""},
        {"txtNorvPercent", {}, u"--5", true, u"--5", "percentage", "not a number"},
        {"txtNorvSocialSecurity", {}, u"", true, u"", ssn, ""},
        {"txtNorvSocialSecurity", {}, u"07805", false, u"078-05", ssn, ""},
        {"txtNorvSocialSecurity", {}, u"078051120", true, u"078-05-1120", ssn, ""},
        {"txtNorvSocialSecurity", {}, u"07805", true, u"078-05", ssn, "nine digits needed"},
        {"txtNorvTelephone", {}, u"", true, u"", phone, ""},
        {"txtNorvTelephone", {}, u"5551", false, u"(555) 1", phone, ""},
        {"txtNorvTelephone", {{"FormatMask", Variant(1)}},
         u"5551234", true, u"555-1234", "telephone number, seven digits", ""},
        {"txtNorvTelephone", {}, u"555", true, u"(555", phone, "ten digits needed"},
        {"txtNorvZip", {}, u"", true, u"", zip5, ""},
        {"txtNorvZip", {{"FormatMask", Variant(2)}}, u"123456", false, u"12345-6", zip9, ""},
        {"txtNorvZip", {{"FormatMask", Variant(2)}}, u"12345", true, u"12345-0000", zip9, ""},
        {"txtNorvZip", {}, u"123", true, u"123", zip5, "five digits needed"},
    };
    return cases;
}

}  // namespace norvtext::testing
