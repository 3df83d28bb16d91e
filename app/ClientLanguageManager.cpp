#include "ClientLanguageManager.h"

#include <memory>

#include <QTranslator>

#include "AppPaths.h"
#include "ClientConfigManager.h"
#include "ClientLanguageProperty.h"
#include "Zenu_Guard.h"

namespace {

const char *const kLoadingImages[] = {
    ":images/Loading_bg_English.png",
    ":images/Loading_bg_Chinese.png",
    ":images/Loading_bg_English_Vexa.png",
    ":images/Loading_bg_Chinese_Vexa.png",
};

bool IsChinese(int index)
{
    return index == 1 || index == 3;
}

// Null when the Chinese translation cannot be loaded: that language is then
// not offered.
ClientLanguageProperty *BuildEntry(int index, const QString &appDirSlash)
{
    auto entry = std::make_unique<ClientLanguageProperty>();
    entry->SetIndex(index);
    auto *first = new QTranslator;
    auto *second = new QTranslator;
    bool loaded = true;
    if (IsChinese(index)) {
        loaded = first->load(appDirSlash + QStringLiteral("translations/VREL_zh.qm"));
        if (loaded)
            entry->SetLocale(QLocale(QLocale::Chinese, QLocale::China));
    } else {
        // Without the English file the interface shows its source texts.
        const bool english = first->load(appDirSlash + QStringLiteral("translations/VREL_en.qm"));
        Q_UNUSED(english);
        entry->SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    entry->LoadLoadingImage(QLatin1String(kLoadingImages[index]));
    entry->SetTranslators(first, second);
    if (!loaded)
        return nullptr;
    return entry.release();
}

} // namespace

int LanguageIndexFor(int translator, int versionType)
{
    if (translator == 0)
        return versionType != 0 ? 0 : 2;
    if (translator == 1)
        return versionType != 0 ? 1 : 3;
    return translator;
}

ClientLanguageManager::ClientLanguageManager(const QString &appDirSlash)
{
    for (int index = 0; index < 4; ++index) {
        if (ClientLanguageProperty *entry = BuildEntry(index, appDirSlash))
            m_entries.push_back(entry);
    }
}

ClientLanguageManager::~ClientLanguageManager()
{
    for (ClientLanguageProperty *entry : m_entries)
        delete entry;
}

ClientLanguageManager *ClientLanguageManager::Instance()
{
    static Zenu_Mutex s_mutex;
    static std::unique_ptr<ClientLanguageManager> s_instance;
    if (!s_instance) {
        Zenu_Guard guard(&s_mutex);
        if (!s_instance)
            s_instance.reset(new ClientLanguageManager(ApplicationDirSlash()));
        guard.Release();
    }
    return s_instance.get();
}

ClientLanguageProperty *ClientLanguageManager::Current() const
{
    return Current(*ClientConfigManager::Instance());
}

ClientLanguageProperty *ClientLanguageManager::Current(const ClientConfigManager &config) const
{
    const int index = LanguageIndexFor(config.IntValue(ConfigTranslator),
                                       config.IntValue(ConfigVersionType));
    if (ClientLanguageProperty *entry = Find(index))
        return entry;
    return Find(0);
}

ClientLanguageProperty *ClientLanguageManager::Find(int index) const
{
    for (ClientLanguageProperty *entry : m_entries) {
        if (entry->Index() == index)
            return entry;
    }
    return nullptr;
}
