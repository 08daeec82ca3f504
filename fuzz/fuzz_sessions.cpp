// libFuzzer target for whole editing sessions: the input picks one of the seven controls and
// is read as a run of user edits (typing, keys, paste, drop, input-method text, cut, copy,
// undo, redo, selections, focus) and program writes, on the headless host. After every step
// a masked box's text must fit its mask, and every few steps a loaded copy must save the
// same bag as a copy loaded from that save. Errors a writer raises are expected; anything
// else, or a sanitizer report, is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "norvtext/controls/registry.hpp"
#include "norvtext/foundation/key_codes.hpp"
#include "norvtext/foundation/mask_rules.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/platform/error.hpp"
#include "norvtext/services/form_value.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace {

using namespace norvtext;

void check(bool condition) {
    if (!condition) std::abort();
}

// The input, read from the front; past its end every read gives 0.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() { return size ? (--size, *data++) : 0; }
    bool more() const { return size > 0; }
    // Characters the boxes treat differently: digits, letters, the number and mask symbols,
    // a blank, a line break, a non-ASCII letter, and any code unit now and then.
    char16_t character() {
        static constexpr std::u16string_view alphabet = u"0123456789aAzZpPmM-.,$%/:() \n\u00e4";
        const std::uint8_t b = byte();
        if (b < 250) return alphabet[b % alphabet.size()];
        return static_cast<char16_t>(byte() << 8 | byte());
    }
    std::u16string text() {
        std::u16string t(byte() % 24, u'\0');
        for (char16_t& c : t) c = character();
        return t;
    }
};

constexpr std::int16_t keys_pressed[] = {keys::Backspace, keys::Delete, keys::Left, keys::Right,
                                         keys::Home,      keys::End,    keys::Escape, keys::NumpadDecimal};
constexpr std::string_view members_written[] = {"Text", "Value", "SelText", "ReadOnly", "MaxChars",
                                                "FormatMask", "Chars", "CharTable", "EscapeClear"};

services::MemoryPropertyBag saved(BoxBase& box) {
    services::MemoryPropertyBag bag;
    bag.begin_save();
    box.WriteProperties(bag);
    return bag;
}

// A control loaded from `bag`, on a form of its own.
struct Loaded {
    headless::MemoryForm form;
    headless::MemoryHost host{form, "copy"};
    std::unique_ptr<BoxBase> box;
    Loaded(const ControlClass& cls, services::MemoryPropertyBag& bag) : box(cls.create(host)) { box->ReadProperties(bag); }
};

// Loading shows a half-typed entry in its settled form (a ZIP "2____" as "00002") and puts
// the caret at the start, so the first load may change what the next save writes; from
// there on, save -> load -> save must write the same bag.
void check_round_trip(const ControlClass& cls, BoxBase& box) {
    services::MemoryPropertyBag first = saved(box);
    Loaded once(cls, first);
    services::MemoryPropertyBag second = saved(*once.box);
    Loaded twice(cls, second);
    const services::MemoryPropertyBag third = saved(*twice.box);
    check(second.entries().size() == third.entries().size());
    for (std::size_t i = 0; i < second.entries().size(); ++i) {
        check(second.entries()[i].key == third.entries()[i].key);
        check(services::identical(second.entries()[i].value, third.entries()[i].value));
    }
}

void check_mask(BoxBase& box) {
    const auto* masked = dynamic_cast<const MaskedEditBox*>(&box.textbox());
    if (!masked) return;
    const MaskRules rules{masked->mask(), MaskRules::prompt_of(masked->member(InnerMember::PromptChar))};
    check(rules.fits_text(masked->text()));
}

void step(Input& in, headless::MemoryForm& form, BoxBase& box, headless::SimulatedUser& user) {
    switch (in.byte() % 16) {
        case 0:
        case 1: {
            const char16_t c = in.character();
            user.type(c, 0, 0);
            break;
        }
        case 2: user.press(keys_pressed[in.byte() % std::size(keys_pressed)], 0, 0); break;
        case 3: {
            const std::int16_t letter = "CXVZY"[in.byte() % 5];
            const std::int16_t shift = in.byte() % 2 ? keys::CtrlMask : keys::CtrlMask | keys::ShiftMask;
            user.press(letter, shift, static_cast<std::int16_t>(letter - 'A' + 1));
            break;
        }
        case 4: form.clipboard = in.text(), user.paste(); break;
        case 5: user.drop(in.text()); break;
        case 6: user.input_method_commit(in.text()); break;
        case 7: in.byte() % 2 ? user.undo() : user.redo(); break;
        case 8: user.cut(); break;
        case 9: user.copy(); break;
        case 10: {
            const std::int32_t start = in.byte() % 24;
            user.user_select(start, in.byte() % 24);
            break;
        }
        case 11: user.got_focus(); break;
        case 12: user.lost_focus(); break;
        case 13: {
            const std::string_view member = members_written[in.byte() % std::size(members_written)];
            const std::uint8_t kind = in.byte();
            const Variant value = kind % 3 == 0 ? Variant(static_cast<std::int16_t>(in.byte() % 40))
                                  : kind % 3 == 1 ? Variant(kind > 128)
                                                  : Variant(in.text());
            try {
                box.put(member, value);
            } catch (const Error&) {
                // A refused value is the writer's answer; the box must still be sound.
            }
            break;
        }
        default: break;  // the round trip, below
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const auto classes = control_classes();
    const ControlClass& cls = classes[in.byte() % classes.size()];
    headless::MemoryForm form;
    headless::MemoryHost host(form, "box");
    const std::unique_ptr<BoxBase> box = cls.create(host);
    box->InitProperties();
    headless::SimulatedUser& user = *host.user();
    for (int n = 0; in.more() && n < 400; ++n) {
        step(in, form, *box, user);
        check_mask(*box);
        if (n % 16 == 15) check_round_trip(cls, *box);
        form.transcript.clear();
    }
    check_round_trip(cls, *box);
    return 0;
}
