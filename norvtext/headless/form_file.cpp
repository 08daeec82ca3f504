// Form files: the strict JSON reader (positions, limits, first-of-duplicates), the value
// format in both directions, and the save that never damages the previous file.
#include "norvtext/headless/form_file.hpp"

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::headless {

namespace {

using json = nlohmann::ordered_json;

// The value format nests at most three deep (file object, one-key object, Font or code
// units); anything much deeper is hostile, and stopping early keeps the DOM small.
constexpr int max_depth = 16;
// No object inside a value has more than six members (Font); the cap keeps a hostile
// object from making member lookup quadratic.
constexpr std::size_t max_members = 16;
// Error messages quote keys and texts; a hostile one must not make a huge message.
constexpr std::size_t max_quoted = 80;

// The platform's dates run from 100-01-01 to 9999-12-31; a serial outside that has no
// calendar day, and every date routine refuses it.
constexpr double first_date_serial = -657434.0;
constexpr double last_date_serial = 2958465.0;

[[noreturn]] void fail(std::string_view where, std::string_view what) {
    raise(ErrorCode::FileError, std::string(where) + ": " + std::string(what));
}

// Text for a message: printable ASCII as is, other bytes as \xNN, cut at `limit` bytes.
std::string printable(std::string_view text, std::size_t limit = max_quoted) {
    std::string out;
    for (const char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xf];
        }
    }
    if (text.size() > limit) out += "...";
    return out;
}

std::string in_quotes(std::string_view text) { return "\"" + printable(text) + "\""; }

std::string key_where(std::string_view source, std::string_view key) {
    return std::string(source) + ": key " + in_quotes(key);
}

// --- UTF-8 and UTF-16 -------------------------------------------------------------------

bool is_high_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) to UTF-16;
// nothing when the bytes are not UTF-8.
std::optional<std::u16string> utf16_from_utf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        char32_t lowest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1Fu, lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0Fu, lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07u, lowest = 0x10000;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < length) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if ((byte & 0xC0u) != 0x80u) return std::nullopt;
            code = (code << 6) | (byte & 0x3Fu);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FFu));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += length;
    }
    return out;
}

bool is_utf8(std::string_view text) { return utf16_from_utf8(text).has_value(); }

// UTF-16 to UTF-8; nothing when the text holds an unpaired surrogate.
std::optional<std::string> utf8_from_utf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (is_high_surrogate(text[i])) {
            if (i + 1 >= text.size() || !is_low_surrogate(text[i + 1])) return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (is_low_surrogate(text[i])) {
            return std::nullopt;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// A text as JSON: a string when it has one, else its code units.
json text_to_json(std::u16string_view text) {
    if (auto utf8 = utf8_from_utf16(text)) return json(std::move(*utf8));
    json units = json::array();
    for (const char16_t u : text) units.push_back(static_cast<std::uint16_t>(u));
    return units;
}

std::u16string text_from_units(const json& units, std::string_view where) {
    if (!units.is_array()) fail(where, "expected an array of UTF-16 code units");
    std::u16string out;
    out.reserve(units.size());
    for (const json& u : units) {
        if (!u.is_number_unsigned() || u.get<std::uint64_t>() > 0xFFFF) {
            fail(where, "a UTF-16 code unit is a whole number 0..65535, not " + printable(u.dump()));
        }
        out += static_cast<char16_t>(u.get<std::uint64_t>());
    }
    return out;
}

std::u16string text_from_json(const json& value, std::string_view where) {
    if (value.is_array()) return text_from_units(value, where);
    if (!value.is_string()) fail(where, "expected a string, not " + printable(value.dump()));
    auto text = utf16_from_utf8(value.get_ref<const std::string&>());
    if (!text) fail(where, "the string is not valid UTF-8");
    return std::move(*text);
}

// --- base64 ------------------------------------------------------------------------------

constexpr char base64_alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64_encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6) out += base64_alphabet[(group >> shift) & 0x3F];
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        if (rest == 2) group |= std::uint32_t{bytes[i + 1]} << 8;
        out += base64_alphabet[(group >> 18) & 0x3F];
        out += base64_alphabet[(group >> 12) & 0x3F];
        out += rest == 2 ? base64_alphabet[(group >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

// Padded standard base64 with no blanks; the unused bits of the last group must be zero,
// so every byte string has exactly one spelling.
std::optional<std::vector<std::uint8_t>> base64_decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    const auto sextet = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+') return 62;
        if (c == '/') return 63;
        return -1;
    };
    std::size_t padding = 0;
    if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const std::size_t used = last ? 4 - padding : 4;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            int value = 0;
            if (k < used) {
                value = sextet(text[i + k]);
                if (value < 0) return std::nullopt;
            }
            group = (group << 6) | static_cast<std::uint32_t>(value);
        }
        out.push_back(static_cast<std::uint8_t>(group >> 16));
        if (used >= 3) out.push_back(static_cast<std::uint8_t>(group >> 8));
        if (used == 4) out.push_back(static_cast<std::uint8_t>(group));
        if (used == 2 && (group & 0xFFFFu) != 0) return std::nullopt;
        if (used == 3 && (group & 0xFFu) != 0) return std::nullopt;
    }
    return out;
}

