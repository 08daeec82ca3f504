// The Qt property bag: the library's bag rules over a QVariantMap or QSettings.
#include "qt/settings_bag.hpp"

#include "norvtext/services/bag_json.hpp"
#include "norvtext/services/form_value.hpp"
#include "qt/conversions.hpp"

namespace norvtext::qt {

QtPropertyBag QtPropertyBag::from_map(const QVariantMap& map) {
    QtPropertyBag bag;
    for (auto it = map.begin(); it != map.end(); ++it) bag.set(it.key().toStdString(), from_qvariant(it.value()));
    return bag;
}

QVariantMap QtPropertyBag::to_map() const {
    QVariantMap map;
    for (const auto& e : entries()) map.insert(QString::fromStdString(e.key), to_qvariant(e.value));
    return map;
}

QtPropertyBag QtPropertyBag::from_settings(QSettings& settings) {
    QtPropertyBag bag;
    QStringList members;
    for (const QString& key : settings.childKeys())
        members << QString::fromStdString(nlohmann::ordered_json(key.toStdString()).dump()) + u':' + settings.value(key).toString();
    const std::string json = (u'{' + members.join(u',') + u'}').toStdString();
    // Read as one form-file bag, so a damaged value fails the same way a damaged file does.
    static_cast<MemoryPropertyBag&>(bag) = services::parse_bag_json(
        json, "settings " + settings.fileName().toStdString() + " [" + settings.group().toStdString() + "]");
    return bag;
}

void QtPropertyBag::to_settings(QSettings& settings) const {
    for (const QString& key : settings.childKeys()) settings.remove(key);
    for (const auto& e : entries())
        settings.setValue(QString::fromStdString(e.key), QString::fromStdString(services::variant_to_json(e.value, e.key).dump()));
}

}  // namespace norvtext::qt
