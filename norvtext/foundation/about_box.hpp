// The library's About box: one small modal dialog that names the product and its version.
// The model is the dialog's whole content; a host draws it and closes it on "&OK".
#pragma once

#include <string_view>

namespace norvtext {

struct AboutBox {
    std::u16string_view product_title = u"NorvText";
    std::u16string_view window_title = u"About NorvText";
    std::u16string_view by_label = u"By";                      // Label2
    std::u16string_view author = u"The NorvText developers";   // Label3
    std::u16string_view version = u"Version 1.1 6/27/98";       // Label4
    std::u16string_view ok_caption = u"&OK";                   // Command1; O is its access key
    int icon_size = 32;                                        // Picture1: 32 x 32, 16 colours
    int icon_colours = 16;
};

// Each opening builds a fresh dialog from the same contents.
inline AboutBox about_box() { return AboutBox{}; }

}  // namespace norvtext
