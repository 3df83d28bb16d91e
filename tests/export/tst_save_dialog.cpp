// The "Save as Excel" dialog end to end: the real dialog, Qt's QODBC plug-in,
// unixODBC and the workbook driver, with every workbook read back by
// libfreexl and by python3-xlrd.

#include "ExportFixture.h"

#include "export/ExcelExport.h"
#include "export/PathWidget.h"
#include "widgets/CFileDialog.h"
#include "widgets/CPathComboBox.h"
#include "widgets/CToolTip.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The dialog as a user drives it: a name typed, a folder picked in the
// chooser, OK pressed.
class DialogDriver
{
public:
    explicit DialogDriver(QAbstractItemModel *model) : dialog(model)
    {
        dialog.show();
        name = dialog.findChild<QLineEdit *>(QStringLiteral("edtName"));
        combo = dialog.findChild<CPathComboBox *>(QStringLiteral("comboBox"));
        ok = dialog.findChild<QPushButton *>(QStringLiteral("pOkBtn"));
    }

    void PickFolder(const QString &folder)
    {
        CFileDialog::SetTestHook([folder](const CFileDialog::Request &) {
            return std::optional<QStringList>(QStringList{folder});
        });
        combo->showPopup();
        CFileDialog::SetTestHook({});
    }

    void Confirm(const QString &fileName)
    {
        name->setText(fileName);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    PathWidget dialog;
    QLineEdit *name = nullptr;
    CPathComboBox *combo = nullptr;
    QPushButton *ok = nullptr;
};

const ShownMessage kSaved{QStringLiteral("Hint"), QStringLiteral("Saved."), false};
const ShownMessage kFailed{QStringLiteral("Warn"), QStringLiteral("Saving failed."), false};
const ShownMessage kReplace{QStringLiteral("Hint"), QStringLiteral("The file name has been used; replace it?"), true};

} // namespace

class TestSaveDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void writesLogicalColumnsInTheLastSortedOrder();
    void emptyTableGivesFieldNamesOnly();
    void refusedNames_data();
    void refusedNames();
    void namesAreUsedAsTyped_data();
    void namesAreUsedAsTyped();
    void declinedReplaceKeepsTheOldFile();
    void acceptedReplaceWritesTheNewWorkbook();
    void failedSaveLeavesNoPartialWorkbook_data();
    void failedSaveLeavesNoPartialWorkbook();
    void noFolderWritesIntoTheWorkingDirectory();
    void missingFolderFails();
    void driverReceivesTheExampleStatements();
    void returnInTheNameFieldSaves();
    void nextDialogOffersTheLastFolder();

private:
    QString Folder() const { return m_dir->path() + QLatin1Char('/'); }
    QStringList FilesInFolder() const
    {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSaveDialog::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral("/usr/bin/python3")), "python3-xlrd is the second reader");
}

void TestSaveDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    PathWidget::SetLastFolder(QString());
}

void TestSaveDialog::cleanup()
{
    CToolTip::HideText();
}