// --- Currency text -------------------------------------------------------------------------

// "-?DIGITS(.DIGITS)?" with one to four decimals, read exactly into ticks.
std::optional<Currency> currency_from_text(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && (fraction.empty() || fraction.size() > 4))) {
        return std::nullopt;
    }
    // The magnitude of the most negative amount is one more than that of the most positive.
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t ticks = 0;
    const auto add_digit = [&](char c) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (ticks > (limit - digit) / 10) return false;
        ticks = ticks * 10 + digit;
        return true;
    };
    for (const char c : whole) {
        if (!add_digit(c)) return std::nullopt;
    }
    for (std::size_t k = 0; k < 4; ++k) {
        if (!add_digit(k < fraction.size() ? fraction[k] : '0')) return std::nullopt;
    }
    // Two's complement negation: exact for the most negative amount as well.
    const std::uint64_t bits = negative ? ~ticks + 1 : ticks;
    return Currency{static_cast<std::int64_t>(bits)};
}

std::string currency_text(Currency c) {
    const bool negative = c.ticks < 0;
    const std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(c.ticks) + 1 : static_cast<std::uint64_t>(c.ticks);
    std::string out = (negative ? "-" : "") + std::to_string(magnitude / Currency::scale);
    std::string fraction = std::to_string(magnitude % Currency::scale + Currency::scale).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) out += "." + fraction;
    return out;
}

// --- Reading values ------------------------------------------------------------------------

std::int64_t whole_number(const json& value, std::int64_t low, std::int64_t high, std::string_view where,
                          std::string_view type) {
    const std::string range = " (" + std::string(type) + " holds " + std::to_string(low) + ".." + std::to_string(high) + ")";
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n > static_cast<std::uint64_t>(high)) fail(where, std::to_string(n) + " is out of range" + range);
        return static_cast<std::int64_t>(n);
    }
    if (value.is_number_integer()) {
        const auto n = value.get<std::int64_t>();
        if (n < low || n > high) fail(where, std::to_string(n) + " is out of range" + range);
        return n;
    }
    fail(where, "expected a whole number for " + std::string(type) + ", not " + printable(value.dump()));
}

double double_from_json(const json& value, std::string_view where) {
    if (value.is_number()) return value.get<double>();
    if (value.is_string()) {
        const auto& word = value.get_ref<const std::string&>();
        if (word == "Infinity") return std::numeric_limits<double>::infinity();
        if (word == "-Infinity") return -std::numeric_limits<double>::infinity();
        if (word == "NaN") return std::numeric_limits<double>::quiet_NaN();
    }
    fail(where, "expected a number, \"Infinity\", \"-Infinity\" or \"NaN\" for Double, not " + printable(value.dump()));
}

bool in_date_range(double serial) {
    return serial > first_date_serial - 1.0 && serial < last_date_serial + 1.0;
}

