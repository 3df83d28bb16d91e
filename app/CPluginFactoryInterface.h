// The interface a skin plug-in's root object implements.
#pragma once

#include <QString>
#include <QStringList>
#include <QtPlugin>

class CPluginFactoryInterface
{
public:
    virtual ~CPluginFactoryInterface() = default;
    // The names of the skins the plug-in offers.
    virtual QStringList keys() const = 0;
    // Applies the named skin; true on success.
    virtual bool create(const QString &name) = 0;
};

#define CPluginFactoryInterface_iid "com.CPluginFactoryInterface"
Q_DECLARE_INTERFACE(CPluginFactoryInterface, CPluginFactoryInterface_iid)