void TestSaveDialog::writesLogicalColumnsInTheLastSortedOrder()
{
    auto model = MakeDeviceModel(5);
    // Headers as a translation shows them.
    model->setHeaderData(1, Qt::Horizontal, QString::fromUtf8("设备类型"));
    model->setHeaderData(8, Qt::Horizontal, QString::fromUtf8("序列号"));
    const QStringList macs{"m3", "m1", "m4", "m0", "m2"};
    for (int r = 0; r < 5; ++r)
        model->item(r, 10)->setText(macs[r]);
    model->item(2, 13)->setText(QString::fromUtf8("2024-01-02 网络"));

    // The view drags columns around and hides the last one; the model is
    // sorted twice, and the second sort is the one that counts.
    QTreeView view;
    view.setModel(model.get());
    view.header()->moveSection(5, 1);
    view.header()->moveSection(20, 2);
    view.setColumnHidden(21, true);
    view.sortByColumn(2, Qt::DescendingOrder);
    view.sortByColumn(10, Qt::AscendingOrder);
    QCOMPARE(model->item(0, 10)->text(), QStringLiteral("m0"));

    MessageRecorder messages;
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    QCOMPARE(run.combo->currentText(), Folder());
    run.Confirm(QStringLiteral("devices"));

    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});
    QCOMPARE(run.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!run.dialog.isVisible());
    QCOMPARE(PathWidget::LastFolder(), Folder());
    QCOMPARE(FilesInFolder(), QStringList{"devices.xls"});

    QStringList header = DeviceTableHeaders().mid(0, 21);
    header[1] = QString::fromUtf8("设备类型");
    header[8] = QString::fromUtf8("序列号");
    const QList<QStringList> expected = QList<QStringList>{header} + ExpectedRows(*model);
    QCOMPARE(expected.size(), 6);
    QCOMPARE(expected[1][10], QStringLiteral("m0"));

    QString error;
    const QList<ReadSheet> byFreexl = ReadWorkbookWithFreexl(Folder() + "devices.xls", &error);
    QVERIFY2(byFreexl.size() == 1, qPrintable(error));
    QCOMPARE(byFreexl[0].name, QStringLiteral("devices"));
    QCOMPARE(byFreexl[0].rows, expected);
    const QList<ReadSheet> byXlrd = ReadWorkbookWithXlrd(Folder() + "devices.xls", &error);
    QVERIFY2(byXlrd.size() == 1, qPrintable(error));
    QCOMPARE(byXlrd[0].name, QStringLiteral("devices"));
    QCOMPARE(byXlrd[0].rows, expected);
}

void TestSaveDialog::emptyTableGivesFieldNamesOnly()
{
    auto model = MakeDeviceModel(0);
    MessageRecorder messages;
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(QStringLiteral("empty"));

    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});
    QCOMPARE(run.dialog.result(), int(QDialog::Accepted));
    for (const QList<ReadSheet> &sheets : {ReadWorkbookWithFreexl(Folder() + "empty.xls"),
                                           ReadWorkbookWithXlrd(Folder() + "empty.xls")}) {
        QCOMPARE(sheets.size(), 1);
        QCOMPARE(sheets[0].rows, QList<QStringList>{DeviceTableHeaders().mid(0, 21)});
    }
}

void TestSaveDialog::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::newRow("empty") << "" << "The name is invalid";
    QTest::newRow("spaces only") << "   " << "The name is invalid";
    QTest::newRow("tab and spaces") << " \t " << "The name is invalid";
    const QString illegal = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : illegal) {
        QTest::addRow("with %c", c.toLatin1()) << QStringLiteral("dev%1ices").arg(c)
                                               << "The name contains illegal character";
    }
    QTest::newRow("illegal after a leading space") << " a?b" << "The name contains illegal character";
}

void TestSaveDialog::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    PathWidget::SetLastFolder(QStringLiteral("/stored/before/"));
    auto model = MakeDeviceModel(2);
    MessageRecorder messages;
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(name);

    QVERIFY(CToolTip::IsVisible());
    QCOMPARE(CToolTip::Text(), tip);
    QVERIFY(messages.messages.isEmpty());
    QVERIFY(run.dialog.isVisible());
    QCOMPARE(PathWidget::LastFolder(), QStringLiteral("/stored/before/"));
    QCOMPARE(FilesInFolder(), QStringList());
}

void TestSaveDialog::namesAreUsedAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sheet"); // as Excel allows sheets to be named
    QTest::newRow("leading space") << " lead" << " lead";
    QTest::newRow("brackets and a semicolon") << "list[1];b" << "list_1_;b";
    QTest::newRow("Chinese with a space") << QString::fromUtf8("设备 列表") << QString::fromUtf8("设备 列表");
    QTest::newRow("longer than a sheet name") << QString(40, QLatin1Char('n')) << QString(31, QLatin1Char('n'));
}

