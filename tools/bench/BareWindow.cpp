// The floor of the start-up benchmark: the least a Qt widgets program does to
// show a window. QUORVANE_BENCH_BARE_SIZE=<width>x<height> gives it that size,
// to tell what a window of the program's size costs by itself.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("A bare Qt window"));
    const QList<QByteArray> size = qgetenv("QUORVANE_BENCH_BARE_SIZE").split('x');
    if (size.size() == 2)
        label.setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    label.show();
    return application.exec();
}
