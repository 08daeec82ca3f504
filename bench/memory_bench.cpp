// The heap a headless control holds, without and with the bag it saved, 1,000 of them alive
// at once, beside the heap of the in-memory inner box alone.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <vector>

#include "norvtext/controls/registry.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace {

using namespace norvtext;

constexpr int count = 1000;

struct Placed {
    std::unique_ptr<headless::MemoryHost> host;
    std::unique_ptr<BoxBase> box;
};

template <class Make>
void heap_per_item(benchmark::State& state, Make make) {
    double per = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        {
            auto items = make();
            per = static_cast<double>(mallinfo2().uordblks - before) / count;
            benchmark::DoNotOptimize(items.data());
        }
    }
    state.counters["bytes_each"] = per;
}

std::vector<Placed> controls(headless::MemoryForm& form) {
    std::vector<Placed> out;
    out.reserve(count);
    const auto classes = control_classes();
    for (int i = 0; i < count; ++i) {
        Placed p{std::make_unique<headless::MemoryHost>(form, "c"), nullptr};
        p.box = classes[i % classes.size()].create(*p.host);
        p.box->InitProperties();
        out.push_back(std::move(p));
    }
    return out;
}

void BM_Memory_HeadlessControl(benchmark::State& state) {
    headless::MemoryForm form;
    heap_per_item(state, [&] { return controls(form); });
}
BENCHMARK(BM_Memory_HeadlessControl)->Iterations(3);

void BM_Memory_HeadlessControlWithItsBag(benchmark::State& state) {
    headless::MemoryForm form;
    heap_per_item(state, [&] {
        std::vector<std::pair<std::vector<Placed>, std::vector<services::MemoryPropertyBag>>> both(1);
        both[0].first = controls(form);
        for (Placed& p : both[0].first) {
            services::MemoryPropertyBag& bag = both[0].second.emplace_back();
            bag.begin_save();
            p.box->WriteProperties(bag);
        }
        return both;
    });
}
BENCHMARK(BM_Memory_HeadlessControlWithItsBag)->Iterations(3);

void BM_MemoryBaseline_MemoryEditBox(benchmark::State& state) {
    heap_per_item(state, [] {
        std::vector<std::unique_ptr<headless::MemoryEditBox>> boxes;
        for (int i = 0; i < count; ++i) boxes.push_back(std::make_unique<headless::MemoryEditBox>());
        return boxes;
    });
}
BENCHMARK(BM_MemoryBaseline_MemoryEditBox)->Iterations(3);

}  // namespace