void TestSaveDialog::namesAreUsedAsTyped()
{
    QFETCH(QString, name);
    QFETCH(QString, sheet);
    auto model = MakeDeviceModel(1);
    MessageRecorder messages;
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(name);

    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});
    QCOMPARE(FilesInFolder(), QStringList{name + ".xls"});
    const QList<ReadSheet> sheets = ReadWorkbookWithXlrd(Folder() + name + ".xls");
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].name, sheet);
    QCOMPARE(sheets[0].rows.size(), 2);
}

void TestSaveDialog::declinedReplaceKeepsTheOldFile()
{
    const QByteArray old("the user's old workbook");
    WriteFile(Folder() + "devices.xls", old);
    auto model = MakeDeviceModel(3);
    MessageRecorder messages(0);
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(QStringLiteral("devices"));

    QCOMPARE(messages.messages, QList<ShownMessage>{kReplace});
    QVERIFY(run.dialog.isVisible());
    QCOMPARE(ReadAll(Folder() + "devices.xls"), old);
    QCOMPARE(FilesInFolder(), QStringList{"devices.xls"});
}

void TestSaveDialog::acceptedReplaceWritesTheNewWorkbook()
{
    WriteFile(Folder() + "devices.xls", "the user's old workbook");
    auto model = MakeDeviceModel(3);
    MessageRecorder messages(1);
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(QStringLiteral("devices"));

    QCOMPARE(messages.messages, (QList<ShownMessage>{kReplace, kSaved}));
    QCOMPARE(run.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(FilesInFolder(), QStringList{"devices.xls"});
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(Folder() + "devices.xls");
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].rows.mid(1), ExpectedRows(*model));
}

void TestSaveDialog::failedSaveLeavesNoPartialWorkbook_data()
{
    QTest::addColumn<bool>("oldFile");
    QTest::newRow("replacing a file") << true;
    QTest::newRow("new file") << false;
}

void TestSaveDialog::failedSaveLeavesNoPartialWorkbook()
{
    // The third row holds a text longer than the 64 characters of its field:
    // the driver refuses that insert after two rows went in.
    QFETCH(bool, oldFile);
    const QByteArray old("the user's old workbook");
    if (oldFile)
        WriteFile(Folder() + "devices.xls", old);
    auto model = MakeDeviceModel(4);
    model->item(2, 13)->setText(QString(65, QLatin1Char('x')));
    MessageRecorder messages(1);
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.Confirm(QStringLiteral("devices"));

    QList<ShownMessage> expected{kFailed};
    if (oldFile)
        expected.prepend(kReplace);
    QCOMPARE(messages.messages, expected);
    QVERIFY(run.dialog.isVisible());
    if (oldFile) {
        QCOMPARE(ReadAll(Folder() + "devices.xls"), old);
        QCOMPARE(FilesInFolder(), QStringList{"devices.xls"});
    } else {
        QCOMPARE(FilesInFolder(), QStringList());
    }

    // Fixing the cell and confirming again saves.
    model->item(2, 13)->setText(QStringLiteral("fixed"));
    messages.messages.clear();
    QTest::mouseClick(run.ok, Qt::LeftButton);
    QCOMPARE(messages.messages.last(), kSaved);
    QCOMPARE(ReadWorkbookWithFreexl(Folder() + "devices.xls").value(0).rows.mid(1), ExpectedRows(*model));
}

void TestSaveDialog::noFolderWritesIntoTheWorkingDirectory()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    auto model = MakeDeviceModel(2);
    MessageRecorder messages;
    {
        DialogDriver run(model.get());
        QCOMPARE(run.combo->count(), 1);
        QCOMPARE(run.combo->currentText(), QString());
        run.Confirm(QStringLiteral("here"));
    }
    QDir::setCurrent(before);
    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});
    QCOMPARE(FilesInFolder(), QStringList{"here.xls"});
    QCOMPARE(ReadWorkbookWithFreexl(Folder() + "here.xls").value(0).rows.size(), 3);
}

