// norvtext-script's interpreter: creates controls on a headless form, plays the host and
// the user, and prints what the controls do, one line per happening.
#pragma once

#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "apps/script/page_commands.hpp"
#include "norvtext/foundation/box_base.hpp"
#include "norvtext/headless/memory_host.hpp"
#include "norvtext/services/memory_property_bag.hpp"

namespace norvtext::script {

// A line that cannot be parsed: the run stops with exit status 2.
struct ScriptError : std::runtime_error {
    ScriptError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

class ScriptHost {
public:
    explicit ScriptHost(std::ostream& out) : out_(out) {
        form_.on_line = [this](const std::string& line) { out_ << line << '\n'; };
    }

    // Runs a whole script; raises ScriptError for a line that cannot be parsed.
    void run(std::istream& in) {
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) run_line(line, number);
    }
    void run_line(std::string_view line, int line_number);

private:
    // A control's box is declared after its host, so that it goes first.
    struct Control {
        std::unique_ptr<headless::MemoryHost> host;
        std::unique_ptr<BoxBase> box;
    };
    struct Line;
    struct Command;

    // The command of that name, or nullptr.
    static const Command* find_command(std::string_view name);
    Control& control(const std::string& name, int line) {
        auto it = controls_.find(name);
        if (it == controls_.end()) throw ScriptError(line, "no control named " + name);
        return it->second;
    }
    services::MemoryPropertyBag& bag(const std::string& name, int line);
    void add_control(const std::string& class_name, const std::string& name, bool first_placement, int line);
    void save(Control& c, const std::string& name, services::MemoryPropertyBag& bag);
    void blur(const std::string& name);
    // Prints the control as assistive technology sees it, and its notifications from then on.
    void print_accessible(const std::string& name, Control& c);

    std::ostream& out_;
    headless::MemoryForm form_;
    std::map<std::string, Control> controls_;
    std::map<std::string, services::MemoryPropertyBag> bags_;
    std::string focused_;
    PageCommands page_{out_, form_};
};

}  // namespace norvtext::script
