// Money and whole numbers from the number services: exact fixed-point amounts (read from a
// number text, from a Double, and written as plain text) and the rounding of a Double to
// the 16- and 32-bit integer types, halves to even.
#include <charconv>
#include <cmath>
#include <limits>

#include "norvtext/platform/numbers.hpp"

namespace norvtext {

// ---- Currency -------------------------------------------------------------------------------

std::optional<Currency> currency_from_decimal(const Decimal& d) {
    if (d.is_zero()) return Currency{};
    // The ticks are the digits up to the fourth decimal place; past 19 of them the amount is
    // at least 10^15, beyond the range, and 19 digits still fit an unsigned 64-bit count.
    const std::int64_t keep = static_cast<std::int64_t>(d.point) + 4;
    if (keep > 19) return std::nullopt;
    if (keep < 0) return Currency{};  // below a tenth of a tick

    const std::size_t n = d.digits.size();
    std::uint64_t magnitude = 0;
    for (std::int64_t k = 0; k < keep; ++k) {
        const std::size_t index = static_cast<std::size_t>(k);
        magnitude = magnitude * 10 + (index < n ? static_cast<std::uint64_t>(d.digits[index] - '0') : 0);
    }
    if (static_cast<std::size_t>(keep) < n) {
        const char first = d.digits[static_cast<std::size_t>(keep)];
        const bool exact_half = first == '5' && n == static_cast<std::size_t>(keep) + 1;
        if (first > '5' || (first == '5' && (!exact_half || magnitude % 2 != 0))) ++magnitude;
    }

    constexpr std::uint64_t largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > largest + (d.negative ? 1 : 0)) return std::nullopt;
    if (!d.negative) return Currency{static_cast<std::int64_t>(magnitude)};
    if (magnitude == largest + 1) return Currency{std::numeric_limits<std::int64_t>::min()};
    return Currency{-static_cast<std::int64_t>(magnitude)};
}

std::optional<Currency> parse_currency(std::u16string_view text, const Locale& loc) {
    const std::optional<Decimal> value = parse_number(text, loc);
    if (!value) return std::nullopt;
    return currency_from_decimal(*value);
}

std::optional<Currency> currency_from_double(double d) {
    if (!std::isfinite(d)) return std::nullopt;
    return currency_from_decimal(Decimal::from_double(d));
}

double currency_to_double(Currency c) { return Decimal::from_currency(c).to_double(); }

std::u16string currency_plain_text(Currency c, const Locale& loc) {
    const std::uint64_t magnitude = c.ticks < 0 ? 0 - static_cast<std::uint64_t>(c.ticks) : static_cast<std::uint64_t>(c.ticks);
    const auto scale = static_cast<std::uint64_t>(Currency::scale);
    char buf[24];
    std::u16string out;
    if (c.ticks < 0) out.push_back(u'-');
    out.append(buf, std::to_chars(buf, buf + sizeof buf, magnitude / scale).ptr);
    std::uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        int places = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        out += loc.decimal;
        const auto res = std::to_chars(buf, buf + sizeof buf, fraction);
        out.append(static_cast<std::size_t>(places - (res.ptr - buf)), u'0');
        out.append(buf, res.ptr);
    }
    return out;
}

// ---- Rounding to the integer types ----------------------------------------------------------

namespace {

// Round half to even without touching the floating-point environment: modf splits off the
// fraction exactly, so a tie is recognised exactly.
std::optional<double> round_half_even(double d, double lowest, double highest) {
    if (std::isnan(d)) return std::nullopt;
    double whole = 0.0;
    const double fraction = std::modf(d, &whole);
    double r = std::round(d);
    if (std::fabs(fraction) == 0.5) r = std::fmod(whole, 2.0) == 0.0 ? whole : r;
    if (r < lowest || r > highest) return std::nullopt;
    return r;
}

}  // namespace

std::optional<std::int16_t> round_to_integer(double d) {
    const auto r = round_half_even(d, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!r) return std::nullopt;
    return static_cast<std::int16_t>(*r);
}

std::optional<std::int32_t> round_to_long(double d) {
    const auto r = round_half_even(d, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!r) return std::nullopt;
    return static_cast<std::int32_t>(*r);
}

}  // namespace norvtext
