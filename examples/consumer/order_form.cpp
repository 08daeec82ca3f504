// A form from Qt Designer holding NorvText widgets: an invalid due date raises Validate,
// and the amount's Value is read as any Qt property.
#include <QApplication>
#include <QKeyEvent>
#include <cstdio>

#include "ui_order_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    Ui::OrderForm ui;
    ui.setupUi(&window);
    window.show();
    window.activateWindow();

    int validations = 0;
    QObject::connect(ui.txtDue, &norvtext::qt::txtNorvDate::Validate, [&] { ++validations; });
    ui.txtDue->setFocus();
    QApplication::processEvents();
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, "1");
    QApplication::sendEvent(QApplication::focusWidget(), &digit);
    ui.txtAmount->setFocus();  // leaving the half-typed date
    QApplication::processEvents();

    ui.txtAmount->setText("1234.5");
    const QString value = ui.txtAmount->property("Value").toString();
    std::printf("Validate %d, Value %s, Text %s\n", validations, qPrintable(value), qPrintable(ui.txtAmount->Text()));
    return validations == 1 && value == "1234.5" ? 0 : 1;
}
