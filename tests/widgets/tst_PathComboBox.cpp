// Path combo box, the skinned file chooser and their path rules.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "widgets/CFileDialog.h"
#include "widgets/CPathComboBox.h"
#include "widgets/PathRules.h"

namespace {

// Records the chooser requests and answers them from a queue.
struct ScriptedChooser
{
    QList<CFileDialog::Request> requests;
    QList<std::optional<QStringList>> answers;

    void Install()
    {
        CFileDialog::SetTestHook([this](const CFileDialog::Request& request) {
            requests << request;
            return answers.isEmpty() ? std::nullopt : answers.takeFirst();
        });
    }
};

} // namespace

class TestPathComboBox : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void filterExtension_data();
    void filterExtension();
    void resolveStartDir();

    void modes_data();
    void modes();
    void cancelLeavesBox_data();
    void cancelLeavesBox();
    void requestsPerMode();
    void arrowAreaOpensChooser_data();
    void arrowAreaOpensChooser();
    void keysOnEditableBox();

    void realChooserPicksFile();
    void realChooserCancelled();
};

void TestPathComboBox::cleanup()
{
    CFileDialog::SetTestHook({});
}

void TestPathComboBox::filterExtension_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    QTest::newRow("missing extension") << "Excel (*.xls)" << "/d/list" << "/d/list.xls";
    QTest::newRow("already there") << "Excel (*.xls)" << "/d/list.xls" << "/d/list.xls";
    QTest::newRow("other case is appended") << "Excel (*.xls)" << "/d/list.XLS" << "/d/list.XLS.xls";
    QTest::newRow("first of several patterns") << "Text (*.txt *.log)" << "/d/a" << "/d/a.txt";
    QTest::newRow("bare pattern") << "*.xml" << "/d/DeviceKey" << "/d/DeviceKey.xml";
    QTest::newRow("no filter") << "" << "/d/a" << "/d/a";
    QTest::newRow("no star") << "Excel" << "/d/a" << "/d/a";
    QTest::newRow("all files") << "All (*)" << "/d/a" << "/d/a";
    QTest::newRow("star dot star") << "All (*.*)" << "/d/a.txt" << "/d/a.txt";
}

void TestPathComboBox::filterExtension()
{
    QFETCH(QString, filter);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(WithFilterExtension(path, filter), expected);
    QCOMPARE(WithFilterExtension(expected, filter), expected);   // appended once only
}

void TestPathComboBox::resolveStartDir()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString root = QDir(temp.path()).canonicalPath();
    QVERIFY(QDir(root).mkpath(QStringLiteral("sub/deeper")));
    QFile file(root + QStringLiteral("/sub/DeviceKey.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(root));
    const struct
    {
        QString path;
        QString expected;
    } cases[] = {
        {QString(), root},
        {QStringLiteral("."), root},
        {QStringLiteral("sub"), root + QStringLiteral("/sub")},
        {QStringLiteral("sub/deeper/../"), root + QStringLiteral("/sub")},
        {root + QStringLiteral("/sub/deeper"), root + QStringLiteral("/sub/deeper")},
        {QStringLiteral("sub/DeviceKey.xml"), root + QStringLiteral("/sub")},
        {root + QStringLiteral("/sub/DeviceKey.xml"), root + QStringLiteral("/sub")},
        {QStringLiteral("sub/not-yet.xls"), root + QStringLiteral("/sub")},
        {QStringLiteral("nowhere/not-yet.xls"), root},
    };
    for (const auto& c : cases) {
        const QString got = ResolveStartDir(c.path);
        if (got != c.expected) {
            QDir::setCurrent(saved);
            QFAIL(qPrintable(QStringLiteral("%1 -> %2, expected %3").arg(c.path, got, c.expected)));
        }
    }
    QDir::setCurrent(saved);
}

void TestPathComboBox::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("answer");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("0 save, extension appended") << 0 << "Excel (*.xls)" << QStringList{"/d/list"}
                                                << QStringList{"/d/list.xls"} << "/d/list.xls";
    QTest::newRow("0 save, extension kept") << 0 << "Excel (*.xls)" << QStringList{"/d/list.xls"}
                                            << QStringList{"/d/list.xls"} << "/d/list.xls";
    QTest::newRow("1 open") << 1 << "" << QStringList{"/d/DeviceKey.xml"} << QStringList{"/d/DeviceKey.xml"}
                            << "/d/DeviceKey.xml";
    QTest::newRow("2 folder gets slash") << 2 << "" << QStringList{"/d/keys"} << QStringList{"/d/keys/"}
                                         << "/d/keys/";
    QTest::newRow("2 folder keeps slash") << 2 << "" << QStringList{"/"} << QStringList{"/"} << "/";
    QTest::newRow("3 several files") << 3 << "" << QStringList{"/d/a", "/d/b"} << QStringList{"/d/a", "/d/b"}
                                     << "old";
}

