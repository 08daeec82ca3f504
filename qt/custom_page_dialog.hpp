// The property page Custom in a Qt dialog with OK, Apply and Cancel: the page's check
// boxes and fields laid out from its own geometry, the user's clicks and edits forwarded
// to the page model, and its writes handed to a writer the host chooses (a designer
// writes through its undoable form-window cursor).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include <QDialog>

#include "norvtext/controls/text/custom_page.hpp"
#include "norvtext/foundation/property_page_frame.hpp"

class QPushButton;

namespace norvtext::qt {

class ControlWidget;

// The classes a designer offers the page for: the general text box for all its fields, the
// date and social security boxes for FocusSelect and EscapeClear.
bool offers_custom_page(std::string_view class_name);

class CustomPageDialog : public QDialog, private PropertyPageFrame {
    Q_OBJECT

public:
    // Writes one member of one selected control; the page has checked and converted the
    // value by the member's type already.
    using Writer = std::function<void(ControlWidget& control, std::string_view member, const Variant& value)>;

    // Without a writer, the page writes through the control's own late binding.
    CustomPageDialog(std::vector<ControlWidget*> selection, QWidget* parent, Writer writer = {});
    ~CustomPageDialog() override;

    // The dialog's widget for a page member (a QCheckBox or a QLineEdit).
    QWidget* field(Custom::Member member) const { return fields_.at(member); }
    QPushButton* applyButton() const { return apply_; }

    // Apply: the page writes its values; the mark is cleared.
    void apply() {
        page_->ApplyChanges();
        changed_ = false;
        refresh();
    }

private:
    class Proxy;

    // PropertyPageFrame
    std::span<Dispatch* const> selected_controls() const override { return selected_; }
    void mark_changed() override;
    const Locale& locale() const override;

    // Shows the page's state in the widgets.
    void refresh();

    std::vector<ControlWidget*> controls_;
    std::vector<std::unique_ptr<Proxy>> proxies_;
    std::vector<Dispatch*> selected_;
    Writer writer_;
    // The page refers to this frame and goes before it.
    std::unique_ptr<Custom> page_;
    std::map<Custom::Member, QWidget*> fields_;
    QPushButton* apply_ = nullptr;
    // The page holds edits not applied yet (Apply is offered).
    bool changed_ = false;
};

}  // namespace norvtext::qt
