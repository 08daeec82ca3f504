// A property bag an application keeps with Qt's own means: a QVariantMap in memory, or a
// group of QSettings on disk. It keeps the bag rules of the library (a value equal to its
// default is left out, the first write of a key in one save is the one kept).
#pragma once

#include <QSettings>
#include <QVariantMap>

#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::qt {

class QtPropertyBag : public PropertyBag {
public:
    QtPropertyBag() = default;

    // A map's values in Qt's terms (see to_qvariant): short for Integer, QDate for a date,
    // norvtext::Currency for a Currency, QFont for a Font ...
    static QtPropertyBag from_map(const QVariantMap& map);
    QVariantMap to_map() const;

    // QSettings keeps no types on most platforms (an INI file reads every value back as
    // text), so each value is stored as its form-file JSON text, which reads back as the
    // same subtype. The keys go under the settings' current group.
    static QtPropertyBag from_settings(QSettings& settings);
    void to_settings(QSettings& settings) const;

    // A save replaces the bag's contents: call before a control writes into it.
    void begin_save() { bag_.begin_save(); }

    Variant read(std::string_view key, const Variant& default_value) override { return bag_.read(key, default_value); }
    void write(std::string_view key, const Variant& value, const std::optional<Variant>& default_value) override {
        bag_.write(key, value, default_value);
    }
    const services::MemoryPropertyBag& entries() const { return bag_; }

private:
    services::MemoryPropertyBag bag_;
};

}  // namespace norvtext::qt
