// Saving and restoring Qt widgets: a QtPropertyBag carries every Variant subtype through a
// QVariantMap and through QSettings (which keeps no types of its own), and one form file
// holds a whole form's controls under their object names.
#include <gtest/gtest.h>

#include <fstream>

#include <QSettings>
#include <QTemporaryDir>

#include "norvtext/platform/error.hpp"
#include "norvtext/services/form_file.hpp"
#include "norvtext/services/form_value.hpp"
#include "qt/controls.hpp"
#include "qt/form_io.hpp"
#include "qt/settings_bag.hpp"

namespace norvtext::qt {
namespace {

TEST(QtPersistence, EverySubtypeComesBackThroughAMapAndQSettings) {
    QPixmap pixel(2, 2);
    pixel.fill(Qt::red);
    // Each key names the rule its value checks.
    QtPropertyBag bag;
    bag.set("Integer stays short", Variant(std::int16_t{-7}));
    bag.set("Long stays int", Variant(std::int32_t{70000}));
    bag.set("Boolean", Variant(false));
    bag.set("Double", Variant(0.1));
    bag.set("Currency stays exact", Variant(Currency{12345678901}));
    bag.set("a date", Variant(DateSerial{46361}));
    bag.set("a time", Variant(DateSerial{0.25}));
    bag.set("a date and time", Variant(DateSerial{46361.5}));
    bag.set("String", Variant(u"a\u00e9"));
    bag.set("Empty", Variant());
    bag.set("Null", Variant::null());
    bag.set("Nothing", Variant::nothing());
    bag.set("Font", Variant(std::make_shared<Font>(Font{u"DejaVu Serif", 12, true})));
    bag.set("Picture", Variant(to_picture(pixel)));
    const auto comes_back = [&](const QtPropertyBag& back) {
        ASSERT_EQ(back.entries().size(), bag.entries().size());
        for (const auto& e : bag.entries()) EXPECT_TRUE(services::identical(*back.find(e.key), e.value)) << e.key;
    };
    comes_back(QtPropertyBag::from_map(bag.to_map()));
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("form.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("t1"));
    settings.setValue(QStringLiteral("stale"), 1);  // a save replaces the group's keys
    bag.to_settings(settings);
    settings.sync();
    comes_back(QtPropertyBag::from_settings(settings));

    // A damaged value fails as a damaged form file does, naming the settings and the key.
    settings.setValue(QStringLiteral("Chars"), QStringLiteral("{\"Currency\": \"1.2.3\"}"));
    try {
        QtPropertyBag::from_settings(settings);
        FAIL() << "a damaged value was read";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("form.ini [t1]: key \"Chars\""), std::string::npos) << e.what();
    }
}

TEST(QtPersistence, AFormFileHoldsTheWholeFormUnderTheObjectNames) {
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath(QStringLiteral("form.json")).toStdString();
    txtNorvText name, fresh_name;
    txtNorvZip zip, fresh_zip;
    for (ControlWidget* c : {&name, &fresh_name}) c->setObjectName(QStringLiteral("txtName"));
    for (ControlWidget* c : {&zip, &fresh_zip}) c->setObjectName(QStringLiteral("txtZip"));
    name.setText(QStringLiteral("abc"));
    zip.setText(QStringLiteral("12345"));
    ControlWidget* const form[] = {&name, &zip};
    ControlWidget* const fresh[] = {&fresh_name, &fresh_zip};
    ASSERT_TRUE(save_form(path, form));
    EXPECT_TRUE(services::identical(*services::read_form_file(path).find("txtName.Text"), Variant(u"abc")));
    ASSERT_TRUE(load_form(path, fresh));
    EXPECT_EQ(fresh_zip.Text(), QStringLiteral("12345"));
    // A damaged file changes no control.
    std::ofstream(path) << "{\"txtName.Text\": \"zzz\", \"txtZip.Text\": ";
    EXPECT_THROW(load_form(path, fresh), Error);
    EXPECT_EQ(fresh_name.Text(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace norvtext::qt
