// Saving and loading a Qt form's controls through one form file.
#include "qt/form_io.hpp"

#include <string>

#include "norvtext/services/form_file.hpp"
#include "qt/control_widget.hpp"

namespace norvtext::qt {

namespace {

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

// Runs `step` (load or save) for every control on its own view of `bag`; false when any
// failed, all of them having run.
bool each_control(PropertyBag& bag, std::span<ControlWidget* const> controls, bool (ControlWidget::*step)(PropertyBag&)) {
    bool ok = true;
    for (ControlWidget* c : controls) {
        PrefixedBag view(bag, c->objectName().toStdString());
        ok = (c->*step)(view) && ok;
    }
    return ok;
}

}  // namespace

bool save_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls) {
    services::MemoryPropertyBag bag;
    bag.begin_save();
    const bool saved = each_control(bag, controls, &ControlWidget::save);
    if (saved) services::write_form_file(path, bag);
    return saved;
}

bool load_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls) {
    services::MemoryPropertyBag bag = services::read_form_file(path);
    return each_control(bag, controls, &ControlWidget::load);
}

}  // namespace norvtext::qt
