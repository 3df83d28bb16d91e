// Opens URLs and documents in the desktop's browser or viewer. Tests replace
// the opener so that nothing is ever launched from a test.
#pragma once

#include <functional>

#include <QUrl>

namespace UrlOpener {

bool Open(const QUrl &url);

// Replaces QDesktopServices::openUrl until reset with an empty function.
void SetOpenerForTest(std::function<bool(const QUrl &)> opener);

} // namespace UrlOpener
