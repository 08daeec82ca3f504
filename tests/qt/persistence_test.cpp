// Saving and restoring Qt widgets: through a QVariantMap, through QSettings (which keeps no
// types of its own) and through one form file for a whole form. What a widget saves, a
// fresh widget loads and saves again unchanged.
#include <gtest/gtest.h>

#include <fstream>

#include <QSettings>
#include <QTemporaryDir>

#include "norvtext/services/form_file.hpp"
#include "norvtext/platform/error.hpp"
#include "qt/controls.hpp"
#include "qt/form_io.hpp"
#include "qt/settings_bag.hpp"

namespace norvtext::qt {
namespace {

struct Case {
    const char* class_name;
    std::vector<std::pair<const char*, Variant>> settings;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"txtNorvText",
         {{"Chars", Variant(std::int16_t{1})}, {"CharTable", Variant(u"x-y")}, {"MaxChars", Variant(std::int16_t{12})},
          {"Text", Variant(u"abc")}, {"BackColor", Variant(std::int32_t{0x00FF00})}}},
        {"txtNorvDate", {{"FormatMask", Variant(std::int32_t{1})}, {"Text", Variant(u"12/05/2026")}}},
        {"txtNorvTelephone", {{"Value", Variant(u"5551234567")}, {"BlinkOnError", Variant(u"False")}}},
        {"txtNorvSocialSecurity", {{"Text", Variant(u"078051120")}, {"FocusSelect", Variant(false)}}},
        {"txtNorvZip", {{"FormatMask", Variant(std::int32_t{2})}, {"Text", Variant(u"123456789")}}},
        {"txtNorvCurrency", {{"Value", Variant(u"1234.5")}, {"EscapeClear", Variant(false)}}},
        {"txtNorvPercent", {{"Text", Variant(u"12.5")}, {"ReadOnly", Variant(true)}}},
    };
    return all;
}

std::unique_ptr<ControlWidget> widget_for(const Case& c) {
    std::unique_ptr<ControlWidget> w(create_control_widget(c.class_name));
    for (const auto& [member, value] : c.settings) w->control().put(member, value);
    return w;
}

void expect_same_entries(const services::MemoryPropertyBag& a, const services::MemoryPropertyBag& b) {
    ASSERT_EQ(a.entries().size(), b.entries().size());
    for (std::size_t i = 0; i < a.entries().size(); ++i) {
        SCOPED_TRACE(a.entries()[i].key);
        EXPECT_EQ(a.entries()[i].key, b.entries()[i].key);
        EXPECT_TRUE(services::identical(a.entries()[i].value, b.entries()[i].value));
    }
}

// A QVariantMap keeps the subtypes itself; an INI file reads every value back as text, and the
// bag reads the subtypes back from it. Either way a fresh widget loads and saves the same.
TEST(QtPersistence, AVariantMapAndQSettingsRestoreEveryControl) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.ini"));
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.class_name);
        auto first = widget_for(c);
        QtPropertyBag saved;
        saved.begin_save();
        ASSERT_TRUE(first->save(saved));
        ASSERT_FALSE(saved.entries().empty());
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.beginGroup(QString::fromUtf8(c.class_name));
            saved.to_settings(settings);
        }
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup(QString::fromUtf8(c.class_name));
        const auto restores = [&](QtPropertyBag loaded) {
            ASSERT_EQ(loaded.entries().size(), saved.entries().size());
            for (const auto& e : saved.entries()) {
                SCOPED_TRACE(e.key);
                const std::optional<Variant> back = loaded.find(e.key);
                ASSERT_TRUE(back.has_value());
                EXPECT_TRUE(services::identical(*back, e.value));
            }
            std::unique_ptr<ControlWidget> second(create_control_widget(c.class_name));
            ASSERT_TRUE(second->load(loaded));
            QtPropertyBag again;
            again.begin_save();
            ASSERT_TRUE(second->save(again));
            expect_same_entries(saved, again);
        };
        restores(QtPropertyBag::from_map(saved.to_map()));
        restores(QtPropertyBag::from_settings(settings));
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
        EXPECT_NE(std::string(e.what()).find("[t1]"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Chars"), std::string::npos) << e.what();
    }
}

TEST(QtPersistence, AFormFileHoldsTheWholeForm) {
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath(QStringLiteral("form.json")).toStdString();
    std::vector<std::unique_ptr<ControlWidget>> owned;
    std::vector<ControlWidget*> form;
    for (const Case& c : cases()) {
        owned.push_back(widget_for(c));
        owned.back()->setObjectName(QStringLiteral("c%1").arg(owned.size()));
        form.push_back(owned.back().get());
    }
    ASSERT_TRUE(save_form(path, form));
    const services::MemoryPropertyBag file = services::read_form_file(path);
    EXPECT_TRUE(file.find("c1.Chars").has_value());
    EXPECT_TRUE(file.find("c2.FormatMask").has_value());

    std::vector<std::unique_ptr<ControlWidget>> fresh_owned;
    std::vector<ControlWidget*> fresh;
    for (const Case& c : cases()) {
        fresh_owned.emplace_back(create_control_widget(c.class_name));
        fresh_owned.back()->setObjectName(QStringLiteral("c%1").arg(fresh_owned.size()));
        fresh.push_back(fresh_owned.back().get());
    }
    ASSERT_TRUE(load_form(path, fresh));
    for (std::size_t i = 0; i < form.size(); ++i) {
        SCOPED_TRACE(cases()[i].class_name);
        EXPECT_EQ(fresh[i]->member(QStringLiteral("Text")), form[i]->member(QStringLiteral("Text")));
    }

    // A damaged file changes no control.
    std::ofstream(path) << "{\"c1.Text\": \"zzz\", \"c2.Text\": ";
    const QVariant before = fresh[0]->member(QStringLiteral("Text"));
    EXPECT_THROW(load_form(path, fresh), Error);
    EXPECT_EQ(fresh[0]->member(QStringLiteral("Text")), before);
}

}  // namespace
}  // namespace norvtext::qt
