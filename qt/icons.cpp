// The library's pictures, drawn with QPainter on a 24-unit grid and scaled to the size
// asked for, so they stay sharp in a toolbox, a menu and a screenshot.
#include "qt/icons.hpp"

#include <algorithm>

#include <QBitmap>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace norvtext::qt {

namespace {

const QColor ink(0x20, 0x20, 0x40);
const QColor field(0xFF, 0xFF, 0xFF);

// A field with a border, white unless asked otherwise: every control is a box to type into.
// A radius of 0 gives square corners.
void draw_field(QPainter& p, QRectF r, const QColor& fill = field, double radius = 1.5) {
    p.setPen(QPen(ink, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void draw_glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, double size) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(size));
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void draw_text_box(QPainter& p) {
    draw_field(p, {1.5, 6.5, 21, 11});
    draw_glyph(p, {2, 6, 15, 12}, QStringLiteral("ab"), ink, 9);
    p.setPen(QPen(QColor(0x20, 0x60, 0xD0), 1.5));
    p.drawLine(QPointF(18, 8.5), QPointF(18, 15.5));  // the caret
}

void draw_date_box(QPainter& p) {
    draw_field(p, {2.5, 3.5, 19, 18});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.drawRect(QRectF(3, 4, 18, 5));  // the calendar's month band
    p.setBrush(ink);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) p.drawRect(QRectF(5 + col * 4, 11 + row * 3.3, 2, 2));
    p.setPen(QPen(ink, 1.5));
    p.drawLine(QPointF(7, 2), QPointF(7, 6));  // the rings
    p.drawLine(QPointF(17, 2), QPointF(17, 6));
}

void draw_telephone_box(QPainter& p) {
    // A handset over a dial.
    QPainterPath handset;
    handset.moveTo(3, 9);
    handset.cubicTo(3, 3, 21, 3, 21, 9);
    handset.lineTo(17, 11);
    handset.lineTo(15.5, 8.5);
    handset.cubicTo(13, 7.5, 11, 7.5, 8.5, 8.5);
    handset.lineTo(7, 11);
    handset.closeSubpath();
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(0x20, 0x80, 0x40));
    p.drawPath(handset);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRoundedRect(QRectF(5, 11, 14, 10), 2, 2);
    p.setBrush(field);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawEllipse(QRectF(7 + col * 3.8, 12.8 + row * 3.8, 2.2, 2.2));
}

void draw_ssn_box(QPainter& p) {
    // An identity card: a face and lines of digits.
    draw_field(p, {1.5, 4.5, 21, 15}, QColor(0xD8, 0xE8, 0xFF), 2);
    p.setBrush(QColor(0x40, 0x60, 0xA0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(4, 7.5, 5, 5));
    p.drawChord(QRectF(3, 12.5, 7, 6), 0, 180 * 16);
    p.setPen(QPen(ink, 1.4));
    p.drawLine(QPointF(12, 9), QPointF(20, 9));
    p.drawLine(QPointF(12, 12.5), QPointF(20, 12.5));
    p.drawLine(QPointF(12, 16), QPointF(17, 16));
}

void draw_zip_box(QPainter& p) {
    // An envelope with a post code block.
    draw_field(p, {1.5, 5.5, 21, 14}, QColor(0xFF, 0xF4, 0xD0), 0);
    p.drawLine(QPointF(1.5, 5.5), QPointF(12, 13));
    p.drawLine(QPointF(22.5, 5.5), QPointF(12, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    for (int i = 0; i < 5; ++i) p.drawRect(QRectF(4 + i * 3.4, 16, 2.4, 2));
}

// A field with the sign of the amount it holds.
void draw_sign_box(QPainter& p, const QString& sign, const QColor& colour, double size) {
    draw_field(p, {1.5, 6.5, 21, 11});
    draw_glyph(p, {1.5, 5, 21, 14}, sign, colour, size);
}

void draw_product(QPainter& p) {
    // An "N" on a box: the product's mark.
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(0x00, 0x00, 0x80));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 3, 3);
    draw_field(p, {4.5, 13.5, 15, 6});
    draw_glyph(p, {1, 0, 22, 14}, QStringLiteral("N"), QColor(0xFF, 0xFF, 0x00), 12);
    p.setPen(QPen(QColor(0xFF, 0x00, 0x00), 1.2));
    p.drawLine(QPointF(7, 15), QPointF(7, 18));
}

using Painter = void (*)(QPainter&);

// Each control class's picture.
constexpr std::pair<std::string_view, Painter> pictures[] = {
    {"txtNorvText", &draw_text_box},        {"txtNorvDate", &draw_date_box},
    {"txtNorvTelephone", &draw_telephone_box}, {"txtNorvSocialSecurity", &draw_ssn_box},
    {"txtNorvZip", &draw_zip_box},
    {"txtNorvCurrency", [](QPainter& p) { draw_sign_box(p, QStringLiteral("$"), QColor(0x10, 0x80, 0x30), 13); }},
    {"txtNorvPercent", [](QPainter& p) { draw_sign_box(p, QStringLiteral("%"), QColor(0x20, 0x40, 0xC0), 12); }},
};

QImage paint(Painter painter, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 24.0, size / 24.0);
    painter(p);
    return image;
}

}  // namespace

QPixmap product_icon(int size) {
    // Sixteen colours: the icons are drawn in the classic sixteen-colour palette.
    static const QList<QRgb> sixteen{0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                     0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                     0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    QImage image = paint(&draw_product, size);
    QPixmap pixmap = QPixmap::fromImage(image.convertToFormat(QImage::Format_Indexed8, sixteen, Qt::ThresholdDither));
    // Transparency survives as a mask: corners outside the rounded box stay clear.
    pixmap.setMask(QBitmap::fromImage(image.createAlphaMask()));
    return pixmap;
}

QIcon control_icon(std::string_view class_name) {
    const auto* it = std::ranges::find(pictures, class_name, &std::pair<std::string_view, Painter>::first);
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(it == std::end(pictures) ? product_icon(size) : QPixmap::fromImage(paint(it->second, size)));
    return icon;
}

}  // namespace norvtext::qt
