// Saving and loading a Qt form's controls through one form file.
#include "qt/form_io.hpp"

#include "norvtext/services/form_file.hpp"
#include "qt/control_widget.hpp"

namespace norvtext::qt {

bool save_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls) {
    services::MemoryPropertyBag bag;
    bag.begin_save();
    bool saved = true;
    for (ControlWidget* c : controls) {
        PrefixedBag view(bag, c->objectName().toStdString());
        saved = c->save(view) && saved;
    }
    if (saved) services::write_form_file(path, bag);
    return saved;
}

bool load_form(const std::filesystem::path& path, std::span<ControlWidget* const> controls) {
    services::MemoryPropertyBag bag = services::read_form_file(path);
    bool loaded = true;
    for (ControlWidget* c : controls) {
        PrefixedBag view(bag, c->objectName().toStdString());
        loaded = c->load(view) && loaded;
    }
    return loaded;
}

}  // namespace norvtext::qt
