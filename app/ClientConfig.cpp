#include "ClientConfig.h"

ClientConfig::ClientConfig(const QString &name, const QString &value)
    : m_strName(name)
    , m_strValue(value)
{
}

ClientConfig::~ClientConfig() = default;
