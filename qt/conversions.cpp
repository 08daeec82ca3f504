// Conversions between the library's values and Qt's.
#include "qt/conversions.hpp"

#include <cmath>
#include <utility>

#include <QBuffer>
#include <QDateTime>
#include <QImage>

#include "norvtext/platform/date_serial.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext::qt {

QFont to_qfont(const Font& font) {
    QFont f(to_qstring(font.name));
    if (std::isfinite(font.size) && font.size > 0) f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    return f;
}

FontRef to_font(const QFont& font) {
    // A font sized in pixels has no point size: it keeps the library's default size.
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : Font{}.size;
    return std::make_shared<Font>(
        Font{to_u16(font.family()), size, font.bold(), font.italic(), font.underline(), font.strikeOut()});
}

QPixmap to_qpixmap(const PictureRef& picture) {
    QPixmap pixmap;
    if (picture && !picture->bytes.empty())
        pixmap.loadFromData(picture->bytes.data(), static_cast<uint>(picture->bytes.size()));
    return pixmap;
}

PictureRef to_picture(const QPixmap& pixmap) {
    if (pixmap.isNull()) return nullptr;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    return std::make_shared<Picture>(Picture{{png.begin(), png.end()}});
}

namespace {

QVariant date_to_qvariant(DateSerial d) {
    const DateTimeParts p = parts_from_serial(d);
    const QDate date(p.year, p.month, p.day);
    const QTime time(p.hour, p.minute, p.second);
    if (!has_time(d)) return QVariant(date);
    if (!has_date(d)) return QVariant(time);
    return QVariant(QDateTime(date, time));
}

Variant date_from_parts(const QDate& date, const QTime& time) {
    DateTimeParts p;
    if (date.isValid()) p.year = date.year(), p.month = date.month(), p.day = date.day();
    if (time.isValid()) p.hour = time.hour(), p.minute = time.minute(), p.second = time.second();
    const std::optional<DateSerial> serial = serial_from_parts(p);
    if (!serial) raise(ErrorCode::Overflow);
    return Variant(*serial);
}

// A Long when it fits, a Double otherwise.
template <class Integer>
Variant whole_number(Integer n) {
    if (std::in_range<std::int32_t>(n)) return Variant(static_cast<std::int32_t>(n));
    return Variant(static_cast<double>(n));
}

// A system colour (high bit set) names its index in the low byte; each index goes on the
// palette role that paints the same part of a widget: 4 menu, 5 window background, 7 menu
// text, 8 window text, 15 button face, 16 button shadow, 17 grey text, 20 button highlight,
// 21 dark 3-D shadow, 22 3-D light. An unknown index paints as the window.
constexpr std::pair<Colour, QPalette::ColorRole> system_colour_roles[] = {
    {4, QPalette::Window},        {5, QPalette::Base},          {7, QPalette::WindowText},
    {8, QPalette::Text},          {13, QPalette::Highlight},    {14, QPalette::HighlightedText},
    {15, QPalette::Button},       {16, QPalette::Dark},         {17, QPalette::PlaceholderText},
    {18, QPalette::ButtonText},   {20, QPalette::Light},        {21, QPalette::Shadow},
    {22, QPalette::Midlight},     {23, QPalette::ToolTipText},  {24, QPalette::ToolTipBase},
};

QPalette::ColorRole system_colour_role(Colour colour) {
    for (const auto& [index, role] : system_colour_roles)
        if (index == (colour & 0xFFu)) return role;
    return QPalette::Window;
}

}  // namespace

QColor to_qcolor(Colour colour, const QPalette& palette) {
    if (colour & 0x80000000u) return palette.color(QPalette::Active, system_colour_role(colour));
    // 0x00BBGGRR
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

Colour to_colour(const QColor& colour) {
    const QColor c = colour.toRgb();
    return static_cast<Colour>(c.red()) | static_cast<Colour>(c.green()) << 8 | static_cast<Colour>(c.blue()) << 16;
}

QVariant to_qvariant(const Variant& value) {
    return std::visit(
        [](const auto& v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, EmptyValue>) return QVariant();
            else if constexpr (std::is_same_v<T, NullValue>) return QVariant::fromValue(nullptr);
            else if constexpr (std::is_same_v<T, NothingValue>) return QVariant::fromValue<QObject*>(nullptr);
            else if constexpr (std::is_same_v<T, DateSerial>) return date_to_qvariant(v);
            else if constexpr (std::is_same_v<T, std::u16string>) return QVariant(to_qstring(v));
            else if constexpr (std::is_same_v<T, FontRef>) return v ? QVariant(to_qfont(*v)) : QVariant::fromValue<QObject*>(nullptr);
            else if constexpr (std::is_same_v<T, PictureRef>) return v ? QVariant(to_qpixmap(v)) : QVariant::fromValue<QObject*>(nullptr);
            // Boolean, Integer (short), Long (int), Double and Currency as they are.
            else return QVariant::fromValue(v);
        },
        value.storage());
}

Variant from_qvariant(const QVariant& value) {
    if (!value.isValid()) return Variant();
    const QMetaType type = value.metaType();
    switch (type.id()) {
        case QMetaType::Nullptr: return Variant::null();
        case QMetaType::QObjectStar: return Variant::nothing();
        case QMetaType::Bool: return Variant(value.toBool());
        case QMetaType::Short:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Char: return Variant(static_cast<std::int16_t>(value.toInt()));
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong: return whole_number(value.toLongLong());
        case QMetaType::ULong:
        case QMetaType::ULongLong: return whole_number(value.toULongLong());
        case QMetaType::Float:
        case QMetaType::Double: return Variant(value.toDouble());
        case QMetaType::QString: return Variant(to_u16(value.toString()));
        case QMetaType::QDate: return date_from_parts(value.toDate(), QTime());
        case QMetaType::QTime: return date_from_parts(QDate(), value.toTime());
        case QMetaType::QDateTime: return date_from_parts(value.toDateTime().date(), value.toDateTime().time());
        case QMetaType::QFont: return Variant(to_font(value.value<QFont>()));
        case QMetaType::QPixmap: return Variant(to_picture(value.value<QPixmap>()));
        case QMetaType::QImage: return Variant(to_picture(QPixmap::fromImage(value.value<QImage>())));
        case QMetaType::QColor: return Variant(static_cast<std::int32_t>(to_colour(value.value<QColor>())));
        default: break;
    }
    if (type == QMetaType::fromType<Currency>()) return Variant(value.value<Currency>());
    if (value.canConvert<QString>()) return Variant(to_u16(value.toString()));
    raise(ErrorCode::TypeMismatch);
}

}  // namespace norvtext::qt
