// "Save as Excel" pressed on the device panel: the panel's dialog, the real
// device table model filled by discovery reports, and the workbook read back.

#include "PanelFixture.h"
#include "XlsReadBack.h"

#include "export/PathWidget.h"
#include "widgets/CFileDialog.h"
#include "widgets/CPathComboBox.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

class TestSaveFromPanel : public QObject
{
    Q_OBJECT

private slots:
    void savesTheDeviceTable();
};

void TestSaveFromPanel::savesTheDeviceTable()
{
    QTemporaryDir dir;
    PanelFixture f;
    for (int n : {3, 0, 4, 1, 2})
        f.report(FleetDevice(n), VREL_EVENT_FOUND);
    QCOMPARE(f.rows(), 5);
    auto *view = f.child<QTreeView>("tableWidgetDevice");
    QVERIFY(view);
    emit view->header()->sectionClicked(2); // sort by address as a header click does

    // The dialog runs modally; a user types a name, picks the folder, presses OK.
    bool driven = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<PathWidget *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        CFileDialog::SetTestHook([&dir](const CFileDialog::Request &) {
            return std::optional<QStringList>(QStringList{dir.path()});
        });
        dialog->findChild<CPathComboBox *>(QStringLiteral("comboBox"))->showPopup();
        CFileDialog::SetTestHook({});
        dialog->findChild<QLineEdit *>(QStringLiteral("edtName"))->setText(QStringLiteral("devices"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pOkBtn")), Qt::LeftButton);
        driven = true;
    });
    f.click("btbExcel");
    QVERIFY(driven);
    const QList<ShownMessage> messages = f.takeMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QStringLiteral("Hint"));
    QCOMPARE(messages[0].text, QStringLiteral("Saved."));

    QStandardItemModel *model = f.model();
    QList<QStringList> expected;
    QStringList header;
    for (int c = 0; c < 21; ++c)
        header << model->headerData(c, Qt::Horizontal).toString();
    expected << header;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < 21; ++c)
            row << model->item(r, c)->text();
        expected << row;
    }
    QCOMPARE(expected[1][2], QStringLiteral("%1").arg(QString::fromLatin1(FleetDevice(0).ipv4)));

    QString error;
    const QList<ReadSheet> sheets = ReadWorkbookWithFreexl(dir.filePath(QStringLiteral("devices.xls")), &error);
    QVERIFY2(sheets.size() == 1, qPrintable(error));
    QCOMPARE(sheets[0].name, QStringLiteral("devices"));
    QCOMPARE(sheets[0].rows, expected);
}

QTEST_MAIN(TestSaveFromPanel)
#include "tst_save_from_panel.moc"
