// The library's pictures, drawn at run time: the product icon of the About box and one
// toolbox picture per control class.
#pragma once

#include <string_view>

#include <QIcon>
#include <QPixmap>

namespace norvtext::qt {

// The product icon: 32 x 32 in 16 colours, as the About box shows it.
QPixmap product_icon(int size = 32);
// A control class's toolbox picture at the usual sizes; the product icon for a name that is
// no control class.
QIcon control_icon(std::string_view class_name);

}  // namespace norvtext::qt
