// Form files: every subtype's exact round trip, the reader's refusals with file and position,
// and saves that fail without touching the previous file.
#include "norvtext/services/form_file.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::services {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

Variant date(std::string_view iso) { return Variant(*parse_iso(iso)); }

Variant font(std::u16string name, double size, bool bold, bool italic, bool underline, bool strike) {
    return Variant(std::make_shared<Font>(Font{std::move(name), size, bold, italic, underline, strike}));
}

Variant picture(std::vector<std::uint8_t> bytes) { return Variant(std::make_shared<Picture>(Picture{std::move(bytes)})); }

std::string error_of(auto&& action) {
    try {
        action();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::FileError));
        return e.what();
    }
    return "(no error)";
}

void expect_same_entries(const MemoryPropertyBag& actual, const MemoryPropertyBag& expected) {
    ASSERT_EQ(actual.entries().size(), expected.entries().size());
    for (std::size_t i = 0; i < expected.entries().size(); ++i) {
        SCOPED_TRACE(expected.entries()[i].key);
        EXPECT_EQ(actual.entries()[i].key, expected.entries()[i].key);
        EXPECT_TRUE(identical(actual.entries()[i].value, expected.entries()[i].value));
    }
}

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void put_file(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh directory per test, removed afterwards.
class FormFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("norvtext-form-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::vector<std::string> names_in_dir() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

MemoryPropertyBag sample_bag() {
    MemoryPropertyBag bag;
    bag.set("Text", u"Kr\u00f8vint \U0001F600");
    bag.set("MaxChars", std::int16_t{12});
    bag.set("BackColor", std::int32_t{static_cast<std::int32_t>(0x80000005u)});
    bag.set("Amount", Currency{12345000});
    bag.set("Font", font(u"Arial", 9, true, false, false, false));
    return bag;
}

TEST(FormFileValues, EverySubtypeRoundTripsExactly) {
    struct Case {
        const char* name;
        Variant value;
        const char* json_text;  // the value as written, compact
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"Empty", Variant(), R"({"Empty":null})"},
        {"Null", Variant::null(), "null"},
        {"Nothing", Variant::nothing(), R"({"Nothing":null})"},
        {"Boolean True", true, "true"},
        {"Boolean False", false, "false"},
        {"Integer", std::int16_t{-32768}, "-32768"},
        {"Long that fits 16 bits", std::int32_t{5}, R"({"Long":5})"},
        {"Long just outside 16 bits", std::int32_t{32768}, "32768"},
        {"Long minimum", std::int32_t{std::numeric_limits<std::int32_t>::min()}, "-2147483648"},
        {"Double whole", 5.0, "5.0"},
        {"Double negative zero", -0.0, "-0.0"},
        {"Double shortest", 0.1, "0.1"},
        {"Double large", 1e300, "1e+300"},
        {"Double subnormal", 5e-324, "5e-324"},
        {"Double infinity", inf, R"({"Double":"Infinity"})"},
        {"Double minus infinity", -inf, R"({"Double":"-Infinity"})"},
        {"Double NaN", nan, R"({"Double":"NaN"})"},
        {"Currency", Currency{12345000}, R"({"Currency":"1234.5"})"},
        {"Currency smallest step", Currency{-1}, R"({"Currency":"-0.0001"})"},
        {"Currency minimum", Currency{std::numeric_limits<std::int64_t>::min()}, R"({"Currency":"-922337203685477.5808"})"},
        {"Currency maximum", Currency{std::numeric_limits<std::int64_t>::max()}, R"({"Currency":"922337203685477.5807"})"},
        {"Date and time", date("2026-12-05 13:07:09"), R"({"Date":"2026-12-05 13:07:09"})"},
        {"Date only", date("2026-12-05"), R"({"Date":"2026-12-05"})"},
        {"Time only", date("13:07:09"), R"({"Date":"13:07:09"})"},
        {"Date before the epoch", date("1899-12-29 06:00:00"), R"({"Date":"1899-12-29 06:00:00"})"},
        {"Date not a whole second", DateSerial{46361.1234567}, R"({"Date":46361.1234567})"},
        {"Date negative zero", DateSerial{-0.0}, R"({"Date":-0.0})"},
        {"String", u"abc \"q\" \\ \n", R"("abc \"q\" \\ \n")"},
        {"String empty", u"", R"("")"},
        {"String outside the BMP", u"\u00e9\U0001F600", "\"\u00e9\U0001F600\""},
        {"String with an unpaired surrogate", std::u16string{u'a', char16_t(0xD800)}, R"({"String16":[97,55296]})"},
        {"String with a lone low surrogate", std::u16string{char16_t(0xDC00), u'b'}, R"({"String16":[56320,98]})"},
        {"Font", font(u"Arial", 9, true, false, true, false),
         R"({"Font":{"name":"Arial","size":9.0,"bold":true,"italic":false,"underline":true,"strikethrough":false}})"},
        {"Font name with an unpaired surrogate", font(std::u16string{char16_t(0xDBFF)}, 8.25, false, true, false, true),
         R"({"Font":{"name":[56319],"size":8.25,"bold":false,"italic":true,"underline":false,"strikethrough":true}})"},
        {"Picture", picture({0x89, 'P', 'N', 'G', 0, 0xFF}), R"({"Picture":"iVBORwD/"})"},
        {"Picture one byte", picture({0xFB}), R"({"Picture":"+w=="})"},
        {"Picture two bytes", picture({0xFB, 0xFF}), R"({"Picture":"+/8="})"},
        {"Picture empty", picture({}), R"({"Picture":""})"},
    };
    MemoryPropertyBag all;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const json written = variant_to_json(c.value);
        EXPECT_EQ(written.dump(), c.json_text);
        EXPECT_TRUE(identical(variant_from_json(json::parse(c.json_text), "test"), c.value));
        all.set(c.name, c.value);
    }
    // The whole table through bag text, both layouts.
    for (const bool pretty : {false, true}) {
        SCOPED_TRACE(pretty ? "pretty" : "one line");
        const std::string text = bag_to_json(all, pretty);
        EXPECT_EQ(text.find('\n') != std::string::npos, pretty);
        expect_same_entries(parse_bag_json(text, "test"), all);
    }
}

