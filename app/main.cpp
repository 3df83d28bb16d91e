// Temporary entry point: the application object and the main window replace
// it as soon as the device panel is part of the tree.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("VREL"));
    placeholder.resize(1024, 768);
    placeholder.show();
    return app.exec();
}
