// A whole Qt form's controls in one JSON form file: each control's bag keys stored under
// its object name ("txtDate.FormatMask"), in the form-file value format.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "norvtext/foundation/property_bag.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::qt {

class ControlWidget;

// One control's view of a shared bag: its keys carry "NAME." in front.
class PrefixedBag : public PropertyBag {
public:
    PrefixedBag(PropertyBag& bag, std::string prefix) : bag_(bag), prefix_(std::move(prefix) + '.') {}
    Variant read(std::string_view key, const Variant& default_value) override {
        return bag_.read(prefix_ + std::string(key), default_value);
    }
    void write(std::string_view key, const Variant& value, const std::optional<Variant>& default_value) override {
        bag_.write(prefix_ + std::string(key), value, default_value);
    }

private:
    PropertyBag& bag_;
    std::string prefix_;
};

// Saves every control; the file is replaced only when the whole text was written. Raises
// Error (FileError) when the file cannot be written; false when a control failed to save
// (reported by the control), in which case nothing is written.
bool save_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls);
// Reads the whole file first: a damaged file raises Error (FileError) naming the file and
// position and changes no control. False when a control failed to load (reported).
bool load_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls);

}  // namespace norvtext::qt