TEST(FormFileValues, AcceptedSpellingsThatAreNotWritten) {
    struct Case {
        const char* json_text;
        Variant expected;
    };
    const Case cases[] = {
        {"32767", std::int16_t{32767}},
        {"-32769", std::int32_t{-32769}},
        {"-0", std::int16_t{0}},
        {"1e2", 100.0},
        {"2.50", 2.5},
        {R"({"Integer": 5})", std::int16_t{5}},
        {R"({"Long": -3})", std::int32_t{-3}},
        {R"({"Double": 5})", 5.0},
        {R"({"Currency": "007.50"})", Currency{75000}},
        {R"({"Currency": "-0"})", Currency{0}},
        {R"({"Date": "2026-12-05 00:00:00"})", date("2026-12-05")},
        {R"({"Date": 46361})", date("2026-12-05")},
        {R"({"String16": []})", u""},
        {R"("\u00e9\ud83d\ude00")", u"\u00e9\U0001F600"},
        {R"({"Font": {}})", Variant(std::make_shared<Font>())},
        {R"({"Font": {"size": 12, "name": "Tahoma"}})", font(u"Tahoma", 12, false, false, false, false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json_text);
        const MemoryPropertyBag bag = parse_bag_json(std::string(R"({"K": )") + c.json_text + "}", "test");
        ASSERT_EQ(bag.entries().size(), 1u);
        EXPECT_TRUE(identical(bag.entries()[0].value, c.expected));
    }
}

TEST(FormFileReading, KeysInFileOrderAndTheFirstOfARepeatedKeyStays) {
    const MemoryPropertyBag bag = parse_bag_json(
        R"({"Zeta": 1, "Alpha": {"Long": 2, "Long": 3}, "Zeta": {"Font": {"bold": true, "bold": false}}, "Mid": "m"})",
        "test");
    ASSERT_EQ(bag.entries().size(), 3u);
    EXPECT_EQ(bag.entries()[0].key, "Zeta");
    EXPECT_TRUE(identical(bag.entries()[0].value, std::int16_t{1}));
    EXPECT_EQ(bag.entries()[1].key, "Alpha");
    EXPECT_TRUE(identical(bag.entries()[1].value, std::int32_t{2}));
    EXPECT_EQ(bag.entries()[2].key, "Mid");
}

TEST(FormFileReading, RefusalsNameTheSourceAndThePlace) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;  // the message starts with this
    };
    const std::string deep = "{\"A\": " + std::string(40, '[') + std::string(40, ']') + "}";
    const std::string wide = "{\"A\": {\"Font\": {" + [] {
        std::string members;
        for (int i = 0; i < 20; ++i) members += (i ? ",\"f" : "\"f") + std::to_string(i) + "\": 0";
        return members;
    }() + "}}}";
    const Case cases[] = {
        // Text that is not JSON: line and column of the trouble, counted in characters.
        {"empty", "", "f.json: line 1, column 1: "},
        {"truncated string", R"({"Text": "ab)", "f.json: line 1, column 13: "},
        {"truncated object", "{\n  \"A\": 1,\n", "f.json: line 3, column 1: "},
        {"bad literal on line 3", "{\n  \"A\": 1,\n  \"\u00e9\u00e9\": tru }", "f.json: line 3, column 12: "},
        {"trailing garbage", "{} x", "f.json: line 1, column 4: "},
        {"invalid UTF-8", "{\"A\": \"\xC3\x28\"}", "f.json: line 1, column 9: "},
        {"lone surrogate escape", R"({"A": "\udc00"})", "f.json: line 1, column "},
        {"number beyond Double", R"({"A": 1e400})", "f.json: line 1, column 11: "},
        {"top level array", "\n  [1, 2]", "f.json: line 2, column 3: a form file holds one JSON object"},
        {"top level string", R"("x")", "f.json: line 1, column 1: a form file holds one JSON object"},
        // JSON that is not a value: the key it stands under.
        {"Long beyond 32 bits", R"({"A": 2147483648})", "f.json: key \"A\": 2147483648 is out of range"},
        {"integer beyond 64 bits", R"({"A": -99999999999999999999})", "f.json: key \"A\": integer -99999999999999999999 is out of range"},
        {"deep nesting", deep, "f.json: key \"A\": nesting deeper than 16 levels"},
        {"object with many members", wide, "f.json: key \"A\": an object with more than 16 members"},
        {"array value", R"({"A": [1]})", "f.json: key \"A\": an array is not a value"},
        {"two type keys", R"({"A": {"Long": 1, "Integer": 2}})", "f.json: key \"A\": a value object has exactly one key"},
        {"no type key", R"({"A": {}})", "f.json: key \"A\": a value object has exactly one key"},
        {"unknown type", R"({"A": {"Colour": 1}})", "f.json: key \"A\": unknown value type \"Colour\""},
        {"Integer out of range", R"({"A": {"Integer": 32768}})", "f.json: key \"A\": 32768 is out of range"},
        {"Long with a fraction", R"({"A": {"Long": 1.5}})", "f.json: key \"A\": expected a whole number for Long"},
        {"Double word", R"({"A": {"Double": "inf"}})", "f.json: key \"A\": expected a number, \"Infinity\""},
        {"Currency as number", R"({"A": {"Currency": 1.5}})", "f.json: key \"A\": a Currency is a string"},
        {"Currency five decimals", R"({"A": {"Currency": "1.23456"}})", "f.json: key \"A\": not a Currency amount"},
        {"Currency overflow", R"({"A": {"Currency": "922337203685477.5808"}})", "f.json: key \"A\": not a Currency amount"},
        {"Currency grouping", R"({"A": {"Currency": "1,234"}})", "f.json: key \"A\": not a Currency amount"},
        {"Date month 13", R"({"A": {"Date": "2026-13-01"}})", "f.json: key \"A\": not a date"},
        {"Date serial out of range", R"({"A": {"Date": 1e9}})", "f.json: key \"A\": date serial 1000000000.0 is outside"},
        {"Empty with a value", R"({"A": {"Empty": 0}})", "f.json: key \"A\": {\"Empty\": ...} takes null"},
        {"Picture bad length", R"({"A": {"Picture": "abc"}})", "f.json: key \"A\": the Picture is not valid base64"},
        {"Picture bad character", R"({"A": {"Picture": "ab!c"}})", "f.json: key \"A\": the Picture is not valid base64"},
        {"Picture pad inside", R"({"A": {"Picture": "a=bc"}})", "f.json: key \"A\": the Picture is not valid base64"},
        {"Picture stray bits", R"({"A": {"Picture": "+x=="}})", "f.json: key \"A\": the Picture is not valid base64"},
        {"Font unknown field", R"({"A": {"Font": {"colour": 1}}})", "f.json: key \"A\": unknown font field \"colour\""},
        {"Font flag not boolean", R"({"A": {"Font": {"bold": 1}}})", "f.json: key \"A\" field \"bold\": expected true or false"},
        {"String16 unit too big", R"({"A": {"String16": [65536]}})", "f.json: key \"A\": a UTF-16 code unit is a whole number"},
        {"key quoted safely", "{\"\\u0001k\": [] }", "f.json: key \"\\x01k\": an array is not a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = error_of([&] { parse_bag_json(c.text, "f.json"); });
        EXPECT_EQ(message.substr(0, c.expected.size()), c.expected) << message;
    }
}

