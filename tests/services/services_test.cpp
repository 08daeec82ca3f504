// The services: the form-file value format both ways and its refusals, base64 for pictures, the
// strict bag reader with its limits and positions, saves that never damage the previous file, and
// the headless property bag with its first-write rule. The bag's failures injected at the Nth
// call are a test facility, checked where they matter (tests/controls/text/text_box_test.cpp);
// its hooks are what docs/bag_layouts.txt and the script tool's transcripts record.
#include "norvtext/services/form_file.hpp"

#include <unistd.h>

#include <iterator>
#include <fstream>
#include <limits>
#include <sstream>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/services/base64.hpp"
#include "tests/support/harness.hpp"

namespace norvtext::services {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;
constexpr double inf = std::numeric_limits<double>::infinity();

Variant date(std::string_view iso) { return Variant(*parse_iso(iso)); }
Variant font(std::u16string name, double size, bool bold, bool italic = false, bool underline = false, bool strike = false) {
    return Variant(std::make_shared<Font>(Font{std::move(name), size, bold, italic, underline, strike}));
}
Variant picture(std::vector<std::uint8_t> bytes) { return Variant(std::make_shared<Picture>(Picture{std::move(bytes)})); }

// The message of the FileError an action raises.
std::string message_of(auto&& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.number() == static_cast<int>(ErrorCode::FileError) ? e.what() : "(another error)";
    }
    return "(no error)";
}

std::string file_bytes(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

TEST(FormFile, ValueFormatBothWays) {
    struct Row { const char* rule; Variant value; const char* written; };  // compact
    const Row rows[] = {
        {"Empty", Variant(), R"({"Empty":null})"}, {"Null", Variant::null(), "null"}, {"Nothing", Variant::nothing(), R"({"Nothing":null})"},
        {"True", true, "true"}, {"False", false, "false"}, {"lowest Integer", std::int16_t{-32768}, "-32768"},
        {"highest Integer", std::int16_t{32767}, "32767"}, {"Long in 16 bits", std::int32_t{5}, R"({"Long":5})"},
        {"Long 32767", std::int32_t{32767}, R"({"Long":32767})"}, {"Long 32768", std::int32_t{32768}, "32768"},
        {"Long -32768", std::int32_t{-32768}, R"({"Long":-32768})"}, {"Long -32769", std::int32_t{-32769}, "-32769"},
        {"lowest Long", std::numeric_limits<std::int32_t>::min(), "-2147483648"},
        {"highest Long", std::numeric_limits<std::int32_t>::max(), "2147483647"}, {"whole Double", 5.0, "5.0"}, {"negative zero", -0.0, "-0.0"},
        {"large Double", 1e300, "1e+300"}, {"infinity", inf, R"({"Double":"Infinity"})"}, {"minus infinity", -inf, R"({"Double":"-Infinity"})"},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), R"({"Double":"NaN"})"}, {"Currency", Currency{12345000}, R"({"Currency":"1234.5"})"},
        {"smallest step", Currency{-1}, R"({"Currency":"-0.0001"})"},
        {"lowest Currency", Currency{std::numeric_limits<std::int64_t>::min()}, R"({"Currency":"-922337203685477.5808"})"},
        {"date and time", date("2026-12-05 13:07:09"), R"({"Date":"2026-12-05 13:07:09"})"}, {"date", date("2026-12-05"), R"({"Date":"2026-12-05"})"},
        {"time", date("13:07:09"), R"({"Date":"13:07:09"})"}, {"not a whole second", DateSerial{46361.1234567}, R"({"Date":46361.1234567})"},
        {"date negative zero", DateSerial{-0.0}, R"({"Date":-0.0})"},
        {"rounds past the last second", DateSerial{2958465.99999999}, R"({"Date":2958465.99999999})"},
        {"String", u"abc \"q\" \\ \n", R"("abc \"q\" \\ \n")"}, {"unpaired surrogate", std::u16string{u'a', u'\xD800'}, R"({"String16":[97,55296]})"},
        {"Font", font(u"Arial", 9, true, false, true, false), R"({"Font":{"name":"Arial","size":9.0,"bold":true,"italic":false,"underline":true,"strikethrough":false}})"},
        {"Font name of code units", font(u"\xDBFF", 8.25, false, true, false, true), R"({"Font":{"name":[56319],"size":8.25,"bold":false,"italic":true,"underline":false,"strikethrough":true}})"},
        {"Picture", picture({0x89, 'P', 'N', 'G', 0, 0xFF}), R"({"Picture":"iVBORwD/"})"},
        {"Picture of one byte", picture({0xFB}), R"({"Picture":"+w=="})"}, {"Picture of two bytes", picture({0xFB, 0xFF}), R"({"Picture":"+/8="})"},
        {"empty Picture", picture({}), R"({"Picture":""})"},
    };
    MemoryPropertyBag all;  // and all of them through bag text, both layouts
    for (const Row& row : rows) {
        EXPECT_EQ(variant_to_json(row.value).dump(), row.written) << row.rule;
        EXPECT_TRUE(identical(variant_from_json(json::parse(row.written), "w"), row.value)) << row.rule;
        all.set(row.rule, row.value);
    }
    for (const bool pretty : {false, true}) EXPECT_EQ(bag_to_json(parse_bag_json(bag_to_json(all, pretty), "w"), pretty), bag_to_json(all, pretty));
    EXPECT_FALSE(identical(Variant(0.0), Variant(-0.0)) || identical(Variant(1), Variant(std::int16_t{1})));
    EXPECT_FALSE(identical(font(u"A", 9, true), font(u"A", 9, false)) || identical(DateSerial{1}, DateSerial{2}));
}

