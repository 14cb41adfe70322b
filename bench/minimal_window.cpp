// The yardstick for the program's start: a Qt Widgets program that shows one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    return app.exec();
}
