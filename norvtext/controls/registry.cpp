// The list of control classes.
#include "norvtext/controls/registry.hpp"

#include <array>

#include "norvtext/controls/currency/currency_box.hpp"
#include "norvtext/controls/percent/percent_box.hpp"
#include "norvtext/controls/date/date_box.hpp"
#include "norvtext/controls/ssn/ssn_box.hpp"
#include "norvtext/controls/telephone/telephone_box.hpp"
#include "norvtext/controls/text/text_box.hpp"
#include "norvtext/controls/zip/zip_box.hpp"

namespace norvtext {

namespace {
template <class Box>
std::unique_ptr<BoxBase> make(Host& host) {
    return std::make_unique<Box>(host);
}

// Every class is first placed at a plain edit box's size.
constexpr std::int32_t initial_width = 1980;  // twips
constexpr std::int32_t initial_height = 330;

constexpr std::array classes{
    ControlClass{"txtNorvText", initial_width, initial_height, &make<txtNorvText>},
    ControlClass{"txtNorvDate", initial_width, initial_height, &make<txtNorvDate>},
    ControlClass{"txtNorvTelephone", initial_width, initial_height, &make<txtNorvTelephone>},
    ControlClass{"txtNorvSocialSecurity", initial_width, initial_height, &make<txtNorvSocialSecurity>},
    ControlClass{"txtNorvZip", initial_width, initial_height, &make<txtNorvZip>},
    ControlClass{"txtNorvCurrency", initial_width, initial_height, &make<txtNorvCurrency>},
    ControlClass{"txtNorvPercent", initial_width, initial_height, &make<txtNorvPercent>},
};
}  // namespace

std::span<const ControlClass> control_classes() { return classes; }

const ControlClass* find_control_class(std::string_view name) { return find_named(classes, name); }

}  // namespace norvtext
