#pragma once

#include <QString>

// Adds one device to a command's summary: the first device starts it with
// the sentence and "ID:", every further one adds only its ID text.
void AddToSummary(QString &summary, const QString &sentence, const QString &idText);
