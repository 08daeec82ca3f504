// The page Custom as a Qt dialog.
#include "qt/custom_page_dialog.hpp"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/control_widget.hpp"
#include "qt/conversions.hpp"

namespace norvtext::qt {

// A selected control as the page sees it: reads go to the control, writes to the writer.
class CustomPageDialog::Proxy : public Dispatch {
public:
    Proxy(ControlWidget& control, const Writer& writer) : control_(control), writer_(writer) {}
    const ClassInfo& class_info() const override { return control_.control().class_info(); }

protected:
    Variant get_member(std::string_view member) override { return control_.control().get(member); }
    void put_member(std::string_view member, const Variant& value) override { writer_(control_, member, value); }
    const Locale& argument_locale() const override { return control_.control().host().locale(); }

private:
    ControlWidget& control_;
    const Writer& writer_;
};

bool offers_custom_page(std::string_view class_name) {
    return class_name == "txtNorvText" || class_name == "txtNorvDate" || class_name == "txtNorvSocialSecurity";
}

namespace {

QRect pixels(const Custom::Rect& r, const QWidget& w) {
    const int x = w.logicalDpiX(), y = w.logicalDpiY();
    return {twips_to_pixels(r.left, x), twips_to_pixels(r.top, y), twips_to_pixels(r.width, x), twips_to_pixels(r.height, y)};
}

}  // namespace

CustomPageDialog::CustomPageDialog(std::vector<ControlWidget*> selection, QWidget* parent, Writer writer)
    : QDialog(parent), controls_(std::move(selection)), writer_(std::move(writer)) {
    if (!writer_) writer_ = [](ControlWidget& c, std::string_view member, const Variant& v) { c.control().put(member, v); };
    setObjectName(QStringLiteral("Custom"));
    setWindowTitle(QStringLiteral("Custom - NorvText"));
    for (ControlWidget* c : controls_)
        selected_.push_back(proxies_.emplace_back(std::make_unique<Proxy>(*c, writer_)).get());
    page_ = std::make_unique<Custom>(static_cast<PropertyPageFrame&>(*this));

    // The page's own surface, laid out from its geometry.
    auto* surface = new QWidget(this);
    surface->setFixedSize(pixels({0, 0, Custom::page_width, Custom::page_height}, *this).size());
    QWidget* previous = nullptr;
    for (const Custom::MemberInfo& m : Custom::members()) {
        const Custom::Member member = m.member;
        if (m.kind == Custom::Kind::CheckBox) {
            auto* box = new QCheckBox(to_qstring(m.caption), surface);
            // Each user action goes to the page, then the widgets show the page's new state.
            connect(box, &QCheckBox::clicked, this, [this, member] { page_->click(member); });
            connect(box, &QCheckBox::clicked, this, &CustomPageDialog::refresh);
            fields_[member] = box;
        } else {
            auto* label = new QLabel(to_qstring(m.caption), surface);
            label->setGeometry(pixels(m.label_bounds, *this));
            auto* edit = new QLineEdit(surface);
            label->setBuddy(edit);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, member](const QString& text) { page_->edit(member, to_u16(text)); });
            connect(edit, &QLineEdit::textEdited, this, &CustomPageDialog::refresh);
            connect(edit, &QLineEdit::editingFinished, this, [this, member] { page_->lost_focus(member); });
            connect(edit, &QLineEdit::editingFinished, this, &CustomPageDialog::refresh);
            fields_[member] = edit;
        }
        fields_[member]->setObjectName(to_qstring(m.name));
        fields_[member]->setGeometry(pixels(m.bounds, *this));
        // Tab order is the page's member order.
        if (previous) setTabOrder(previous, fields_[member]);
        previous = fields_[member];
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    connect(apply_, &QPushButton::clicked, this, &CustomPageDialog::apply);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (changed_) apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(surface);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    page_->SelectionChanged();
    changed_ = false;
    refresh();
}

CustomPageDialog::~CustomPageDialog() = default;

void CustomPageDialog::mark_changed() {
    changed_ = true;
    if (apply_) apply_->setEnabled(true);
}

const Locale& CustomPageDialog::locale() const {
    return controls_.empty() ? Locale::en_us() : controls_.front()->control().host().locale();
}

void CustomPageDialog::refresh() {
    for (const Custom::MemberInfo& m : Custom::members()) {
        QWidget* w = fields_[m.member];
        const QSignalBlocker block(w);
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            box->setChecked(page_->ticked(m.member));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QString text = to_qstring(page_->text(m.member));
            if (edit->text() != text) edit->setText(text);
        }
    }
    apply_->setEnabled(changed_);
}

}  // namespace norvtext::qt
