// MemoryPropertyBag: write rules of a save (defaults left out, first write kept) and the
// host-side filling, lookup and failure injection.
#include "norvtext/services/memory_property_bag.hpp"

#include "norvtext/platform/error.hpp"

namespace norvtext::services {

namespace {

// Counts one call against an armed failure and fails the call it was armed for. An injected
// failure stands for a bag that cannot be read or written (a damaged store), so it carries
// the number a failed form file carries.
void count_injected(std::size_t& until_failure, std::string_view action, std::string_view key) {
    if (until_failure == 0 || --until_failure != 0) return;
    raise(ErrorCode::FileError,
          "property bag: injected failure " + std::string(action) + " \"" + std::string(key) + "\"");
}

}  // namespace

Variant MemoryPropertyBag::read(std::string_view key, const Variant& default_value) {
    // An injected failure refuses the call outright, so no hook sees it.
    count_injected(reads_until_failure_, "reading", key);
    if (on_read) on_read(key, default_value);
    return find(key).value_or(default_value);
}

void MemoryPropertyBag::write(std::string_view key, const Variant& value,
                              const std::optional<Variant>& default_value) {
    count_injected(writes_until_failure_, "writing", key);
    if (on_write) on_write(key, value, default_value);

    // Only the first write of a key in one save counts. A control writes some keys twice
    // (Value from the inner text, then from the last assignment), and the first one is the
    // one that reflects what the user last typed.
    if (!written_.emplace(key).second) return;

    // A value equal to its default is left out: loading falls back to the same default.
    // Leaving it out still counts as the key's first write, so a later write of the key in
    // this save stays ignored, and any stale value under the key goes.
    if (!default_value || value != *default_value) return set(key, value);
    const auto it = index_.find(key);
    if (it == index_.end()) return;
    const std::size_t position = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [k, p] : index_)
        if (p > position) --p;
}

}  // namespace norvtext::services
