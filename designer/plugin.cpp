// The Designer plugin: widget-box entries made from the control registry, and the task
// menu that opens the page Custom over Designer's undoable form-window cursor.
#include "designer/plugin.hpp"

#include <QAction>
#include <QMetaProperty>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

#include "qt/controls.hpp"
#include "qt/conversions.hpp"
#include "qt/custom_page_dialog.hpp"
#include "qt/icons.hpp"

namespace norvtext::qt {

namespace {

// What the widget box says about each class when the mouse rests on it.
constexpr std::pair<std::string_view, const char*> summaries[] = {
    {"txtNorvText", "Text box that filters typed characters and converts case"},
    {"txtNorvDate", "Date and time box with a choice of formats"},
    {"txtNorvTelephone", "Telephone number box"},
    {"txtNorvSocialSecurity", "Social security number box"},
    {"txtNorvZip", "ZIP code box, five or nine digits"},
    {"txtNorvCurrency", "Currency amount box"},
    {"txtNorvPercent", "Percentage box"},
};

// The page Custom for a control on a form in Designer.
void edit_custom_properties(ControlWidget& control) {
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(&control);
    if (!form) return;
    // Every write goes through the form window's cursor: the form is marked changed and
    // each change can be undone.
    const auto writer = [form](ControlWidget& target, std::string_view member, const Variant& value) {
        const QString name = to_qstring(member);
        QVariant v = to_qvariant(value);
        const int index = target.metaObject()->indexOfProperty(name.toUtf8().constData());
        if (index >= 0) v.convert(target.metaObject()->property(index).metaType());
        form->cursor()->setWidgetProperty(&target, name, v);
    };
    CustomPageDialog({&control}, form, writer).exec();
}

}  // namespace

// ---------------------------------------------------------------------------------------

QString ControlPlugin::name() const { return QStringLiteral("norvtext::qt::") + to_qstring(class_.name); }

QString ControlPlugin::toolTip() const {
    for (const auto& [name, tip] : summaries)
        if (name == class_.name) return QString::fromUtf8(tip);
    return to_qstring(class_.name);
}

QString ControlPlugin::whatsThis() const {
    return QStringLiteral("%1 (NorvTextLib.%2): %3").arg(to_qstring(class_.name), to_qstring(class_.name), toolTip());
}

QIcon ControlPlugin::icon() const { return control_icon(class_.name); }

QWidget* ControlPlugin::createWidget(QWidget* parent) { return create_control_widget(class_.name, parent); }

void ControlPlugin::initialize(QDesignerFormEditorInterface* core) {
    initialized_ = true;
    if (auto* collection = qobject_cast<NorvTextCollection*>(parent()); collection && core) collection->initialize(core);
}

QString ControlPlugin::domXml() const {
    // First placement: the class's initial size at the screen's usual 96 dpi.
    const QString cls = to_qstring(class_.name);
    return QStringLiteral(
               "<ui language=\"c++\" displayname=\"%1\">\n"
               " <widget class=\"%2\" name=\"%1\">\n"
               "  <property name=\"geometry\">\n"
               "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
               "  </property>\n"
               " </widget>\n"
               "</ui>\n")
        .arg(cls, name())
        .arg(twips_to_pixels(class_.initial_width, 96))
        .arg(twips_to_pixels(class_.initial_height, 96));
}

// ---------------------------------------------------------------------------------------

void NorvTextCollection::initialize(QDesignerFormEditorInterface* core) {
    // Once for each form editor (Designer has one; a test may make several).
    cores_.removeAll(nullptr);
    if (cores_.contains(core)) return;
    cores_.append(core);
    QExtensionManager* manager = core->extensionManager();
    manager->registerExtensions(new ControlTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    qInfo("NorvText: collection initialised with %lld controls", static_cast<long long>(widgets_.size()));
}

// ---------------------------------------------------------------------------------------

ControlTaskMenu::ControlTaskMenu(ControlWidget* control, QObject* parent) : QObject(parent) {
    if (offers_custom_page(control->control_class().name)) {
        custom_ = new QAction(QStringLiteral("Edit Custom Properties…"), this);
        connect(custom_, &QAction::triggered, this, [control] { edit_custom_properties(*control); });
        actions_ << custom_;
    }
    auto* about = new QAction(QStringLiteral("About…"), this);
    connect(about, &QAction::triggered, this, [control] { control->setMember(QStringLiteral("About"), true); });
    actions_ << about;
}

QObject* ControlTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const {
    if (iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension))) return nullptr;
    if (auto* control = qobject_cast<ControlWidget*>(object)) return new ControlTaskMenu(control, parent);
    return nullptr;
}

}  // namespace norvtext::qt