void TestPathComboBox::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, filter);
    QFETCH(QStringList, answer);
    QFETCH(QStringList, entries);
    QFETCH(QString, tooltip);

    ScriptedChooser chooser;
    chooser.answers << answer;
    chooser.Install();

    CPathComboBox box;
    box.addItem(QStringLiteral("old"));
    box.SetMode(mode);
    QCOMPARE(box.toolTip(), QStringLiteral("old"));
    box.SetFilter(filter);
    box.showPopup();

    QCOMPARE(chooser.requests.size(), 1);
    QStringList got;
    for (int i = 0; i < box.count(); ++i)
        got << box.itemText(i);
    QCOMPARE(got, entries);
    QCOMPARE(box.toolTip(), tooltip);
}

void TestPathComboBox::cancelLeavesBox_data()
{
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode <= 4; ++mode)
        QTest::addRow("mode %d", mode) << mode;
}

void TestPathComboBox::cancelLeavesBox()
{
    QFETCH(int, mode);
    ScriptedChooser chooser;   // no answers: every chooser is cancelled
    chooser.Install();

    CPathComboBox box;
    box.addItem(QStringLiteral("/previous/"));
    box.SetMode(mode);
    box.showPopup();
    QCOMPARE(chooser.requests.size(), mode <= 3 ? 1 : 0);   // other modes open nothing
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.currentText(), QStringLiteral("/previous/"));
    QCOMPARE(box.toolTip(), QStringLiteral("/previous/"));
}

void TestPathComboBox::requestsPerMode()
{
    QTemporaryDir temp;
    const QString root = QDir(temp.path()).canonicalPath();
    ScriptedChooser chooser;
    chooser.Install();

    CPathComboBox box;
    box.addItem(root);
    box.SetFilter(QStringLiteral("Key (*.xml)"));
    for (int mode = 0; mode <= 3; ++mode) {
        box.SetMode(mode);
        box.showPopup();
    }
    QCOMPARE(chooser.requests.size(), 4);
    QCOMPARE(chooser.requests.at(0).chooser, CFileDialog::Chooser::SaveFile);
    QCOMPARE(chooser.requests.at(1).chooser, CFileDialog::Chooser::OpenFile);
    QCOMPARE(chooser.requests.at(1).options, QFileDialog::Options(QFileDialog::DontUseNativeDialog));
    QCOMPARE(chooser.requests.at(2).chooser, CFileDialog::Chooser::ExistingDirectory);
    QCOMPARE(chooser.requests.at(2).options, QFileDialog::Options(QFileDialog::ShowDirsOnly));
    QCOMPARE(chooser.requests.at(2).caption, QStringLiteral("Select Directory"));
    QCOMPARE(box.Caption(), QStringLiteral("Select Directory"));   // kept
    QCOMPARE(chooser.requests.at(3).chooser, CFileDialog::Chooser::OpenFiles);
    for (const CFileDialog::Request& request : chooser.requests)
        QCOMPARE(request.startDir, root);   // the current text is the start folder
    QCOMPARE(chooser.requests.at(0).filter, QStringLiteral("Key (*.xml)"));

    // An empty box starts in the current folder.
    CPathComboBox empty;
    empty.SetMode(1);
    empty.showPopup();
    QCOMPARE(chooser.requests.last().startDir, QDir::currentPath());
}

