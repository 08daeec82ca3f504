// A Designer form holding all seven controls, made two ways: at run time by QUiLoader
// through the Designer plugin found on its plugin path, and at build time by uic. Both
// give widgets of the adapter's classes with the form's property values applied.
#include <gtest/gtest.h>

#include <QFile>
#include <QUiLoader>

#include "qt/controls.hpp"
#include "ui_all_controls.h"

namespace norvtext::qt {
namespace {

const QString form_path = QStringLiteral(NORVTEXT_SOURCE_DIR "/tests/qt/all_controls.ui");

// What the form sets, read back through the core controls.
void expect_form_values(QWidget& form) {
    auto* name = form.findChild<txtNorvText*>(QStringLiteral("txtName"));
    auto* date = form.findChild<txtNorvDate*>(QStringLiteral("txtDate"));
    auto* phone = form.findChild<txtNorvTelephone*>(QStringLiteral("txtPhone"));
    auto* ssn = form.findChild<txtNorvSocialSecurity*>(QStringLiteral("txtSSN"));
    auto* zip = form.findChild<txtNorvZip*>(QStringLiteral("txtZip"));
    auto* amount = form.findChild<txtNorvCurrency*>(QStringLiteral("txtAmount"));
    auto* rate = form.findChild<txtNorvPercent*>(QStringLiteral("txtRate"));
    ASSERT_TRUE(name && date && phone && ssn && zip && amount && rate);

    // Chars comes before Text in the class's order, so the text is upper-cased on the way in.
    EXPECT_EQ(name->control().get("Chars").to_integer(), 1);
    EXPECT_EQ(name->Text(), QStringLiteral("ABC"));
    EXPECT_EQ(name->CharTable(), QStringLiteral("-'"));
    EXPECT_EQ(name->MaxChars(), 20);
    EXPECT_EQ(name->control().get("BackColor").to_long(), 0xCCFFFF);
    EXPECT_EQ(name->OLEDropMode(), DragModeEnum::Automatic);
    EXPECT_EQ(name->textbox()->toolTip(), QStringLiteral("Your name"));
    EXPECT_EQ(date->FormatMask(), DateFormatEnum::MMMDDYYYY);
    EXPECT_EQ(date->textbox()->displayText(), QStringLiteral("___ __, ____"));
    EXPECT_FALSE(date->EscapeClear());
    EXPECT_EQ(phone->FormatMask(), FormatMaskEnum::digit7);
    EXPECT_EQ(ssn->Text(), QStringLiteral("078-05-1120"));
    EXPECT_EQ(zip->FormatMask(), ZipFormatEnum::Zip5Plus4);
    EXPECT_EQ(amount->textbox()->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(amount->Font().bold());
    EXPECT_TRUE(rate->Blink());
}

TEST(QtForms, QUiLoaderBuildsTheFormThroughThePlugin) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR));
    const QStringList available = loader.availableWidgets();
    for (const char* cls : {"txtNorvText", "txtNorvDate", "txtNorvTelephone", "txtNorvSocialSecurity", "txtNorvZip",
                            "txtNorvCurrency", "txtNorvPercent"})
        EXPECT_TRUE(available.contains(QStringLiteral("norvtext::qt::") + QString::fromUtf8(cls))) << cls;

    QFile file(form_path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    EXPECT_EQ(form->findChildren<ControlWidget*>().size(), 7);
    expect_form_values(*form);
}

TEST(QtForms, UicCompilesTheSameForm) {
    QWidget form;
    Ui::AllControls ui;
    ui.setupUi(&form);
    expect_form_values(form);
}

}  // namespace
}  // namespace norvtext::qt
