// The script host's `page` commands over the page Custom and a headless frame.
#include "apps/script/page_commands.hpp"

#include "apps/script/script_host.hpp"
#include "apps/script/value_text.hpp"
#include "norvtext/controls/text/custom_page.hpp"
#include "norvtext/headless/memory_page_frame.hpp"

namespace norvtext::script {

namespace {

const Custom::MemberInfo& page_member(const std::string& name, Custom::Kind kind, int line) {
    const Custom::MemberInfo* m = Custom::find_member(name);
    if (!m || m->kind != kind)
        throw ScriptError(line, "page: no " + std::string(kind == Custom::Kind::CheckBox ? "check box" : "text field") +
                                    " named " + name);
    return *m;
}

}  // namespace

PageCommands::PageCommands(std::ostream& out, headless::MemoryForm& form) : out_(out), form_(form) {}

PageCommands::~PageCommands() = default;

void PageCommands::run(const std::vector<std::string>& w, int line, const Controls& control) {
    if (w.size() < 2) throw ScriptError(line, "page: expected open, click, type, blur, apply or show");
    const std::string& cmd = w[1];
    auto need = [&](std::size_t count) {
        if (w.size() != count)
            throw ScriptError(line, "page " + cmd + ": expected " + std::to_string(count - 2) + " argument(s)");
    };

    if (cmd == "open") {
        if (w.size() < 3) throw ScriptError(line, "page open: expected NAME [NAME ...]");
        std::vector<Dispatch*> selection;
        for (std::size_t i = 2; i < w.size(); ++i) selection.push_back(&control(w[i]));
        page_.reset();
        frame_ = std::make_unique<headless::MemoryPageFrame>(form_);
        page_ = std::make_unique<Custom>(*frame_);
        frame_->show(*page_, std::move(selection));
        return;
    }
    if (!page_) throw ScriptError(line, "page: no page is open");

    if (cmd == "click") {
        need(3);
        page_->click(page_member(w[2], Custom::Kind::CheckBox, line).member);
    } else if (cmd == "type") {
        need(4);
        const Custom::MemberInfo& field = page_member(w[2], Custom::Kind::TextField, line);
        page_->edit(field.member, unquote(w[3], line));
    } else if (cmd == "blur") {
        need(3);
        page_->lost_focus(page_member(w[2], Custom::Kind::TextField, line).member);
    } else if (cmd == "apply") {
        need(2);
        frame_->apply();
    } else if (cmd == "show") {
        need(2);
        for (const Custom::MemberInfo& m : Custom::members()) {
            const std::string shown = m.kind == Custom::Kind::TextField ? quote(page_->text(m.member))
                                      : page_->ticked(m.member)         ? "ticked"
                                                                        : "unticked";
            out_ << "page." << m.name << " = " << shown << '\n';
        }
    } else {
        throw ScriptError(line, "page: unknown command " + cmd);
    }
}

}  // namespace norvtext::script