DateSerial date_from_json(const json& value, std::string_view where) {
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (auto date = parse_iso(text)) return *date;
        fail(where, "not a date in the form YYYY-MM-DD HH:MM:SS: " + in_quotes(text));
    }
    if (value.is_number()) {
        const double serial = value.get<double>();
        if (!in_date_range(serial)) fail(where, "date serial " + printable(value.dump()) + " is outside the years 100..9999");
        return DateSerial{serial};
    }
    fail(where, "expected a date text or serial number for Date, not " + printable(value.dump()));
}

bool flag_from_json(const json& value, std::string_view where) {
    if (!value.is_boolean()) fail(where, "expected true or false, not " + printable(value.dump()));
    return value.get<bool>();
}

FontRef font_from_json(const json& value, std::string_view where) {
    if (!value.is_object()) fail(where, "expected an object of font fields, not " + printable(value.dump()));
    Font font;
    for (const auto& [name, field] : value.items()) {
        const std::string field_where = std::string(where) + " field " + in_quotes(name);
        if (name == "name") {
            font.name = text_from_json(field, field_where);
        } else if (name == "size") {
            if (!field.is_number()) fail(field_where, "expected a number, not " + printable(field.dump()));
            font.size = field.get<double>();
        } else if (name == "bold") {
            font.bold = flag_from_json(field, field_where);
        } else if (name == "italic") {
            font.italic = flag_from_json(field, field_where);
        } else if (name == "underline") {
            font.underline = flag_from_json(field, field_where);
        } else if (name == "strikethrough") {
            font.strikethrough = flag_from_json(field, field_where);
        } else {
            fail(where, "unknown font field " + in_quotes(name) +
                            " (a Font has name, size, bold, italic, underline, strikethrough)");
        }
    }
    return std::make_shared<Font>(std::move(font));
}

void expect_null(const json& value, std::string_view where, std::string_view type) {
    if (!value.is_null()) fail(where, "{\"" + std::string(type) + "\": ...} takes null, not " + printable(value.dump()));
}

