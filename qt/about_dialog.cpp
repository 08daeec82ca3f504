// The About dialog: the product icon beside "By" and the author, the version below, and
// the "&OK" button that closes it.
#include "qt/about_dialog.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "qt/conversions.hpp"
#include "qt/icons.hpp"

namespace norvtext::qt {

AboutDialog::AboutDialog(const AboutBox& about, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(to_qstring(about.window_title));
    const QPixmap icon = product_icon(about.icon_size);
    setWindowIcon(QIcon(icon));
    setModal(true);

    // Each part under the name the About box gives it.
    const auto named = [](auto* part, const char* name) {
        part->setObjectName(QString::fromUtf8(name));
        return part;
    };
    auto* picture = named(new QLabel(this), "Picture1");
    picture->setPixmap(icon);
    auto* ok = named(new QPushButton(to_qstring(about.ok_caption), this), "Command1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(named(new QLabel(to_qstring(about.by_label), this), "Label2"), 0, 1);
    grid->addWidget(named(new QLabel(to_qstring(about.author), this), "Label3"), 0, 2);
    grid->addWidget(named(new QLabel(to_qstring(about.version), this), "Label4"), 1, 1, 1, 2);
    grid->addWidget(ok, 2, 0, 1, 3, Qt::AlignHCenter);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace norvtext::qt
