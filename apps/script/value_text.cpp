// Literal parsing and value printing for the script host.
#include "apps/script/value_text.hpp"

#include <charconv>
#include <cstdint>
#include <cstdio>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/numbers.hpp"
#include "norvtext/platform/utf8.hpp"

namespace norvtext::script {

std::string quote(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool paired = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (c == u'"') {
            out += "\\\"";
        } else if (c == u'\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF && !paired)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else if (paired) {
            out += to_utf8(text.substr(i, 2));
            ++i;
        } else {
            out += to_utf8(text.substr(i, 1));
        }
    }
    return out + "\"";
}

namespace {

std::string number_text(double d) { return to_utf8(general_number_text(d)); }

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::optional<Variant> parse_number_literal(std::string_view t) {
    if (t.empty()) return std::nullopt;
    if (t.back() == '@') {
        auto c = parse_currency(from_utf8(t.substr(0, t.size() - 1)));
        if (!c) return std::nullopt;
        return Variant(*c);
    }
    const bool whole = t.find_first_of(".eE") == std::string_view::npos;
    if (whole) {
        long long n = 0;
        auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
        if (ec == std::errc() && p == t.data() + t.size()) {
            if (n >= -32768 && n <= 32767) return Variant(static_cast<std::int16_t>(n));
            if (n >= INT32_MIN && n <= INT32_MAX) return Variant(static_cast<std::int32_t>(n));
            return Variant(static_cast<double>(n));
        }
    }
    double d = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    if (p != t.data() + t.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) return std::nullopt;
    if (ec != std::errc()) return std::nullopt;
    return Variant(d);
}

}  // namespace

std::optional<Variant> parse_literal(std::string_view t) {
    if (t == "Empty") return Variant();
    if (t == "Null") return Variant::null();
    if (t == "True") return Variant(true);
    if (t == "False") return Variant(false);
    if (t == "Nothing") return Variant::nothing();
    if (t.size() >= 2 && t.front() == '#' && t.back() == '#') {
        auto d = parse_iso(t.substr(1, t.size() - 2));
        if (!d) return std::nullopt;
        return Variant(*d);
    }
    return parse_number_literal(t);
}

std::string print_value(const Variant& v) {
    return std::visit(
        Overloaded{
            [](EmptyValue) -> std::string { return "Empty"; },
            [](NullValue) -> std::string { return "Null"; },
            [](NothingValue) -> std::string { return "Nothing"; },
            [](bool b) -> std::string { return b ? "Boolean True" : "Boolean False"; },
            [](std::int16_t i) { return "Integer " + std::to_string(i); },
            [](std::int32_t l) { return "Long " + std::to_string(l); },
            [](double d) { return "Double " + number_text(d); },
            [](Currency c) { return "Currency " + exact_currency_text(c); },
            [](DateSerial d) { return "Date " + iso_text(d); },
            [](const std::u16string& s) { return "String " + quote(s); },
            [](const FontRef& f) { return "Font " + quote(f->name) + " " + number_text(f->size); },
            [](const PictureRef&) -> std::string { return "Picture"; },
        },
        v.storage());
}

}  // namespace norvtext::script
