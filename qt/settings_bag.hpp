// A property bag an application keeps with Qt's own means: a QVariantMap in memory, or a
// group of QSettings on disk. It keeps the bag rules of the library (a value equal to its
// default is left out, the first write of a key in one save is the one kept).
#pragma once

#include <QSettings>
#include <QVariantMap>

#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::qt {

class QtPropertyBag : public services::MemoryPropertyBag {
public:
    // A map's values in Qt's terms (see to_qvariant): short for Integer, QDate for a date,
    // norvtext::Currency for a Currency, QFont for a Font ...
    static QtPropertyBag from_map(const QVariantMap& map);
    QVariantMap to_map() const;

    // QSettings keeps no types on most platforms (an INI file reads every value back as
    // text), so each value is stored as its form-file JSON text, which reads back as the
    // same subtype. The keys go under the settings' current group.
    static QtPropertyBag from_settings(QSettings& settings);
    void to_settings(QSettings& settings) const;
};

}  // namespace norvtext::qt
