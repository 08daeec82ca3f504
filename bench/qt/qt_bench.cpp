// The Qt widgets at the scale a user feels, each beside its baseline in the same run: a
// keystroke into a date and a currency box against a bare QLineEdit with the same input
// mask or a number validator; creating, saving and loading a form of 1,000 controls, with
// nlohmann's own parse and dump of the same file text beside the save and load; and the heap
// a Qt control holds against a bare QLineEdit's. Offscreen, so it runs anywhere.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QDoubleValidator>
#include <QKeyEvent>
#include <QLineEdit>

#include <nlohmann/json.hpp>

#include "norvtext/controls/registry.hpp"
#include "qt/controls.hpp"
#include "qt/form_io.hpp"

namespace {

using namespace norvtext;

// A key typed into a line edit as the window system delivers it: press and release.
void press(QLineEdit* box, Qt::Key key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text), up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &down);
    QApplication::sendEvent(box, &up);
}

// One keystroke: the i-th of a cycle of sixteen, where eight digits fill the date and eight
// Backspaces empty it again, so the box never fills up.
void keystroke(QLineEdit* box, int i) {
    if (i < 8)
        press(box, static_cast<Qt::Key>(Qt::Key_0 + i), QString(QChar(u'0' + i)));
    else
        press(box, Qt::Key_Backspace, QString(QChar(u'\b')));
}

// Our box and its baseline take turns, a cycle of sixteen keys each, inside one timed loop:
// on this shared machine the speed of two runs minutes apart differs by more than the two
// boxes do, so each is timed only beside the other. The iteration time is ours; the
// counters give both per key and their ratio.
void paired_keystrokes(benchmark::State& state, QLineEdit* ours, QLineEdit* baseline) {
    using clock = std::chrono::steady_clock;
    clock::duration ours_time{}, baseline_time{};
    std::int64_t keys = 0;
    for (auto _ : state) {
        const auto t0 = clock::now();
        for (int i = 0; i < 16; ++i) keystroke(ours, i);
        const auto t1 = clock::now();
        for (int i = 0; i < 16; ++i) keystroke(baseline, i);
        const auto t2 = clock::now();
        ours_time += t1 - t0;
        baseline_time += t2 - t1;
        keys += 16;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count() / 16);
    }
    const auto per_key_ns = [keys](clock::duration d) { return std::chrono::duration<double, std::nano>(d).count() / keys; };
    state.counters["ours_ns"] = per_key_ns(ours_time);
    state.counters["baseline_ns"] = per_key_ns(baseline_time);
    state.counters["ratio"] = per_key_ns(ours_time) / per_key_ns(baseline_time);
}

// Against a bare QLineEdit with the same mask.
void BM_Keystroke_txtNorvDate_vs_QLineEdit_date_mask(benchmark::State& state) {
    qt::txtNorvDate date;
    QLineEdit box;
    box.setInputMask(QStringLiteral("99/99/9999;_"));
    paired_keystrokes(state, date.textbox(), &box);
}
BENCHMARK(BM_Keystroke_txtNorvDate_vs_QLineEdit_date_mask)->UseManualTime();

// Against a bare QLineEdit with a number validator.
void BM_Keystroke_txtNorvCurrency_vs_QLineEdit_double_validator(benchmark::State& state) {
    qt::txtNorvCurrency amount;
    QLineEdit box;
    box.setValidator(new QDoubleValidator(&box));
    paired_keystrokes(state, amount.textbox(), &box);
}
BENCHMARK(BM_Keystroke_txtNorvCurrency_vs_QLineEdit_double_validator)->UseManualTime();

constexpr int form_size = 1000;

// A form of 1,000 controls, all seven kinds in turn, each with an entry of its own.
struct Form {
    QWidget window;
    std::vector<qt::ControlWidget*> controls;
    Form() {
        const auto classes = control_classes();
        for (int i = 0; i < form_size; ++i) {
            qt::ControlWidget* c = qt::create_control_widget(classes[i % classes.size()].name, &window);
            c->setObjectName(QStringLiteral("c%1").arg(i));
            c->control().put("Text", Variant(std::u16string(u"12")));
            controls.push_back(c);
        }
    }
};

void BM_Form1000_Create(benchmark::State& state) {
    for (auto _ : state) {
        Form form;
        benchmark::DoNotOptimize(form.controls.data());
    }
}
BENCHMARK(BM_Form1000_Create)->Unit(benchmark::kMillisecond);

const std::filesystem::path form_file = std::filesystem::temp_directory_path() / "norvtext-bench-form.json";

void BM_Form1000_Save(benchmark::State& state) {
    Form form;
    for (auto _ : state) qt::save_form(form_file, form.controls);
}
BENCHMARK(BM_Form1000_Save)->Unit(benchmark::kMillisecond);

void BM_Form1000_Load(benchmark::State& state) {
    Form form;
    qt::save_form(form_file, form.controls);
    for (auto _ : state) qt::load_form(form_file, form.controls);
}
BENCHMARK(BM_Form1000_Load)->Unit(benchmark::kMillisecond);

// The same file's text through nlohmann alone: what parsing and printing JSON costs.
void BM_Form1000Baseline_json_parse_and_dump(benchmark::State& state) {
    {
        Form form;
        qt::save_form(form_file, form.controls);
    }
    std::ifstream in(form_file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    for (auto _ : state) {
        const auto parsed = nlohmann::ordered_json::parse(s);
        std::ofstream(form_file, std::ios::binary) << parsed.dump(2);
    }
}
BENCHMARK(BM_Form1000Baseline_json_parse_and_dump)->Unit(benchmark::kMillisecond);

// The heap in use while 1,000 of each are alive, per widget.
template <class Make>
void heap_per_widget(benchmark::State& state, Make make) {
    double per = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        {
            QWidget window;
            for (int i = 0; i < form_size; ++i) make(&window, i);
            per = static_cast<double>(mallinfo2().uordblks - before) / form_size;
        }
    }
    state.counters["bytes_per_widget"] = per;
}

void BM_Memory_QtControl(benchmark::State& state) {
    const auto classes = control_classes();
    heap_per_widget(state, [&](QWidget* parent, int i) { qt::create_control_widget(classes[i % classes.size()].name, parent); });
}
BENCHMARK(BM_Memory_QtControl)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_MemoryBaseline_QLineEdit(benchmark::State& state) {
    heap_per_widget(state, [](QWidget* parent, int) { new QLineEdit(parent); });
}
BENCHMARK(BM_MemoryBaseline_QLineEdit)->Iterations(3)->Unit(benchmark::kMillisecond);

// The shape a control has, with nothing of ours: a widget of its own with its inner line edit
// as its child and focus proxy, so what the control adds beyond its two windows shows.
void BM_MemoryBaseline_QWidget_holding_QLineEdit(benchmark::State& state) {
    heap_per_widget(state, [](QWidget* parent, int) {
        auto* outer = new QWidget(parent);
        outer->setFocusProxy(new QLineEdit(outer));
    });
}
BENCHMARK(BM_MemoryBaseline_QWidget_holding_QLineEdit)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

// The application lives on main's stack: the key events make Qt's input devices, whose own
// registry goes at exit before a static application would, so its devices crashed it there.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