TEST(FormFile, ValueFormatReadsAndRefuses) {
    struct Row { const char* value; Variant read; const char* refusal = ""; };  // under the key "A"; each spelling is the rule it checks
    const Row rows[] = {
        {"32768", std::int32_t{32768}}, {"-32769", std::int32_t{-32769}}, {"-0", std::int16_t{0}}, {"2.50", 2.5}, {"1e2", 100.0},
        {R"({"Integer": -32768})", std::int16_t{-32768}}, {R"({"Integer": 32767})", std::int16_t{32767}}, {R"({"Long": -3})", std::int32_t{-3}},
        {R"({"Long": 2147483647})", std::int32_t{2147483647}}, {R"({"Double": 5})", 5.0}, {R"({"Currency": "007.50"})", Currency{75000}},
        {R"({"Date": "2026-12-05 00:00:00"})", date("2026-12-05")}, {R"({"Date": 46361})", date("2026-12-05")},
        {R"({"Date": -657434.9})", DateSerial{-657434.9}}, {R"({"Date": 2958465.9})", DateSerial{2958465.9}}, {R"({"String16": []})", u""},
        {R"({"String16": [65535]})", u"\xFFFF"}, {R"({"Font": {}})", Variant(std::make_shared<Font>())},
        {R"({"Font": {"size": 12, "name": "Tahoma", "bold": true, "bold": false}})", font(u"Tahoma", 12, true)},
        {R"({"Integer": 32768})", {}, "32768 is out of range (Integer holds -32768..32767)"},
        {R"({"Integer": -32769})", {}, "-32769 is out of range (Integer"},
        {"2147483648", {}, "2147483648 is out of range (Long holds -2147483648..2147483647)"},
        {"-2147483649", {}, "-2147483649 is out of range (Long"}, {"-99999999999999999999", {}, "integer -99999999999999999999 is out"},
        {R"({"Long": 1.5})", {}, "whole number for Long, not 1.5"}, {R"({"Double": "inf"})", {}, "a number, \"Infinity\""},
        {R"({"Currency": 1.5})", {}, "a Currency is a string"}, {R"({"Currency": "1.23456"})", {}, "four decimals: \"1.23456\""},
        {R"({"Date": "2026-13-01"})", {}, "HH:MM:SS: \"2026-13-01\""}, {R"({"Date": 1e9})", {}, "serial 1000000000.0 is outside the years 100..9999"},
        {R"({"Date": -657435})", {}, "serial -657435 is"}, {R"({"Date": 2958466})", {}, "serial 2958466 is"},
        {R"({"Date": true})", {}, "text or serial number for Date"}, {R"({"Empty": 0})", {}, "{\"Empty\": ...} takes null"},
        {R"({"Nothing": false})", {}, "{\"Nothing\": ...} takes null"}, {R"({"Picture": 5})", {}, "a base64 string"},
        {R"({"Picture": "abc"})", {}, "not valid base64"}, {R"({"Font": 5})", {}, "object of font fields"},
        {R"({"Font": {"colour": 1}})", {}, "unknown font field \"colour\""},
        {R"({"Font": {"bold": 1}})", {}, "\"A\" field \"bold\": expected true or false"},
        {R"({"Font": {"size": "9"}})", {}, "\"size\": expected a number"}, {R"({"Font": {"name": 5}})", {}, "\"name\": expected a string"},
        {R"({"String16": [65536]})", {}, "0..65535, not 65536"}, {R"({"String16": [-1]})", {}, "not -1"},
        {R"({"String16": "x"})", {}, "array of UTF-16 code units"}, {"[1]", {}, "an array is not a value"},
        {"{}", {}, "one key naming its type, not 0"}, {R"({"Long": 1, "Integer": 2})", {}, "type, not 2"},
        {R"({"Colour": 1})", {}, "unknown value type \"Colour\""},
    };
    for (const Row& row : rows) {
        MemoryPropertyBag bag;
        const std::string message = message_of([&] { bag = parse_bag_json(std::string(R"({"A": )") + row.value + "}", "f.json"); });
        EXPECT_NE(message.find(*row.refusal ? std::string("f.json: key \"A\"") : "(no error)"), std::string::npos) << row.value;
        EXPECT_NE(message.find(*row.refusal ? row.refusal : "(no error)"), std::string::npos) << row.value << " gives " << message;
        if (!*row.refusal) { EXPECT_TRUE(bag.find("A") && identical(*bag.find("A"), row.read)) << row.value; }
    }
    EXPECT_EQ(message_of([] { variant_from_json(json("\xC3\x28"), "w"); }), "w: the string is not valid UTF-8");
}