void TestSaveDialog::missingFolderFails()
{
    auto model = MakeDeviceModel(2);
    MessageRecorder messages;
    DialogDriver run(model.get());
    const QString missing = m_dir->path() + QStringLiteral("/gone");
    run.PickFolder(missing);
    run.Confirm(QStringLiteral("devices"));
    QCOMPARE(messages.messages, QList<ShownMessage>{kFailed});
    QVERIFY(run.dialog.isVisible());
    QCOMPARE(PathWidget::LastFolder(), missing + QLatin1Char('/'));
    QCOMPARE(FilesInFolder(), QStringList());
}

void TestSaveDialog::driverReceivesTheExampleStatements()
{
    const QString trace = m_dir->filePath(QStringLiteral("statements.txt"));
    qputenv("XLSODBC_TRACE", QFile::encodeName(trace));
    auto model = MakeDeviceModel(3);
    MessageRecorder messages;
    {
        DialogDriver run(model.get());
        run.PickFolder(m_dir->path());
        run.Confirm(QStringLiteral("devices"));
    }
    qunsetenv("XLSODBC_TRACE");
    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});

    // Written out in full rather than built: this is what the driver must see.
    const QString create = QStringLiteral(
        "CREATE TABLE [devices] ([ID] char(64),[Device Type] char(64),[IPv4 Address] char(64),"
        "[Safety state] char(64),[Port] char(64),[Soft Vision] char(64),[IPv4 GateWay] char(64),"
        "[Http Port] char(64),[Serial Number] char(64),[IPv4 Mask] char(64),[MAC] char(64),"
        "[Channel NO] char(64),[DSP Vision] char(64),[Start Time] char(64),[IPv6 Address] char(64),"
        "[IPv6 GateWay] char(64),[IPv6 Prefix Length] char(64),[Is Support IPv6] char(64),"
        "[Is Support Mod IPv6] char(64),[Is Support DHCP] char(64),[IPv4 DHCP] char(64))");
    // Qt's ODBC driver turns the :1 to :21 placeholders into positional markers.
    const QString insert = QStringLiteral(
        "INSERT INTO [devices] (\"ID\",\"Device Type\",\"IPv4 Address\",\"Safety state\",\"Port\","
        "\"Soft Vision\",\"IPv4 GateWay\",\"Http Port\",\"Serial Number\",\"IPv4 Mask\",\"MAC\","
        "\"Channel NO\",\"DSP Vision\",\"Start Time\",\"IPv6 Address\",\"IPv6 GateWay\","
        "\"IPv6 Prefix Length\",\"Is Support IPv6\",\"Is Support Mod IPv6\",\"Is Support DHCP\","
        "\"IPv4 DHCP\")VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    const QStringList lines = QString::fromUtf8(ReadAll(trace)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{create, insert}));
}

void TestSaveDialog::returnInTheNameFieldSaves()
{
    auto model = MakeDeviceModel(1);
    MessageRecorder messages;
    DialogDriver run(model.get());
    run.PickFolder(m_dir->path());
    run.name->setText(QStringLiteral("typed"));
    run.name->setFocus();
    QTest::keyClick(run.name, Qt::Key_Return);
    QCOMPARE(messages.messages, QList<ShownMessage>{kSaved});
    QCOMPARE(FilesInFolder(), QStringList{"typed.xls"});
}

void TestSaveDialog::nextDialogOffersTheLastFolder()
{
    auto model = MakeDeviceModel(1);
    MessageRecorder messages;
    {
        DialogDriver first(model.get());
        first.PickFolder(m_dir->path());
        first.Confirm(QStringLiteral("one"));
    }
    DialogDriver second(model.get());
    QCOMPARE(second.combo->count(), 1);
    QCOMPARE(second.combo->itemText(0), Folder());
    second.Confirm(QStringLiteral("two"));
    QCOMPARE(messages.messages, (QList<ShownMessage>{kSaved, kSaved}));
    QCOMPARE(FilesInFolder(), (QStringList{"one.xls", "two.xls"}));
}

QTEST_MAIN(TestSaveDialog)
#include "tst_save_dialog.moc"
