// The stand-alone application object: fonts, plug-in path, configuration and
// translations, skin, style and style sheet, and the one-instance guard.
#pragma once

#include <QApplication>
#include <QSharedMemory>
#include <QString>

class CKelmoApplication : public QApplication
{
    Q_OBJECT

public:
    CKelmoApplication(int &argc, char **argv, QString key);
    ~CKelmoApplication() override;

    // True when another instance holds the key; says so first.
    bool IsRunning();
    // True when the primary screen is below 1024 x 768; says so first.
    bool IsResolutionTooLow();

    // Applies the skin from the first plug-in in directory that offers it.
    static bool LoadSkinPlugin(const QString &skinName, const QString &directory);
    static bool IsBelowMinimumResolution(const QSize &screenSize);

private:
    void InitFont();
    void InitEnvironment();
    void InitSkin();
    void InitStyle();
    void InitSingleInstance();

    bool m_bRunning = false;
    QString m_strKey;
    QSharedMemory m_sharedMemory;
};
