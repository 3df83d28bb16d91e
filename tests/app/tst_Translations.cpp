// The compiled translations: both load, and the Chinese one translates every
// text the program's sources hold today.
#include <QFile>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct SourceText
{
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
};

QList<SourceText> ReadExtracted(const QString &path)
{
    QList<SourceText> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&file);
    QString context;
    SourceText current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                current = {context, QString(), QString(),
                           xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")};
            else if (xml.name() == QLatin1String("source"))
                current.source = xml.readElementText();
            else if (xml.name() == QLatin1String("comment"))
                current.comment = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            texts.append(current);
        }
    }
    return texts;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void bothLanguagesLoad();
    void everyTextHasAChineseTranslation();
    void chineseKeepsPlaceholders();
};

void tst_Translations::bothLanguagesLoad()
{
    for (const char *name : {"VREL_en.qm", "VREL_zh.qm"}) {
        QTranslator translator;
        QVERIFY2(translator.load(QStringLiteral(TRANSLATIONS_DIR "/") + QLatin1String(name)), name);
    }
    QTranslator zh;
    QVERIFY(zh.load(QStringLiteral(TRANSLATIONS_DIR "/VREL_zh.qm")));
    QCOMPARE(zh.language(), QStringLiteral("zh_CN"));
    QCOMPARE(zh.translate("CAPT_VRELMainWnd", "Sure to close software"), QStringLiteral("确定要关闭软件吗？"));
}

void tst_Translations::everyTextHasAChineseTranslation()
{
    const QList<SourceText> texts = ReadExtracted(QStringLiteral(EXTRACTED_TS));
    QVERIFY2(texts.size() > 10, "the sources' texts could not be extracted");
    QTranslator zh;
    QVERIFY(zh.load(QStringLiteral(TRANSLATIONS_DIR "/VREL_zh.qm")));

    QStringList missing;
    for (const SourceText &text : texts) {
        const QString translated = zh.translate(text.context.toUtf8().constData(), text.source.toUtf8().constData(),
                                                text.comment.isEmpty() ? nullptr : text.comment.toUtf8().constData(),
                                                text.numerus ? 2 : -1);
        if (translated.isEmpty())
            missing << text.context + QStringLiteral(": ") + text.source;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("untranslated:\n") + missing.join(QLatin1Char('\n'))));
}

void tst_Translations::chineseKeepsPlaceholders()
{
    const QList<SourceText> texts = ReadExtracted(QStringLiteral(EXTRACTED_TS));
    QTranslator zh;
    QVERIFY(zh.load(QStringLiteral(TRANSLATIONS_DIR "/VREL_zh.qm")));
    for (const SourceText &text : texts) {
        const QString translated = zh.translate(text.context.toUtf8().constData(), text.source.toUtf8().constData(),
                                                text.comment.isEmpty() ? nullptr : text.comment.toUtf8().constData(),
                                                text.numerus ? 2 : -1);
        if (translated.isEmpty())
            continue;
        for (const char *marker : {"%1", "%2", "%n"}) {
            if (text.source.contains(QLatin1String(marker)))
                QVERIFY2(translated.contains(QLatin1String(marker)), qPrintable(text.source));
        }
    }
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_Translations.moc"
