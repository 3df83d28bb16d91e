#include "AppEnvironment.h"

#include <QCoreApplication>

#include "AppPaths.h"
#include "ClientConfigManager.h"
#include "ClientLanguageManager.h"
#include "ClientLanguageProperty.h"

void PrepareAppEnvironment()
{
    QCoreApplication::addLibraryPath(
        QStringLiteral("%1%2plugins").arg(QCoreApplication::applicationDirPath(), QStringLiteral("/")));
    ClientConfigManager::Instance()->Load(ResolveAppPath(QStringLiteral("Setup.xml")));

    const ClientLanguageProperty *language = ClientLanguageManager::Instance()->Current();
    QCoreApplication::installTranslator(language->FirstTranslator());
    QCoreApplication::installTranslator(language->SecondTranslator());
}
