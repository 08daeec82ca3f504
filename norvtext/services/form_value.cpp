// The form-file value format in both directions, and the exact sameness a round trip keeps.
#include "norvtext/services/form_value.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
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
    auto text = from_utf8_exact(value.get_ref<const std::string&>());
    if (!text) raise_form_error(where, "the string is not valid UTF-8");
    return std::move(*text);
}

// --- Reading values ------------------------------------------------------------------------

std::int64_t whole_number(const json& value, std::int64_t low, std::int64_t high, std::string_view where,
                          std::string_view type) {
    const std::string range = " (" + std::string(type) + " holds " + std::to_string(low) + ".." + std::to_string(high) + ")";
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(high)) raise_form_error(where, std::to_string(n) + " is out of range" + range);
        return static_cast<std::int64_t>(n);
    }
    if (value.is_number_integer()) {
        const auto n = value.get<std::int64_t>();
        if (n < low || n > high) raise_form_error(where, std::to_string(n) + " is out of range" + range);
        return n;
    }
    raise_form_error(where, "expected a whole number for " + std::string(type) + ", not " + printable(value.dump()));
}

double double_from_json(const json& value, std::string_view where) {
    if (value.is_number()) return value.get<double>();
    if (value.is_string()) {
        const auto& word = value.get_ref<const std::string&>();
        if (word == "Infinity") return std::numeric_limits<double>::infinity();
        if (word == "-Infinity") return -std::numeric_limits<double>::infinity();
        if (word == "NaN") return std::numeric_limits<double>::quiet_NaN();
    }
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

bool flag_from_json(const json& value, std::string_view where) {
    if (!value.is_boolean()) raise_form_error(where, "expected true or false, not " + printable(value.dump()));
    return value.get<bool>();
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
        const auto flag = std::find_if(std::begin(font_flags), std::end(font_flags),
                                       [&key = name](const auto& f) { return f.first == key; });
        if (name == "name") {
            font.name = text_from_json(field, field_where);
        } else if (name == "size") {
            if (!field.is_number()) raise_form_error(field_where, "expected a number, not " + printable(field.dump()));
            font.size = field.get<double>();
        } else if (flag != std::end(font_flags)) {
            font.*flag->second = flag_from_json(field, field_where);
        } else {
            raise_form_error(where, "unknown font field " + in_quotes(name) +
                            " (a Font has name, size, bold, italic, underline, strikethrough)");
        }
    }
    return std::make_shared<Font>(std::move(font));
}

void expect_null(const json& value, std::string_view where, std::string_view type) {
    if (!value.is_null()) raise_form_error(where, "{\"" + std::string(type) + "\": ...} takes null, not " + printable(value.dump()));
}

Variant tagged_from_json(std::string_view type, const json& value, std::string_view where) {
    if (type == "Integer") return Variant(static_cast<std::int16_t>(whole_number(value, INT16_MIN, INT16_MAX, where, "Integer")));
    if (type == "Long") return Variant(static_cast<std::int32_t>(whole_number(value, INT32_MIN, INT32_MAX, where, "Long")));
    if (type == "Double") return Variant(double_from_json(value, where));
    if (type == "Currency") {
        if (!value.is_string()) raise_form_error(where, "a Currency is a string such as \"1234.5\", not " + printable(value.dump()));
        const auto& text = value.get_ref<const std::string&>();
        const auto amount = parse_exact_currency(text);
        if (!amount) raise_form_error(where, "not a Currency amount with up to four decimals: " + in_quotes(text));
        return Variant(*amount);
    }
    if (type == "Date") return Variant(date_from_json(value, where));
    if (type == "String16") return Variant(text_from_units(value, where));
    if (type == "Empty") {
        expect_null(value, where, type);
        return Variant();
    }
    if (type == "Nothing") {
        expect_null(value, where, type);
        return Variant::nothing();
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

json tagged(std::string_view type, json value) {
    json out = json::object();
    out[std::string(type)] = std::move(value);
    return out;
}

json double_to_json(double d) {
    if (std::isnan(d)) return tagged("Double", "NaN");
    if (std::isinf(d)) return tagged("Double", d > 0 ? "Infinity" : "-Infinity");
    // nlohmann prints the shortest text that reads back as d, always with a point or an
    // exponent ("5.0", "1e+16"), so the plain number reads back as this Double.
    return json(d);
}

std::string number_text(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    return json(d).dump();
}

json date_to_json(DateSerial d, std::string_view where) {
    if (!in_date_range(d.serial)) {
        raise_form_error(where, "cannot store a Date outside the years 100..9999 (serial " + number_text(d.serial) + ")");
    }
    try {
        const std::string text = iso_text(d);
        const auto back = parse_iso(text);
        if (back && std::bit_cast<std::uint64_t>(back->serial) == std::bit_cast<std::uint64_t>(d.serial)) {
            return tagged("Date", text);
        }
    } catch (const Error&) {
        // A serial that rounds past 9999-12-31 23:59:59 has no text; its number still serves.
    }
    return tagged("Date", d.serial);
}

json font_to_json(const Font& font, std::string_view where) {
    if (!std::isfinite(font.size)) raise_form_error(where, "cannot store a Font whose size is not a finite number");
    json fields = json::object();
    fields["name"] = text_to_json(font.name);
    fields["size"] = font.size;
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
    return std::visit(
        [&](const auto& v) -> json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, EmptyValue>) {
                return tagged("Empty", nullptr);
            } else if constexpr (std::is_same_v<T, NullValue>) {
                return nullptr;
            } else if constexpr (std::is_same_v<T, NothingValue>) {
                return tagged("Nothing", nullptr);
            } else if constexpr (std::is_same_v<T, bool>) {
                return v;
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                return std::int64_t{v};
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                // A Long small enough to read back as an Integer says what it is.
                if (v >= INT16_MIN && v <= INT16_MAX) return tagged("Long", std::int64_t{v});
                return std::int64_t{v};
            } else if constexpr (std::is_same_v<T, double>) {
                return double_to_json(v);
            } else if constexpr (std::is_same_v<T, Currency>) {
                return tagged("Currency", exact_currency_text(v));
            } else if constexpr (std::is_same_v<T, DateSerial>) {
                return date_to_json(v, where);
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                json text = text_to_json(v);
                return text.is_string() ? text : tagged("String16", std::move(text));
            } else if constexpr (std::is_same_v<T, FontRef>) {
                return v ? font_to_json(*v, where) : tagged("Nothing", nullptr);
            } else {
                static_assert(std::is_same_v<T, PictureRef>);
                return v ? tagged("Picture", base64_encode(v->bytes)) : tagged("Nothing", nullptr);
            }
        },
        value.storage());
}

bool identical(const Variant& a, const Variant& b) {
    if (a.storage().index() != b.storage().index()) return false;
    return std::visit(
        [&](const auto& x) -> bool {
            using T = std::decay_t<decltype(x)>;
            const T& y = std::get<T>(b.storage());
            const auto same_bits = [](double p, double q) {
                return (std::isnan(p) && std::isnan(q)) || std::bit_cast<std::uint64_t>(p) == std::bit_cast<std::uint64_t>(q);
            };
            if constexpr (std::is_same_v<T, double>) {
                return same_bits(x, y);
            } else if constexpr (std::is_same_v<T, DateSerial>) {
                return same_bits(x.serial, y.serial);
            } else if constexpr (std::is_same_v<T, FontRef> || std::is_same_v<T, PictureRef>) {
                return x && y ? *x == *y : x == y;
            } else {
                return x == y;
            }
        },
        a.storage());
}


}  // namespace norvtext::services
