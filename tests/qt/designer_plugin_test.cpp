// The Designer plugin as Designer loads it: a collection of the seven classes in the
// NorvText group with pictures, tips and first-placement XML from the registry, widgets of
// the adapter's classes, and the task menu each class offers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDomDocument>
#include <QPluginLoader>
#include <QPushButton>
#include <QTimer>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QUndoStack>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QExtensionManager>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include "norvtext/controls/registry.hpp"
#include "qt/controls.hpp"
#include "qt/custom_page_dialog.hpp"

namespace norvtext::qt {
namespace {

QDesignerCustomWidgetCollectionInterface* collection() {
    static QPluginLoader loader(QDir(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR)).filePath(QStringLiteral("libnorvtext_designer.so")));
    QObject* instance = loader.instance();
    EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
}

TEST(DesignerPlugin, OffersEveryControlClassInTheNorvTextGroup) {
    QDesignerCustomWidgetCollectionInterface* plugins = collection();
    ASSERT_NE(plugins, nullptr);
    const QList<QDesignerCustomWidgetInterface*> widgets = plugins->customWidgets();
    ASSERT_EQ(widgets.size(), static_cast<qsizetype>(control_classes().size()));
    for (std::size_t i = 0; i < control_classes().size(); ++i) {
        const ControlClass& cls = control_classes()[i];
        QDesignerCustomWidgetInterface* w = widgets[static_cast<qsizetype>(i)];
        SCOPED_TRACE(std::string(cls.name));
        EXPECT_EQ(w->name(), QStringLiteral("norvtext::qt::") + QString::fromUtf8(cls.name.data(), cls.name.size()));
        EXPECT_EQ(w->group(), QStringLiteral("NorvText"));
        EXPECT_EQ(w->includeFile(), QStringLiteral("qt/controls.hpp"));
        EXPECT_FALSE(w->icon().isNull());
        EXPECT_FALSE(w->toolTip().isEmpty());
        EXPECT_FALSE(w->isContainer());

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
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->className().toStdString(), std::string(cls.name));
    }
}

// Designer's own form editor, in this process, with the plugin from the build: made once,
// as Designer makes it once.
struct DesignerCore : ::testing::Test {
    static void SetUpTestSuite() {
        QDir plugins(QStringLiteral(NORVTEXT_DESIGNER_PLUGIN_DIR));
        plugins.cdUp();
        QCoreApplication::addLibraryPath(plugins.absolutePath());
        core = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::initializePlugins(core);
        core->setIntegration(new QDesignerIntegration(core, core));
        for (QDesignerCustomWidgetInterface* w : collection()->customWidgets()) w->initialize(core);
    }
    static void TearDownTestSuite() {
        delete core;
        core = nullptr;
    }
    static inline QDesignerFormEditorInterface* core = nullptr;
};

TEST_F(DesignerCore, TaskMenusOfferThePageWhereItAppliesAndAboutEverywhere) {
    QDesignerCustomWidgetCollectionInterface* plugins = collection();
    ASSERT_NE(plugins, nullptr);

    for (QDesignerCustomWidgetInterface* w : plugins->customWidgets()) {
        SCOPED_TRACE(w->name().toStdString());
        std::unique_ptr<QWidget> made(w->createWidget(nullptr));
        auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core->extensionManager(), made.get());
        ASSERT_NE(menu, nullptr);
        QStringList texts;
        for (QAction* a : menu->taskActions()) texts << a->text();
        const std::string cls = qobject_cast<ControlWidget*>(made.get())->className().toStdString();
        const bool page = cls == "txtNorvText" || cls == "txtNorvDate" || cls == "txtNorvSocialSecurity";
        EXPECT_EQ(texts, page ? QStringList({QStringLiteral("Edit Custom Properties…"), QStringLiteral("About…")})
                              : QStringList({QStringLiteral("About…")}));

        // About... opens the library's About box.
        QString title;
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                title = dialog->windowTitle();
                dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            }
        });
        menu->taskActions().last()->trigger();
        EXPECT_EQ(title, QStringLiteral("About NorvText"));
    }
}

TEST_F(DesignerCore, TheCustomPageChangesTheFormThroughItsUndoStack) {
    std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow(nullptr));
    QFile file(QStringLiteral(NORVTEXT_SOURCE_DIR "/tests/qt/all_controls.ui"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString error;
    ASSERT_TRUE(form->setContents(&file, &error)) << error.toStdString();
    form->setDirty(false);
    auto* name = form->mainContainer()->findChild<txtNorvText*>(QStringLiteral("txtName"));
    ASSERT_NE(name, nullptr);
    ASSERT_EQ(name->Chars(), 1);

    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core->extensionManager(), name);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->preferredEditAction(), menu->taskActions().first());
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* page = qobject_cast<CustomPageDialog*>(QApplication::activeModalWidget());
        if (!page) return;
        shown = true;
        // Upper case with every class allowed; forbidding digits makes 1 + 4.
        qobject_cast<QCheckBox*>(page->field(Custom::Member::chkAllowNumbers))->click();
        page->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    menu->preferredEditAction()->trigger();
    ASSERT_TRUE(shown);
    EXPECT_EQ(name->Chars(), 5);
    EXPECT_TRUE(form->isDirty());
    while (form->commandHistory()->canUndo()) form->commandHistory()->undo();
    EXPECT_EQ(name->Chars(), 1);
}

}  // namespace
}  // namespace norvtext::qt
