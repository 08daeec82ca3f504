// The gallery window: the seven controls with labels, the event log, Save/Load and Custom.
#include "apps/gallery/gallery_window.hpp"


#include <QApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "norvtext/platform/error.hpp"
#include "qt/controls.hpp"
#include "qt/custom_page_dialog.hpp"
#include "qt/form_io.hpp"
#include "qt/key_codes.hpp"

namespace norvtext::qt {

namespace {

struct Row {
    const char* label;
    const char* class_name;
    const char* name;
    const char* sample;  // what a user types into it for the screenshot
};

constexpr Row rows[] = {
    {"General text (proper case):", "txtNorvText", "txtName", "ada lovelace"},
    {"Date:", "txtNorvDate", "txtDate", "12052026"},
    {"Telephone:", "txtNorvTelephone", "txtPhone", "5551234567"},
    {"Social security:", "txtNorvSocialSecurity", "txtSSN", "078051120"},
    {"ZIP+4:", "txtNorvZip", "txtZip", "123456789"},
    {"Amount:", "txtNorvCurrency", "txtAmount", "1234.5"},
    {"Rate:", "txtNorvPercent", "txtRate", "12.5"},
};

}  // namespace

GalleryWindow::GalleryWindow() {
    setWindowTitle(QStringLiteral("NorvText gallery"));
    log_ = new QPlainTextEdit(this);
    log_->setReadOnly(true);
    log_->setObjectName(QStringLiteral("eventLog"));
    log_->setMinimumWidth(300);
    auto* form = new QFormLayout;
    for (const Row& row : rows) {
        ControlWidget* c = create_control_widget(row.class_name, this);
        c->setObjectName(QString::fromUtf8(row.name));
        controls_.push_back(c);
        watch(c);
        form->addRow(QString::fromUtf8(row.label), c);
    }
    // The text box proper-cases what it is given; the ZIP box takes nine digits.
    findChild<ControlWidget*>(QStringLiteral("txtName"))->setMember(QStringLiteral("Chars"), 128);
    findChild<ControlWidget*>(QStringLiteral("txtZip"))->setMember(QStringLiteral("FormatMask"), 2);
    page_target_ = findChild<ControlWidget*>(QStringLiteral("txtName"));

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& text, auto clicked) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, clicked);
        buttons->addWidget(b);
        return b;
    };
    button(QStringLiteral("&Save…"), [this] { file_clicked(true); });
    button(QStringLiteral("&Load…"), [this] { file_clicked(false); });
    button(QStringLiteral("&Custom…"), [this] { CustomPageDialog({page_target_}, this).exec(); })
        ->setToolTip(QStringLiteral("The page Custom for the text box, or the date or social security box last used"));
    button(QStringLiteral("C&lear log"), [this] { log_->clear(); });

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Events, announcements, beeps and what a screen reader is told:"), this));
    right->addWidget(log_);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    // The page opens for the box that offers it and was used last.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (ControlWidget* c : controls_)
            if (now && c->isAncestorOf(now) && offers_custom_page(c->control_class().name)) page_target_ = c;
    });
    resize(760, 360);
}

void GalleryWindow::log(const QString& line) { log_->appendPlainText(line); }

void GalleryWindow::watch(ControlWidget* c) {
    // The same lines the headless host records: "txtDate: KeyPress 49", "beep", ...
    connect(c, &ControlWidget::eventRaised, this, [this, c](const QString& name, const QString& args) {
        log(QStringLiteral("%1: %2%3").arg(c->objectName(), name, args.isEmpty() ? QString() : QLatin1Char(' ') + args));
    });
    connect(c, &ControlWidget::propertyChanged, this,
            [this, c](const QString& name) { log(QStringLiteral("%1: changed %2").arg(c->objectName(), name)); });
    connect(c, &ControlWidget::beeped, this, [this] { log(QStringLiteral("beep")); });
    // What a screen reader is told, beside the blink and the beep a sighted user gets.
    connect(c, &ControlWidget::accessibleEvent, this, [this, c](const QString& kind, const QString& detail) {
        log(QStringLiteral("%1: accessible %2 %3").arg(c->objectName(), kind, detail));
    });
    connect(c, &ControlWidget::aboutShown, this, [this, c] { log(QStringLiteral("%1: about").arg(c->objectName())); });
    connect(c, &ControlWidget::errorRaised, this, [this, c](int number, const QString& message) {
        log(QStringLiteral("%1: error %2 %3").arg(c->objectName()).arg(number).arg(message));
    });
}

void GalleryWindow::fill_sample_entries() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        QLineEdit* box = controls_[i]->textbox();
        box->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        for (QChar ch : QString::fromUtf8(rows[i].sample)) {
            auto [press, release] = key_events_for_char(ch.unicode());
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
    }
    // The last box is left too, so that it shows its formatted entry.
    log_->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

bool GalleryWindow::save_to(const QString& path) {
    return logged(QStringLiteral("form saved to %1").arg(path), QStringLiteral("form not saved: a control failed"),
                  QStringLiteral("form not saved"), [&] { return save_form(path.toStdString(), controls_); });
}

bool GalleryWindow::load_from(const QString& path) {
    return logged(QStringLiteral("form loaded from %1").arg(path), QStringLiteral("form loaded with errors"),
                  QStringLiteral("form not loaded"), [&] { return load_form(path.toStdString(), controls_); });
}

bool GalleryWindow::logged(const QString& done, const QString& failed, const QString& refused,
                           const std::function<bool()>& action) {
    try {
        const bool ok = action();
        log(ok ? done : failed);
        return ok;
    } catch (const Error& e) {
        log(QStringLiteral("%1: %2").arg(refused, QString::fromUtf8(e.what())));
        return false;
    }
}

void GalleryWindow::file_clicked(bool save) {
    const QString filter = QStringLiteral("Form files (*.json)");
    const QString path = save ? QFileDialog::getSaveFileName(this, QStringLiteral("Save form"),
                                                             QStringLiteral("gallery-form.json"), filter)
                              : QFileDialog::getOpenFileName(this, QStringLiteral("Load form"), QString(), filter);
    if (!path.isEmpty()) save ? save_to(path) : load_from(path);
}


}  // namespace norvtext::qt
