// Number services: exact decimals, the general number text, the pattern formatter and the
// money conversions, all worked on decimal digits rather than on binary values. The numeric
// grammar is in number_grammar.cpp.
#include "norvtext/platform/numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

// The shortest digits of a Double never exceed 17, and an unsigned 64-bit count has 20.
constexpr std::size_t double_digits = 17;
using DigitBuffer = char[24];

// Digits of a value being rounded or printed, in a caller's buffer.
struct DigitSpan {
    char* d;
    std::size_t n;
    int point;
    bool negative = false;
};

// A working buffer of `need` characters: on the stack when N are enough, so a short value
// costs no allocation.
template <class Char, std::size_t N>
struct Scratch {
    Char small[N];
    std::basic_string<Char> large;
    Char* get(std::size_t need) {
        if (need <= N) return small;
        large.resize(need);
        return large.data();
    }
};

// Rounds the magnitude to `keep` significant digits, a half away from zero (keep may be
// <= 0: nothing is kept before the first rounding position). Works in place; leaves no
// trailing zeros; a result of zero has no digits and point 0.
void round_digits(DigitSpan& v, std::int64_t keep) {
    if (keep >= static_cast<std::int64_t>(v.n)) return;
    const bool up = keep >= 0 && v.d[keep] >= '5';
    v.n = keep > 0 ? static_cast<std::size_t>(keep) : 0;
    if (up) {
        while (v.n > 0 && v.d[v.n - 1] == '9') --v.n;
        if (v.n == 0) {
            // All kept digits were nines (or none was kept): the carry makes a new leading 1.
            v.d[0] = '1';
            v.n = 1;
            v.point = static_cast<int>(std::min<std::int64_t>(std::int64_t{v.point} + 1, Decimal::point_limit));
        } else {
            ++v.d[v.n - 1];
        }
    }
    while (v.n > 0 && v.d[v.n - 1] == '0') --v.n;
    if (v.n == 0) v.point = 0;
}

// The digits of m * 10^-scale, written into buf.
DigitSpan scaled_digits(DigitBuffer& buf, std::uint64_t m, int scale, bool negative) {
    const auto n = static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, m).ptr - buf);
    DigitSpan v{buf, n, static_cast<int>(n) - scale, negative};
    while (v.n > 0 && v.d[v.n - 1] == '0') --v.n;
    return v;
}

// The shortest round-trip digits of a finite double. Most values the controls format are
// short decimals (amounts, percentages). For those the shortest digits are found directly:
// the first m * 10^-k that divides back to the value exactly. Two decimals of at most 15
// digits never share a Double, so the first such m is the one and only shortest candidate;
// anything else is read off std::to_chars' scientific form.
DigitSpan shortest_digits(double value, DigitBuffer& buf) {
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-5 && magnitude < 1e15) {
        double scale = 1.0;  // 10^k, exact throughout
        for (int k = 0; k <= 15 && magnitude * scale < 1e15; ++k, scale *= 10.0) {
            const auto m = static_cast<std::uint64_t>(magnitude * scale + 0.5);  // below 2^50: the sum is exact
            if (m != 0 && static_cast<double>(m) / scale == magnitude) return scaled_digits(buf, m, k, negative);
        }
    }
    char text[40];
    const auto res = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const char* p = negative ? text + 1 : text;
    std::size_t n = 0;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p != '.' && n < double_digits) buf[n++] = *p;
    }
    // The scientific form always ends in an exponent: 'e', a sign, digits.
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, exponent);
    // Zero is written "0e+00"; its one digit goes, and a span without digits is zero.
    while (n > 0 && buf[n - 1] == '0') --n;
    return DigitSpan{buf, n, exponent + 1, negative};
}

Decimal to_decimal(const DigitSpan& v) {
    if (v.n == 0) return Decimal{};
    return Decimal{v.negative, std::string(v.d, v.n), v.point};
}

std::uint64_t magnitude_of(std::int64_t n) {
    return n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

// Round half to even without touching the floating-point environment: modf splits off the
// fraction exactly, so a tie is recognised exactly.
template <class Int>
std::optional<Int> round_half_even(double d) {
    if (std::isnan(d)) return std::nullopt;
    double whole = 0.0;
    const double fraction = std::modf(d, &whole);
    double r = std::round(d);
    if (std::fabs(fraction) == 0.5) r = std::fmod(whole, 2.0) == 0.0 ? whole : r;
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) return std::nullopt;
    return static_cast<Int>(r);
}

}  // namespace

