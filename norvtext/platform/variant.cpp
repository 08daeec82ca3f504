// Variant's subtype queries and its conversions between subtypes by the platform's rules.
#include "norvtext/platform/variant.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <type_traits>

#include "norvtext/platform/blanks.hpp"
#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/dates.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/numbers.hpp"

namespace norvtext {

namespace {

template <class T, class... Ts>
inline constexpr bool is_one_of = (std::is_same_v<T, Ts> || ...);

// Null has no value to give (94); Nothing and the objects are not values at all (13).
template <class T>
[[noreturn]] void refuse(const T&) {
    if constexpr (std::is_same_v<T, NullValue>) raise(ErrorCode::InvalidUseOfNull);
    raise(ErrorCode::TypeMismatch);
}

// The value a reading found, or the error when it found none.
template <class T>
T or_raise(const std::optional<T>& value, ErrorCode code) {
    if (!value) raise(code);
    return *value;
}

std::u16string ascii_to_u16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// `word` is in lower case.
bool equals_ascii_nocase(std::u16string_view text, std::string_view word) {
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](char16_t c, char w) {
        return (c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c) == w;
    });
}

bool boolean_from_text(std::u16string_view text, const Locale& loc) {
    const std::u16string_view word = trim_blanks(text, is_value_blank);
    if (equals_ascii_nocase(word, "true")) return true;
    if (equals_ascii_nocase(word, "false")) return false;
    return !or_raise(parse_number(text, loc), ErrorCode::TypeMismatch).is_zero();
}

// The money amount rounded half to even to a whole number, exactly on the ticks.
std::int64_t whole_from_currency(Currency c) {
    std::int64_t whole = c.ticks / Currency::scale;
    const std::int64_t rest = c.ticks % Currency::scale;  // carries the sign of ticks
    const std::int64_t half = Currency::scale / 2;
    if (rest > half || (rest == half && whole % 2 != 0)) ++whole;
    if (rest < -half || (rest == -half && whole % 2 != 0)) --whole;
    return whole;
}

template <class Int>
Int narrow_whole(std::int64_t n) {
    if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max()) raise(ErrorCode::Overflow);
    return static_cast<Int>(n);
}

// Integer and Long share one set of rules; only the range differs. A Double, a Date and a
// text round their Double value; rounding to Long and then narrowing rounds exactly as
// rounding to Integer does.
template <class Int>
Int whole_from(const Variant& v, const Locale& loc) {
    return std::visit(
        [&]<class T>(const T& x) -> Int {
            if constexpr (std::is_same_v<T, EmptyValue>) return 0;
            else if constexpr (std::is_same_v<T, bool>) return x ? -1 : 0;
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t>) return narrow_whole<Int>(x);
            else if constexpr (std::is_same_v<T, Currency>) return narrow_whole<Int>(whole_from_currency(x));
            else if constexpr (is_one_of<T, double, DateSerial, std::u16string>)
                return narrow_whole<Int>(or_raise(round_to_long(v.to_double(loc)), ErrorCode::Overflow));
            else refuse(x);
        },
        v.storage());
}

// A number read as a date must be a date of the platform's range.
DateSerial checked_serial(double d) {
    const DateSerial serial{d};
    parts_from_serial(serial);  // raises Overflow outside the range
    return serial;
}

// A program's date text is the exact form or the general date text, never a guess.
DateSerial date_from_text(std::u16string_view text, const Locale& loc) {
    if (const std::optional<DateSerial> d = read_date_time(text, exact_dates)) return *d;
    return or_raise(read_date_time(text, general_dates, loc), ErrorCode::TypeMismatch);
}

// Above Long's range a number is read as the colour's unsigned 32 bits (0x80000005 written
// as 2147483653). Shifting down by 2^32 is exact there and keeps the rounding's parity.
Colour colour_from_double(double d) {
    // Below Long's range the shifted value is further below it still, and so refused.
    if (const std::optional<std::int32_t> n = round_to_long(d)) return static_cast<Colour>(*n);
    const std::optional<std::int32_t> n = round_to_long(d - 4294967296.0);
    if (n && *n < 0) return static_cast<Colour>(*n);
    raise(ErrorCode::Overflow);
}

// The object of an object subtype; Nothing gives nullptr, any other subtype is a mismatch.
template <class Ref>
Ref object_of(const Variant::Storage& v) {
    if (const auto* r = std::get_if<Ref>(&v)) return *r;
    if (std::holds_alternative<NothingValue>(v)) return nullptr;
    raise(ErrorCode::TypeMismatch);
}

// Each subtype's number and name, in the order of Variant::Storage's alternatives.
constexpr std::pair<VariantType, std::string_view> subtypes[] = {
    {VariantType::Empty, "Empty"},     {VariantType::Null, "Null"},         {VariantType::Object, "Nothing"},
    {VariantType::Boolean, "Boolean"}, {VariantType::Integer, "Integer"},   {VariantType::Long, "Long"},
    {VariantType::Double, "Double"},   {VariantType::Currency, "Currency"}, {VariantType::Date, "Date"},
    {VariantType::String, "String"},   {VariantType::Font, "Font"},         {VariantType::Picture, "Picture"},
};
static_assert(std::size(subtypes) == std::variant_size_v<Variant::Storage>);

}  // namespace

VariantType Variant::type() const noexcept { return subtypes[v_.index()].first; }

