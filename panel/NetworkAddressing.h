// Addresses for several devices changed at once.
#pragma once

#include <QString>

// The address of the n-th selected device (n from 0), counting up from base.
// While the fourth part plus n stays within 255 only that part changes; past
// it the count carries into the third part and on upwards, skipping host
// part 0, so that every device gets a distinct, valid address. A null string
// when the count runs past 255.255.255.255 or base is not a dotted address.
QString NextIpAddress(const QString &base, int n);
