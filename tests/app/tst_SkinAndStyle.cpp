// The skin loader, the default skin and the application style.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPluginLoader>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>

#include "app/CAPT_VRELMainWnd.h"
#include "app/CKelmoApplication.h"
#include "app/CKelmoStyle.h"
#include "app/CWindowTitle.h"
#include "widgets/CPushButton.h"
#include "widgets/CWarnDlg.h"

namespace {

QString PluginIn(const QString &folder)
{
    const QDir dir(QStringLiteral(TEST_SKINS_DIR "/") + folder);
    const QStringList files = dir.entryList(QDir::Files);
    return files.isEmpty() ? QString() : dir.filePath(files.first());
}

bool CopyInto(const QString &from, const QTemporaryDir &dir, const QString &name)
{
    return !from.isEmpty() && QFile::copy(from, dir.filePath(name));
}

int CountPaintedPixels(const QImage &image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) != 0;
    return painted;
}

// Every image and style sheet the program and its forms name.
const char *const kSkinResources[] = {
    ":/KelmoDesk/Qss/Qss/VREL.qss",
    ":/images/About.png", ":/images/Help.png", ":/images/excel.png",
    ":/images/AjustFocus/SepHide.png", ":/images/AjustFocus/SepShow.png",
    ":/images/ButtonIcon/green.png", ":/images/ButtonIcon/grey.png", ":/images/ButtonIcon/red.png",
    ":/images/ButtonIcon/yellow.png", ":/images/ButtonIcon/infor_24.png",
    ":/images/ButtonIcon/menu_info.png", ":/images/ButtonIcon/menu_search.png",
    ":/images/ButtonIcon/refresh.png",
    ":/images/Dialog/dialog_bg.png", ":/images/Dialog/dialog_bg2.png",
    ":/images/MainView/frame_gap.png",
    ":/images/Tab/SubTabSelect.png", ":/images/Tab/SubTabUnselect.png", ":/images/Tab/Subtab_bg.png",
    ":/images/Tab/TabSelect.png", ":/images/Tab/TabUnselect.png", ":/images/Tab/tab_bg.png",
    ":/images/public/CheckBox/PartiallyCheckBox.png", ":/images/public/CheckBox/checkbox.png",
    ":/images/public/CheckBox/uncheckbox.png",
    ":/images/title/VRELEye.png", ":/images/title/back.png", ":/images/title/back_hover.png",
    ":/images/title/close.png", ":/images/title/close_hover.png", ":/images/title/full-screen.png",
    ":/images/title/full-screen_hover.png", ":/images/title/mini.png", ":/images/title/mini_hover.png",
    ":/images/title/title_bg.png",
    ":images/ControlPanel/ListView-hover.png",
    ":images/Loading_bg_Chinese.png", ":images/Loading_bg_Chinese_Vexa.png",
    ":images/Loading_bg_English.png", ":images/Loading_bg_English_Vexa.png",
};

} // namespace

class tst_SkinAndStyle : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void emptySkinNameIsSearchedToo();
    void skippedFilesAndUnofferedSkins();
    void pluginWithoutInterfaceIsSkipped();
    void alreadyLoadedLibraryCountsAsSuccess();

    void defaultSkinSuppliesEveryResource();
    void defaultSkinFrameImagesFitTheirBorders();
    void skinnedMainWindowKeepsItsTitleBar();

    void noFocusRectangles();
    void selectedItemShowsSkinImage();
    void styledPanelHasNoFrame();
    void metricsAndRectangles();
};

void tst_SkinAndStyle::init()
{
    qApp->setProperty("testSkinCreated", QVariant());
    qApp->setProperty("testSkinAsked", 0);
}

void tst_SkinAndStyle::emptySkinNameIsSearchedToo()
{
    QTemporaryDir dir;
    QVERIFY(CopyInto(PluginIn(QStringLiteral("TestSkinBlue")), dir, QStringLiteral("libblue.so")));
    QVERIFY(CKelmoApplication::LoadSkinPlugin(QString(), dir.path() + QStringLiteral("//")));
    QCOMPARE(qApp->property("testSkinCreated").toString(), QString());
    QVERIFY(qApp->property("testSkinCreated").isValid());
}