// ---- Decimal -------------------------------------------------------------------------------

Decimal Decimal::from_double(double d) {
    if (!std::isfinite(d)) raise(ErrorCode::Overflow);
    DigitBuffer buf;
    return to_decimal(shortest_digits(d, buf));
}

Decimal Decimal::from_currency(Currency c) {
    DigitBuffer buf;
    return to_decimal(scaled_digits(buf, magnitude_of(c.ticks), 4, c.ticks < 0));
}

Decimal Decimal::from_integer(std::int64_t n) {
    DigitBuffer buf;
    return to_decimal(scaled_digits(buf, magnitude_of(n), 0, n < 0));
}

double Decimal::to_double() const {
    if (digits.empty()) return 0.0;
    // Up to 15 digits are exact in a double, and so is 10^k up to k = 22: one multiplication
    // or division of two exact operands is then correctly rounded by itself.
    static constexpr double exact_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const std::int64_t scale = static_cast<std::int64_t>(point) - static_cast<std::int64_t>(digits.size());
    if (digits.size() <= 15 && scale >= -22 && scale <= 22) {
        // Digits other than '0'..'9' stop the reading short and go the slow way, which refuses them.
        std::uint64_t mantissa = 0;
        const char* const end = digits.data() + digits.size();
        if (std::from_chars(digits.data(), end, mantissa).ptr == end) {
            const double m = static_cast<double>(mantissa);
            const double v = scale >= 0 ? m * exact_powers[scale] : m / exact_powers[-scale];
            return negative ? -v : v;
        }
    }
    // "DIGITSeEXP" for std::from_chars, on the stack unless the digits are many.
    const std::size_t need = digits.size() + 24;
    Scratch<char, 96> scratch;
    char* const buf = scratch.get(need);
    char* p = std::copy(digits.begin(), digits.end(), buf);
    *p++ = 'e';
    p = std::to_chars(p, buf + need, scale).ptr;
    double v = 0.0;
    // Out of range, the magnitude is at least 1 exactly when the point lies after the first digit.
    if (std::from_chars(buf, p, v).ec == std::errc::result_out_of_range)
        v = point > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -v : v;
}

// ---- The general number text ----------------------------------------------------------------

std::u16string general_number_text(double d, const Locale& loc) {
    if (std::isnan(d)) return u"NaN";
    if (std::isinf(d)) return d < 0 ? u"-Infinity" : u"Infinity";

    DigitBuffer buf;
    DigitSpan v = shortest_digits(d, buf);
    round_digits(v, 15);
    if (v.n == 0) return u"0";

    std::u16string out;
    // The digits and the exponent mark are ASCII; each char widens to its own UTF-16 unit.
    if (v.negative) out.push_back(u'-');
    const int exponent = v.point - 1;
    const bool scientific = exponent >= 15 || exponent < -4;
    // Where the decimal symbol stands among the digits; the exponent form has one digit before it.
    const std::int64_t point = scientific ? 1 : v.point;
    const auto n = static_cast<std::int64_t>(v.n);
    const auto whole = static_cast<std::size_t>(std::clamp<std::int64_t>(point, 0, n));
    if (point <= 0) out.push_back(u'0');
    out.append(v.d, v.d + whole);
    if (point > n) out.append(static_cast<std::size_t>(point - n), u'0');
    if (whole < v.n) {
        out += loc.decimal;
        if (point < 0) out.append(static_cast<std::size_t>(-point), u'0');
        out.append(v.d + whole, v.d + v.n);
    }
    if (scientific) {
        // A sign always, and at least two digits: "E+16", "E-05", "E+308".
        char mark[8];
        out.append(mark, mark + std::snprintf(mark, sizeof mark, "E%+03d", exponent));
    }
    return out;
}

// ---- The pattern formatter ------------------------------------------------------------------

