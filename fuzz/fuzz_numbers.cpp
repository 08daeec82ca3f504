// libFuzzer target for the number services: every input, read as UTF-16 code units and as
// Latin-1 text, goes through the numeric test, the readings and the formatters, and the
// relations between them are checked.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "norvtext/platform/error.hpp"
#include "norvtext/platform/numbers.hpp"

namespace {

using namespace norvtext;

void check(bool condition) {
    if (!condition) std::abort();
}

const Locale& german() {
    static const Locale loc = [] {
        Locale l;
        l.name = "de_DE";
        l.decimal = u",";
        l.grouping = u".";
        return l;
    }();
    return loc;
}

constexpr std::u16string_view patterns[] = {u"$#,##.00", u"#.00", u"000-00-0000", u"(000) 000-0000",
                                            u"00000",    u"#,##0.00", u"0.00%"};

void check_decimal_shape(const Decimal& d) {
    if (d.is_zero()) {
        check(!d.negative && d.point == 0);
        return;
    }
    for (const char c : d.digits) check(c >= '0' && c <= '9');
    check(d.digits.front() != '0' && d.digits.back() != '0');
}

void check_number(std::u16string_view text, const Locale& loc) {
    const std::optional<Decimal> value = parse_number(text, loc);
    check(is_numeric(text, loc) == value.has_value());
    const std::optional<double> reading = parse_double(text, loc);
    check(reading.has_value() == value.has_value());
    if (!value) return;
    check_decimal_shape(*value);

    const double d = value->to_double();
    check(std::isfinite(d) && *reading == d);
    check(Decimal::from_double(d).to_double() == d);

    // The general text reads back as nearly the same number. The one exception is a number
    // whose 15-digit rounding lies beyond the largest Double.
    const std::u16string general = general_number_text(d, loc);
    const std::optional<double> back = parse_double(general, loc);
    if (!back) {
        check(std::fabs(d) >= 1.79769313486231e308);
    } else {
        check(std::fabs(*back - d) <= std::fabs(d) * 1e-14 + std::numeric_limits<double>::denorm_min());
        // Fifteen digits read and written again give the same text above the subnormal range.
        if (std::fabs(d) >= 1e-300) check(general_number_text(*back, loc) == general);
    }

    for (const std::u16string_view pattern : patterns) {
        const std::u16string text_of_double = format_pattern(d, pattern, loc);
        check(text_of_double == format_pattern(Decimal::from_double(d), pattern, loc));
    }
    // The grouped form is itself a number within a rounding step of the value.
    const std::optional<double> grouped = parse_double(format_pattern(d, u"#,##0.00", loc), loc);
    check(grouped.has_value());
    check(std::fabs(*grouped - d) <= 0.005 + std::fabs(d) * 1e-15);
    format_pattern(*value, u"#,##0.00", loc);

    const std::optional<Currency> amount = parse_currency(text, loc);
    check(amount == currency_from_decimal(*value));
    if (std::fabs(d) < 9e14) check(amount.has_value());
    if (amount) check(parse_currency(currency_plain_text(*amount, loc), loc) == amount);

    if (const auto i = round_to_integer(d)) check(std::fabs(*i - d) <= 0.5);
    if (const auto l = round_to_long(d)) check(std::fabs(*l - d) <= 0.5);
}

void check_text(std::u16string_view text) {
    check_number(text, Locale::en_us());
    check_number(text, german());

    try {
        const double lead = leading_number(text);
        check(std::isfinite(lead));
        general_number_text(lead);
    } catch (const Error& e) {
        check(e.number() == static_cast<int>(ErrorCode::Overflow));
    }

    // The text as a pattern: any text is a pattern, with literals where it has no positions.
    for (const double v : {0.0, -0.005, 1234.5, 12345678901.0}) format_pattern(v, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    check_text(units);

    std::u16string latin1(data, data + size);
    check_text(latin1);
    return 0;
}
