// Locale-aware number services: the numeric test, the numeric reading, the general number
// text and the one pattern formatter every control formats with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/locale.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext {

// A finite decimal number: value = (negative ? -1 : 1) * 0.DIGITS * 10^exponent... precisely,
// digits "d1 d2 ... dn" with the decimal point after the first `point` digits (point may be
// <= 0 or > n). Digits carry no leading or trailing zeros; zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;  // '0'..'9'
    int point = 0;
    // A point outside this span is far outside Double's range; clamping keeps it an int.
    static constexpr int point_limit = 2'000'000'000;

    bool is_zero() const noexcept { return digits.empty(); }
    // The shortest text that reads back as d; NaN or an infinity raises Overflow.
    static Decimal from_double(double d);
    static Decimal from_currency(Currency c);    // exact
    static Decimal from_integer(std::int64_t n);
    double to_double() const;                    // correctly rounded; may be +-inf
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// Whole text reads as a number: blanks around, one sign (leading or trailing) or parentheses
// for a negative, one currency sign "$", digits with the locale's grouping symbol, one
// decimal symbol, an exponent. Returns the number, or nothing when the text is not a number
// or is out of Double's range.
std::optional<Decimal> parse_number(std::u16string_view text, const Locale& loc = Locale::en_us());
std::optional<double> parse_double(std::u16string_view text, const Locale& loc = Locale::en_us());
bool is_numeric(std::u16string_view text, const Locale& loc = Locale::en_us());

// The leading number of a text: blanks skipped, an optional sign, digits, at most one ".",
// an optional exponent, stopping at the first other character; 0 when there is none.
// A number beyond Double's range raises Overflow.
double leading_number(std::u16string_view text);

// General number text: at most 15 significant digits, no grouping, no trailing zeros, the
// locale's decimal symbol; exponent form ("1E+16", "1E-05") outside 1E-4 .. 1E15.
std::u16string general_number_text(double d, const Locale& loc = Locale::en_us());

// Pattern formatting: "0" a digit with leading zeros, "#" an optional digit, "." the
// decimal point, "," grouping (thousands), anything else a literal. Surplus integer digits
// go in front of the leftmost digit position; halves round away from zero.
std::u16string format_pattern(const Decimal& value, std::u16string_view pattern,
                              const Locale& loc = Locale::en_us());
std::u16string format_pattern(double value, std::u16string_view pattern,
                              const Locale& loc = Locale::en_us());

// Currency: text to amount rounds to four places, halves to even; nothing when not a number
// or outside the amount range.
std::optional<Currency> parse_currency(std::u16string_view text, const Locale& loc = Locale::en_us());
std::optional<Currency> currency_from_double(double d);
std::optional<Currency> currency_from_decimal(const Decimal& d);
double currency_to_double(Currency c);
// Up to four decimals, no trailing zeros, the locale's decimal symbol ("1234.5", "-0.0001").
std::u16string currency_plain_text(Currency c, const Locale& loc = Locale::en_us());
// The exact, locale-free text of form files and scripts: currency_plain_text with a '.' as
// the decimal symbol, and its reader, which takes only -?DIGITS[.DIGITS] with one to four
// decimals (trailing zeros too) and gives nothing for any other text or an amount out of range.
std::string exact_currency_text(Currency c);
std::optional<Currency> parse_exact_currency(std::string_view text);

// Round half to even into the 16/32-bit ranges; nothing when out of range.
std::optional<std::int16_t> round_to_integer(double d);
std::optional<std::int32_t> round_to_long(double d);

}  // namespace norvtext
