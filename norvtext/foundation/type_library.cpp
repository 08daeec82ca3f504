// NorvTextLib's published interface description as constant tables, plus its one-line-per-
// entry text form that the script host prints and docs/typelib.txt keeps.
#include "norvtext/foundation/type_library.hpp"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace norvtext {

namespace {

using enum Accessor;

// ---------------------------------------------------------------------------------------------
// Enumerations, in the library's published order; members in value order.

constexpr std::array appearance_members{EnumMember{"Flat", 0}, EnumMember{"ThreeD", 1}};
constexpr std::array alignment_members{EnumMember{"Left_Justify", 0},
                                       EnumMember{"Right_Justify", 1}, EnumMember{"Center", 2}};
constexpr std::array borderstyle_members{EnumMember{"None", 0}, EnumMember{"Fixed_Single", 1}};
constexpr std::array auto_manual_members{EnumMember{"Manual", 0}, EnumMember{"Automatic", 1}};
constexpr std::array drag_mode_members{EnumMember{"None", 0}, EnumMember{"Manual", 1},
                                       EnumMember{"Automatic", 2}};
constexpr std::array link_mode_members{EnumMember{"None", 0}, EnumMember{"Manual", 1},
                                       EnumMember{"Automatic", 2}, EnumMember{"Notify", 3}};
constexpr std::array scroll_bar_members{EnumMember{"None", 0}, EnumMember{"Horizontal", 1},
                                        EnumMember{"Vertical", 2}, EnumMember{"Both", 3}};
constexpr std::array date_format_members{
    EnumMember{"MMDDYYYY", 0},       EnumMember{"MMMDDYYYY", 1},   EnumMember{"MMMDDYY", 2},
    EnumMember{"MMDDYYYYHHMMSS", 3}, EnumMember{"MMDDYYYYHHMM", 4}, EnumMember{"HHMM", 5},
    EnumMember{"HHMMSS", 6},         EnumMember{"MMYY", 7}};
constexpr std::array format_mask_members{EnumMember{"digit10", 0}, EnumMember{"digit7", 1},
                                         EnumMember{"digit11", 2}, EnumMember{"digit12", 3}};
constexpr std::array zip_format_members{EnumMember{"Zip5", 0}, EnumMember{"Zip4", 1},
                                        EnumMember{"Zip5Plus4", 2}};

constexpr std::array enums{
    EnumInfo{"AppearanceEnum", appearance_members},
    EnumInfo{"AlignmentEnum", alignment_members},
    EnumInfo{"BorderstyleEnum", borderstyle_members},
    EnumInfo{"AutoManualEnum", auto_manual_members},
    EnumInfo{"DragModeEnum", drag_mode_members},
    EnumInfo{"LinkModeEnum", link_mode_members},
    EnumInfo{"ScrollBarEnum", scroll_bar_members},
    EnumInfo{"DateFormatEnum", date_format_members},
    EnumInfo{"FormatMaskEnum", format_mask_members},
    EnumInfo{"ZipFormatEnum", zip_format_members},
};

// ---------------------------------------------------------------------------------------------
// Parameter lists shared by methods and events.

constexpr std::array pcase_params{Param{"psBuf", "String"}};
constexpr std::array key_code_params{Param{"KeyCode", "Integer"}, Param{"Shift", "Integer"}};
constexpr std::array key_ascii_params{Param{"KeyAscii", "Integer"}};

// ---------------------------------------------------------------------------------------------
// Descriptions. The pass-through members use the ordinary edit-box wording in every class that
// describes them; a few classes word a member their own way, kept beside the ordinary text.

namespace words {
constexpr std::string_view none = "";
constexpr std::string_view hwnd =
    "Returns a handle (from the windowing system) to an object's window.";
constexpr std::string_view hwnd_short = "Returns a handle to a form or control.";
constexpr std::string_view back_color =
    "Returns/sets the background color used to display text and graphics in an object.";
constexpr std::string_view fore_color =
    "Returns/sets the foreground color used to display text and graphics in an object.";
constexpr std::string_view enabled =
    "Returns/sets a value that determines whether an object can respond to user-generated "
    "events.";
constexpr std::string_view mouse_pointer =
    "Returns/sets the type of mouse pointer displayed when over part of an object.";
constexpr std::string_view mouse_icon = "Sets a custom mouse icon.";
constexpr std::string_view font = "Returns a Font object.";
constexpr std::string_view font_short = "Font Property";
constexpr std::string_view text = "Returns/sets the text contained in the control.";
constexpr std::string_view text_textbox = "Returns/sets the text in the textbox.";
constexpr std::string_view alignment =
    "Returns/sets the alignment of a CheckBox or OptionButton, or a control's text.";
constexpr std::string_view appearance =
    "Returns/sets whether or not an object is painted at run time with 3-D effects.";
constexpr std::string_view password_char =
    "Returns/sets a value that determines whether characters typed by a user or placeholder "
    "characters are displayed in a control.";
constexpr std::string_view sel_length = "Returns/sets the number of characters selected.";
constexpr std::string_view sel_start = "Returns/sets the starting point of text selected.";
constexpr std::string_view sel_text =
    "Returns/sets the string containing the currently selected text.";
constexpr std::string_view border_style = "Returns/sets the border style for an object.";
constexpr std::string_view link_item =
    "Returns/sets the data passed to a destination control in a DDE conversation with "
    "another application.";
constexpr std::string_view link_mode =
    "Returns/sets the type of link used for a DDE conversation and activates the connection.";
constexpr std::string_view link_timeout =
    "Returns/sets the amount of time a control waits for a response to a DDE message.";
constexpr std::string_view link_topic =
    "Returns/sets the source application and topic for a destination control.";
constexpr std::string_view locked = "Determines whether a control can be edited.";
constexpr std::string_view tool_tip_text =
    "Returns/sets the text displayed when the mouse is paused over the control.";
constexpr std::string_view scroll_bars =
    "Returns/sets a value indicating whether an object has vertical or horizontal scroll "
    "bars.";
constexpr std::string_view right_to_left =
    "Determines text display direction and control visual appearance on a bidirectional "
    "system.";
constexpr std::string_view ole_drag_mode =
    "Returns/Sets whether this object can act as an OLE drag/drop source, and whether this "
    "process is started automatically or under programmatic control.";
constexpr std::string_view ole_drag_mode_masked =
    "Returns/Sets whether this control can act as an OLE drag/drop source, and whether this "
    "process is started automatically or under programmatic control.";
constexpr std::string_view ole_drop_mode =
    "Returns/Sets whether this object can act as an OLE drop target, and whether this takes "
    "place automatically or under programmatic control.";
constexpr std::string_view ole_drop_mode_masked =
    "Returns/Sets whether this control can act as an OLE drop target.";
constexpr std::string_view multi_line =
    "Returns/sets a value that determines whether a control can accept multiple lines of "
    "text.";

constexpr std::string_view click =
    "Occurs when the user presses and then releases a mouse button over an object.";
constexpr std::string_view dbl_click =
    "Occurs when the user presses and releases a mouse button and then presses and releases "
    "it again over an object.";
constexpr std::string_view key_up =
    "Occurs when the user releases a key while an object has the focus.";
constexpr std::string_view key_down =
    "Occurs when the user presses a key while an object has the focus.";
constexpr std::string_view key_press = "Occurs when the user presses and releases an ANSI key.";
}  // namespace words

// The behaviour members are worded per class.
namespace text_words {
constexpr std::string_view max_chars =
    "Maximum number of chars which can be entered into the field";
constexpr std::string_view chars =
    "This field can be set to allow only a specific set of characters to be entered into the "
    "field";
constexpr std::string_view char_table =
    "These are additional characters which may be allowed to be entered into the field, it "
    "works in conjunction with the Chars property";
constexpr std::string_view value = "returns the value of the text in the box";
constexpr std::string_view focus_select =
    "if set to True, the Field will be Automatically selected on Got_Focus";
constexpr std::string_view escape_clear =
    "When set to True, the field will be cleared if the user presses the escape key";
}  // namespace text_words

namespace date_words {
constexpr std::string_view value = "contains the date value";
constexpr std::string_view focus_select =
    "determines whether the got focus event will automatically select all text in the box";
constexpr std::string_view escape_clear =
    "determines whether or not the escape key will clear the box";
constexpr std::string_view format_mask = "Contains the date format to show in the box";
constexpr std::string_view blink = "When set to True the field will Blink";
constexpr std::string_view blink_on_error =
    "When Set to True, the field will Blink on Lost_Focus if the user enter Invalid Data";
}  // namespace date_words

namespace telephone_words {
constexpr std::string_view value = "this is the raw telephone number";
constexpr std::string_view focus_select =
    "Determines whether or not the Got Focus will select all the text in the box";
constexpr std::string_view escape_clear =
    "Determines whether or not the Escape key will clear the box";
constexpr std::string_view format_mask =
    "This is the format of the telephone number which will appear in the box";
constexpr std::string_view blink = "When set to True the Field will Blink";
constexpr std::string_view blink_on_error =
    "When set to True, the field will blink on Lost_focus if the user enters Invalid Data";
}  // namespace telephone_words

namespace ssn_words {
constexpr std::string_view value = "Social Security number ";  // the trailing blank is published
constexpr std::string_view focus_select =
    "Determines whether or not Got Focus will select the text in the box";
constexpr std::string_view escape_clear =
    "Determines whether or not the Escape key will clear the box";
constexpr std::string_view blink = "When set to true the field will Blink";
constexpr std::string_view blink_on_error =
    "When True, the field will blink on lost_focus if then user enters invalid data";
}  // namespace ssn_words

// Shared by the currency and percent boxes, which publish the same interface.
namespace numeric_words {
constexpr std::string_view value = "the currency value of the text in the textbox";
constexpr std::string_view max_chars = "Max number of characters in the field";
constexpr std::string_view focus_select =
    "When set to true, the field will be automatically selected when on Got_Focus";
constexpr std::string_view escape_clear =
    "When set to True, the field will clear if the user presses the Escape key";
}  // namespace numeric_words

constexpr bool font_id = true;  // the accessor carries the standard font identifier

// ---------------------------------------------------------------------------------------------
// Default interfaces, one row per slot in slot order.

constexpr std::array text_slots{
    Slot{"MaxChars", Get, "Integer", text_words::max_chars},
    Slot{"MaxChars", Put, "Integer", text_words::max_chars},
    Slot{"hWnd", Get, "Long", words::hwnd},
    Slot{"BackColor", Get, "Colour", words::back_color},
    Slot{"BackColor", Put, "Colour", words::back_color},
    Slot{"ForeColor", Get, "Colour", words::fore_color},
    Slot{"ForeColor", Put, "Colour", words::fore_color},
    Slot{"Enabled", Get, "Boolean", words::enabled},
    Slot{"Enabled", Put, "Boolean", words::enabled},
    Slot{"MousePointer", Get, "Integer", words::mouse_pointer},
    Slot{"MousePointer", Put, "Integer", words::mouse_pointer},
    Slot{"MouseIcon", Get, "Picture", words::mouse_icon},
    Slot{"MouseIcon", PutRef, "Picture", words::mouse_icon},
    Slot{"Font", Get, "Font", words::font, font_id},
    Slot{"Font", PutRef, "Font", words::font, font_id},
    Slot{"Text", Get, "String", words::text},
    Slot{"Text", Put, "String", words::text},
    Slot{"Alignment", Get, "AlignmentEnum", words::alignment},
    Slot{"Appearance", Get, "AppearanceEnum", words::appearance},
    Slot{"PasswordChar", Get, "String", words::password_char},
    Slot{"PasswordChar", Put, "String", words::password_char},
    Slot{"SelLength", Get, "Long", words::sel_length},
    Slot{"SelLength", Put, "Long", words::sel_length},
    Slot{"SelStart", Get, "Long", words::sel_start},
    Slot{"SelStart", Put, "Long", words::sel_start},
    Slot{"SelText", Get, "String", words::sel_text},
    Slot{"SelText", Put, "String", words::sel_text},
    Slot{"Value", Get, "String", text_words::value},
    Slot{"Value", Put, "String", text_words::value},
    Slot{"Chars", Get, "Integer", text_words::chars},
    Slot{"Chars", Put, "Integer", text_words::chars},
    Slot{"BorderStyle", Get, "BorderstyleEnum", words::border_style},
    Slot{"LinkItem", Get, "String", words::link_item},
    Slot{"LinkItem", Put, "String", words::link_item},
    Slot{"LinkMode", Get, "LinkModeEnum", words::link_mode},
    Slot{"LinkMode", Put, "LinkModeEnum", words::link_mode},
    Slot{"LinkTimeout", Get, "Integer", words::link_timeout},
    Slot{"LinkTimeout", Put, "Integer", words::link_timeout},
    Slot{"LinkTopic", Get, "String", words::link_topic},
    Slot{"LinkTopic", Put, "String", words::link_topic},
    Slot{"Locked", Get, "Boolean", words::locked},
    Slot{"Locked", Put, "Boolean", words::locked},
    Slot{"ToolTipText", Get, "String", words::tool_tip_text},
    Slot{"ToolTipText", Put, "String", words::tool_tip_text},
    Slot{"ScrollBars", Get, "ScrollBarEnum", words::scroll_bars},
    Slot{"RightToLeft", Get, "Boolean", words::right_to_left},
    Slot{"RightToLeft", Put, "Boolean", words::right_to_left},
    Slot{"OLEDragMode", Get, "AutoManualEnum", words::ole_drag_mode},
    Slot{"OLEDragMode", Put, "AutoManualEnum", words::ole_drag_mode},
    Slot{"OLEDropMode", Get, "DragModeEnum", words::ole_drop_mode},
    Slot{"OLEDropMode", Put, "DragModeEnum", words::ole_drop_mode},
    Slot{"MultiLine", Get, "Boolean", words::multi_line},
    Slot{"CharTable", Get, "String", text_words::char_table},
    Slot{"CharTable", Put, "String", text_words::char_table},
    Slot{"FocusSelect", Get, "Boolean", text_words::focus_select},
    Slot{"FocusSelect", Put, "Boolean", text_words::focus_select},
    Slot{"EscapeClear", Get, "Boolean", text_words::escape_clear},
    Slot{"EscapeClear", Put, "Boolean", text_words::escape_clear},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"PCase", Method, "String", words::none, false, pcase_params},
    Slot{"Blink", Get, "Boolean", words::none},
    Slot{"Blink", Put, "Boolean", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

// The date box's Appearance writer sits early and its reader after Font: two entries.
constexpr std::array date_slots{
    Slot{"FocusSelect", Get, "Boolean", date_words::focus_select},
    Slot{"FocusSelect", Put, "Boolean", date_words::focus_select},
    Slot{"EscapeClear", Get, "Boolean", date_words::escape_clear},
    Slot{"EscapeClear", Put, "Boolean", date_words::escape_clear},
    Slot{"Text", Get, "String", words::text},
    Slot{"Text", Put, "String", words::text},
    Slot{"Appearance", Put, "AppearanceEnum", words::appearance},
    Slot{"Value", Get, "Variant", date_words::value},
    Slot{"Value", Put, "Variant", date_words::value},
    Slot{"Font", Get, "Font", words::font_short, font_id},
    Slot{"Font", PutRef, "Font", words::font_short, font_id},
    Slot{"Appearance", Get, "AppearanceEnum", words::appearance},
    Slot{"SelLength", Get, "Long", words::sel_length},
    Slot{"SelStart", Get, "Long", words::sel_start},
    Slot{"SelText", Get, "String", words::sel_text},
    Slot{"BackColor", Get, "Colour", words::back_color},
    Slot{"BackColor", Put, "Colour", words::back_color},
    Slot{"BorderStyle", Get, "BorderstyleEnum", words::border_style},
    Slot{"BorderStyle", Put, "BorderstyleEnum", words::border_style},
    Slot{"Enabled", Get, "Boolean", words::enabled},
    Slot{"Enabled", Put, "Boolean", words::enabled},
    Slot{"ForeColor", Get, "Colour", words::fore_color},
    Slot{"ForeColor", Put, "Colour", words::fore_color},
    Slot{"hWnd", Get, "Long", words::hwnd_short},
    Slot{"hWnd", Put, "Long", words::hwnd_short},
    Slot{"MouseIcon", Get, "Picture", words::mouse_icon},
    Slot{"MouseIcon", PutRef, "Picture", words::mouse_icon},
    Slot{"MousePointer", Get, "HostEnum", words::mouse_pointer},
    Slot{"MousePointer", Put, "HostEnum", words::mouse_pointer},
    Slot{"OLEDragMode", Get, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDragMode", Put, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDropMode", Get, "HostEnum", words::ole_drop_mode_masked},
    Slot{"OLEDropMode", Put, "HostEnum", words::ole_drop_mode_masked},
    Slot{"ToolTipText", Get, "String", words::tool_tip_text},
    Slot{"ToolTipText", Put, "String", words::tool_tip_text},
    Slot{"FormatMask", Get, "DateFormatEnum", date_words::format_mask},
    Slot{"FormatMask", Put, "DateFormatEnum", date_words::format_mask},
    Slot{"Blink", Get, "Boolean", date_words::blink},
    Slot{"Blink", Put, "Boolean", date_words::blink},
    Slot{"BlinkOnError", Get, "Boolean", date_words::blink_on_error},
    Slot{"BlinkOnError", Put, "Boolean", date_words::blink_on_error},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

// The telephone box's ForeColor reader and writer sit on either side of Font: two entries.
constexpr std::array telephone_slots{
    Slot{"Text", Get, "String", words::text},
    Slot{"Text", Put, "String", words::text},
    Slot{"Value", Get, "Variant", telephone_words::value},
    Slot{"Value", Put, "Variant", telephone_words::value},
    Slot{"FormatMask", Get, "FormatMaskEnum", telephone_words::format_mask},
    Slot{"FormatMask", Put, "FormatMaskEnum", telephone_words::format_mask},
    Slot{"Appearance", Get, "Integer", words::appearance},
    Slot{"SelLength", Get, "Long", words::sel_length},
    Slot{"SelStart", Get, "Long", words::sel_start},
    Slot{"SelText", Get, "String", words::sel_text},
    Slot{"BackColor", Get, "Colour", words::back_color},
    Slot{"BackColor", Put, "Colour", words::back_color},
    Slot{"BorderStyle", Get, "HostEnum", words::border_style},
    Slot{"BorderStyle", Put, "HostEnum", words::border_style},
    Slot{"Enabled", Get, "Boolean", words::enabled},
    Slot{"Enabled", Put, "Boolean", words::enabled},
    Slot{"ForeColor", Get, "Colour", words::fore_color},
    Slot{"Font", Get, "Font", words::none},
    Slot{"Font", PutRef, "Font", words::none},
    Slot{"ForeColor", Put, "Colour", words::fore_color},
    Slot{"hWnd", Get, "Long", words::hwnd_short},
    Slot{"hWnd", Put, "Long", words::hwnd_short},
    Slot{"OLEDragMode", Get, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDragMode", Put, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDropMode", Get, "HostEnum", words::ole_drop_mode_masked},
    Slot{"OLEDropMode", Put, "HostEnum", words::ole_drop_mode_masked},
    Slot{"ToolTipText", Get, "String", words::tool_tip_text},
    Slot{"ToolTipText", Put, "String", words::tool_tip_text},
    Slot{"FocusSelect", Get, "Boolean", telephone_words::focus_select},
    Slot{"FocusSelect", Put, "Boolean", telephone_words::focus_select},
    Slot{"EscapeClear", Get, "Boolean", telephone_words::escape_clear},
    Slot{"EscapeClear", Put, "Boolean", telephone_words::escape_clear},
    Slot{"Blink", Get, "Boolean", telephone_words::blink},
    Slot{"Blink", Put, "Boolean", telephone_words::blink},
    Slot{"BlinkOnError", Get, "Variant", telephone_words::blink_on_error},
    Slot{"BlinkOnError", Put, "Variant", telephone_words::blink_on_error},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

constexpr std::array ssn_slots{
    Slot{"FocusSelect", Get, "Boolean", ssn_words::focus_select},
    Slot{"FocusSelect", Put, "Boolean", ssn_words::focus_select},
    Slot{"EscapeClear", Get, "Boolean", ssn_words::escape_clear},
    Slot{"EscapeClear", Put, "Boolean", ssn_words::escape_clear},
    Slot{"Text", Get, "String", words::text},
    Slot{"Text", Put, "String", words::text},
    Slot{"Value", Get, "Variant", ssn_words::value},
    Slot{"Value", Put, "Variant", ssn_words::value},
    Slot{"hWnd", Get, "Long", words::hwnd},
    Slot{"BackColor", Get, "Colour", words::back_color},
    Slot{"BackColor", Put, "Colour", words::back_color},
    Slot{"ForeColor", Get, "Colour", words::fore_color},
    Slot{"ForeColor", Put, "Colour", words::fore_color},
    Slot{"Enabled", Get, "Boolean", words::enabled},
    Slot{"MousePointer", Get, "Integer", words::mouse_pointer},
    Slot{"MouseIcon", Get, "Picture", words::mouse_icon},
    Slot{"Font", Get, "Font", words::font, font_id},
    Slot{"Font", PutRef, "Font", words::font, font_id},
    Slot{"Appearance", Get, "Integer", words::appearance},
    Slot{"SelLength", Get, "Long", words::sel_length},
    Slot{"SelStart", Get, "Long", words::sel_start},
    Slot{"SelText", Get, "String", words::sel_text},
    Slot{"BorderStyle", Get, "HostEnum", words::border_style},
    Slot{"BorderStyle", Put, "HostEnum", words::border_style},
    Slot{"OLEDragMode", Get, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDragMode", Put, "HostEnum", words::ole_drag_mode_masked},
    Slot{"OLEDropMode", Get, "HostEnum", words::ole_drop_mode_masked},
    Slot{"OLEDropMode", Put, "HostEnum", words::ole_drop_mode_masked},
    Slot{"ToolTipText", Get, "String", words::tool_tip_text},
    Slot{"ToolTipText", Put, "String", words::tool_tip_text},
    Slot{"Blink", Get, "Boolean", ssn_words::blink},
    Slot{"Blink", Put, "Boolean", ssn_words::blink},
    Slot{"BlinkOnError", Get, "Boolean", ssn_words::blink_on_error},
    Slot{"BlinkOnError", Put, "Boolean", ssn_words::blink_on_error},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

// The ZIP box publishes no descriptions at all.
constexpr std::array zip_slots{
    Slot{"Text", Get, "String", words::none},
    Slot{"Text", Put, "String", words::none},
    Slot{"Value", Get, "Variant", words::none},
    Slot{"Value", Put, "Variant", words::none},
    Slot{"FormatMask", Get, "ZipFormatEnum", words::none},
    Slot{"FormatMask", Put, "ZipFormatEnum", words::none},
    Slot{"Font", Get, "Font", words::none},
    Slot{"Font", PutRef, "Font", words::none},
    Slot{"Appearance", Get, "Integer", words::none},
    Slot{"SelLength", Get, "Long", words::none},
    Slot{"SelStart", Get, "Long", words::none},
    Slot{"SelText", Get, "String", words::none},
    Slot{"BackColor", Get, "Colour", words::none},
    Slot{"BackColor", Put, "Colour", words::none},
    Slot{"BorderStyle", Get, "HostEnum", words::none},
    Slot{"BorderStyle", Put, "HostEnum", words::none},
    Slot{"Enabled", Get, "Boolean", words::none},
    Slot{"Enabled", Put, "Boolean", words::none},
    Slot{"ForeColor", Get, "Colour", words::none},
    Slot{"ForeColor", Put, "Colour", words::none},
    Slot{"hWnd", Get, "Long", words::none},
    Slot{"hWnd", Put, "Long", words::none},
    Slot{"OLEDragMode", Get, "HostEnum", words::none},
    Slot{"OLEDragMode", Put, "HostEnum", words::none},
    Slot{"OLEDropMode", Get, "HostEnum", words::none},
    Slot{"OLEDropMode", Put, "HostEnum", words::none},
    Slot{"ToolTipText", Get, "String", words::none},
    Slot{"ToolTipText", Put, "String", words::none},
    Slot{"FocusSelect", Get, "Boolean", words::none},
    Slot{"FocusSelect", Put, "Boolean", words::none},
    Slot{"EscapeClear", Get, "Boolean", words::none},
    Slot{"EscapeClear", Put, "Boolean", words::none},
    Slot{"Blink", Get, "Boolean", words::none},
    Slot{"Blink", Put, "Boolean", words::none},
    Slot{"BlinkOnError", Get, "Variant", words::none},
    Slot{"BlinkOnError", Put, "Variant", words::none},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"Zip_4", Get, "String", words::none},
    Slot{"Zip_4", Put, "String", words::none},
    Slot{"Zip_5", Get, "String", words::none},
    Slot{"Zip_5", Put, "String", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

// The currency and percent boxes share one interface layout and wording.
constexpr std::array numeric_slots{
    Slot{"Value", Get, "String", numeric_words::value},
    Slot{"Value", Put, "String", numeric_words::value},
    Slot{"MaxChars", Get, "Integer", numeric_words::max_chars},
    Slot{"MaxChars", Put, "Integer", numeric_words::max_chars},
    Slot{"Text", Get, "String", words::text_textbox},
    Slot{"Text", Put, "String", words::text_textbox},
    Slot{"hWnd", Get, "Long", words::hwnd},
    Slot{"BackColor", Get, "Colour", words::back_color},
    Slot{"BackColor", Put, "Colour", words::back_color},
    Slot{"ForeColor", Get, "Colour", words::fore_color},
    Slot{"ForeColor", Put, "Colour", words::fore_color},
    Slot{"Enabled", Get, "Boolean", words::enabled},
    Slot{"Enabled", Put, "Boolean", words::enabled},
    Slot{"MousePointer", Get, "Integer", words::mouse_pointer},
    Slot{"MousePointer", Put, "Integer", words::mouse_pointer},
    Slot{"MouseIcon", Get, "Picture", words::mouse_icon},
    Slot{"MouseIcon", PutRef, "Picture", words::mouse_icon},
    Slot{"Font", Get, "Font", words::font, font_id},
    Slot{"Font", PutRef, "Font", words::font, font_id},
    Slot{"Appearance", Get, "AppearanceEnum", words::appearance},
    Slot{"BorderStyle", Get, "BorderstyleEnum", words::border_style},
    Slot{"SelLength", Get, "Long", words::sel_length},
    Slot{"SelLength", Put, "Long", words::sel_length},
    Slot{"SelStart", Get, "Long", words::sel_start},
    Slot{"SelStart", Put, "Long", words::sel_start},
    Slot{"SelText", Get, "String", words::sel_text},
    Slot{"SelText", Put, "String", words::sel_text},
    Slot{"OLEDragMode", Get, "AutoManualEnum", words::ole_drag_mode},
    Slot{"OLEDragMode", Put, "AutoManualEnum", words::ole_drag_mode},
    Slot{"OLEDropMode", Get, "DragModeEnum", words::ole_drop_mode},
    Slot{"OLEDropMode", Put, "DragModeEnum", words::ole_drop_mode},
    Slot{"ToolTipText", Get, "String", words::tool_tip_text},
    Slot{"ToolTipText", Put, "String", words::tool_tip_text},
    Slot{"FocusSelect", Get, "Boolean", numeric_words::focus_select},
    Slot{"FocusSelect", Put, "Boolean", numeric_words::focus_select},
    Slot{"EscapeClear", Get, "Boolean", numeric_words::escape_clear},
    Slot{"EscapeClear", Put, "Boolean", numeric_words::escape_clear},
    Slot{"Blink", Get, "Boolean", words::none},
    Slot{"Blink", Put, "Boolean", words::none},
    Slot{"BlinkOnError", Get, "Boolean", words::none},
    Slot{"BlinkOnError", Put, "Boolean", words::none},
    Slot{"ReadOnly", Get, "Boolean", words::none},
    Slot{"ReadOnly", Put, "Boolean", words::none},
    Slot{"About", Put, "Boolean", words::none},
    Slot{"About", Get, "Boolean", words::none},
};

constexpr std::array custom_slots{
    Slot{"GetChars", Method, "Void", words::none},
};

// ---------------------------------------------------------------------------------------------
// Event interfaces, in declared order.

constexpr std::array text_events{
    EventInfo{"Click", {}, words::click},
    EventInfo{"DblClick", {}, words::dbl_click},
    EventInfo{"KeyUp", key_code_params, words::key_up},
    EventInfo{"Change", {}, words::none},
    EventInfo{"KeyDown", key_code_params, words::key_down},
    EventInfo{"KeyPress", key_ascii_params, words::key_press},
};

constexpr std::array masked_events{
    EventInfo{"KeyDown", key_code_params, words::none},
    EventInfo{"KeyPress", key_ascii_params, words::none},
    EventInfo{"KeyUp", key_code_params, words::none},
    EventInfo{"Change", {}, words::none},
    EventInfo{"Validate", {}, words::none},
};

constexpr std::array numeric_events{
    EventInfo{"KeyUp", key_code_params, words::key_up},
    EventInfo{"Change", {}, words::none},
    EventInfo{"KeyDown", key_code_params, words::key_down},
    EventInfo{"KeyPress", key_ascii_params, words::key_press},
};

// ---------------------------------------------------------------------------------------------

constexpr std::array classes{
    ClassInfo{"txtNorvText", "_txtNorvText", "__txtNorvText", ClassKind::Control, text_slots,
              text_events},
    ClassInfo{"txtNorvDate", "_txtNorvDate", "__txtNorvDate", ClassKind::Control, date_slots,
              masked_events},
    ClassInfo{"txtNorvTelephone", "_txtNorvTelephone", "__txtNorvTelephone", ClassKind::Control,
              telephone_slots, masked_events},
    ClassInfo{"txtNorvSocialSecurity", "_txtNorvSocialSecurity", "__txtNorvSocialSecurity",
              ClassKind::Control, ssn_slots, masked_events},
    ClassInfo{"txtNorvZip", "_txtNorvZip", "__txtNorvZip", ClassKind::Control, zip_slots,
              masked_events},
    ClassInfo{"txtNorvCurrency", "_txtNorvCurrency", "__txtNorvCurrency", ClassKind::Control,
              numeric_slots, numeric_events},
    ClassInfo{"txtNorvPercent", "_txtNorvPercent", "__txtNorvPercent", ClassKind::Control,
              numeric_slots, numeric_events},
    ClassInfo{"Custom", "_Custom", "", ClassKind::Page, custom_slots, {}},
};

constexpr TypeLibrary library{"NorvTextLib", "2.1", 0x409, enums, classes};

// ---------------------------------------------------------------------------------------------
// Text form.

std::string_view accessor_word(Accessor accessor) {
    switch (accessor) {
        case Get: return "get";
        case Put: return "put";
        case PutRef: return "putref";
        case Method: return "method";
    }
    return "?";
}

// Quoted with the script host's literal escapes, so every entry stays on one line.
void append_quoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    out += '"';
}

void append_params(std::string& out, std::span<const Param> params) {
    out += '(';
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (i > 0) out += ", ";
        out += params[i].name;
        out += ' ';
        out += params[i].type;
    }
    out += ')';
}

}  // namespace

const Slot* ClassInfo::find(std::string_view member, Accessor accessor) const {
    for (const Slot& slot : slots) {
        if (slot.member == member && slot.accessor == accessor) return &slot;
    }
    return nullptr;
}

bool ClassInfo::has_member(std::string_view member) const {
    for (const Slot& slot : slots) {
        if (slot.member == member) return true;
    }
    return false;
}

int ClassInfo::entry_number(std::size_t slot_index) const {
    if (slot_index >= slots.size()) {
        throw std::out_of_range("entry_number: slot index past the end of " +
                                std::string(name));
    }
    int entry = 0;
    for (std::size_t i = 0; i <= slot_index; ++i) {
        // A new member starts a new entry; accessors that sit apart are separate entries.
        if (i == 0 || slots[i].member != slots[i - 1].member) ++entry;
    }
    return entry;
}

const ClassInfo* TypeLibrary::find_class(std::string_view class_name) const {
    for (const ClassInfo& info : classes) {
        if (info.name == class_name) return &info;
    }
    return nullptr;
}

const EnumInfo* TypeLibrary::find_enum(std::string_view enum_name) const {
    for (const EnumInfo& info : enums) {
        if (info.name == enum_name) return &info;
    }
    return nullptr;
}

const TypeLibrary& type_library() { return library; }

std::string typelib_text(const TypeLibrary& lib) {
    std::string out;
    char lcid[16];
    std::snprintf(lcid, sizeof lcid, "0x%x", static_cast<unsigned>(lib.lcid));
    out += "library ";
    out += lib.name;
    out += ' ';
    out += lib.version;
    out += ' ';
    out += lcid;
    out += '\n';

    for (const EnumInfo& info : lib.enums) {
        out += "enum ";
        out += info.name;
        for (const EnumMember& member : info.members) {
            out += ' ';
            out += member.name;
            out += '=';
            out += std::to_string(member.value);
        }
        out += '\n';
    }

    for (const ClassInfo& info : lib.classes) {
        out += "class ";
        out += info.name;
        out += ' ';
        out += info.default_interface;
        out += ' ';
        out += info.event_interface.empty() ? std::string_view("-") : info.event_interface;
        out += info.kind == ClassKind::Page ? " page\n" : " control\n";

        for (std::size_t i = 0; i < info.slots.size(); ++i) {
            const Slot& slot = info.slots[i];
            out += "slot ";
            out += info.name;
            out += ' ';
            out += std::to_string(info.entry_number(i));
            out += ' ';
            out += slot.member;
            out += ' ';
            out += accessor_word(slot.accessor);
            out += ' ';
            out += slot.type;
            if (slot.accessor == Method) append_params(out, slot.params);
            if (slot.standard_font_id) out += " id=-512";
            out += ' ';
            append_quoted(out, slot.description);
            out += '\n';
        }

        for (std::size_t i = 0; i < info.events.size(); ++i) {
            const EventInfo& event = info.events[i];
            out += "event ";
            out += info.name;
            out += ' ';
            out += std::to_string(i + 1);
            out += ' ';
            out += event.name;
            if (!event.params.empty()) append_params(out, event.params);
            out += ' ';
            append_quoted(out, event.description);
            out += '\n';
        }
    }
    return out;
}

}  // namespace norvtext
