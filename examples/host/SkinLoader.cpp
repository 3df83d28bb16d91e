#include "SkinLoader.h"

#include <QDir>
#include <QPluginLoader>

#include "app/CPluginFactoryInterface.h"

bool LoadToolSkin(const QString &directory, const QString &skinName)
{
    const QDir dir(directory);
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &fileName : files) {
        QPluginLoader loader(dir.filePath(fileName));
        auto *factory = qobject_cast<CPluginFactoryInterface *>(loader.instance());
        if (factory && factory->keys().contains(skinName))
            return factory->create(skinName);
        loader.unload();
    }
    return false;
}
