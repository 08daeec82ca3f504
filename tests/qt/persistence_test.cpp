// Saving and restoring Qt widgets: a QtPropertyBag carries every Variant subtype through a
// QVariantMap and through QSettings (which keeps no types of its own), and one form file
// holds a whole form's controls under their object names.
#include <gtest/gtest.h>

#include <fstream>

#include <QSettings>
#include <QSignalSpy>
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
    auto font = std::make_shared<Font>();
    font->bold = true;
    QPixmap pixel(2, 2);
    pixel.fill(Qt::red);
    struct Row {
        const char* rule;
        Variant value;
    };
    const Row rows[] = {
        {"Integer stays short", Variant(std::int16_t{-7})}, {"Long stays int", Variant(std::int32_t{70000})},
        {"Boolean", Variant(false)},                        {"Double", Variant(0.1)},
        {"Currency stays exact", Variant(Currency{12345678901})}, {"a date", Variant(DateSerial{46361})},
        {"a time", Variant(DateSerial{0.25})},               {"a date and time", Variant(DateSerial{46361.5})},
        {"String", Variant(u"a\u00e9")},                     {"Empty", Variant()},
        {"Null", Variant::null()},                           {"Nothing", Variant::nothing()},
        {"Font", Variant(font)},                             {"Picture", Variant(to_picture(pixel))},
    };
    QTemporaryDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        QtPropertyBag bag;
        bag.set("k", row.value);
        const auto comes_back = [&](const QtPropertyBag& back) {
            ASSERT_EQ(back.entries().size(), 1u);
            EXPECT_TRUE(services::identical(*back.find("k"), row.value));
        };
        comes_back(QtPropertyBag::from_map(bag.to_map()));
        QSettings settings(dir.filePath(QStringLiteral("form.ini")), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("t1"));
        settings.setValue(QStringLiteral("stale"), 1);  // a save replaces the group's keys
        bag.to_settings(settings);
        settings.sync();
        comes_back(QtPropertyBag::from_settings(settings));
    }
}

TEST(QtPersistence, ADamagedSettingsValueNamesItself) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("bad.ini")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("t1"));
    settings.setValue(QStringLiteral("Chars"), QStringLiteral("{\"Currency\": \"1.2.3\"}"));
    try {
        QtPropertyBag::from_settings(settings);
        FAIL() << "a damaged value was read";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::FileError));
        EXPECT_NE(std::string(e.what()).find("bad.ini [t1]: key \"Chars\""), std::string::npos) << e.what();
    }
}

TEST(QtPersistence, AFormFileHoldsTheWholeFormUnderTheObjectNames) {
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath(QStringLiteral("form.json")).toStdString();
    const auto make_form = [](std::vector<std::unique_ptr<ControlWidget>>& owned) {
        std::vector<ControlWidget*> form;
        for (const char* name : {"txtName", "txtZip"}) {
            owned.emplace_back(create_control_widget(name == std::string("txtName") ? "txtNorvText" : "txtNorvZip"));
            owned.back()->setObjectName(QString::fromUtf8(name));
            form.push_back(owned.back().get());
        }
        return form;
    };
    std::vector<std::unique_ptr<ControlWidget>> first_owned, fresh_owned;
    const std::vector<ControlWidget*> first = make_form(first_owned), fresh = make_form(fresh_owned);
    first[0]->setMember(QStringLiteral("Text"), QStringLiteral("abc"));
    first[1]->setMember(QStringLiteral("Text"), QStringLiteral("12345"));
    ASSERT_TRUE(save_form(path, first));
    const services::MemoryPropertyBag file = services::read_form_file(path);
    EXPECT_TRUE(services::identical(*file.find("txtName.Text"), Variant(u"abc")));
    ASSERT_TRUE(load_form(path, fresh));
    EXPECT_EQ(fresh[1]->member(QStringLiteral("Text")), QStringLiteral("12345"));

    // A damaged file changes no control.
    std::ofstream(path) << "{\"txtName.Text\": \"zzz\", \"txtZip.Text\": ";
    EXPECT_THROW(load_form(path, fresh), Error);
    EXPECT_EQ(fresh[0]->member(QStringLiteral("Text")), QStringLiteral("abc"));
}

TEST(QtPersistence, AFailingBagIsReportedAndTheLoadOrSaveSaysSo) {
    txtNorvText text;
    QSignalSpy errors(&text, &ControlWidget::errorRaised);
    QtPropertyBag bag;
    bag.fail_at_read(1);
    EXPECT_FALSE(text.load(bag));
    bag.fail_at_write(1);
    EXPECT_FALSE(text.save(bag));
    EXPECT_EQ(errors.count(), 2);
}

}  // namespace
}  // namespace norvtext::qt
