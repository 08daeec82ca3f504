// A keystroke through the general text box's filter into the in-memory inner box, beside
// a bare std::u16string insert, with heap allocations counted per keystroke.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "norvtext/controls/text/text_box.hpp"
#include "norvtext/headless/manual_timer.hpp"
#include "norvtext/headless/memory_edit_box.hpp"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace norvtext;

// A host that records nothing, so the figure is the control's own cost.
class QuietHost : public Host {
public:
    headless::SimulatedUser* user = nullptr;
    std::unique_ptr<EditBox> create_edit_box() override {
        auto box = std::make_unique<headless::MemoryEditBox>();
        user = box.get();
        return box;
    }
    std::unique_ptr<MaskedEditBox> create_masked_edit_box(std::u16string_view, std::int32_t) override {
        return nullptr;
    }
    std::unique_ptr<Timer> create_timer() override { return std::make_unique<headless::ManualTimer>(); }
    void property_changed(std::string_view) override {}
    FontRef ambient_font() override { return nullptr; }
    const Locale& locale() override { return Locale::en_us(); }
    std::chrono::sys_days today() override { return {}; }
    void beep() override {}
    void show_about(const AboutBox&) override {}
    std::int32_t width() override { return 0; }
    std::int32_t height() override { return 0; }
};

constexpr std::size_t box_length = 60;  // a box under 64 characters

void BM_Keystroke_TextBox(benchmark::State& state) {
    QuietHost host;
    txtNorvText box(host);
    box.InitProperties();
    box.setChars(chars_flag::upper_case | chars_flag::no_punctuation);
    box.setMaxChars(static_cast<std::int16_t>(box_length + 1));
    for (std::size_t i = 0; i < box_length; ++i) host.user->type(u'a', 65, 0);
    box.setText(u"");  // the inner text keeps its capacity, as a box in use does
    const long before = allocations.load();
    std::size_t typed = 0;
    for (auto _ : state) {
        host.user->type(u'a', 65, 0);
        if (++typed == box_length) {
            box.textbox().set_text(u"");
            typed = 0;
        }
    }
    state.counters["allocs_per_key"] =
        benchmark::Counter(static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Keystroke_TextBox);

void BM_KeystrokeBaseline_u16string_insert(benchmark::State& state) {
    std::u16string text;
    text.reserve(box_length + 1);
    std::size_t caret = 0;
    const long before = allocations.load();
    for (auto _ : state) {
        text.insert(caret++, 1, u'A');
        benchmark::DoNotOptimize(text.data());
        if (caret == box_length) {
            text.clear();
            caret = 0;
        }
    }
    state.counters["allocs_per_key"] =
        benchmark::Counter(static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_KeystrokeBaseline_u16string_insert);

}  // namespace
