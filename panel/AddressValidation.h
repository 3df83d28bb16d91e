// Acceptance rules for typed addresses. Each takes the text with surrounding
// white space already removed.
#pragma once

#include <QString>

bool IsValidIPv4Address(const QString &text);
// An IPv4 address, or exactly "0.0.0.0" (no gateway).
bool IsValidGateway(const QString &text);
// One of the masks /0 to /31 in dotted form.
bool IsValidSubnetMask(const QString &text);
// An IPv6 address, with or without a zone suffix.
bool IsValidIPv6Address(const QString &text);
