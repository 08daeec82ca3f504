// The Qt Designer plugin: the seven controls in a "NorvText" widget-box group, with their
// pictures, tool tips and first-placement geometry, and task menus for the page Custom and
// the About box.
#pragma once

#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "norvtext/controls/registry.hpp"

namespace norvtext::qt {

class ControlWidget;

// One control class in the widget box.
class ControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    ControlPlugin(const ControlClass& cls, QObject* parent) : QObject(parent), class_(cls) {}

    QString name() const override;
    QString group() const override { return QStringLiteral("NorvText"); }
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override { return QStringLiteral("qt/controls.hpp"); }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    const ControlClass& class_;
    bool initialized_ = false;
};

// The collection Designer and QUiLoader load.
class NorvTextCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit NorvTextCollection(QObject* parent = nullptr) : QObject(parent) {
        for (const ControlClass& cls : control_classes()) widgets_.append(new ControlPlugin(cls, this));
    }
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }
    // Called by each widget's initialize: the task menus are registered once for each
    // form editor, and the collection says so in the log.
    void initialize(QDesignerFormEditorInterface* core);

private:
    QList<QDesignerCustomWidgetInterface*> widgets_;
    QList<QPointer<QDesignerFormEditorInterface>> cores_;
};

// "Edit Custom Properties..." (text, date and social security boxes) and "About...".
class ControlTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    ControlTaskMenu(ControlWidget* control, QObject* parent);
    QAction* preferredEditAction() const override { return custom_; }
    QList<QAction*> taskActions() const override { return actions_; }

private:
    QAction* custom_ = nullptr;  // none where the class offers no page
    QList<QAction*> actions_;
};

class ControlTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace norvtext::qt
