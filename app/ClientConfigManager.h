// The configuration registry: the entries of Setup.xml in reading order.
#pragma once

#include <vector>

#include <QString>

class ClientConfig;

enum ConfigKey {
    ConfigTranslator = 0,
    ConfigLogLevel = 1,
    ConfigVersionType = 2,
    ConfigSkin = 3,
};

// The element name a key stands for; empty for an unknown key.
QString ConfigKeyName(int key);

class ClientConfigManager
{
public:
    ClientConfigManager();
    ~ClientConfigManager();
    ClientConfigManager(const ClientConfigManager &) = delete;
    ClientConfigManager &operator=(const ClientConfigManager &) = delete;

    // The one process-wide registry, created on first use.
    static ClientConfigManager *Instance();

    // Appends the entries of a configuration file; false when it cannot be
    // opened. Entries of an earlier load stay in front.
    bool Load(const QString &path);
    // The first entry read for the key, or null.
    const ClientConfig *Find(int key) const;
    void Clear();

    // The key's value as a base-10 number; 0 when absent or not a number.
    int IntValue(int key) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    const ClientConfig *At(int i) const { return m_entries.at(static_cast<size_t>(i)); }

private:
    std::vector<ClientConfig *> m_entries;
};
