// Form files: the value format both ways and its refusals, base64 for pictures, the strict
// bag reader with its limits and positions, and saves that never damage the previous file.
#include "norvtext/services/form_file.hpp"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
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
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::FileError));
        return e.what();
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
        {"large Double", 1e300, "1e+300"}, {"subnormal", 5e-324, "5e-324"}, {"infinity", inf, R"({"Double":"Infinity"})"},
        {"minus infinity", -inf, R"({"Double":"-Infinity"})"}, {"NaN", std::numeric_limits<double>::quiet_NaN(), R"({"Double":"NaN"})"},
        {"Currency", Currency{12345000}, R"({"Currency":"1234.5"})"}, {"smallest step", Currency{-1}, R"({"Currency":"-0.0001"})"},
        {"lowest Currency", Currency{std::numeric_limits<std::int64_t>::min()}, R"({"Currency":"-922337203685477.5808"})"},
        {"date and time", date("2026-12-05 13:07:09"), R"({"Date":"2026-12-05 13:07:09"})"}, {"date", date("2026-12-05"), R"({"Date":"2026-12-05"})"},
        {"time", date("13:07:09"), R"({"Date":"13:07:09"})"}, {"before the epoch", date("1899-12-29 06:00:00"), R"({"Date":"1899-12-29 06:00:00"})"},
        {"not a whole second", DateSerial{46361.1234567}, R"({"Date":46361.1234567})"}, {"date negative zero", DateSerial{-0.0}, R"({"Date":-0.0})"},
        {"rounds past the last second", DateSerial{2958465.99999999}, R"({"Date":2958465.99999999})"},
        {"String", u"abc \"q\" \\ \n", R"("abc \"q\" \\ \n")"}, {"outside the BMP", u"\u00e9\U0001F600", "\"\u00e9\U0001F600\""},
        {"unpaired surrogate", std::u16string{u'a', u'\xD800'}, R"({"String16":[97,55296]})"},
        {"Font", font(u"Arial", 9, true, false, true, false), R"({"Font":{"name":"Arial","size":9.0,"bold":true,"italic":false,"underline":true,"strikethrough":false}})"},
        {"Font name of code units", font(u"\xDBFF", 8.25, false, true, false, true), R"({"Font":{"name":[56319],"size":8.25,"bold":false,"italic":true,"underline":false,"strikethrough":true}})"},
        {"Picture", picture({0x89, 'P', 'N', 'G', 0, 0xFF}), R"({"Picture":"iVBORwD/"})"},
        {"Picture of one byte", picture({0xFB}), R"({"Picture":"+w=="})"}, {"Picture of two bytes", picture({0xFB, 0xFF}), R"({"Picture":"+/8="})"},
        {"empty Picture", picture({}), R"({"Picture":""})"},
    };
    MemoryPropertyBag all;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(variant_to_json(row.value).dump(), row.written);
        EXPECT_TRUE(identical(variant_from_json(json::parse(row.written), "w"), row.value));
        all.set(row.rule, row.value);
    }
    for (const bool pretty : {false, true}) {
        const MemoryPropertyBag back = parse_bag_json(bag_to_json(all, pretty), "w");
        ASSERT_EQ(back.entries().size(), all.entries().size());
        for (std::size_t i = 0; i < all.entries().size(); ++i)
            EXPECT_TRUE(back.entries()[i].key == all.entries()[i].key && identical(back.entries()[i].value, all.entries()[i].value));
    }
    EXPECT_FALSE(identical(Variant(0.0), Variant(-0.0)) || identical(Variant(1), Variant(std::int16_t{1})));
    EXPECT_FALSE(identical(font(u"A", 9, true), font(u"A", 9, false)) || identical(DateSerial{1}, DateSerial{2}));
}

