// The yardstick of the cold start: an empty Qt widgets window, built like the editor.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
