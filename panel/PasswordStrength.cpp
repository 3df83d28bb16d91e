#include "PasswordStrength.h"

#include <QByteArray>

PasswordLevel PasswordStrength(const QString &password)
{
    const QByteArray bytes = password.toLatin1();
    if (bytes.size() < 8)
        return 0;
    bool digit = false, upper = false, lower = false, special = false;
    for (char c : bytes) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c >= 'A' && c <= 'Z')
            upper = true;
        else if (c >= 'a' && c <= 'z')
            lower = true;
        else
            special = true;
    }
    const int kinds = int(digit) + int(upper) + int(lower) + int(special);
    if (kinds <= 1)
        return 0;
    if (kinds >= 3)
        return 3;
    if (digit && (upper || lower))
        return 1;
    return 2;
}
