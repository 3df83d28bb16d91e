// One supported language: its translation, locale and loading image.
#pragma once

#include <QLocale>
#include <QPixmap>
#include <QPointer>
#include <QTranslator>

class ClientLanguageProperty
{
public:
    ClientLanguageProperty();
    virtual ~ClientLanguageProperty();
    ClientLanguageProperty(const ClientLanguageProperty &) = delete;
    ClientLanguageProperty &operator=(const ClientLanguageProperty &) = delete;

    int Index() const { return m_nIndex; }
    void SetIndex(int index) { m_nIndex = index; }

    QLocale Locale() const { return m_locale; }
    void SetLocale(const QLocale &locale) { m_locale = locale; }

    // The entry owns both translators from here on.
    void SetTranslators(QTranslator *first, QTranslator *second);
    QTranslator *FirstTranslator() const { return m_pFirstTranslator; }
    QTranslator *SecondTranslator() const { return m_pSecondTranslator; }

    const QPixmap &LoadingImage() const { return m_loadingImage; }
    void LoadLoadingImage(const QString &path) { m_loadingImage.load(path); }

private:
    int m_nIndex = -1;
    QLocale m_locale;
    QPointer<QTranslator> m_pFirstTranslator;
    QPointer<QTranslator> m_pSecondTranslator;
    QPixmap m_loadingImage;
};
