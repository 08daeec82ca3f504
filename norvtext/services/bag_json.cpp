// The strict JSON reader of whole bags and their writer.
#include "norvtext/services/bag_json.hpp"

#include <algorithm>
#include <deque>
#include <set>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "norvtext/platform/utf8.hpp"
#include "norvtext/services/form_errors.hpp"
#include "norvtext/services/form_value.hpp"

namespace norvtext::services {

namespace {

using json = nlohmann::ordered_json;

// The value format nests at most three deep (file object, one-key object, Font or code
// units); anything much deeper is hostile, and stopping early keeps the DOM small.
constexpr std::size_t max_depth = 16;
// No object inside a value has more than six members (Font); the cap keeps a hostile
// object from making member lookup quadratic.
constexpr std::size_t max_members = 16;

std::string key_where(std::string_view source, std::string_view key) {
    return std::string(source) + ": key " + in_quotes(key);
}

// Line and column (in characters) of the byte at `offset`; an offset at the end names the
// place just after the last character.
std::string position_text(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, std::min(offset, text.size()));
    const std::string_view line_before = before.substr(before.rfind('\n') + 1);  // npos + 1: the first line
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    // A UTF-8 continuation byte (10xxxxxx) belongs to the character before it.
    const auto column = 1 + std::count_if(line_before.begin(), line_before.end(),
                                          [](unsigned char c) { return (c & 0xC0u) != 0x80u; });
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// nlohmann's message without its own tag and position ("[json.exception...] parse error at
// line 1, column 7: "), which count differently from ours.
std::string parse_problem(std::string_view what) {
    if (what.starts_with('[') && what.find("] ") != std::string_view::npos) what.remove_prefix(what.find("] ") + 2);
    const auto colon = what.find(": ");
    if (what.starts_with("parse error at line ") && colon != std::string_view::npos) what.remove_prefix(colon + 2);
    return printable(what, 3 * max_quoted);
}

// Past a byte order mark and blanks; none left gives npos, which position_text takes as the end.
std::size_t first_token_offset(std::string_view text) {
    return text.find_first_not_of(" \t\n\r", text.starts_with("\xEF\xBB\xBF") ? 3 : 0);
}

// Builds the file's top-level entries from nlohmann's SAX events, keeping the first of
// duplicate keys and enforcing the limits while the text is read, before any of it is
// kept in memory. Every problem raises Error FileError at once, naming the source.
class EntryBuilder final : public nlohmann::json_sax<json> {
public:
    EntryBuilder(std::string_view text, std::string_view source) : text_(text), source_(source) {}

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
        if (!in_file_) in_file_ = true;  // the file's own object: its members are the entries
        else enter(json::object());
        return true;
    }
    bool key(string_t& name) override {
        // The value of a repeated key is read into scratch and dropped: the first stays.
        if (open_.empty()) {
            current_key_ = name;
            slot_ = seen_.insert(name).second ? &entries.emplace_back(name, nullptr).second : &scratch_.emplace_back();
            return true;
        }
        json& object = *open_.back();
        const bool repeated = object.contains(name);
        if (!repeated && object.size() >= max_members) {
            problem("an object with more than " + std::to_string(max_members) + " members");
        }
        slot_ = repeated ? &scratch_.emplace_back() : &object[name];
        return true;
    }
    bool end_object() override { return leave(); }
    // At the top level, place refuses an array as it does any value but an object.
    bool start_array(std::size_t) override { return enter(json::array()); }
    bool end_array() override { return leave(); }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex) override {
        // nlohmann's position counts the offending byte as read.
        at(position == 0 ? 0 : position - 1, parse_problem(ex.what()));
    }

private:
    // A syntax error at a byte offset; a value that breaks a limit, under its top-level key.
    [[noreturn]] void at(std::size_t offset, const std::string& what) const {
        raise_form_error(source_, position_text(text_, offset) + ": " + what);
    }
    [[noreturn]] void problem(const std::string& what) const { raise_form_error(key_where(source_, current_key_), what); }

    // Stores a value where the text has got to; the file's top level takes only an object.
    json* place(json value) {
        if (!in_file_) at(first_token_offset(text_), "a form file holds one JSON object");
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

    bool enter(json container) {
        // The depth with this one: the file's own object, the containers open in it, and this.
        if (open_.size() + 2 > max_depth) problem("nesting deeper than " + std::to_string(max_depth) + " levels");
        open_.push_back(place(std::move(container)));
        return true;
    }
    bool leave() {
        if (!open_.empty()) open_.pop_back();  // empty: the file's own object closes
        return true;
    }

    std::string_view text_;
    std::string_view source_;
    bool in_file_ = false;     // the file's own object has opened
    std::vector<json*> open_;  // the open containers inside a top-level value
    json* slot_ = nullptr;     // where an object's next member value goes
    std::set<std::string, std::less<>> seen_;
    std::deque<json> scratch_;  // values of repeated keys: read, then dropped
    std::string current_key_;
};

}  // namespace

MemoryPropertyBag parse_bag_json(std::string_view json_text, std::string_view source_name) {
    EntryBuilder builder(json_text, source_name);
    json::sax_parse(json_text.begin(), json_text.end(), &builder);
    // Everything is converted into a scratch bag, handed over only when all of it read.
    MemoryPropertyBag bag;
    for (const auto& [key, value] : builder.entries) bag.set(key, variant_from_json(value, key_where(source_name, key)));
    return bag;
}

std::string bag_to_json(const MemoryPropertyBag& bag, bool pretty, std::string_view source_name) {
    // Written entry by entry: the keys are already unique, and an ordered_json object
    // looks each key up as it goes, which a large bag would make quadratic.
    std::string out = "{";
    for (const auto& [key, value] : bag.entries()) {
        const std::string where = key_where(source_name, key);
        if (!is_utf8(key)) raise_form_error(where, "the key is not valid UTF-8");
        out += out.size() > 1 ? "," : "";
        out += pretty ? "\n  " : "";
        out += json(key).dump();
        out += pretty ? ": " : ":";
        out += variant_to_json(value, where).dump();
    }
    return out + (!pretty ? "}" : bag.empty() ? "}\n" : "\n}\n");
}

}  // namespace norvtext::services
