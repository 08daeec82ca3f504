// Literal parsing and value printing for the script host.
#include "apps/script/value_text.hpp"

#include <cstdint>
#include <cstdio>

#include "apps/script/script_host.hpp"
#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/numbers.hpp"
#include "norvtext/platform/utf8.hpp"

namespace norvtext::script {

std::u16string unquote(const std::string& word, int line) {
    if (word.size() < 2 || word.front() != '"' || word.back() != '"')
        throw ScriptError(line, "expected a quoted text, got " + word);
    const std::string_view body(word.data() + 1, word.size() - 2);
    std::u16string out;
    std::string plain;
    auto flush = [&] {
        out += from_utf8(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            plain += body[i];
            continue;
        }
        const char e = i + 1 < body.size() ? body[++i] : '\0';  // a lone \ at the end is a bad escape
        if (e == '"' || e == '\\') {
            plain += e;
        } else if (e == 'u' && i + 4 < body.size()) {
            const auto code = read_number<unsigned>(body.substr(i + 1, 4), 16);
            if (!code) throw ScriptError(line, "bad \\u escape in " + word);
            flush();
            out += static_cast<char16_t>(*code);
            i += 4;
        } else {
            throw ScriptError(line, "bad escape in " + word);
        }
    }
    flush();
    return out;
}

std::string quote(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        const bool paired = c <= 0xDBFF && surrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                            text[i + 1] <= 0xDFFF;
        if (c == u'"' || c == u'\\') {
            out += {'\\', static_cast<char>(c)};
        } else if (c < 0x20 || c == 0x7F || (surrogate && !paired)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += to_utf8(text.substr(i, paired ? 2 : 1));
            if (paired) ++i;
        }
    }
    return out + "\"";
}

static std::string number_text(double d) { return to_utf8(general_number_text(d)); }

std::optional<Variant> parse_literal(std::string_view t) {
    if (t == "Empty") return Variant();
    if (t == "Null") return Variant::null();
    if (t == "True") return Variant(true);
    if (t == "False") return Variant(false);
    if (t == "Nothing") return Variant::nothing();
    if (t.size() >= 2 && t.front() == '#' && t.back() == '#') {
        if (const auto d = parse_iso(t.substr(1, t.size() - 2))) return Variant(*d);
        return std::nullopt;
    }
    if (t.ends_with('@')) {
        if (const auto c = parse_currency(from_utf8(t.substr(0, t.size() - 1)))) return Variant(*c);
        return std::nullopt;
    }
    // A whole number is all digits (with a sign): "1.5" and "1e3" are read as Doubles.
    if (const auto n = read_number<long long>(t)) {
        if (*n >= INT16_MIN && *n <= INT16_MAX) return Variant(static_cast<std::int16_t>(*n));
        if (*n >= INT32_MIN && *n <= INT32_MAX) return Variant(static_cast<std::int32_t>(*n));
        return Variant(static_cast<double>(*n));
    }
    if (const auto d = read_number<double>(t)) return Variant(*d);
    return std::nullopt;  // also out of Double's range
}

std::string print_value(const Variant& v) {
    // The subtype's name as the platform spells it, then the value where the subtype has one.
    const std::string name(type_name(v.type()));
    switch (v.type()) {
        case VariantType::Boolean: return name + (v.to_boolean() ? " True" : " False");
        case VariantType::Integer:
        case VariantType::Long: return name + ' ' + std::to_string(v.to_long());
        case VariantType::Double: return name + ' ' + number_text(v.to_double());
        case VariantType::Currency: return name + ' ' + exact_currency_text(v.to_currency());
        case VariantType::Date: return name + ' ' + iso_text(v.to_date());
        case VariantType::String: return name + ' ' + quote(v.string_ref());
        case VariantType::Font: return name + ' ' + quote(v.to_font()->name) + ' ' + number_text(v.to_font()->size);
        default: return name;  // Empty, Null, Nothing, Picture
    }
}

}  // namespace norvtext::script
