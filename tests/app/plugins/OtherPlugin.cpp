// A Qt plug-in of some other kind: its root object is no skin factory.
#include <QObject>
#include <QtPlugin>

class OtherPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.example.NotASkin")
};

#include "OtherPlugin.moc"
