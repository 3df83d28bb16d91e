#include "DefaultSkinPlugin.h"

#include <QResource>

extern const unsigned char vrel_default_skin_data[];

namespace {
const QString kSkinName = QStringLiteral("default");
}

DefaultSkinPlugin::DefaultSkinPlugin(QObject *parent)
    : QObject(parent)
{
}

DefaultSkinPlugin::~DefaultSkinPlugin()
{
    if (m_bRegistered)
        QResource::unregisterResource(vrel_default_skin_data);
}

QStringList DefaultSkinPlugin::keys() const
{
    return {kSkinName};
}

bool DefaultSkinPlugin::create(const QString &name)
{
    if (name != kSkinName)
        return false;
    if (!m_bRegistered)
        m_bRegistered = QResource::registerResource(vrel_default_skin_data);
    return m_bRegistered;
}
