// A currency box on the headless host: typed, left, and read back through late binding.
#include <cstdio>

#include "norvtext/controls/registry.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/platform/utf8.hpp"

int main() {
    norvtext::headless::MemoryForm form;
    norvtext::headless::MemoryHost host(form, "txtAmount");
    auto box = norvtext::find_control_class("txtNorvCurrency")->create(host);
    box->InitProperties();
    host.user()->got_focus();
    for (const char16_t c : std::u16string_view(u"1234.5")) host.user()->type(c, 0, 0);
    host.user()->lost_focus();
    const std::string text = norvtext::to_utf8(box->get("Text").to_string());
    const std::string value = norvtext::to_utf8(box->get("Value").to_string());
    std::printf("Text %s, Value %s\n", text.c_str(), value.c_str());
    return text == "$1,234.50" && value == "1234.5" ? 0 : 1;
}