void tst_SkinAndStyle::skippedFilesAndUnofferedSkins()
{
    QTemporaryDir dir;
    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a library\n");
    notes.close();
    QVERIFY(CopyInto(QStringLiteral(ZENU_LIBRARY), dir, QStringLiteral("libplain.so")));
    QDir().mkpath(dir.filePath(QStringLiteral("subfolder")));

    QVERIFY(!CKelmoApplication::LoadSkinPlugin(QStringLiteral("blue"), dir.path()));
    QVERIFY(!CKelmoApplication::LoadSkinPlugin(QString(), dir.path()));

    QVERIFY(CopyInto(PluginIn(QStringLiteral("TestSkinBlue")), dir, QStringLiteral("libblue.so")));
    // Names compare case-sensitively; a plug-in that does not offer the skin
    // is let go again.
    QVERIFY(!CKelmoApplication::LoadSkinPlugin(QStringLiteral("Blue"), dir.path()));
    QVERIFY(!qApp->property("testSkinCreated").isValid());
    QVERIFY(!QPluginLoader(dir.filePath(QStringLiteral("libblue.so"))).isLoaded());

    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("blue"), dir.path()));
    QCOMPARE(qApp->property("testSkinCreated").toString(), QStringLiteral("blue"));
    QVERIFY(QPluginLoader(dir.filePath(QStringLiteral("libblue.so"))).isLoaded());

    QVERIFY(!CKelmoApplication::LoadSkinPlugin(QStringLiteral("blue"), dir.filePath(QStringLiteral("missing"))));
}

void tst_SkinAndStyle::pluginWithoutInterfaceIsSkipped()
{
    QTemporaryDir dir;
    QVERIFY(CopyInto(PluginIn(QStringLiteral("TestOtherPlugin")), dir, QStringLiteral("libother.so")));
    QVERIFY(!CKelmoApplication::LoadSkinPlugin(QString(), dir.path()));
    QVERIFY(!qApp->property("testSkinCreated").isValid());
}

void tst_SkinAndStyle::alreadyLoadedLibraryCountsAsSuccess()
{
    const QString path = PluginIn(QStringLiteral("TestSkinLoaded"));
    QPluginLoader earlier(path);
    QVERIFY2(earlier.load(), qPrintable(earlier.errorString()));
    const int asked = qApp->property("testSkinAsked").toInt();

    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("purple"), QFileInfo(path).absolutePath()));
    QCOMPARE(qApp->property("testSkinAsked").toInt(), asked);
    QVERIFY(!qApp->property("testSkinCreated").isValid());
}

void tst_SkinAndStyle::defaultSkinSuppliesEveryResource()
{
    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), QStringLiteral(DEFAULT_SKIN_DIR)));
    for (const char *path : kSkinResources) {
        const QString name = QLatin1String(path);
        QVERIFY2(QFile::exists(name), path);
        if (name.endsWith(QLatin1String(".png"))) {
            const QImage image(name);
            QVERIFY2(!image.isNull(), path);
            // A twice-as-large drawing for screens at 200 %.
            QString big = name;
            big.insert(big.size() - 4, QLatin1String("@2x"));
            const QImage large(big);
            QVERIFY2(!large.isNull(), qPrintable(big));
            QCOMPARE(large.size(), image.size() * 2);
        }
    }
    QFile sheet(QStringLiteral(":/KelmoDesk/Qss/Qss/VREL.qss"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    QVERIFY(sheet.readAll().contains("QPushButton"));
}

void tst_SkinAndStyle::defaultSkinFrameImagesFitTheirBorders()
{
    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), QStringLiteral(DEFAULT_SKIN_DIR)));
    // Both frames are sliced 58 pixels from every edge, so they need more
    // than twice that; the title row is dark and the body light.
    for (const char *path : {":/images/Dialog/dialog_bg.png", ":/images/Dialog/dialog_bg2.png"}) {
        const QImage image{QString::fromLatin1(path)};
        QVERIFY(image.width() > 116 && image.height() > 116);
        const QColor title = image.pixelColor(image.width() / 2, 16);
        const QColor body = image.pixelColor(image.width() / 2, image.height() / 2);
        QVERIFY2(title.lightness() < 90, path);
        QVERIFY2(body.lightness() > 200, path);
    }
    // The compact frame's 34-pixel top slice holds exactly the title row.
    const QImage compact(QStringLiteral(":/images/Dialog/dialog_bg2.png"));
    QVERIFY(compact.pixelColor(64, 32).lightness() < 90);
    QVERIFY(compact.pixelColor(64, 35).lightness() > 200);
}