namespace {

bool is_position(char16_t c) { return c == u'0' || c == u'#'; }

// What a pattern asks for, found in one pass before anything is written.
struct PatternShape {
    std::int64_t integer_positions = 0;
    std::int64_t fraction_positions = 0;
    // Integer positions are numbered from the right (0 = units); every position at or below
    // this one shows a digit, zero or not. -1: only significant digits show.
    std::int64_t zeros_from = -1;
    // Fraction positions are numbered from the point; every one up to this shows a digit.
    std::int64_t zeros_to = -1;
    bool grouping = false;
};

PatternShape shape_of(std::u16string_view pattern) {
    PatternShape shape;
    bool fraction = false;
    std::int64_t first_zero = -1;  // index among integer positions, from the left
    for (const char16_t c : pattern) {
        if (!fraction) {
            if (is_position(c)) {
                if (c == u'0' && first_zero < 0) first_zero = shape.integer_positions;
                ++shape.integer_positions;
            } else if (c == u',' && shape.integer_positions > 0) {
                shape.grouping = true;
            } else if (c == u'.') {
                fraction = true;
            }
        } else if (is_position(c)) {
            if (c == u'0') shape.zeros_to = shape.fraction_positions;
            ++shape.fraction_positions;
        }
    }
    if (first_zero >= 0) shape.zeros_from = shape.integer_positions - 1 - first_zero;
    return shape;
}

std::u16string format_digits(DigitSpan v, std::u16string_view pattern, const Locale& loc) {
    const PatternShape shape = shape_of(pattern);
    round_digits(v, static_cast<std::int64_t>(v.point) + shape.fraction_positions);
    if (v.n == 0) v.negative = false;

    const std::int64_t n = static_cast<std::int64_t>(v.n);
    const std::int64_t integer_length = v.n == 0 ? 0 : std::max<std::int64_t>(v.point, 0);
    const std::int64_t fraction_length = v.n == 0 ? 0 : std::max<std::int64_t>(n - v.point, 0);

    // The digit at an index among the digits held; outside them it is a zero. Integer digit j,
    // counted from the right, is at point - 1 - j, fraction digit k at point + k.
    const auto digit = [&](std::int64_t index) {
        return index >= 0 && index < n ? static_cast<char16_t>(v.d[index]) : u'0';
    };

    // The text is written into a stack buffer when it surely fits, so the only allocation is
    // the result's own. The bound: every pattern character writes one character or a symbol
    // (a digit position perhaps a group symbol too), every surplus digit a group symbol at most.
    const std::size_t widest = 1 + std::max(loc.grouping.size(), loc.decimal.size());
    const std::size_t bound =
        1 + pattern.size() * widest + static_cast<std::size_t>(integer_length) * (1 + loc.grouping.size());
    Scratch<char16_t, 128> scratch;
    char16_t* const first = scratch.get(bound);
    char16_t* w = first;
    const auto put = [&](char16_t c) { *w++ = c; };
    const auto put_symbol = [&](std::u16string_view symbol) { w = std::copy(symbol.begin(), symbol.end(), w); };

    if (v.negative) put(u'-');
    const auto emit_integer = [&](std::int64_t j) {
        put(digit(v.point - 1 - j));
        if (shape.grouping && j > 0 && j % 3 == 0) put_symbol(loc.grouping);
    };
    // Digits with no position of their own all go where the leftmost position stands.
    const auto emit_surplus = [&] {
        for (std::int64_t j = integer_length - 1; j >= shape.integer_positions; --j) emit_integer(j);
    };

    bool fraction = false;
    std::int64_t position = 0;
    for (const char16_t c : pattern) {
        if (!fraction) {
            if (is_position(c)) {
                if (position == 0) emit_surplus();
                const std::int64_t j = shape.integer_positions - 1 - position;
                if (j < integer_length || j <= shape.zeros_from) emit_integer(j);
                ++position;
            } else if (c == u'.') {
                if (shape.integer_positions == 0) emit_surplus();
                put_symbol(loc.decimal);
                fraction = true;
                position = 0;
            } else if (c != u',' || position == 0) {
                put(c);  // a grouping marker between digit positions writes nothing itself
            }
        } else if (is_position(c)) {
            if (position < fraction_length || position <= shape.zeros_to) put(digit(v.point + position));
            ++position;
        } else {
            put(c);
        }
    }
    if (!fraction && shape.integer_positions == 0) emit_surplus();

    return std::u16string(first, w);
}

}  // namespace

