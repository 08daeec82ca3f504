// The numeric grammar of numbers.hpp: the numeric test, which reads a whole text as a number
// by the locale's symbols, and the leading number, which reads the number a text starts with.
#include "norvtext/platform/numbers.hpp"

#include <algorithm>
#include <cmath>

#include "norvtext/platform/blanks.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

// Exponent digits stop counting here: a billion is beyond any Double either way, and the
// saturation keeps the point arithmetic far from int64 limits whatever the text holds.
constexpr std::int64_t exponent_ceiling = 1'000'000'000;

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A reading's place in its text, and the blanks that reading skips.
template <bool (*is_blank)(char16_t)>
struct Cursor {
    std::u16string_view text;
    std::size_t i = 0;

    bool more() const { return i < text.size(); }
    bool digit_at(std::size_t k) const { return k < text.size() && is_digit(text[k]); }
    bool at(std::u16string_view symbol) const { return !symbol.empty() && text.substr(i).starts_with(symbol); }
    bool take(std::u16string_view symbol) { return at(symbol) && (i += symbol.size(), true); }
    bool take(char16_t c) { return more() && text[i] == c && (++i, true); }
    void skip_blanks() {
        while (more() && is_blank(text[i])) ++i;
    }
    // A sign; a minus sets `negative`. False, and nothing read, when there is none.
    bool take_sign(bool& negative) { return take(u'+') || (take(u'-') && (negative = true)); }
};

// An exponent after its mark: [sign] digits, with the cursor's blanks skipped among them when
// `blanks_between`. Nothing when no digit follows.
template <class Cursor>
std::optional<std::int64_t> read_exponent(Cursor& c, bool blanks_between) {
    const auto skip = [&] {
        if (blanks_between) c.skip_blanks();
    };
    skip();
    bool negative = false;
    c.take_sign(negative);
    std::int64_t exponent = 0;
    int digits = 0;
    for (skip(); c.digit_at(c.i); skip(), ++digits) {
        exponent = std::min(exponent * 10 + (c.text[c.i++] - u'0'), exponent_ceiling);
    }
    if (digits == 0) return std::nullopt;
    return negative ? -exponent : exponent;
}

// Collects the significant digits of a decimal text while it is read: leading zeros only
// move the point, trailing zeros are dropped at the end.
struct DigitCollector {
    Decimal& value;  // zero to begin with
    std::int64_t point = 0;
    bool any = false;

    void digit(char16_t c, bool fraction) {
        any = true;
        const bool leading_zero = value.digits.empty() && c == u'0';
        if (!leading_zero) value.digits.push_back(static_cast<char>(c));
        // An integer digit moves the point on, a leading zero after the decimal symbol back.
        point += (fraction ? 0 : 1) - (leading_zero ? 1 : 0);
    }

    // Completes the number read, with its sign and exponent.
    void finish(bool negative, std::int64_t exponent) {
        std::string& d = value.digits;
        while (!d.empty() && d.back() == '0') d.pop_back();
        if (d.empty()) return;
        value.negative = negative;
        constexpr std::int64_t limit = Decimal::point_limit;
        value.point = static_cast<int>(std::clamp(point + exponent, -limit, limit));
    }
};

// ---- The numeric test ----------------------------------------------------------------------

// The grammar of a number text, read left to right:
//
//   text     = blank* ["(" blank*] lead mantissa [exponent] blank* [trail blank*] [")" blank*]
//   lead     = [sign blank*] ["$" blank*]  |  "$" blank* sign blank*
//   mantissa = integer [dec digit*]  |  dec digit+
//   integer  = digit {[group] digit}          a group symbol counts only between two digits
//   exponent = ("e" | "E") [sign] digit+
//   trail    = sign                           only when lead has no sign and there is no "("
//   sign     = "+" | "-";  blank = is_number_blank (space, tab, no-break space);  dec and group are the
//   locale's symbols.  "(" ... ")" marks a negative and takes no sign of its own.

bool read_number(std::u16string_view text, const Locale& loc, Decimal& value) {
    Cursor<is_number_blank> c{text};
    c.skip_blanks();
    const bool open = c.take(u'(');
    c.skip_blanks();
    bool negative = false;
    bool signed_ = false;
    // The one sign, before the digits or after them, and the blanks around it.
    const auto sign = [&] {
        c.skip_blanks();
        signed_ = signed_ || (!open && c.take_sign(negative));
        c.skip_blanks();
    };
    sign();
    if (c.take(u'$')) sign();

    DigitCollector mantissa{value};
    const std::u16string_view dec = loc.decimal;
    const std::u16string_view group = loc.grouping;
    while (c.digit_at(c.i)) {
        mantissa.digit(text[c.i++], false);
        if (c.at(group) && !c.at(dec) && c.digit_at(c.i + group.size())) c.i += group.size();
    }
    if (c.take(dec)) {
        while (c.digit_at(c.i)) mantissa.digit(text[c.i++], true);
    }
    if (!mantissa.any) return false;  // no digit, or a decimal symbol alone

    std::optional<std::int64_t> exponent = 0;
    if (c.take(u'e') || c.take(u'E')) exponent = read_exponent(c, false);
    if (!exponent) return false;
    c.skip_blanks();
    if (open && !c.take(u')')) return false;
    sign();
    if (c.more()) return false;

    mantissa.finish(negative || open, *exponent);
    // 10^308 lies within Double's range and 10^309 beyond it: only a point of 309 or more
    // (the value is at least 10^308) needs the conversion to tell.
    return value.point < 309 || !std::isinf(value.to_double());
}

}  // namespace

std::optional<Decimal> parse_number(std::u16string_view text, const Locale& loc) {
    std::optional<Decimal> value(std::in_place);
    if (!read_number(text, loc, *value)) return std::nullopt;
    return value;
}

std::optional<double> parse_double(std::u16string_view text, const Locale& loc) {
    Decimal value;
    if (!read_number(text, loc, value)) return std::nullopt;
    return value.to_double();
}

bool is_numeric(std::u16string_view text, const Locale& loc) { return parse_number(text, loc).has_value(); }

// ---- The leading number ---------------------------------------------------------------------

double leading_number(std::u16string_view text) {
    Cursor<is_leading_blank> c{text};
    c.skip_blanks();
    bool negative = false;
    c.take_sign(negative);

    Decimal value;
    DigitCollector mantissa{value};
    const auto digits = [&](bool fraction) {
        for (c.skip_blanks(); c.digit_at(c.i); c.skip_blanks()) mantissa.digit(text[c.i++], fraction);
    };
    digits(false);
    if (c.take(u'.')) digits(true);

    // An exponent counts only when it has a digit; "12e" and "12e+" read as 12.
    std::int64_t exponent = 0;
    if (mantissa.any && (c.take(u'e') || c.take(u'E'))) exponent = read_exponent(c, true).value_or(0);

    mantissa.finish(negative, exponent);
    const double result = value.to_double();
    if (std::isinf(result)) raise(ErrorCode::Overflow);
    return result;
}

}  // namespace norvtext
