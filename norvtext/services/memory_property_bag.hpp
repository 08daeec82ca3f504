// MemoryPropertyBag: a property bag every host can use, holding a control's saved properties
// in memory in the order they were written, with hooks for tracing and injected failures.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "norvtext/foundation/property_bag.hpp"
#include "norvtext/platform/variant.hpp"

namespace norvtext::services {

class MemoryPropertyBag : public PropertyBag {
public:
    struct Entry {
        std::string key;
        Variant value;
    };

    // Called for every read, before the bag looks the key up.
    std::function<void(std::string_view key, const Variant& default_value)> on_read;
    // Called for every write, also one the bag then leaves out or ignores, before the bag
    // handles it; a host prints a control's saving from here.
    std::function<void(std::string_view key, const Variant& value,
                       const std::optional<Variant>& default_value)>
        on_write;

    // PropertyBag ------------------------------------------------------------------------
    Variant read(std::string_view key, const Variant& default_value) override;
    // Leaves out a value equal to its default (same subtype and value) and keeps only the
    // first write of a key during one save; see the definition for the details.
    void write(std::string_view key, const Variant& value,
               const std::optional<Variant>& default_value) override;

    // A save replaces the bag's contents: the host calls this before asking a control to
    // save. It empties the bag and forgets which keys this save has written.
    void begin_save() { clear(); }

    // The host filling the bag (a script's `bag` line, a form file): stores the value as it
    // is, replacing a value already under the key in its place.
    void set(std::string_view key, const Variant& value) {
        const auto [it, added] = index_.try_emplace(std::string(key), entries_.size());
        if (added) entries_.push_back(Entry{std::string(key), value});
        else entries_[it->second].value = value;
    }
    std::optional<Variant> find(std::string_view key) const {
        if (const auto it = index_.find(key); it != index_.end()) return entries_[it->second].value;
        return std::nullopt;
    }
    const std::vector<Entry>& entries() const noexcept { return entries_; }
    bool empty() const noexcept { return entries_.empty(); }
    // Empties the bag and the first-write memory; hooks and armed failures stay.
    void clear() {
        entries_.clear();
        index_.clear();
        written_.clear();
    }

    // Failure injection for tests and scripts: the n-th read (write) from now on, counting
    // from 1, raises Error FileError instead of reading (writing); the failure fires once.
    // n = 0 disarms it.
    void fail_at_read(std::size_t n) { reads_until_failure_ = n; }
    void fail_at_write(std::size_t n) { writes_until_failure_ = n; }

private:
    std::vector<Entry> entries_;
    std::map<std::string, std::size_t, std::less<>> index_;  // key -> position in entries_
    std::set<std::string, std::less<>> written_;              // keys written in this save
    std::size_t reads_until_failure_ = 0;                      // 0: no failure armed
    std::size_t writes_until_failure_ = 0;
};

}  // namespace norvtext::services
