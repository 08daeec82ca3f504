// Benchmarks of the number services against the standard library's conversions on the same
// inputs: reading a number (parse_double vs std::from_chars) and formatting with grouping
// (format_pattern vs std::to_chars plus hand-written grouping).
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

#include "norvtext/platform/numbers.hpp"

namespace {

const std::vector<std::string>& ascii_inputs() {
    static const std::vector<std::string> inputs{
        "42",       "3.5",         "1234.5",    "-98765.4321", "0.001",
        "1e10",     "123456789.25", "7",        "-0.125",      "65536.75",
    };
    return inputs;
}

const std::vector<double>& values() {
    static const std::vector<double> v{
        0.5, 12.5, 1234.5, 1234567.891, -98765.4321, 0.001, 42, 999.995, 3.14159, 65536.75,
    };
    return v;
}

void BM_ParseNumber(benchmark::State& state) {
    std::vector<std::u16string> inputs;
    for (const std::string& s : ascii_inputs()) inputs.emplace_back(s.begin(), s.end());
    const norvtext::Locale& loc = norvtext::Locale::en_us();
    for (auto _ : state) {
        for (const std::u16string& s : inputs) benchmark::DoNotOptimize(norvtext::parse_double(s, loc));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
}
BENCHMARK(BM_ParseNumber);

void BM_ParseBaseline_from_chars(benchmark::State& state) {
    const std::vector<std::string>& inputs = ascii_inputs();
    for (auto _ : state) {
        for (const std::string& s : inputs) {
            double v = 0;
            std::from_chars(s.data(), s.data() + s.size(), v);
            benchmark::DoNotOptimize(v);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
}
BENCHMARK(BM_ParseBaseline_from_chars);

void BM_Format(benchmark::State& state) {
    const norvtext::Locale& loc = norvtext::Locale::en_us();
    for (auto _ : state) {
        for (double v : values()) benchmark::DoNotOptimize(norvtext::format_pattern(v, u"#,##0.00", loc));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values().size()));
}
BENCHMARK(BM_Format);

// Two fixed decimals by std::to_chars, then the integer digits copied with a separator every
// three: the least a "#,##0.00" formatter has to do.
std::u16string baseline_format(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    const char* p = buf;
    std::u16string out;
    out.reserve(static_cast<std::size_t>(res.ptr - buf) + 8);
    if (*p == '-') out.push_back(*p++);
    const char* dot = p;
    while (dot < res.ptr && *dot != '.') ++dot;
    for (const char* q = p; q < dot; ++q) {
        out.push_back(static_cast<char16_t>(*q));
        const auto left = dot - q - 1;
        if (left > 0 && left % 3 == 0) out.push_back(u',');
    }
    for (const char* q = dot; q < res.ptr; ++q) out.push_back(static_cast<char16_t>(*q));
    return out;
}

void BM_FormatBaseline_to_chars(benchmark::State& state) {
    for (auto _ : state) {
        for (double v : values()) benchmark::DoNotOptimize(baseline_format(v));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values().size()));
}
BENCHMARK(BM_FormatBaseline_to_chars);

}  // namespace