TEST(FormFileWriting, UnstorableValuesAreRefusedWithTheirKey) {
    struct Case {
        const char* name;
        Variant value;
        std::string expected;
    };
    const Case cases[] = {
        {"Date after 9999", DateSerial{2958466.0}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial 2958466.0)"},
        {"Date NaN", DateSerial{std::numeric_limits<double>::quiet_NaN()}, "bag: key \"K\": cannot store a Date outside the years 100..9999 (serial NaN)"},
        {"Font size infinite", font(u"A", std::numeric_limits<double>::infinity(), false, false, false, false),
         "bag: key \"K\": cannot store a Font whose size is not a finite number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryPropertyBag bag;
        bag.set("K", c.value);
        EXPECT_EQ(error_of([&] { bag_to_json(bag, false); }), c.expected);
    }
    MemoryPropertyBag bad_key;
    bad_key.set("\xff", true);
    EXPECT_EQ(error_of([&] { bag_to_json(bad_key, false); }), "bag: key \"\\xff\": the key is not valid UTF-8");
}

TEST_F(FormFileOnDisk, SavedFileReadsBackTheSameBag) {
    const fs::path path = dir_ / "form.json";
    const MemoryPropertyBag bag = sample_bag();
    write_form_file(path, bag);
    expect_same_entries(read_form_file(path), bag);
    EXPECT_EQ(file_bytes(path), bag_to_json(bag, true));
    // Saving again replaces the file and leaves nothing else behind.
    MemoryPropertyBag smaller;
    smaller.set("Text", u"x");
    write_form_file(path, smaller);
    expect_same_entries(read_form_file(path), smaller);
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"form.json"});
}

