#include "ClientConfigManager.h"

#include <memory>

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>

#include "ClientConfig.h"
#include "Zenu_Guard.h"

namespace {

const char *const kKeyNames[] = {"Translator", "LogLevel", "VersionType", "Skin"};

bool IsKnownKey(QStringView name)
{
    for (const char *known : kKeyNames) {
        if (name == QLatin1String(known))
            return true;
    }
    return false;
}

} // namespace

QString ConfigKeyName(int key)
{
    if (key < 0 || key >= static_cast<int>(std::size(kKeyNames)))
        return QString();
    return QLatin1String(kKeyNames[key]);
}

ClientConfigManager::ClientConfigManager() = default;

ClientConfigManager::~ClientConfigManager()
{
    Clear();
}

ClientConfigManager *ClientConfigManager::Instance()
{
    static Zenu_Mutex s_mutex;
    static std::unique_ptr<ClientConfigManager> s_instance;
    if (!s_instance) {
        Zenu_Guard guard(&s_mutex);
        if (!s_instance)
            s_instance.reset(new ClientConfigManager);
        guard.Release();
    }
    return s_instance.get();
}

bool ClientConfigManager::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "No file to read...";
        return false;
    }

    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() == QLatin1String("Configs"))
            continue;

        auto *entry = new ClientConfig(xml.name().toString(), QString());
        if (IsKnownKey(xml.name())) {
            // The value is the text of the next Value element, wherever it is.
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("Value"))
                    entry->SetValue(xml.readElementText());
                if (xml.isEndElement() && xml.name() == QLatin1String("Value"))
                    break;
            }
        }
        m_entries.push_back(entry);
    }
    file.close();
    return true;
}

const ClientConfig *ClientConfigManager::Find(int key) const
{
    const QString name = ConfigKeyName(key);
    if (name.isEmpty())
        return nullptr;
    for (const ClientConfig *entry : m_entries) {
        if (entry->Name() == name)
            return entry;
    }
    return nullptr;
}

void ClientConfigManager::Clear()
{
    for (ClientConfig *entry : m_entries)
        delete entry;
    m_entries.clear();
}

int ClientConfigManager::IntValue(int key) const
{
    const ClientConfig *entry = Find(key);
    if (!entry)
        return 0;
    bool ok = false;
    const int value = entry->Value().toInt(&ok, 10);
    return ok ? value : 0;
}
