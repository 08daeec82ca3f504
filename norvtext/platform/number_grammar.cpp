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

bool at(std::u16string_view text, std::size_t pos, std::u16string_view symbol) {
    return !symbol.empty() && text.substr(pos).starts_with(symbol);
}

// Collects the significant digits of a decimal text while it is read: leading zeros only
// move the point, trailing zeros are dropped at the end.
class DigitCollector {
public:
    // Reads into `out`, which starts as zero.
    explicit DigitCollector(Decimal& out) : out_(out) {
        out_.negative = false;
        out_.digits.clear();
        out_.point = 0;
    }

    void integer_digit(char16_t c) {
        any_ = true;
        if (out_.digits.empty() && c == u'0') return;
        out_.digits.push_back(static_cast<char>(c));
        ++point_;
    }
    void fraction_digit(char16_t c) {
        any_ = true;
        if (out_.digits.empty() && c == u'0') {
            --point_;
            return;
        }
        out_.digits.push_back(static_cast<char>(c));
    }
    bool any_digit() const { return any_; }

    // Completes the number in the Decimal given at construction.
    void finish(bool negative, std::int64_t exponent) {
        std::string& d = out_.digits;
        while (!d.empty() && d.back() == '0') d.pop_back();
        if (d.empty()) return;
        out_.negative = negative;
        constexpr std::int64_t limit = Decimal::point_limit;
        out_.point = static_cast<int>(std::clamp(point_ + exponent, -limit, limit));
    }

private:
    Decimal& out_;
    std::int64_t point_ = 0;
    bool any_ = false;
};

bool is_sign(char16_t c) { return c == u'+' || c == u'-'; }
bool is_exponent_mark(char16_t c) { return c == u'e' || c == u'E'; }

}  // namespace

// ---- The numeric test ----------------------------------------------------------------------

// The grammar of a number text, read left to right by the steps below; a step only ever
// hands on to a later one:
//
//   text     = blank* ["(" blank*] lead mantissa [exponent] blank* [trail blank*] [")" blank*]
//   lead     = [sign blank*] ["$" blank*]  |  "$" blank* sign blank*
//   mantissa = integer [dec digit*]  |  dec digit+
//   integer  = digit {[group] digit}          a group symbol counts only between two digits
//   exponent = ("e" | "E") [sign] digit+
//   trail    = sign                           only when lead has no sign and there is no "("
//   sign     = "+" | "-";  blank = is_number_blank (space, tab, no-break space);  dec and group are the
//   locale's symbols.  "(" ... ")" marks a negative and takes no sign of its own.
namespace {

bool read_number(std::u16string_view text, const Locale& loc, Decimal& value) {
    enum class Step { Lead, Integer, Fraction, ExponentSign, ExponentDigits, Tail, Closed };
    const std::u16string_view dec = loc.decimal;
    const std::u16string_view group = loc.grouping;

    Step step = Step::Lead;
    DigitCollector mantissa(value);
    bool signed_ = false, negative = false, open = false, dollar = false;
    bool exponent_negative = false;
    std::int64_t exponent = 0;
    int exponent_digits = 0;

    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        switch (step) {
            case Step::Lead:
                if (is_number_blank(c)) {
                    ++i;
                } else if (c == u'(' && !open && !signed_ && !dollar) {
                    open = true;
                    ++i;
                } else if (is_sign(c) && !signed_ && !open) {
                    signed_ = true;
                    negative = c == u'-';
                    ++i;
                } else if (c == u'$' && !dollar) {
                    dollar = true;
                    ++i;
                } else if (is_digit(c)) {
                    step = Step::Integer;
                } else if (at(text, i, dec)) {
                    i += dec.size();
                    step = Step::Fraction;
                } else {
                    return false;
                }
                break;
            case Step::Integer:
                if (is_digit(c)) {
                    mantissa.integer_digit(c);
                    ++i;
                } else if (at(text, i, dec)) {
                    i += dec.size();
                    step = Step::Fraction;
                } else if (at(text, i, group) && i + group.size() < text.size() &&
                           is_digit(text[i + group.size()])) {
                    i += group.size();
                } else if (is_exponent_mark(c)) {
                    ++i;
                    step = Step::ExponentSign;
                } else {
                    step = Step::Tail;
                }
                break;
            case Step::Fraction:
                if (is_digit(c)) {
                    mantissa.fraction_digit(c);
                    ++i;
                } else if (!mantissa.any_digit()) {
                    return false;  // a decimal symbol with no digit on either side
                } else if (is_exponent_mark(c)) {
                    ++i;
                    step = Step::ExponentSign;
                } else {
                    step = Step::Tail;
                }
                break;
            case Step::ExponentSign:
                if (is_sign(c)) {
                    exponent_negative = c == u'-';
                    ++i;
                }
                step = Step::ExponentDigits;
                break;
            case Step::ExponentDigits:
                if (is_digit(c)) {
                    exponent = std::min(exponent * 10 + (c - u'0'), exponent_ceiling);
                    ++exponent_digits;
                    ++i;
                } else if (exponent_digits == 0) {
                    return false;
                } else {
                    step = Step::Tail;
                }
                break;
            case Step::Tail:
                if (is_number_blank(c)) {
                    ++i;
                } else if (is_sign(c) && !signed_ && !open) {
                    signed_ = true;
                    negative = c == u'-';
                    ++i;
                } else if (c == u')' && open) {
                    step = Step::Closed;
                    ++i;
                } else {
                    return false;
                }
                break;
            case Step::Closed:
                if (!is_number_blank(c)) return false;
                ++i;
                break;
        }
    }

    switch (step) {
        case Step::Lead:
        case Step::ExponentSign: return false;
        case Step::Fraction:
            if (!mantissa.any_digit()) return false;
            break;
        case Step::ExponentDigits:
            if (exponent_digits == 0) return false;
            break;
        case Step::Integer:
        case Step::Tail:
        case Step::Closed: break;
    }
    if (open && step != Step::Closed) return false;

    mantissa.finish(negative || open, exponent_negative ? -exponent : exponent);
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
    std::size_t i = 0;
    const auto skip_blanks = [&] {
        while (i < text.size() && is_leading_blank(text[i])) ++i;
    };

    skip_blanks();
    bool negative = false;
    if (i < text.size() && is_sign(text[i])) {
        negative = text[i] == u'-';
        ++i;
    }

    Decimal value;
    DigitCollector mantissa(value);
    bool fraction = false;
    for (skip_blanks(); i < text.size(); skip_blanks()) {
        const char16_t c = text[i];
        if (is_digit(c)) {
            fraction ? mantissa.fraction_digit(c) : mantissa.integer_digit(c);
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
        ++i;
    }

    // An exponent counts only when it has a digit; "12e" and "12e+" read as 12.
    std::int64_t exponent = 0;
    if (mantissa.any_digit() && i < text.size() && is_exponent_mark(text[i])) {
        ++i;
        skip_blanks();
        bool exponent_negative = false;
        if (i < text.size() && is_sign(text[i])) {
            exponent_negative = text[i] == u'-';
            ++i;
        }
        for (skip_blanks(); i < text.size() && is_digit(text[i]); skip_blanks()) {
            exponent = std::min(exponent * 10 + (text[i] - u'0'), exponent_ceiling);
            ++i;
        }
        if (exponent_negative) exponent = -exponent;
    }

    mantissa.finish(negative, exponent);
    const double result = value.to_double();
    if (std::isinf(result)) raise(ErrorCode::Overflow);
    return result;
}

}  // namespace norvtext