TEST_F(FormFileOnDisk, ReadErrorsNameTheFile) {
    const fs::path broken = dir_ / "broken.json";
    put_file(broken, "{\n  \"Text\": \"abc\",\n  \"MaxChars\": 5,,\n}");
    const fs::path oversized = dir_ / "big.json";
    put_file(oversized, "{}");
    fs::resize_file(oversized, max_form_file_size + 1);
    struct Case {
        const char* name;
        fs::path path;
        std::string expected;
    };
    const Case cases[] = {
        {"corrupt", broken, "form file " + broken.string() + ": line 3, column 17: syntax error"},
        {"missing", dir_ / "absent.json", "form file " + (dir_ / "absent.json").string() + ": no such file"},
        {"directory", dir_, "form file " + dir_.string() + ": not a regular file"},
        {"over the size limit", oversized, "form file " + oversized.string() + ": larger than 16 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A failed read leaves the caller's bag as it was.
        MemoryPropertyBag bag = sample_bag();
        const std::string message = error_of([&] { bag = read_form_file(c.path); });
        EXPECT_EQ(message.substr(0, c.expected.size()), c.expected) << message;
        expect_same_entries(bag, sample_bag());
    }
}

TEST_F(FormFileOnDisk, FailedSaveLeavesThePreviousFileIntact) {
    const fs::path path = dir_ / "form.json";
    write_form_file(path, sample_bag());
    const std::string before = file_bytes(path);

    // A value no file can hold: refused before any file is touched.
    MemoryPropertyBag unstorable = sample_bag();
    unstorable.set("Date", DateSerial{-1e9});
    EXPECT_NE(error_of([&] { write_form_file(path, unstorable); }).find("cannot store a Date"), std::string::npos);

    // The disk fills up while the new text is written: run in a child whose file size limit
    // is smaller than the text, so the write itself fails.
    MemoryPropertyBag large;
    large.set("Text", std::u16string(4096, u'x'));
    const auto save_on_a_full_disk = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            write_form_file(path, large);
        } catch (const Error& e) {
            // _exit: the child leaves without running the parent's exit-time checks.
            _exit(std::string(e.what()).find("cannot write") != std::string::npos ? 0 : 2);
        }
        _exit(1);
    };
    EXPECT_EXIT(save_on_a_full_disk(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(file_bytes(path), before);
    EXPECT_EQ(names_in_dir(), std::vector<std::string>{"form.json"});

    // The rename fails: the target has become a directory that is not empty.
    const fs::path blocked = dir_ / "blocked.json";
    fs::create_directories(blocked / "inner");
    const std::string message = error_of([&] { write_form_file(blocked, sample_bag()); });
    EXPECT_NE(message.find("form file " + blocked.string() + ": cannot replace the file"), std::string::npos) << message;
    EXPECT_TRUE(fs::is_directory(blocked / "inner"));
    EXPECT_EQ(names_in_dir(), (std::vector<std::string>{"blocked.json", "form.json"}));
    EXPECT_EQ(file_bytes(path), before);

    // The directory does not exist: no temporary file can be made.
    const fs::path nowhere = dir_ / "missing" / "form.json";
    EXPECT_NE(error_of([&] { write_form_file(nowhere, sample_bag()); }).find("cannot create a temporary file"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

}  // namespace
}  // namespace norvtext::services
