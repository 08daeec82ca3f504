// libFuzzer target for the form file reader: any bytes either fail with the library's Error
// or give a bag that writes out and reads back identical, entry for entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "norvtext/services/form_file.hpp"
#include "norvtext/platform/error.hpp"

using norvtext::services::MemoryPropertyBag;

namespace {

bool same_entries(const MemoryPropertyBag& a, const MemoryPropertyBag& b) {
    if (a.entries().size() != b.entries().size()) return false;
    for (std::size_t i = 0; i < a.entries().size(); ++i) {
        if (a.entries()[i].key != b.entries()[i].key) return false;
        if (!norvtext::services::identical(a.entries()[i].value, b.entries()[i].value)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    MemoryPropertyBag bag;
    try {
        bag = norvtext::services::parse_bag_json(text, "fuzz");
    } catch (const norvtext::Error&) {
        return 0;  // refusing the input is the reader's job
    }
    // Whatever was read must be writable and read back exactly; a failure here is a bug, so
    // nothing below is caught.
    for (const bool pretty : {false, true}) {
        const std::string written = norvtext::services::bag_to_json(bag, pretty);
        const MemoryPropertyBag again = norvtext::services::parse_bag_json(written, "fuzz rewrite");
        if (!same_entries(bag, again)) std::abort();
        if (norvtext::services::bag_to_json(again, pretty) != written) std::abort();
    }
    return 0;
}
