// norvtext-script's `page` commands: the property page Custom shown on a headless frame for
// some of the script's controls, and worked by the script as a developer would.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace norvtext {
class Custom;
class Dispatch;
}  // namespace norvtext

namespace norvtext::headless {
class MemoryForm;
class MemoryPageFrame;
}  // namespace norvtext::headless

namespace norvtext::script {

class PageCommands {
public:
    // A control by its script name; raises ScriptError when there is none.
    using Controls = std::function<Dispatch&(const std::string& name)>;

    PageCommands(std::ostream& out, headless::MemoryForm& form);
    ~PageCommands();

    // One `page` line as words, "page" first, quoted words with their quotes:
    //   page open NAME [NAME ...] | click BOX | type FIELD "TEXT" | blur FIELD | apply | show
    void run(const std::vector<std::string>& words, int line, const Controls& control);

private:
    std::ostream& out_;
    headless::MemoryForm& form_;
    // The page refers to its frame: it is declared after it so that it goes first.
    std::unique_ptr<headless::MemoryPageFrame> frame_;
    std::unique_ptr<Custom> page_;
};

}  // namespace norvtext::script
