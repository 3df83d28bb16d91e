#pragma once

#include <QString>

// 0: not acceptable, 1 weak, 2 medium, 3 strong.
using PasswordLevel = int;

// Eight or more Latin-1 bytes of at least two kinds (digits, upper-case,
// lower-case, other); digits with one letter case rate weak, three or more
// kinds strong, every other pair medium.
PasswordLevel PasswordStrength(const QString &password);
