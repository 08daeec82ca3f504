// The form-file value format in both directions, and the exact sameness a round trip keeps.
#include "norvtext/services/form_value.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/platform/numbers.hpp"
#include "norvtext/platform/utf8.hpp"
#include "norvtext/services/base64.hpp"
#include "norvtext/services/form_errors.hpp"

namespace norvtext::services {

namespace {

using json = nlohmann::ordered_json;

// --- Texts -------------------------------------------------------------------------------

// A text as JSON: a string when it has one, else its code units.
json text_to_json(std::u16string_view text) {
    if (auto utf8 = to_utf8_exact(text)) return json(std::move(*utf8));
    json units = json::array();
    for (const char16_t u : text) units.push_back(static_cast<std::uint16_t>(u));
    return units;
}

std::u16string text_from_units(const json& units, std::string_view where) {
    if (!units.is_array()) raise_form_error(where, "expected an array of UTF-16 code units");
    std::u16string out;
    out.reserve(units.size());
    for (const json& u : units) {
        if (!u.is_number_unsigned() || u.get<std::uint64_t>() > 0xFFFF) {
            raise_form_error(where, "a UTF-16 code unit is a whole number 0..65535, not " + printable(u.dump()));
        }
        out += static_cast<char16_t>(u.get<std::uint64_t>());
    }
    return out;
}

std::u16string text_from_json(const json& value, std::string_view where) {
    if (value.is_array()) return text_from_units(value, where);
    if (!value.is_string()) raise_form_error(where, "expected a string, not " + printable(value.dump()));
    if (auto text = from_utf8_exact(value.get_ref<const std::string&>())) return std::move(*text);
    raise_form_error(where, "the string is not valid UTF-8");
}

// --- Reading values ------------------------------------------------------------------------

std::int64_t whole_number(const json& value, std::int64_t low, std::int64_t high, std::string_view where,
                          std::string_view type) {
    const std::string range = " (" + std::string(type) + " holds " + std::to_string(low) + ".." + std::to_string(high) + ")";
    // nlohmann holds a whole number as signed or, when positive, unsigned (past int64 too).
    if (!value.is_number_integer()) {
        raise_form_error(where, "expected a whole number for " + std::string(type) + ", not " + printable(value.dump()));
    }
    const bool fits = value.is_number_unsigned() ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(high)
                                                 : value.get<std::int64_t>() >= low && value.get<std::int64_t>() <= high;
    if (!fits) raise_form_error(where, value.dump() + " is out of range" + range);
    return value.get<std::int64_t>();
}

double double_from_json(const json& value, std::string_view where) {
    if (value.is_number()) return value.get<double>();
    if (value == "Infinity") return std::numeric_limits<double>::infinity();
    if (value == "-Infinity") return -std::numeric_limits<double>::infinity();
    if (value == "NaN") return std::numeric_limits<double>::quiet_NaN();
    raise_form_error(where, "expected a number, \"Infinity\", \"-Infinity\" or \"NaN\" for Double, not " + printable(value.dump()));
}

DateSerial date_from_json(const json& value, std::string_view where) {
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (auto date = parse_iso(text)) return *date;
        raise_form_error(where, "not a date in the form YYYY-MM-DD HH:MM:SS: " + in_quotes(text));
    }
    if (value.is_number()) {
        const double serial = value.get<double>();
        if (!in_date_range(serial)) raise_form_error(where, "date serial " + printable(value.dump()) + " is outside the years 100..9999");
        return DateSerial{serial};
    }
    raise_form_error(where, "expected a date text or serial number for Date, not " + printable(value.dump()));
}

// A Font's switches, by their field names in the file.
constexpr std::pair<std::string_view, bool Font::*> font_flags[] = {
    {"bold", &Font::bold}, {"italic", &Font::italic}, {"underline", &Font::underline},
    {"strikethrough", &Font::strikethrough}};

FontRef font_from_json(const json& value, std::string_view where) {
    if (!value.is_object()) raise_form_error(where, "expected an object of font fields, not " + printable(value.dump()));
    Font font;
    for (const auto& [name, field] : value.items()) {
        const std::string field_where = std::string(where) + " field " + in_quotes(name);
        const auto flag = std::ranges::find(font_flags, name, [](const auto& f) { return f.first; });
        if (name == "name") {
            font.name = text_from_json(field, field_where);
        } else if (name == "size") {
            if (!field.is_number()) raise_form_error(field_where, "expected a number, not " + printable(field.dump()));
            font.size = field.get<double>();
        } else if (flag != std::end(font_flags)) {
            if (!field.is_boolean()) raise_form_error(field_where, "expected true or false, not " + printable(field.dump()));
            font.*flag->second = field.get<bool>();
        } else {
            raise_form_error(where, "unknown font field " + in_quotes(name) +
                            " (a Font has name, size, bold, italic, underline, strikethrough)");
        }
    }
    return std::make_shared<Font>(std::move(font));
}

Variant tagged_from_json(std::string_view type, const json& value, std::string_view where) {
    if (type == "Integer") return Variant(static_cast<std::int16_t>(whole_number(value, INT16_MIN, INT16_MAX, where, "Integer")));
    if (type == "Long") return Variant(static_cast<std::int32_t>(whole_number(value, INT32_MIN, INT32_MAX, where, "Long")));
    if (type == "Double") return Variant(double_from_json(value, where));
    if (type == "Currency") {
        if (!value.is_string()) raise_form_error(where, "a Currency is a string such as \"1234.5\", not " + printable(value.dump()));
        const auto& text = value.get_ref<const std::string&>();
        if (const auto amount = parse_exact_currency(text)) return Variant(*amount);
        raise_form_error(where, "not a Currency amount with up to four decimals: " + in_quotes(text));
    }
    if (type == "Date") return Variant(date_from_json(value, where));
    if (type == "String16") return Variant(text_from_units(value, where));
    if (type == "Empty" || type == "Nothing") {
        if (!value.is_null()) {
            raise_form_error(where, "{\"" + std::string(type) + "\": ...} takes null, not " + printable(value.dump()));
        }
        return type == "Empty" ? Variant() : Variant::nothing();
    }
    if (type == "Font") return Variant(font_from_json(value, where));
    if (type == "Picture") {
        if (!value.is_string()) raise_form_error(where, "a Picture is a base64 string, not " + printable(value.dump()));
        auto bytes = base64_decode(value.get_ref<const std::string&>());
        if (!bytes) raise_form_error(where, "the Picture is not valid base64");
        return Variant(std::make_shared<Picture>(Picture{std::move(*bytes)}));
    }
    raise_form_error(where, "unknown value type " + in_quotes(type) +
                    " (expected Integer, Long, Double, Currency, Date, String16, Empty, Nothing, Font or Picture)");
}

// --- Writing values ------------------------------------------------------------------------

// The sameness of Doubles a round trip keeps: by bits, so -0 differs from 0, but any NaN is any NaN.
bool same_bits(double p, double q) {
    return (std::isnan(p) && std::isnan(q)) || std::bit_cast<std::uint64_t>(p) == std::bit_cast<std::uint64_t>(q);
}

json tagged(std::string_view type, json value) { return json::object({{std::string(type), std::move(value)}}); }

json double_to_json(double d) {
    if (std::isnan(d)) return tagged("Double", "NaN");
    if (std::isinf(d)) return tagged("Double", d > 0 ? "Infinity" : "-Infinity");
    // nlohmann prints the shortest text that reads back as d, always with a point or an
    // exponent ("5.0", "1e+16"), so the plain number reads back as this Double.
    return json(d);
}

// A Double as a message shows it: its number, or the word the file writes for it.
std::string number_text(double d) {
    const json written = double_to_json(d);
    return written.is_object() ? written.front().get<std::string>() : written.dump();
}

json date_to_json(DateSerial d, std::string_view where) {
    if (!in_date_range(d.serial)) {
        raise_form_error(where, "cannot store a Date outside the years 100..9999 (serial " + number_text(d.serial) + ")");
    }
    try {
        const std::string text = iso_text(d);
        const auto back = parse_iso(text);
        if (back && same_bits(back->serial, d.serial)) return tagged("Date", text);
    } catch (const Error&) {
        // A serial that rounds past 9999-12-31 23:59:59 has no text; its number still serves.
    }
    return tagged("Date", d.serial);
}

json font_to_json(const Font& font, std::string_view where) {
    if (!std::isfinite(font.size)) raise_form_error(where, "cannot store a Font whose size is not a finite number");
    json fields = {{"name", text_to_json(font.name)}, {"size", font.size}};
    for (const auto& [name, flag] : font_flags) fields[std::string(name)] = font.*flag;
    return tagged("Font", std::move(fields));
}

}  // namespace