TEST(FormFile, ValueFormatReadsAndRefuses) {
    struct Row { const char* value; Variant read; const char* refusal = ""; };  // under the key "A"; when `refusal` is empty
    const Row rows[] = {
        {"32768", std::int32_t{32768}}, {"-32769", std::int32_t{-32769}}, {"-0", std::int16_t{0}}, {"2.50", 2.5}, {"1e2", 100.0},
        {R"({"Integer": -32768})", std::int16_t{-32768}}, {R"({"Integer": 32767})", std::int16_t{32767}}, {R"({"Long": -3})", std::int32_t{-3}},
        {R"({"Long": 2147483647})", std::int32_t{2147483647}}, {R"({"Double": 5})", 5.0}, {R"({"Currency": "007.50"})", Currency{75000}},
        {R"({"Date": "2026-12-05 00:00:00"})", date("2026-12-05")}, {R"({"Date": 46361})", date("2026-12-05")},
        {R"({"Date": -657434.9})", DateSerial{-657434.9}}, {R"({"Date": 2958465.9})", DateSerial{2958465.9}}, {R"({"String16": []})", u""},
        {R"({"String16": [65535]})", u"\xFFFF"}, {R"({"Font": {}})", Variant(std::make_shared<Font>())},
        {R"({"Font": {"size": 12, "name": "Tahoma", "bold": true, "bold": false}})", font(u"Tahoma", 12, true)},
        {R"({"Integer": 32768})", {}, "key \"A\": 32768 is out of range (Integer holds -32768..32767)"},
        {R"({"Integer": -32769})", {}, "key \"A\": -32769 is out of range (Integer holds -32768..32767)"},
        {"2147483648", {}, "key \"A\": 2147483648 is out of range (Long holds -2147483648..2147483647)"},
        {"-2147483649", {}, "key \"A\": -2147483649 is out of range (Long holds"},
        {"-99999999999999999999", {}, "key \"A\": integer -99999999999999999999 is out of range"},
        {R"({"Long": 1.5})", {}, "expected a whole number for Long, not 1.5"}, {R"({"Double": "inf"})", {}, "expected a number, \"Infinity\""},
        {R"({"Currency": 1.5})", {}, "a Currency is a string such as"},
        {R"({"Currency": "1.23456"})", {}, "not a Currency amount with up to four decimals: \"1.23456\""},
        {R"({"Date": "2026-13-01"})", {}, "not a date in the form YYYY-MM-DD HH:MM:SS: \"2026-13-01\""},
        {R"({"Date": 1e9})", {}, "date serial 1000000000.0 is outside the years 100..9999"},
        {R"({"Date": -657435})", {}, "date serial -657435 is outside"}, {R"({"Date": 2958466})", {}, "date serial 2958466 is outside"},
        {R"({"Date": true})", {}, "expected a date text or serial number for Date"}, {R"({"Empty": 0})", {}, "{\"Empty\": ...} takes null, not 0"},
        {R"({"Nothing": false})", {}, "{\"Nothing\": ...} takes null, not false"}, {R"({"Picture": 5})", {}, "a Picture is a base64 string"},
        {R"({"Picture": "abc"})", {}, "the Picture is not valid base64"}, {R"({"Font": 5})", {}, "expected an object of font fields"},
        {R"({"Font": {"colour": 1}})", {}, "unknown font field \"colour\""},
        {R"({"Font": {"bold": 1}})", {}, "key \"A\" field \"bold\": expected true or false, not 1"},
        {R"({"Font": {"size": "9"}})", {}, "field \"size\": expected a number"},
        {R"({"Font": {"name": 5}})", {}, "field \"name\": expected a string, not 5"},
        {R"({"String16": [65536]})", {}, "a UTF-16 code unit is a whole number 0..65535, not 65536"}, {R"({"String16": [-1]})", {}, "not -1"},
        {R"({"String16": "x"})", {}, "expected an array of UTF-16 code units"}, {"[1]", {}, "key \"A\": an array is not a value"},
        {"{}", {}, "a value object has exactly one key naming its type, not 0"},
        {R"({"Long": 1, "Integer": 2})", {}, "exactly one key naming its type, not 2"}, {R"({"Colour": 1})", {}, "unknown value type \"Colour\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        const std::string text = std::string(R"({"A": )") + row.value + "}";
        if (*row.refusal == 0) {
            const MemoryPropertyBag bag = parse_bag_json(text, "f.json");
            ASSERT_EQ(bag.entries().size(), 1u);
            EXPECT_TRUE(identical(bag.entries()[0].value, row.read));
        } else {
            EXPECT_NE(message_of([&] { parse_bag_json(text, "f.json"); }).find(row.refusal), std::string::npos)
                << message_of([&] { parse_bag_json(text, "f.json"); });
        }
    }
    EXPECT_EQ(message_of([] { variant_from_json(json("\xC3\x28"), "w"); }), "w: the string is not valid UTF-8");
}

TEST(FormFile, Base64) {
    struct Row { const char* text; std::optional<std::string> bytes; };
    const Row rows[] = {
        {"", ""}, {"Zg==", "f"}, {"Zm8=", "fo"}, {"Zm9v", "foo"}, {"ZZZZ", "e\x96Y"}, {"AAAA", std::string(3, '\0')}, {"zz+/", "\xCF?\xBF"},
        {"09az", "\xD3\xD6\xB3"}, {"abc", {}}, {"ab!c", {}}, {"ab[c", {}}, {"ab@c", {}}, {"ab`c", {}}, {"ab{c", {}}, {"ab:c", {}}, {"a=bc", {}},
        {"A===", {}}, {"====", {}}, {"+x==", {}}, {"+/9=", {}}, {"Zg==Zg==", {}}, {"Zm 9", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto got = base64_decode(row.text);
        EXPECT_EQ(got ? std::optional<std::string>(std::string(got->begin(), got->end())) : std::nullopt, row.bytes);
        if (row.bytes) { EXPECT_EQ(base64_encode({row.bytes->begin(), row.bytes->end()}), row.text); }
    }
    // Every byte value, so every character of the alphabet, both ways.
    std::vector<std::uint8_t> all(256);
    for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
    EXPECT_EQ(base64_decode(base64_encode(all)), all);
}

TEST(FormFile, StrictBagReader) {
    const auto nested = [](int arrays) { return "{\"A\": " + std::string(arrays, '[') + std::string(arrays, ']') + "}"; };
    const auto members = [](int n) {
        std::string font = "{\"A\": {\"Font\": {";
        for (int i = 0; i < n; ++i) font += (i ? ",\"f" : "\"f") + std::to_string(i) + "\": 0";
        return font + "}}}";
    };
    struct Row { const char* rule; std::string text; const char* message; };  // the whole message starts with this
    const Row rows[] = {
        {"empty", "", "f.json: line 1, column 1: "}, {"truncated string", R"({"Text": "ab)", "f.json: line 1, column 13: "},
        {"truncated object", "{\n  \"A\": 1,\n", "f.json: line 3, column 1: "},
        {"columns count characters", "{\n  \"\u00e9\u00e9\": tru }", "f.json: line 2, column 12: syntax error"},
        {"trailing text", "{} x", "f.json: line 1, column 4: "}, {"number beyond Double", R"({"A": 1e400})", "f.json: line 1, column 11: "},
        {"top-level array", "\xEF\xBB\xBF\n [1]", "f.json: line 2, column 2: a form file holds one JSON object"},
        {"top-level string", R"("x")", "f.json: line 1, column 1: a form file holds one JSON object"},
        {"15 arrays deep is a value problem", nested(15), "f.json: key \"A\": an array is not a value"},
        {"16 arrays deep is too deep", nested(16), "f.json: key \"A\": nesting deeper than 16 levels"},
        {"16 members", members(16), "f.json: key \"A\": unknown font field \"f0\""},
        {"17 members", members(17), "f.json: key \"A\": an object with more than 16 members"},
        {"key quoted printably", "{\"\\u0001k\": [] }", "f.json: key \"\\x01k\": an array is not a value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        const std::string message = message_of([&] { parse_bag_json(row.text, "f.json"); });
        EXPECT_EQ(message.substr(0, std::strlen(row.message)), row.message) << message;
    }
    // Keys in file order; of a repeated key the first stays, however deep.
    const MemoryPropertyBag bag = parse_bag_json(R"({"Z": 1, "A": {"Long": 2, "Long": 3}, "Z": {"Font": {}}, "M": "m"})", "f");
    ASSERT_EQ(bag.entries().size(), 3u);
    EXPECT_TRUE(bag.entries()[0].key == "Z" && identical(bag.entries()[0].value, std::int16_t{1}));
    EXPECT_TRUE(bag.entries()[1].key == "A" && identical(bag.entries()[1].value, std::int32_t{2}));
    EXPECT_EQ(bag.entries()[2].key, "M");
    // The writer: one line, or one entry a line.
    MemoryPropertyBag two;
    two.set("A", true);
    two.set("B", u"x");
    EXPECT_EQ(bag_to_json(two, false), R"({"A":true,"B":"x"})");
    EXPECT_EQ(bag_to_json(two, true), "{\n  \"A\": true,\n  \"B\": \"x\"\n}\n");
    EXPECT_EQ(bag_to_json(MemoryPropertyBag{}, true) + bag_to_json(MemoryPropertyBag{}, false), "{}\n{}");
    const std::pair<Variant, const char*> unstorable[] = {
        {DateSerial{2958466.0}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial 2958466.0)"},
        {DateSerial{-657435.0}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial -657435.0)"},
        {DateSerial{std::nan("")}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial NaN)"},
        {DateSerial{-inf}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial -Infinity)"},
        {font(u"A", inf, false), "bag: key \"K\": cannot store a Font whose size is not a finite number"},
    };
    for (const auto& [value, message] : unstorable) {
        MemoryPropertyBag one;
        one.set("K", value);
        EXPECT_EQ(message_of([&] { bag_to_json(one, false); }), message);
    }
    MemoryPropertyBag bad_key;
    bad_key.set("\xff", true);
    EXPECT_EQ(message_of([&] { bag_to_json(bad_key, false); }), "bag: key \"\\xff\": the key is not valid UTF-8");
}

TEST(FormFile, SavesReplaceTheFileWhole) {
    const fs::path dir = fs::temp_directory_path() / ("norvtext-form-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto names = [&] {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    };
    const fs::path path = dir / "form.json";
    MemoryPropertyBag bag;
    bag.set("Text", u"Kr\u00f8vint");
    bag.set("Font", font(u"Arial", 9, true));
    write_form_file(path, bag);
    const std::string before = file_bytes(path);
    EXPECT_EQ(before, bag_to_json(bag, true));
    EXPECT_EQ(bag_to_json(read_form_file(path), true), before);

    // Refused before any file is touched; a rename that fails; no directory for the temporary file.
    MemoryPropertyBag unstorable = bag;
    unstorable.set("Date", DateSerial{-1e9});
    EXPECT_NE(message_of([&] { write_form_file(path, unstorable); }).find("cannot store a Date"), std::string::npos);
    fs::create_directories(dir / "blocked.json" / "inner");
    EXPECT_EQ(message_of([&] { write_form_file(dir / "blocked.json", bag); }).find("form file " + (dir / "blocked.json").string() + ": cannot replace the file"), 0u);
    EXPECT_NE(message_of([&] { write_form_file(dir / "missing" / "f.json", bag); }).find("cannot create a temporary file"), std::string::npos);
    // The disk fills while the text is written: a child whose file size limit is below the text's size.
    MemoryPropertyBag large;
    large.set("Text", std::u16string(4096, u'x'));
    const auto save_on_a_full_disk = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(message_of([&] { write_form_file(path, large); }).find(": cannot write: ") != std::string::npos ? 0 : 2);
    };
    EXPECT_EXIT(save_on_a_full_disk(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(file_bytes(path), before);
    EXPECT_EQ(names(), (std::vector<std::string>{"blocked.json", "form.json"}));

    // Reading: a file of exactly the largest size reads; one byte more is refused.
    const fs::path limit = dir / "limit.json";
    std::ofstream(limit, std::ios::binary) << "{}" << std::string(max_form_file_size - 2, ' ');
    EXPECT_TRUE(read_form_file(limit).empty());
    std::ofstream(limit, std::ios::app) << ' ';
    const std::pair<fs::path, std::string> refusals[] = {
        {limit, ": larger than 16 MiB"}, {dir / "absent.json", ": no such file"}, {dir, ": not a regular file"},
    };
    for (const auto& [file, what] : refusals) EXPECT_EQ(message_of([&] { read_form_file(file); }), "form file " + file.string() + what);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace norvtext::services