TEST(FormFile, Base64) {
    struct Row { const char* rule; const char* text; std::optional<std::string> bytes; };
    const Row rows[] = {
        {"nothing", "", ""}, {"Z and two pads", "Zg==", "f"}, {"one pad", "Zm8=", "fo"}, {"no pad", "Zm9v", "foo"}, {"Z", "ZZZZ", "e\x96Y"},
        {"A", "AAAA", std::string(3, '\0')}, {"z + /", "zz+/", "\xCF?\xBF"}, {"0 9 a", "09az", "\xD3\xD6\xB3"}, {"length", "abc", {}},
        {"'!'", "ab!c", {}}, {"'[' after Z", "ab[c", {}}, {"'@' before A", "ab@c", {}}, {"'`' before a", "ab`c", {}}, {"'{' after z", "ab{c", {}},
        {"':' after 9", "ab:c", {}}, {"pad inside", "a=bc", {}}, {"three pads", "A===", {}}, {"pads alone", "====", {}},
        {"stray bits before two pads", "+x==", {}}, {"stray bits before a pad", "+/9=", {}}, {"pad before the end", "Zg==Zg==", {}}, {"blank", "Zm 9", {}},
    };
    for (const Row& row : rows) {
        const auto got = base64_decode(row.text);
        EXPECT_EQ(got ? std::optional<std::string>(std::string(got->begin(), got->end())) : std::nullopt, row.bytes) << row.rule;
        if (row.bytes) { EXPECT_EQ(base64_encode({row.bytes->begin(), row.bytes->end()}), row.text) << row.rule; }
    }
    // Every byte value, so every character of the alphabet, both ways.
    std::vector<std::uint8_t> all(256);
    for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
    EXPECT_EQ(base64_decode(base64_encode(all)), all);
}

