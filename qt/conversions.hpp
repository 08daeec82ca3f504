// Conversions at the edge between the library's values and Qt's: text, Variant and
// QVariant, fonts, colours (system colours included), pictures and sizes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include "norvtext/platform/variant.hpp"

namespace norvtext::qt {

inline QString to_qstring(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
inline std::u16string to_u16(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}
inline QString to_qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The controls measure in twips; a widget in pixels at its dpi.
inline constexpr int twips_per_inch = 1440;
inline int twips_to_pixels(std::int32_t twips, int dpi) { return twips * dpi / twips_per_inch; }
inline std::int32_t pixels_to_twips(int pixels, int dpi) { return pixels * twips_per_inch / dpi; }

QFont to_qfont(const Font& font);
FontRef to_font(const QFont& font);

// A system colour (high bit set) is resolved through the palette's matching role.
QColor to_qcolor(Colour colour, const QPalette& palette);
Colour to_colour(const QColor& colour);

// Pictures are image file bytes; an empty or unreadable picture gives a null pixmap.
QPixmap to_qpixmap(const PictureRef& picture);
// A null pixmap gives Nothing (nullptr); any other is stored as PNG.
PictureRef to_picture(const QPixmap& pixmap);

// Variant <-> QVariant, for the members typed Variant and for generic hosts:
//   Empty <-> invalid QVariant, Null <-> std::nullptr_t, Nothing -> invalid QObject*,
//   Boolean <-> bool, Integer <-> short, Long <-> int, Double <-> double,
//   Currency <-> norvtext::Currency (registered with Qt's type system, so it stays exact),
//   Date <-> QDate (no time), QTime (day 0) or QDateTime, to the second,
//   String <-> QString, Font <-> QFont, Picture <-> QPixmap.
// Other integers become a Long when they fit and a Double otherwise; another type is taken
// as text when Qt can convert it, else raises Type mismatch.
QVariant to_qvariant(const Variant& value);
Variant from_qvariant(const QVariant& value);

}  // namespace norvtext::qt

Q_DECLARE_METATYPE(norvtext::Currency)
