// The default skin: its images and style sheet live in a resource blob that
// is registered when the skin is applied and dropped with the plug-in.
#pragma once

#include <QObject>

#include "app/CPluginFactoryInterface.h"

class DefaultSkinPlugin : public QObject, public CPluginFactoryInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID CPluginFactoryInterface_iid)
    Q_INTERFACES(CPluginFactoryInterface)

public:
    explicit DefaultSkinPlugin(QObject *parent = nullptr);
    ~DefaultSkinPlugin() override;

    QStringList keys() const override;
    bool create(const QString &name) override;

private:
    bool m_bRegistered = false;
};
