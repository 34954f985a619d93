// The floor to compare the sidebar's start-up with: a bare Qt widgets window
// of the sidebar's size, shown at once.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline Window"));
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window.resize(217, 600);
    window.show();
    return QApplication::exec();
}