Variant tagged_from_json(std::string_view type, const json& value, std::string_view where) {
    if (type == "Integer") return Variant(static_cast<std::int16_t>(whole_number(value, INT16_MIN, INT16_MAX, where, "Integer")));
    if (type == "Long") return Variant(static_cast<std::int32_t>(whole_number(value, INT32_MIN, INT32_MAX, where, "Long")));
    if (type == "Double") return Variant(double_from_json(value, where));
    if (type == "Currency") {
        if (!value.is_string()) fail(where, "a Currency is a string such as \"1234.5\", not " + printable(value.dump()));
        const auto& text = value.get_ref<const std::string&>();
        const auto amount = currency_from_text(text);
        if (!amount) fail(where, "not a Currency amount with up to four decimals: " + in_quotes(text));
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
        if (!value.is_string()) fail(where, "a Picture is a base64 string, not " + printable(value.dump()));
        auto bytes = base64_decode(value.get_ref<const std::string&>());
        if (!bytes) fail(where, "the Picture is not valid base64");
        return Variant(std::make_shared<Picture>(Picture{std::move(*bytes)}));
    }
    fail(where, "unknown value type " + in_quotes(type) +
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
        fail(where, "cannot store a Date outside the years 100..9999 (serial " + number_text(d.serial) + ")");
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
    if (!std::isfinite(font.size)) fail(where, "cannot store a Font whose size is not a finite number");
    json fields = json::object();
    fields["name"] = text_to_json(font.name);
    fields["size"] = font.size;
    fields["bold"] = font.bold;
    fields["italic"] = font.italic;
    fields["underline"] = font.underline;
    fields["strikethrough"] = font.strikethrough;
    return tagged("Font", std::move(fields));
}

// --- The strict reader -------------------------------------------------------------------

// Line and column (in characters) of the byte at `offset`; an offset at the end names the
// place just after the last character.
std::string position_text(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// nlohmann's message without its own tag and position ("[json.exception...] parse error at
// line 1, column 7: "), which count differently from ours.
std::string parse_problem(const std::string& message) {
    std::string_view what = message;
    if (const auto tag_end = what.find("] "); !what.empty() && what.front() == '[' && tag_end != std::string_view::npos) {
        what.remove_prefix(tag_end + 2);
    }
    if (what.starts_with("parse error at line ")) {
        if (const auto colon = what.find(": "); colon != std::string_view::npos) what.remove_prefix(colon + 2);
    }
    return printable(what, 3 * max_quoted);
}

// A syntax error, at a byte offset.
struct SyntaxProblem {
    std::size_t offset;
    std::string what;
};
// A well-formed file whose top level is not an object.
struct NotAnObject {};
// A value that breaks a limit or cannot be a number, under a top-level key.
struct ValueProblem {
    std::string key;
    std::string what;
};

// Builds the file's top-level entries from nlohmann's SAX events, keeping the first of
// duplicate keys and enforcing the limits while the text is read, before any of it is
// kept in memory.
class EntryBuilder final : public nlohmann::json_sax<json> {
public:
    std::vector<std::pair<std::string, json>> entries;

    bool null() override { return put(nullptr); }
    bool boolean(bool value) override { return put(value); }
    bool number_integer(number_integer_t value) override { return put(value); }
    bool number_unsigned(number_unsigned_t value) override { return put(value); }
    bool number_float(number_float_t value, const string_t& lexeme) override {
        // nlohmann reads an integer beyond 64 bits as a Double; it is neither here.
        if (lexeme.find_first_of(".eE") == string_t::npos) problem("integer " + printable(lexeme) + " is out of range");
        return put(value);
    }
    bool string(string_t& value) override { return put(std::move(value)); }
    bool binary(binary_t& value) override { return put(json::binary(std::move(value))); }

    bool start_object(std::size_t) override {
        if (depth_ == 0) {
            depth_ = 1;
            return true;
        }
        enter(json::object());
        return true;
    }
    bool key(string_t& name) override {
        if (open_.empty()) {
            current_key_ = name;
            if (seen_.insert(name).second) {
                entries.emplace_back(name, nullptr);
                slot_ = &entries.back().second;
            } else {
                slot_ = &scratch_.emplace_back();
            }
            return true;
        }
        json& object = *open_.back();
        if (object.contains(name)) {
            slot_ = &scratch_.emplace_back();
        } else {
            if (object.size() >= max_members) problem("an object with more than " + std::to_string(max_members) + " members");
            slot_ = &object[name];
        }
        return true;
    }
    bool end_object() override { return leave(); }
    bool start_array(std::size_t) override {
        if (depth_ == 0) throw NotAnObject{};
        enter(json::array());
        return true;
    }
    bool end_array() override { return leave(); }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex) override {
        // nlohmann's position counts the offending byte as read.
        throw SyntaxProblem{position == 0 ? 0 : position - 1, parse_problem(ex.what())};
    }

private:
    [[noreturn]] void problem(std::string what) { throw ValueProblem{current_key_, std::move(what)}; }

    // Stores a value where the text has got to; the file's top level takes only an object.
    json* place(json value) {
        if (depth_ == 0) throw NotAnObject{};
        if (!open_.empty() && open_.back()->is_array()) {
            open_.back()->push_back(std::move(value));
            return &open_.back()->back();
        }
        *slot_ = std::move(value);
        return slot_;
    }
    bool put(json value) {
        place(std::move(value));
        return true;
    }

    void enter(json container) {
        if (depth_ + 1 > max_depth) problem("nesting deeper than " + std::to_string(max_depth) + " levels");
        json* const placed = place(std::move(container));
        ++depth_;
        open_.push_back(placed);
    }
    bool leave() {
        --depth_;
        if (!open_.empty()) open_.pop_back();
        return true;
    }

    int depth_ = 0;  // open containers, the file's own object included
    std::vector<json*> open_;  // the open containers inside a top-level value
    json* slot_ = nullptr;     // where an object's next member value goes
    std::set<std::string, std::less<>> seen_;
    std::deque<json> scratch_;  // values of repeated keys: read, then dropped
    std::string current_key_;
};

std::size_t first_token_offset(std::string_view text) {
    std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    return i;
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
                fail(where, "a value object has exactly one key naming its type, not " + std::to_string(value.size()));
            }
            return tagged_from_json(value.begin().key(), value.begin().value(), where);
        case json::value_t::array: fail(where, "an array is not a value");
        case json::value_t::binary:
        case json::value_t::discarded: break;
    }
    fail(where, "not a value");
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
                return tagged("Currency", currency_text(v));
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

