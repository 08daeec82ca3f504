// The gallery: one form with all seven controls, an event log that shows everything they
// tell their host as it happens, Save/Load of the form and the page Custom.
#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace norvtext::qt {

class ControlWidget;

class GalleryWindow : public QWidget {
public:
    GalleryWindow();


    // Types a sample entry into every box, moving the focus from box to box as a user
    // would, so that each box shows its formatted result.
    void fill_sample_entries();

    bool save_to(const QString& path);
    bool load_from(const QString& path);

private:
    void log(const QString& line);
    void watch(ControlWidget* control);
    // Logs `done` or `failed` by the action's result, or `refused` with the error it raised.
    bool logged(const QString& done, const QString& failed, const QString& refused, const std::function<bool()>& action);
    // Asks for the file to save to or load from.
    void file_clicked(bool save);

    std::vector<ControlWidget*> controls_;
    QPlainTextEdit* log_ = nullptr;
    ControlWidget* page_target_ = nullptr;
};

}  // namespace norvtext::qt
