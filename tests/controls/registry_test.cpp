// Every published class can be created by name, and every member its type library entry
// publishes is bound: reading never answers "doesn't support this property".
#include <gtest/gtest.h>

#include "norvtext/controls/registry.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/platform/error.hpp"

namespace norvtext {
namespace {

TEST(ControlRegistry, EveryPublishedControlIsCreatableAndBindsEveryReader) {
    int controls = 0;
    for (const ClassInfo& info : type_library().classes) {
        if (info.kind != ClassKind::Control) continue;
        ++controls;
        SCOPED_TRACE(std::string(info.name));
        const ControlClass* cls = find_control_class(info.name);
        ASSERT_NE(cls, nullptr);
        headless::MemoryForm form;
        headless::MemoryHost host{form, "c"};
        auto box = cls->create(host);
        box->InitProperties();
        form.transcript.clear();
        EXPECT_EQ(&box->class_info(), &info);
        for (const Slot& slot : info.slots) {
            if (slot.accessor != Accessor::Get || slot.member == "About") continue;
            SCOPED_TRACE(std::string(slot.member));
            try {
                box->get(slot.member);
            } catch (const Error& e) {
                ADD_FAILURE() << "error " << e.number() << ' ' << e.what();
            }
        }
        for (const std::string& line : form.transcript)
            EXPECT_EQ(line.find("changed"), std::string::npos) << "a reader announced: " << line;
    }
    EXPECT_EQ(controls, 7);
}

}  // namespace
}  // namespace norvtext
