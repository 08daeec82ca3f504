// norvtext-screen-grab PATH [WIDTHxHEIGHT]: writes a picture of the screen of the current X
// display (its top-left part when a size is given), for pictures of Designer running under
// a virtual display.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    // The whole screen is -1 x -1.
    const QStringList size = argc == 3 ? QString::fromLocal8Bit(argv[2]).split(u'x') : QStringList{"-1", "-1"};
    const int width = size.value(0).toInt();
    const int height = size.value(1).toInt();
    if (argc < 2 || argc > 3 || size.size() != 2 || (argc == 3 && (width <= 0 || height <= 0))) {
        QTextStream(stderr) << "usage: norvtext-screen-grab PATH [WIDTHxHEIGHT]\n";
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, width, height);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "norvtext-screen-grab: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
