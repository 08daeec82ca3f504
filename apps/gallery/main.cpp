// norvtext-gallery: the seven controls on one Qt form.
//   norvtext-gallery [--load FORM.json] [--screenshot PATH]
// With --screenshot the gallery fills every box as a user would, writes a picture of the
// window to PATH and quits (QT_QPA_PLATFORM=offscreen needs no display).
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QTextStream>

#include "apps/gallery/gallery_window.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("norvtext-gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The NorvText controls on one form"));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Fill every box, write a picture of the window and quit."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption load(QStringLiteral("load"), QStringLiteral("Load a saved form."), QStringLiteral("FORM"));
    parser.addOptions({screenshot, load});
    parser.process(app);

    norvtext::qt::GalleryWindow window;
    if (parser.isSet(load) && !window.load_from(parser.value(load))) return 1;
    window.show();
    window.activateWindow();
    if (!parser.isSet(screenshot)) return QApplication::exec();

    QTextStream err(stderr);
    // A window's first activation arrives through the event loop; focus events need it.
    const QDeadlineTimer deadline(5000);
    while (!window.isActiveWindow() && !deadline.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.isActiveWindow()) {
        err << "norvtext-gallery: the window never became active\n";
        return 1;
    }
    window.fill_sample_entries();
    const QString path = parser.value(screenshot);
    if (!window.grab().save(path)) {
        err << "norvtext-gallery: cannot write " << path << '\n';
        return 1;
    }
    QTextStream(stdout) << "gallery screenshot: " << path << '\n';
    return 0;
}
