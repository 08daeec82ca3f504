// Design time: the Designer plugin as Designer loads it (a collection of the seven classes
// in the NorvText group with pictures, tips and first-placement XML from the registry, and
// the task menu each class offers, run in Designer's own form editor, which builds a form
// holding all seven controls through the plugin); the same form compiled by uic (whose
// code names the enumerations as the generator writes them); and the page Custom in its Qt
// dialog, whose check boxes and fields show the page model and pass on the user's clicks
// and edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include "norvtext/controls/registry.hpp"
#include "qt/controls.hpp"
#include "qt/conversions.hpp"
#include "qt/custom_page_dialog.hpp"
#include "ui_all_controls.h"

namespace norvtext::qt {
namespace {

const QString form_path = QStringLiteral(NORVTEXT_SOURCE_DIR "/tests/qt/all_controls.ui");

QList<QDesignerCustomWidgetInterface*> plugins() {
    static QPluginLoader loader(QDir(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR)).filePath(QStringLiteral("libnorvtext_designer.so")));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    EXPECT_NE(collection, nullptr) << loader.errorString().toStdString();
    return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>();
}

// What the form sets, read back through the controls.
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

// Designer's own form editor, in this process, with the plugin from the build: made once,
// as Designer makes it once.
struct DesignerCore : ::testing::Test {
    static void SetUpTestSuite() {
        QDir plugin_root(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR));
        plugin_root.cdUp();
        QCoreApplication::addLibraryPath(plugin_root.absolutePath());
        core = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::initializePlugins(core);
        core->setIntegration(new QDesignerIntegration(core, core));
        for (QDesignerCustomWidgetInterface* w : plugins()) w->initialize(core);
    }
    static void TearDownTestSuite() { delete core; }
    static QDesignerTaskMenuExtension* menu(QWidget* w) {
        return qt_extension<QDesignerTaskMenuExtension*>(core->extensionManager(), w);
    }
    static inline QDesignerFormEditorInterface* core = nullptr;
};

// Every control class in the NorvText group, in the registry's order, and the task menu
// Designer shows for it.
TEST_F(DesignerCore, EveryControlClassInTheNorvTextGroupWithItsTaskMenu) {
    const QList<QDesignerCustomWidgetInterface*> widgets = plugins();
    ASSERT_EQ(widgets.size(), static_cast<qsizetype>(control_classes().size()));
    for (std::size_t i = 0; i < control_classes().size(); ++i) {
        const ControlClass& cls = control_classes()[i];
        QDesignerCustomWidgetInterface* w = widgets[static_cast<qsizetype>(i)];
        SCOPED_TRACE(std::string(cls.name));
        EXPECT_EQ(w->name().toStdString(), "norvtext::qt::" + std::string(cls.name));
        EXPECT_EQ(w->group(), QStringLiteral("NorvText"));
        EXPECT_FALSE(w->icon().isNull());
        EXPECT_FALSE(w->toolTip().isEmpty());
        // First placement: the class's initial size, 15 twips a pixel.
        QDomDocument dom;
        ASSERT_TRUE(dom.setContent(w->domXml()));
        const QDomElement widget = dom.documentElement().firstChildElement(QStringLiteral("widget"));
        EXPECT_EQ(widget.attribute(QStringLiteral("class")), w->name());
        const QDomElement rect = widget.firstChildElement(QStringLiteral("property")).firstChildElement(QStringLiteral("rect"));
        EXPECT_EQ(rect.firstChildElement(QStringLiteral("width")).text().toInt(), cls.initial_width / 15);
        EXPECT_EQ(rect.firstChildElement(QStringLiteral("height")).text().toInt(), cls.initial_height / 15);
        std::unique_ptr<QWidget> made(w->createWidget(nullptr));
        auto* control = qobject_cast<ControlWidget*>(made.get());
        EXPECT_EQ(control->className().toStdString(), cls.name);
        ASSERT_NE(menu(made.get()), nullptr);
        QStringList texts;
        for (QAction* a : menu(made.get())->taskActions()) texts << a->text();
        const bool page = offers_custom_page(cls.name);
        EXPECT_EQ(texts, page ? QStringList({QStringLiteral("Edit Custom Properties…"), QStringLiteral("About…")})
                              : QStringList({QStringLiteral("About…")}));
        // About... opens the library's About box, a modal dialog built from its contents.
        QSignalSpy about(control, &ControlWidget::aboutShown);
        QStringList shown;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            shown << dialog->windowTitle();
            for (const char* part : {"Label2", "Label3", "Label4", "Command1"}) shown << dialog->findChild<QWidget*>(part)->property("text").toString();
            EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().size(), QSize(32, 32));
            dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        });
        menu(made.get())->taskActions().last()->trigger();
        EXPECT_EQ(about.count(), 1);
        const AboutBox box;
        EXPECT_EQ(shown, (QStringList{to_qstring(box.window_title), to_qstring(box.by_label), to_qstring(box.author),
                                      to_qstring(box.version), to_qstring(box.ok_caption)}));
    }
}

