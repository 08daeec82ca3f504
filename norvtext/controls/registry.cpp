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

constexpr std::array classes{
    ControlClass{"txtNorvText", txtNorvText::initial_width, txtNorvText::initial_height, &make<txtNorvText>},
    ControlClass{"txtNorvDate", txtNorvDate::initial_width, txtNorvDate::initial_height, &make<txtNorvDate>},
    ControlClass{"txtNorvTelephone", txtNorvTelephone::initial_width, txtNorvTelephone::initial_height, &make<txtNorvTelephone>},
    ControlClass{"txtNorvSocialSecurity", txtNorvSocialSecurity::initial_width, txtNorvSocialSecurity::initial_height, &make<txtNorvSocialSecurity>},
    ControlClass{"txtNorvZip", txtNorvZip::initial_width, txtNorvZip::initial_height, &make<txtNorvZip>},
    ControlClass{"txtNorvCurrency", txtNorvCurrency::initial_width, txtNorvCurrency::initial_height, &make<txtNorvCurrency>},
    ControlClass{"txtNorvPercent", txtNorvPercent::initial_width, txtNorvPercent::initial_height, &make<txtNorvPercent>},
};
}  // namespace

std::span<const ControlClass> control_classes() { return classes; }

const ControlClass* find_control_class(std::string_view name) {
    for (const ControlClass& c : classes)
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace norvtext