std::u16string format_pattern(const Decimal& value, std::u16string_view pattern, const Locale& loc) {
    // Rounding works in place, so the digits go to a scratch buffer: on the stack when short.
    Scratch<char, 64> scratch;
    char* const buf = scratch.get(value.digits.size());
    std::copy(value.digits.begin(), value.digits.end(), buf);
    return format_digits(DigitSpan{buf, value.digits.size(), value.point, value.negative}, pattern, loc);
}

std::u16string format_pattern(double value, std::u16string_view pattern, const Locale& loc) {
    if (!std::isfinite(value)) raise(ErrorCode::Overflow);
    DigitBuffer buf;
    return format_digits(shortest_digits(value, buf), pattern, loc);
}

// ---- Currency -------------------------------------------------------------------------------

std::optional<Currency> currency_from_decimal(const Decimal& d) {
    if (d.is_zero()) return Currency{};
    // The ticks are the digits up to the fourth decimal place; past 19 of them the amount is
    // at least 10^15, beyond the range, and 19 digits still fit an unsigned 64-bit count.
    const std::int64_t keep = static_cast<std::int64_t>(d.point) + 4;
    if (keep > 19) return std::nullopt;
    if (keep < 0) return Currency{};  // below a tenth of a tick

    const std::size_t n = d.digits.size();
    const auto kept = static_cast<std::size_t>(keep);
    std::uint64_t magnitude = 0;
    for (std::size_t k = 0; k < kept; ++k) {
        magnitude = magnitude * 10 + (k < n ? static_cast<std::uint64_t>(d.digits[k] - '0') : 0);
    }
    if (kept < n) {
        const char first = d.digits[kept];
        const bool exact_half = first == '5' && n == kept + 1;
        if (first > '5' || (first == '5' && (!exact_half || magnitude % 2 != 0))) ++magnitude;
    }

    constexpr std::uint64_t largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > largest + (d.negative ? 1 : 0)) return std::nullopt;
    // Negated in unsigned arithmetic, so the most negative amount needs no case of its own.
    return Currency{static_cast<std::int64_t>(d.negative ? 0 - magnitude : magnitude)};
}

std::optional<Currency> parse_currency(std::u16string_view text, const Locale& loc) {
    if (const std::optional<Decimal> value = parse_number(text, loc)) return currency_from_decimal(*value);
    return std::nullopt;
}

std::optional<Currency> currency_from_double(double d) {
    if (!std::isfinite(d)) return std::nullopt;
    return currency_from_decimal(Decimal::from_double(d));
}

double currency_to_double(Currency c) { return Decimal::from_currency(c).to_double(); }

std::string exact_currency_text(Currency c) {
    const std::uint64_t magnitude = magnitude_of(c.ticks);
    const auto scale = static_cast<std::uint64_t>(Currency::scale);
    std::string out = (c.ticks < 0 ? "-" : "") + std::to_string(magnitude / scale);
    // The ten-thousandths with their leading zeros, which adding the scale keeps.
    std::string fraction = std::to_string(magnitude % scale + scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) out += '.' + fraction;
    return out;
}

std::optional<Currency> parse_exact_currency(std::string_view text) {
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    const std::size_t point = std::min(text.find('.'), text.size());
    const auto digits = [&](std::size_t from, std::size_t to) {
        const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
        return from < to && std::all_of(text.begin() + from, text.begin() + to, is_digit);
    };
    const bool fraction_fits = point == text.size() || (digits(point + 1, text.size()) && text.size() - point <= 5);
    if (!digits(sign, point) || !fraction_fits) return std::nullopt;
    // Now plain ASCII with at most four decimals, which the numeric test reads exactly.
    return parse_currency(std::u16string(text.begin(), text.end()));
}

std::u16string currency_plain_text(Currency c, const Locale& loc) {
    std::u16string out;
    for (const char ch : exact_currency_text(c)) {
        if (ch == '.') out += loc.decimal;
        else out.push_back(static_cast<char16_t>(ch));
    }
    return out;
}

// ---- Rounding to the integer types ----------------------------------------------------------

std::optional<std::int16_t> round_to_integer(double d) { return round_half_even<std::int16_t>(d); }

std::optional<std::int32_t> round_to_long(double d) { return round_half_even<std::int32_t>(d); }

}  // namespace norvtext
