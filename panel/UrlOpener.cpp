#include "UrlOpener.h"

#include <QDesktopServices>

namespace {

std::function<bool(const QUrl &)> &testOpener()
{
    static std::function<bool(const QUrl &)> opener;
    return opener;
}

} // namespace

namespace UrlOpener {

bool Open(const QUrl &url)
{
    if (testOpener())
        return testOpener()(url);
    return QDesktopServices::openUrl(url);
}

void SetOpenerForTest(std::function<bool(const QUrl &)> opener)
{
    testOpener() = std::move(opener);
}

} // namespace UrlOpener