TEST(FormFile, StrictBagReader) {
    const auto nested = [](int n) { return "{\"A\": " + std::string(n, '[') + std::string(n, ']') + "}"; };
    std::string fields = "\"f0\": 0";
    for (int i = 1; i < 16; ++i) fields += ",\"f" + std::to_string(i) + "\": 0";
    const auto members = [&](const char* more) { return "{\"A\": {\"Font\": {" + fields + more + "}}}"; };
    const std::string k80(80, 'k');  // keys are quoted up to 80 bytes, then cut with "..."
    struct Row { const char* rule; std::string text; std::string message; };  // the whole message starts with this
    const Row rows[] = {
        {"empty", "", "f.json: line 1, column 1: "}, {"truncated string", R"({"Text": "ab)", "f.json: line 1, column 13: "},
        {"truncated object", "{\n  \"A\": 1,\n", "f.json: line 3, column 1: "},
        {"columns count characters", "{\n  \"\u00e9\u00e9\": tru }", "f.json: line 2, column 12: syntax error"},
        {"trailing text", "{} x", "f.json: line 1, column 4: "}, {"number beyond Double", R"({"A": 1e400})", "f.json: line 1, column 11: "},
        {"top-level array", "\xEF\xBB\xBF\n [1]", "f.json: line 2, column 2: a form file holds one JSON object"},
        {"top-level string", R"("x")", "f.json: line 1, column 1: a form file holds one JSON object"},
        {"15 arrays deep is a value problem", nested(15), "f.json: key \"A\": an array is not a value"},
        {"16 arrays deep is too deep", nested(16), "f.json: key \"A\": nesting deeper than 16 levels"},
        {"16 members", members(""), "f.json: key \"A\": unknown font field \"f0\""},
        {"17 members", members(", \"f16\": 0"), "f.json: key \"A\": an object with more than 16 members"},
        {"key quoted printably", "{\"\\u0001k\": [] }", "f.json: key \"\\x01k\": an array is not a value"},
        {"a key of the quoting limit is whole", "{\"" + k80 + "\": []}", "f.json: key \"" + k80 + "\": an array"},
        {"a longer key is cut", "{\"" + k80 + "k\": []}", "f.json: key \"" + k80 + "...\": an array"},
    };
    for (const Row& row : rows) EXPECT_TRUE(message_of([&] { parse_bag_json(row.text, "f.json"); }).starts_with(row.message)) << row.rule;
    // Keys in file order; of a repeated key the first stays, however deep.
    const char* repeated = R"({"Z": 1, "A": {"Long": 2, "Long": 3}, "Z": {"Font": {}}, "M": {"Font": {"bold": true, "bold": false}}})";
    EXPECT_EQ(bag_to_json(parse_bag_json(repeated, "f"), false), R"({"Z":1,"A":{"Long":2},"M":)" + variant_to_json(font(u"MS Sans Serif", 8.25, true)).dump() + "}");
    // The writer's layouts are pinned by the form files of tests/fixtures/forms and the
    // tour's transcript; an empty bag is in neither.
    EXPECT_EQ(bag_to_json(MemoryPropertyBag{}, true) + bag_to_json(MemoryPropertyBag{}, false), "{}\n{}");
    // Values no form file can hold, refused with their key.
    const std::tuple<std::string, Variant, const char*> unstorable[] = {
        {"K", DateSerial{std::nan("")}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial NaN)"},
        {"K", DateSerial{2958466.0}, "(serial 2958466.0)"}, {"K", DateSerial{-657435.0}, "(serial -657435.0)"},
        {"K", DateSerial{-inf}, "(serial -Infinity)"}, {"\xff", true, "key \"\\xff\": the key is not valid UTF-8"},
        {"K", font(u"A", inf, false), "key \"K\": cannot store a Font whose size is not a finite number"},
    };
    for (const auto& [key, value, message] : unstorable) {
        MemoryPropertyBag one;
        one.set(key, value);
        EXPECT_TRUE(message_of([&] { bag_to_json(one, false); }).ends_with(message)) << message;
    }
}