TEST_F(DesignerCore, DesignerAndUicBuildTheFormAndThePageChangesItThroughTheUndoStack) {
    // uic compiles the form to the same controls.
    QWidget compiled;
    Ui::AllControls().setupUi(&compiled);
    expect_form_values(compiled);

    std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow(nullptr));
    QFile file(form_path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString error;
    ASSERT_TRUE(form->setContents(&file, &error)) << error.toStdString();
    form->setDirty(false);
    // Designer builds the form through the plugin, as an application's QUiLoader does.
    expect_form_values(*form->mainContainer());
    auto* name = form->mainContainer()->findChild<txtNorvText*>(QStringLiteral("txtName"));
    ASSERT_EQ(name->Chars(), 1);
    ASSERT_EQ(menu(name)->preferredEditAction(), menu(name)->taskActions().first());
    QTimer::singleShot(0, [] {
        auto* page = qobject_cast<CustomPageDialog*>(QApplication::activeModalWidget());
        qobject_cast<QCheckBox*>(page->field(Custom::Member::chkAllowNumbers))->click();
        page->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    menu(name)->preferredEditAction()->trigger();
    EXPECT_EQ(name->Chars(), 5);
    EXPECT_TRUE(form->isDirty());
    while (form->commandHistory()->canUndo()) form->commandHistory()->undo();
    EXPECT_EQ(name->Chars(), 1);
}


using M = Custom::Member;

QCheckBox* box(CustomPageDialog& d, M m) { return qobject_cast<QCheckBox*>(d.field(m)); }
QLineEdit* field(CustomPageDialog& d, M m) { return qobject_cast<QLineEdit*>(d.field(m)); }

TEST(QtCustomPage, TheDialogShowsThePageAndPassesOnTheUsersActions) {
    txtNorvText text;
    text.setChars(1);
    CustomPageDialog dialog({&text}, nullptr);
    EXPECT_TRUE(box(dialog, M::chkUpperCase)->isChecked());
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("1"));
    EXPECT_FALSE(dialog.applyButton()->isEnabled());

    // A click shows at once in the number field; Apply writes it, and is offered no more.
    box(dialog, M::chkAllowNumbers)->click();
    EXPECT_EQ(field(dialog, M::txtChars)->text(), QStringLiteral("5"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(text.Chars(), 1);
    dialog.applyButton()->click();
    EXPECT_EQ(text.Chars(), 5);
    EXPECT_FALSE(dialog.applyButton()->isEnabled());

    // A number typed by hand shows in the boxes once the field is left.
    QLineEdit* chars = field(dialog, M::txtChars);
    chars->selectAll();
    QTest::keyClicks(chars, QStringLiteral("64"));
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_FALSE(box(dialog, M::chkLowerCase)->isChecked());
    Q_EMIT chars->editingFinished();
    EXPECT_TRUE(box(dialog, M::chkLowerCase)->isChecked());
    EXPECT_FALSE(box(dialog, M::chkUpperCase)->isChecked());
    // Cancel drops what is pending (OK applies it: the designer's page below).
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(text.Chars(), 5);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace norvtext::qt
