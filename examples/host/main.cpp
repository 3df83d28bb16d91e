// A host program that embeds the device tool: it loads the tool's module at
// run time, shows the tool inside its own window and feeds it devices of its
// own. The application object and the event loop are the host's.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include "HostWindow.h"
#include "SkinLoader.h"
#include "ToolModule.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vrel-embed-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the device tool inside a host window."));
    parser.addHelpOption();
    const QCommandLineOption moduleOption(QStringLiteral("module"),
                                          QStringLiteral("The tool's module (default: APT_VREL next to this program)."),
                                          QStringLiteral("file"));
    const QCommandLineOption noTitleOption(QStringLiteral("no-title"), QStringLiteral("Hide the tool's title bar."));
    const QCommandLineOption compactOption(QStringLiteral("compact"), QStringLiteral("Start with the compact look."));
    const QCommandLineOption feedOption(QStringLiteral("feed"), QStringLiteral("Feed the host's devices at once."));
    const QCommandLineOption countOption(QStringLiteral("count"), QStringLiteral("How many devices the host has (12)."),
                                         QStringLiteral("n"), QStringLiteral("12"));
    const QCommandLineOption noSkinOption(QStringLiteral("no-skin"),
                                          QStringLiteral("Leave the tool unskinned (no skin plug-in)."));
    parser.addOptions({moduleOption, noTitleOption, compactOption, feedOption, countOption, noSkinOption});
    parser.process(app);

    const QString appDir = QCoreApplication::applicationDirPath();
    const QString moduleFile = parser.isSet(moduleOption) ? parser.value(moduleOption)
                                                          : appDir + QStringLiteral("/APT_VREL");
    ToolModule tool;
    if (!tool.Load(moduleFile)) {
        QMessageBox::critical(nullptr, QStringLiteral("Embedding host"), tool.ErrorString());
        return 1;
    }
    // The embedded tool loads no skin of its own; this host gives it the
    // default one, the images its style sheets name.
    if (!parser.isSet(noSkinOption))
        LoadToolSkin(appDir + QStringLiteral("/plugins/skins"), QStringLiteral("default"));

    HostWindow window(tool, qBound(1, parser.value(countOption).toInt(), 250));
    window.show();
    if (!window.ShowTool(!parser.isSet(noTitleOption)))
        return 1;
    if (parser.isSet(compactOption))
        window.SetFullLook(false);
    if (parser.isSet(feedOption))
        window.FeedDevices();
    return app.exec();
}