TEST(FormFile, SavesReplaceTheFileWhole) {
    const fs::path dir = fs::temp_directory_path() / ("norvtext-form-" + std::to_string(::getpid())), path = dir / "form.json";
    fs::remove_all(dir);
    fs::create_directories(dir / "blocked.json" / "inner");
    MemoryPropertyBag bag = parse_bag_json(R"({"Text": "Kr\u00f8vint", "Font": {"Font": {"name": "Arial", "bold": true}}})", "f");
    write_form_file(path, bag);
    const std::string before = file_bytes(path);
    EXPECT_EQ(before, bag_to_json(bag, true));
    EXPECT_EQ(bag_to_json(read_form_file(path), true), before);
    // A value no file can hold, a rename that fails, no directory for the temporary file: each leaves the files as they were.
    bag.set("Date", DateSerial{-1e9});
    EXPECT_NE(message_of([&] { write_form_file(path, bag); }).find("cannot store a Date"), std::string::npos);
    bag.set("Date", std::u16string(4096, u'x'));
    EXPECT_TRUE(message_of([&] { write_form_file(dir / "blocked.json", bag); }).starts_with("form file " + (dir / "blocked.json").string() + ": cannot replace the file: "));
    EXPECT_NE(message_of([&] { write_form_file(dir / "missing" / "f.json", bag); }).find(": cannot create a temporary file: "), std::string::npos);
    EXPECT_EQ(file_bytes(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << "a temporary file was left behind";
    // Reading: a file of exactly the largest size reads; one byte more is refused.
    const fs::path limit = dir / "limit.json";
    std::ofstream(limit, std::ios::binary) << "{}" << std::string(max_form_file_size - 2, ' ');
    EXPECT_TRUE(read_form_file(limit).empty());
    std::ofstream(limit, std::ios::app) << ' ';
    const std::pair<fs::path, std::string> refusals[] = {{limit, ": larger than 16 MiB"}, {dir / "absent.json", ": no such file"}, {dir, ": not a regular file"}};
    for (const auto& [file, what] : refusals) EXPECT_EQ(message_of([&] { read_form_file(file); }), "form file " + file.string() + what);
    fs::remove_all(dir);
}

std::string contents(const MemoryPropertyBag& bag) {
    std::string out;
    for (const auto& e : bag.entries()) out += e.key + "=" + testing::u8(e.value.to_string()) + "(" + std::string(type_name(e.value.type())) + ") ";
    return out;
}

TEST(MemoryPropertyBag, SavesKeepTheFirstWriteAndLeaveDefaultsOut) {
    const Variant five = std::int16_t{5};
    struct Write { std::string key; Variant value; std::optional<Variant> default_value; };
    struct Row { const char* rule; std::vector<Write> writes; const char* kept; };  // writes after the host set A=1, B=2, C=3
    const Row rows[] = {
        {"a value equal to its default goes", {{"B", five, five}}, "A=1(Integer) C=3(Integer) "},
        {"no writes", {}, "A=1(Integer) B=2(Integer) C=3(Integer) "},
        {"a value differing from its default stays", {{"B", five, std::int16_t{6}}}, "A=1(Integer) B=5(Integer) C=3(Integer) "},
        {"another subtype is not the default", {{"B", std::int32_t{5}, five}}, "A=1(Integer) B=5(Long) C=3(Integer) "},
        {"no default: always kept, new keys last", {{"Z", Variant(), std::nullopt}}, "A=1(Integer) B=2(Integer) C=3(Integer) Z=(Empty) "},
        {"the first write of a key is kept", {{"B", u"typed", {}}, {"B", u"assigned", {}}}, "A=1(Integer) B=typed(String) C=3(Integer) "},
        {"a left-out first write still blocks later ones", {{"B", u"", u""}, {"B", u"x", u""}}, "A=1(Integer) C=3(Integer) "},
        {"entries after a removed one stay in place", {{"A", five, five}, {"C", u"c", {}}}, "B=2(Integer) C=c(String) "},
    };
    for (const Row& row : rows) {
        MemoryPropertyBag bag;
        for (const char* key : {"A", "B", "C"}) bag.set(key, std::int16_t(key[0] - 'A' + 1));
        for (const Write& w : row.writes) bag.write(w.key, w.value, w.default_value);
        EXPECT_EQ(contents(bag), row.kept) << row.rule;
        for (const auto& e : bag.entries()) EXPECT_TRUE(bag.read(e.key, Variant()) == e.value) << row.rule << ": " << e.key;
    }
    // Each save starts empty and may write every key again; the host's set replaces in place.
    MemoryPropertyBag bag;
    bag.set("Old", true);
    for (const char16_t* text : {u"first", u"second", u"third"}) bag.begin_save(), bag.write("Text", text, std::nullopt), bag.set("N", std::int16_t{4});
    bag.set("Text", u"replaced");
    EXPECT_EQ(contents(bag), "Text=replaced(String) N=4(Integer) ");
    EXPECT_TRUE(bag.read("Missing", u"dflt") == Variant(u"dflt") && !bag.find("Missing"));
    bag.clear();
    EXPECT_TRUE(bag.empty());
}

}  // namespace
}  // namespace norvtext::services
