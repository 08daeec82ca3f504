// The library's About box on Qt: a small modal dialog built afresh from the About box's
// contents on every opening.
#pragma once

#include <QDialog>

#include "norvtext/foundation/about_box.hpp"

namespace norvtext::qt {

// Its parts carry the names the About box gives them (Picture1, Label2, Label3, Label4,
// Command1), so that a test or a style sheet can find them.
class AboutDialog : public QDialog {
public:
    AboutDialog(const AboutBox& about, QWidget* parent);
};

}  // namespace norvtext::qt
