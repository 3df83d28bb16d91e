#include "ConnectionString.h"

#include <cctype>

namespace xlsodbc {

namespace {

std::string Trim(const std::string &s)
{
    size_t b = 0;
    size_t e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::string Upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Reads one value starting at text[i]; stops after the ";" that ends it.
std::string ReadValue(const std::string &text, size_t &i)
{
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string value;
    if (i < text.size() && text[i] == '{') {
        ++i;
        while (i < text.size()) {
            if (text[i] == '}') {
                if (i + 1 < text.size() && text[i + 1] == '}') {
                    value.push_back('}');
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            value.push_back(text[i++]);
        }
        while (i < text.size() && text[i] != ';')
            ++i;
    } else if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const char quote = text[i++];
        while (i < text.size() && text[i] != quote)
            value.push_back(text[i++]);
        if (i < text.size())
            ++i;
        while (i < text.size() && text[i] != ';')
            ++i;
    } else {
        while (i < text.size() && text[i] != ';')
            value.push_back(text[i++]);
        value = Trim(value);
    }
    if (i < text.size() && text[i] == ';')
        ++i;
    return value;
}

bool ReadBool(const std::string &value, bool *result)
{
    const std::string v = Upper(Trim(value));
    if (v == "1" || v == "TRUE" || v == "YES") {
        *result = true;
        return true;
    }
    if (v == "0" || v == "FALSE" || v == "NO") {
        *result = false;
        return true;
    }
    return false;
}

} // namespace

std::map<std::string, std::string> ParseConnectionString(const std::string &text)
{
    std::map<std::string, std::string> keys;
    std::string lastKey;
    size_t i = 0;
    while (i < text.size()) {
        const size_t semi = text.find(';', i);
        const size_t eq = text.find('=', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            // No "=" before the next ";": the piece belongs to the value before.
            const size_t end = semi == std::string::npos ? text.size() : semi;
            const std::string piece = text.substr(i, end - i);
            if (!lastKey.empty() && !Trim(piece).empty())
                keys[lastKey] += ";" + Trim(piece);
            i = end == text.size() ? end : end + 1;
            continue;
        }
        const std::string key = Upper(Trim(text.substr(i, eq - i)));
        i = eq + 1;
        const std::string value = ReadValue(text, i);
        if (!key.empty()) {
            keys[key] = value;
            lastKey = key;
        }
    }
    return keys;
}

bool ReadConnectionOptions(const std::map<std::string, std::string> &keys,
                           ConnectionOptions *options, std::string *reason)
{
    auto it = keys.find("DBQ");
    if (it == keys.end() || it->second.empty()) {
        *reason = "The connection string names no workbook (DBQ).";
        return false;
    }
    options->path = it->second;

    it = keys.find("CREATE_DB");
    if (it != keys.end()) {
        options->createRequested = true;
        options->createName = it->second;
        if (options->createName.empty()) {
            *reason = "CREATE_DB names no file.";
            return false;
        }
    }
    it = keys.find("FIRSTROWHASNAMES");
    if (it != keys.end() && !ReadBool(it->second, &options->firstRowHasNames)) {
        *reason = "FIRSTROWHASNAMES must be 0 or 1.";
        return false;
    }
    it = keys.find("READONLY");
    if (it != keys.end() && !ReadBool(it->second, &options->readOnly)) {
        *reason = "READONLY must be TRUE or FALSE.";
        return false;
    }
    return true;
}

} // namespace xlsodbc