Variant variant_from_json(const json& value, std::string_view where) {
    switch (value.type()) {
        case json::value_t::null: return Variant::null();
        case json::value_t::boolean: return Variant(value.get<bool>());
        case json::value_t::string: return Variant(text_from_json(value, where));
        case json::value_t::number_integer:
        case json::value_t::number_unsigned: {
            const std::int64_t n = whole_number(value, INT32_MIN, INT32_MAX, where, "Long");
            if (n >= INT16_MIN && n <= INT16_MAX) return Variant(static_cast<std::int16_t>(n));
            return Variant(static_cast<std::int32_t>(n));
        }
        case json::value_t::number_float: return Variant(value.get<double>());
        case json::value_t::object:
            if (value.size() != 1) {
                raise_form_error(where, "a value object has exactly one key naming its type, not " + std::to_string(value.size()));
            }
            return tagged_from_json(value.begin().key(), value.begin().value(), where);
        case json::value_t::array: raise_form_error(where, "an array is not a value");
        case json::value_t::binary:
        case json::value_t::discarded: break;
    }
    raise_form_error(where, "not a value");
}

json variant_to_json(const Variant& value, std::string_view where) {
    switch (value.type()) {
        case VariantType::Empty: return tagged("Empty", nullptr);
        case VariantType::Null: return nullptr;
        case VariantType::Object: return tagged("Nothing", nullptr);
        case VariantType::Boolean: return value.to_boolean();
        case VariantType::Integer: return std::int64_t{value.to_integer()};
        case VariantType::Long: {
            // A Long small enough to read back as an Integer says what it is.
            const std::int64_t n = value.to_long();
            return n >= INT16_MIN && n <= INT16_MAX ? tagged("Long", n) : json(n);
        }
        case VariantType::Double: return double_to_json(value.to_double());
        case VariantType::Currency: return tagged("Currency", exact_currency_text(value.to_currency()));
        case VariantType::Date: return date_to_json(value.to_date(), where);
        case VariantType::String: {
            json text = text_to_json(value.string_ref());
            return text.is_string() ? text : tagged("String16", std::move(text));
        }
        // A Variant never holds a null Font or Picture: it is Nothing instead.
        case VariantType::Font: return font_to_json(*value.to_font(), where);
        case VariantType::Picture: break;
    }
    return tagged("Picture", base64_encode(value.to_picture()->bytes));
}

bool identical(const Variant& a, const Variant& b) {
    if (a.type() != b.type()) return false;
    switch (a.type()) {
        case VariantType::Double: return same_bits(a.to_double(), b.to_double());
        case VariantType::Date: return same_bits(a.to_date().serial, b.to_date().serial);
        case VariantType::Font: return *a.to_font() == *b.to_font();
        case VariantType::Picture: return *a.to_picture() == *b.to_picture();
        default: return a == b;
    }
}

}  // namespace norvtext::services
