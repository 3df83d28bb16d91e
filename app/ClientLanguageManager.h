// The language registry: the languages whose translations could be loaded,
// and the choice among them that the configuration makes.
#pragma once

#include <vector>

#include <QString>

class ClientConfigManager;
class ClientLanguageProperty;

// Language entry index for the Translator and VersionType settings.
int LanguageIndexFor(int translator, int versionType);

class ClientLanguageManager
{
public:
    // Builds the entries 0 to 3 from the translations below appDirSlash.
    explicit ClientLanguageManager(const QString &appDirSlash);
    ~ClientLanguageManager();
    ClientLanguageManager(const ClientLanguageManager &) = delete;
    ClientLanguageManager &operator=(const ClientLanguageManager &) = delete;

    // The one process-wide registry over the application directory.
    static ClientLanguageManager *Instance();

    // The entry the process-wide configuration selects; never null.
    ClientLanguageProperty *Current() const;
    ClientLanguageProperty *Current(const ClientConfigManager &config) const;

    // The entry with the index, or null when it was not built.
    ClientLanguageProperty *Find(int index) const;
    int Count() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<ClientLanguageProperty *> m_entries;
};