MemoryPropertyBag parse_bag_json(std::string_view json_text, std::string_view source_name) {
    const std::string source(source_name);
    EntryBuilder builder;
    try {
        json::sax_parse(json_text.begin(), json_text.end(), &builder);
    } catch (const SyntaxProblem& p) {
        fail(source, position_text(json_text, p.offset) + ": " + p.what);
    } catch (const NotAnObject&) {
        fail(source, position_text(json_text, first_token_offset(json_text)) + ": a form file holds one JSON object");
    } catch (const ValueProblem& p) {
        fail(key_where(source, p.key), p.what);
    }
    // Everything is converted into a scratch bag, handed over only when all of it read.
    MemoryPropertyBag bag;
    for (const auto& [key, value] : builder.entries) bag.set(key, variant_from_json(value, key_where(source, key)));
    return bag;
}

std::string bag_to_json(const MemoryPropertyBag& bag, bool pretty, std::string_view source_name) {
    // Written entry by entry: the keys are already unique, and an ordered_json object
    // looks each key up as it goes, which a large bag would make quadratic.
    std::string out = "{";
    bool first = true;
    for (const auto& [key, value] : bag.entries()) {
        const std::string where = key_where(source_name, key);
        if (!is_utf8(key)) fail(where, "the key is not valid UTF-8");
        out += first ? "" : ",";
        out += pretty ? "\n  " : "";
        out += json(key).dump();
        out += pretty ? ": " : ":";
        out += variant_to_json(value, where).dump();
        first = false;
    }
    if (pretty) out += first ? "}\n" : "\n}\n";
    else out += "}";
    return out;
}

MemoryPropertyBag read_form_file(const std::filesystem::path& path) {
    const std::string source = "form file " + path.string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) fail(source, "no such file");
    if (ec) fail(source, "cannot read: " + ec.message());
    if (status.type() != std::filesystem::file_type::regular) fail(source, "not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(source, std::string("cannot open: ") + std::strerror(errno));
    // Read in pieces up to one byte past the limit, so a file that grows while it is read
    // is caught as well as one that was too large to begin with.
    std::string text;
    std::array<char, 65536> piece{};
    while (in && text.size() <= max_form_file_size) {
        in.read(piece.data(), piece.size());
        text.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) fail(source, "cannot read");
    if (text.size() > max_form_file_size) {
        fail(source, "larger than " + std::to_string(max_form_file_size / (1024 * 1024)) + " MiB");
    }
    return parse_bag_json(text, source);
}

void write_form_file(const std::filesystem::path& path, const MemoryPropertyBag& bag) {
    const std::string source = "form file " + path.string();
    // The whole text first: a bag that cannot be written touches no file at all.
    const std::string text = bag_to_json(bag, true, source);

    const std::filesystem::path directory = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::random_device random;
    std::filesystem::path temp;
    std::FILE* file = nullptr;
    // "x": create a new file only, never open one another process made meanwhile.
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temp = directory / ("." + path.filename().string() + ".tmp" + std::to_string(random()));
        file = std::fopen(temp.c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) break;
    }
    if (file == nullptr) fail(source, std::string("cannot create a temporary file: ") + std::strerror(errno));

    const auto give_up = [&](const std::string& what) {
        const int saved = errno;
        if (file != nullptr) std::fclose(file);
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        fail(source, what + ": " + std::strerror(saved));
    };
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) give_up("cannot write");
    if (std::fflush(file) != 0) give_up("cannot write");
#if defined(__unix__) || defined(__APPLE__)
    // On the disk before the rename, or a crash just after it could leave an empty file
    // where the previous one was.
    if (::fsync(::fileno(file)) != 0) give_up("cannot write");
#endif
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0) give_up("cannot write");
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        errno = ec.value();
        give_up("cannot replace the file");
    }
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

}  // namespace norvtext::headless