bool Variant::is_numeric_type() const noexcept {
    return std::visit(
        []<class T>(const T&) { return is_one_of<T, bool, std::int16_t, std::int32_t, double, Currency>; }, v_);
}

const std::u16string& Variant::string_ref() const {
    if (const auto* s = std::get_if<std::u16string>(&v_)) return *s;
    raise(ErrorCode::TypeMismatch);
}

bool Variant::to_boolean(const Locale& loc) const {
    return std::visit(
        [&]<class T>(const T& x) -> bool {
            if constexpr (std::is_same_v<T, EmptyValue>) return false;
            else if constexpr (std::is_same_v<T, bool>) return x;
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t, double>) return x != 0;
            else if constexpr (std::is_same_v<T, Currency>) return x.ticks != 0;
            else if constexpr (std::is_same_v<T, DateSerial>) return x.serial != 0;
            else if constexpr (std::is_same_v<T, std::u16string>) return boolean_from_text(x, loc);
            else refuse(x);
        },
        v_);
}

std::int16_t Variant::to_integer(const Locale& loc) const { return whole_from<std::int16_t>(*this, loc); }

std::int32_t Variant::to_long(const Locale& loc) const { return whole_from<std::int32_t>(*this, loc); }

double Variant::to_double(const Locale& loc) const {
    return std::visit(
        [&]<class T>(const T& x) -> double {
            if constexpr (std::is_same_v<T, EmptyValue>) return 0;
            else if constexpr (std::is_same_v<T, bool>) return x ? -1 : 0;
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t, double>) return x;
            else if constexpr (std::is_same_v<T, Currency>) return currency_to_double(x);
            else if constexpr (std::is_same_v<T, DateSerial>) return x.serial;
            else if constexpr (std::is_same_v<T, std::u16string>)
                return or_raise(parse_double(x, loc), ErrorCode::TypeMismatch);
            else refuse(x);
        },
        v_);
}

Currency Variant::to_currency(const Locale& loc) const {
    return std::visit(
        [&]<class T>(const T& x) -> Currency {
            if constexpr (std::is_same_v<T, EmptyValue>) return Currency{};
            else if constexpr (std::is_same_v<T, bool>) return Currency{x ? -Currency::scale : 0};
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t>) return Currency{x * Currency::scale};
            else if constexpr (is_one_of<T, double, DateSerial>)
                return or_raise(currency_from_double(to_double(loc)), ErrorCode::Overflow);
            else if constexpr (std::is_same_v<T, Currency>) return x;
            else if constexpr (std::is_same_v<T, std::u16string>) {
                if (const std::optional<Currency> c = parse_currency(x, loc)) return *c;
                raise(is_numeric(x, loc) ? ErrorCode::Overflow : ErrorCode::TypeMismatch);
            } else refuse(x);
        },
        v_);
}

DateSerial Variant::to_date(const Locale& loc) const {
    return std::visit(
        [&]<class T>(const T& x) -> DateSerial {
            if constexpr (std::is_same_v<T, EmptyValue>) return DateSerial{};
            else if constexpr (std::is_same_v<T, bool>) return DateSerial{x ? -1.0 : 0.0};
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t, double>) return checked_serial(x);
            else if constexpr (std::is_same_v<T, Currency>) return checked_serial(currency_to_double(x));
            else if constexpr (std::is_same_v<T, DateSerial>) return x;
            else if constexpr (std::is_same_v<T, std::u16string>) return date_from_text(x, loc);
            else refuse(x);
        },
        v_);
}

std::u16string Variant::to_string(const Locale& loc) const {
    return std::visit(
        [&]<class T>(const T& x) -> std::u16string {
            if constexpr (std::is_same_v<T, EmptyValue>) return {};
            else if constexpr (std::is_same_v<T, bool>) return x ? u"True" : u"False";
            else if constexpr (is_one_of<T, std::int16_t, std::int32_t>) return ascii_to_u16(std::to_string(x));
            else if constexpr (std::is_same_v<T, double>) return general_number_text(x, loc);
            else if constexpr (std::is_same_v<T, Currency>) return currency_plain_text(x, loc);
            else if constexpr (std::is_same_v<T, DateSerial>) return general_date_text(x, loc);
            else if constexpr (std::is_same_v<T, std::u16string>) return x;
            else refuse(x);
        },
        v_);
}

Colour Variant::to_colour(const Locale& loc) const {
    if (const auto* c = std::get_if<Currency>(&v_)) {
        const std::int64_t n = whole_from_currency(*c);
        if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::uint32_t>::max())
            raise(ErrorCode::Overflow);
        return static_cast<Colour>(n);
    }
    if (std::holds_alternative<double>(v_) || std::holds_alternative<DateSerial>(v_) || is_string())
        return colour_from_double(to_double(loc));
    // Integer, Long, Boolean and Empty fit in a Long; the colour is its 32 bits.
    return static_cast<Colour>(to_long(loc));
}

FontRef Variant::to_font() const { return object_of<FontRef>(v_); }

PictureRef Variant::to_picture() const { return object_of<PictureRef>(v_); }

std::string_view type_name(VariantType t) {
    const auto* s = std::find_if(std::begin(subtypes), std::end(subtypes), [&](const auto& e) { return e.first == t; });
    return s == std::end(subtypes) ? "Unknown" : s->second;
}

}  // namespace norvtext