void tst_SkinAndStyle::skinnedMainWindowKeepsItsTitleBar()
{
    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), QStringLiteral(DEFAULT_SKIN_DIR)));
    QFile sheet(QStringLiteral(":/KelmoDesk/Qss/Qss/VREL.qss"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromLatin1(sheet.readAll()));
    {
        CAPT_VRELMainWnd window(nullptr, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CWindowTitle *title = window.TitleBar();
        QCOMPARE(title->y(), 0);
        QVERIFY2(title->height() >= 34, qPrintable(QString::number(title->height())));
        QCOMPARE(title->EnlargeButton()->size(), QSize(20, 20));
        auto *tab = window.findChild<QWidget *>(QStringLiteral("m_pBtnVrel"));
        QCOMPARE(tab->height(), 40);
        QVERIFY(tab->y() >= 0);
        CWarnDlg::SetTestHook([](const QString &, const QString &) { return 1; });
    }
    CWarnDlg::SetTestHook({});
    qApp->setStyleSheet(QString());
}

void tst_SkinAndStyle::noFocusRectangles()
{
    CKelmoStyle style;
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QStyleOptionFocusRect option;
    option.rect = QRect(0, 0, 40, 20);
    option.state = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    option.palette = QApplication::palette();

    for (QStyle::PrimitiveElement element : {QStyle::PE_FrameFocusRect, QStyle::PE_FrameTabBarBase,
                                             QStyle::PE_IndicatorTabTear, QStyle::PE_PanelItemViewRow}) {
        QImage image(40, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        style.drawPrimitive(element, &option, &painter);
        painter.end();
        QCOMPARE(CountPaintedPixels(image), 0);
    }
    // The base style would have drawn one.
    QImage image(40, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    windows->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter);
    painter.end();
    QVERIFY(CountPaintedPixels(image) > 0);
}

void tst_SkinAndStyle::selectedItemShowsSkinImage()
{
    QVERIFY(CKelmoApplication::LoadSkinPlugin(QStringLiteral("default"), QStringLiteral(DEFAULT_SKIN_DIR)));
    const QImage skinImage(CKelmoStyle::SelectedItemImage());
    QVERIFY(!skinImage.isNull());
    const QColor expected = skinImage.pixelColor(skinImage.width() / 2, skinImage.height() / 2);

    CKelmoStyle style;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 120, 24);
    option.palette = QApplication::palette();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("192.168.1.64");

    QImage image(120, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        option.state = QStyle::State_Enabled | QStyle::State_Selected;
        style.drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter);
    }
    QCOMPARE(image.pixelColor(60, 12), expected);
    QCOMPARE(image.pixelColor(2, 2), expected);
    QCOMPARE(image.pixelColor(117, 21), expected);

    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        option.state = QStyle::State_Enabled;
        option.features |= QStyleOptionViewItem::Alternate;
        option.backgroundBrush = QBrush(Qt::red);
        style.drawPrimitive(QStyle::PE_PanelItemViewItem, &option, &painter);
    }
    QCOMPARE(CountPaintedPixels(image), 0);
}

void tst_SkinAndStyle::styledPanelHasNoFrame()
{
    CKelmoStyle style;
    auto framePixels = [&style](QFrame::Shape shape) {
        QFrame frame;
        frame.setStyle(&style);
        frame.setFrameShape(shape);
        frame.setFrameShadow(QFrame::Raised);
        frame.setLineWidth(2);
        frame.resize(60, 40);
        QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        frame.setAttribute(Qt::WA_NoSystemBackground);
        frame.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return CountPaintedPixels(image);
    };
    QCOMPARE(framePixels(QFrame::StyledPanel), 0);
    QVERIFY(framePixels(QFrame::Panel) > 0);
    QVERIFY(framePixels(QFrame::Box) > 0);
}

void tst_SkinAndStyle::metricsAndRectangles()
{
    CKelmoStyle style;
    QCOMPARE(style.pixelMetric(QStyle::PM_MenuButtonIndicator), 0);
    QVERIFY(style.baseStyle()->objectName().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0);

    QStyleOptionViewItem item;
    item.rect = QRect(0, 0, 200, 30);
    item.features = QStyleOptionViewItem::HasCheckIndicator;
    QCOMPARE(style.subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item).size(), QSize(16, 16));

    QStyleOptionProgressBar bar;
    bar.rect = QRect(0, 0, 200, 30);
    QCOMPARE(style.subElementRect(QStyle::SE_ProgressBarGroove, &bar).top(), 10);
}

QTEST_MAIN(tst_SkinAndStyle)
#include "tst_SkinAndStyle.moc"
