// The floor of the start-up benchmark: the least a Qt widgets program does to
// show a window.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    label.show();
    return application.exec();
}
