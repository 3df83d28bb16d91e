// A skin plug-in for the loader tests: offers the skins named at build time
// and records on the application object which one it applied.
#include <QCoreApplication>
#include <QObject>
#include <QVariant>

#include "app/CPluginFactoryInterface.h"

class TestSkinPlugin : public QObject, public CPluginFactoryInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID CPluginFactoryInterface_iid)
    Q_INTERFACES(CPluginFactoryInterface)

public:
    QStringList keys() const override
    {
        QCoreApplication::instance()->setProperty("testSkinAsked",
            QCoreApplication::instance()->property("testSkinAsked").toInt() + 1);
        return QString::fromUtf8(TEST_SKIN_KEYS).split(QLatin1Char(','));
    }

    bool create(const QString &name) override
    {
        QCoreApplication::instance()->setProperty("testSkinCreated", name);
        return true;
    }
};

#include "TestSkinPlugin.moc"
