#include "CKelmoApplication.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPluginLoader>
#include <QScreen>
#include <QTranslator>

#include "app/AppEnvironment.h"
#include "app/AppPaths.h"
#include "app/CKelmoStyle.h"
#include "app/CPluginFactoryInterface.h"
#include "app/ClientConfig.h"
#include "app/ClientConfigManager.h"
#include "app/SingleInstance.h"
#include "widgets/CWarnDlg.h"

namespace {
const int kMinWidth = 1024;
const int kMinHeight = 768;
} // namespace

CKelmoApplication::CKelmoApplication(int &argc, char **argv, QString key)
    : QApplication(argc, argv)
    , m_strKey(std::move(key))
{
    // Only a confirmed close of the main window ends the program.
    setQuitOnLastWindowClosed(false);
    InitFont();
    InitEnvironment();
    InitSkin();
    InitStyle();
    InitSingleInstance();
}

CKelmoApplication::~CKelmoApplication()
{
    ClientConfigManager::Instance()->Clear();
}

void CKelmoApplication::InitFont()
{
    QFont font(QStringLiteral("Arial"), 9);
    font.setStyleHint(QFont::Helvetica, QFont::PreferAntialias);
    QApplication::setFont(font);
}

void CKelmoApplication::InitEnvironment()
{
    PrepareAppEnvironment();

    QFont tipFont;
    tipFont.setPointSize(10);
    QApplication::setFont(tipFont, "CToolLabel");
}

void CKelmoApplication::InitSkin()
{
    const ClientConfig *skin = ClientConfigManager::Instance()->Find(ConfigSkin);
    if (!skin)
        return;
    LoadSkinPlugin(skin->Value(), ApplicationDirSlash() + QStringLiteral("/plugins/skins/"));
}

void CKelmoApplication::InitStyle()
{
    setStyle(new CKelmoStyle);
    QString sheet;
    const QStringList names = {QStringLiteral("VREL.qss")};
    for (const QString &name : names) {
        QFile file(QStringLiteral(":/KelmoDesk/Qss/Qss/") + name);
        if (file.open(QIODevice::ReadOnly))
            sheet += QString::fromLatin1(file.readAll());
    }
    setStyleSheet(sheet);
}

void CKelmoApplication::InitSingleInstance()
{
    m_sharedMemory.setKey(m_strKey);
    if (m_sharedMemory.attach()) {
        if (!IsOnlyAttachment(m_sharedMemory)) {
            m_bRunning = true;
            return;
        }
        // Left behind by an instance that was killed: nobody holds it any
        // more, so drop it and start as the first instance.
        m_sharedMemory.detach();
    }
    m_bRunning = false;
    if (!m_sharedMemory.create(1))
        qDebug() << "Unable to create single instance.";
}

bool CKelmoApplication::IsRunning()
{
    if (m_bRunning) {
        CWarnDlg dlg(nullptr);
        dlg.ShowInfo(tr("VREL"), tr("Software is already running."));
    }
    return m_bRunning;
}

bool CKelmoApplication::IsBelowMinimumResolution(const QSize &screenSize)
{
    return screenSize.width() < kMinWidth || screenSize.height() < kMinHeight;
}

bool CKelmoApplication::IsResolutionTooLow()
{
    QScreen *screen = primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    if (!IsBelowMinimumResolution(size))
        return false;
    CWarnDlg dlg(nullptr);
    dlg.ShowInfo(tr("VREL"), tr("The least resolution is 1024*768."));
    return true;
}

bool CKelmoApplication::LoadSkinPlugin(const QString &skinName, const QString &directory)
{
    const QDir dir(directory);
    const QStringList files = dir.entryList(QDir::Files, QDir::NoSort);
    for (const QString &fileName : files) {
        const QString path = QDir::cleanPath(directory + QLatin1Char('/') + fileName);
        QPluginLoader loader(path);
        if (loader.isLoaded())
            return true;
        if (!loader.load())
            continue;
        QObject *root = loader.instance();
        if (!root) {
            loader.unload();
            continue;
        }
        auto *factory = qobject_cast<CPluginFactoryInterface *>(root);
        if (!factory)
            continue;
        if (factory->keys().contains(skinName))
            return factory->create(skinName);
        loader.unload();
    }
    return false;
}
