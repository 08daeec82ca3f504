// A Designer form holding all seven controls, made two ways: at run time by QUiLoader
// through the Designer plugin found on its plugin path, and at build time by uic (whose
// code names the enumerations as the generator writes them). Both give widgets of the
// adapter's classes with the form's property values applied through their writers.
#include <gtest/gtest.h>

#include <QFile>
#include <QUiLoader>

#include "qt/controls.hpp"
#include "ui_all_controls.h"

namespace norvtext::qt {
namespace {

void expect_form_values(QWidget& form) {
    EXPECT_EQ(form.findChildren<ControlWidget*>().size(), 7);
    auto* name = form.findChild<txtNorvText*>(QStringLiteral("txtName"));
    auto* date = form.findChild<txtNorvDate*>(QStringLiteral("txtDate"));
    auto* amount = form.findChild<txtNorvCurrency*>(QStringLiteral("txtAmount"));
    ASSERT_TRUE(name && date && amount);
    // Chars comes before Text in the class's order, so the text is upper-cased on the way in.
    EXPECT_EQ(name->Text(), QStringLiteral("ABC"));
    EXPECT_EQ(name->control().get("BackColor").to_long(), 0xCCFFFF);
    EXPECT_EQ(name->OLEDropMode(), DragModeEnum::Automatic);
    EXPECT_EQ(date->textbox()->displayText(), QStringLiteral("___ __, ____"));
    EXPECT_FALSE(date->EscapeClear());
    EXPECT_EQ(amount->textbox()->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(amount->Font().bold());
}

TEST(QtForms, QUiLoaderBuildsTheFormThroughThePlugin) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR));
    QFile file(QStringLiteral(NORVTEXT_SOURCE_DIR "/tests/qt/all_controls.ui"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
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