void TestPathComboBox::arrowAreaOpensChooser_data()
{
    QTest::addColumn<int>("fromRight");   // x = width - fromRight
    QTest::addColumn<bool>("opens");
    QTest::newRow("rightmost pixel") << 1 << true;
    QTest::newRow("arrow area's left edge") << 23 << true;
    QTest::newRow("one pixel left of it") << 24 << false;
    QTest::newRow("text part") << 150 << false;
}

void TestPathComboBox::arrowAreaOpensChooser()
{
    QFETCH(int, fromRight);
    QFETCH(bool, opens);

    ScriptedChooser chooser;
    chooser.Install();
    CPathComboBox box;
    box.resize(200, 24);
    box.SetMode(2);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - fromRight, 12));
    QCOMPARE(chooser.requests.size(), opens ? 1 : 0);
}

void TestPathComboBox::keysOnEditableBox()
{
    ScriptedChooser chooser;
    chooser.Install();
    CPathComboBox box;
    box.setEditable(true);
    box.SetMode(1);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
    QCOMPARE(chooser.requests.size(), 0);
    QCOMPARE(box.lineEdit()->text(), QString());   // swallowed, not typed
    QTest::keyClick(&box, Qt::Key_F4);
    QCOMPARE(chooser.requests.size(), 1);
}

void TestPathComboBox::realChooserPicksFile()
{
    QTemporaryDir temp;
    const QString root = QDir(temp.path()).canonicalPath();
    QFile file(root + QStringLiteral("/DeviceKey.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QWidget owner;
    QString title;
    bool readOnly = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* frame = qobject_cast<CFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(frame);
        title = frame->GetTitle();
        QFileDialog* files = frame->FileWidget();
        QVERIFY(files);
        QCOMPARE(files->parentWidget(), frame->GetContentFrame());   // inside the frame
        QCOMPARE(files->directory().absolutePath(), root);
        readOnly = files->testOption(QFileDialog::ReadOnly) && files->testOption(QFileDialog::DontConfirmOverwrite);
        files->selectFile(QStringLiteral("DeviceKey.xml"));
        QMetaObject::invokeMethod(files, "accept");
    });
    QString selectedFilter;
    const QString path = CFileDialog::GetOpenFileName(&owner, QStringLiteral("Import"), root + QStringLiteral("/x"),
                                                      QStringLiteral("Key (*.xml)"), &selectedFilter, {});
    QCOMPARE(path, root + QStringLiteral("/DeviceKey.xml"));
    QCOMPARE(title, QStringLiteral("Import"));
    QVERIFY(readOnly);
    QCOMPARE(selectedFilter, QStringLiteral("Key (*.xml)"));
}

void TestPathComboBox::realChooserCancelled()
{
    QWidget owner;
    QTimer::singleShot(0, qApp, [] {
        auto* frame = qobject_cast<CFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(frame);
        QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("m_pCloseBtn")), Qt::LeftButton);
    });
    const QString folder = CFileDialog::GetExistingDirectory(&owner, QStringLiteral("Select Directory"), QString());
    QVERIFY(folder.isNull());

    QTimer::singleShot(0, qApp, [] {
        auto* frame = qobject_cast<CFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(frame);
        frame->FileWidget()->reject();
    });
    QVERIFY(CFileDialog::GetOpenFileNames(&owner).isEmpty());
}

QTEST_MAIN(TestPathComboBox)
#include "tst_PathComboBox.moc"
