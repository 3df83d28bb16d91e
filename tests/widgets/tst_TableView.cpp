// Table view, its check-box header and its role-driven delegate.
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include "widgets/CHeaderView.h"
#include "widgets/CRegExpValidator.h"
#include "widgets/CTableDelegate.h"
#include "widgets/CTableView.h"
#include "widgets/CUserDataInterface.h"
#include "widgets/ItemRoles.h"

namespace {

// A model of n rows x 3 columns whose column 0 is checkable.
QStandardItemModel* MakeCheckModel(int rows, bool headerBox, QObject* parent)
{
    auto* model = new QStandardItemModel(rows, 3, parent);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QStandardItem(QStringLiteral("r%1c%2").arg(row).arg(column));
            if (column == 0) {
                item->setCheckable(true);
                item->setCheckState(Qt::Unchecked);
            }
            model->setItem(row, column, item);
        }
    }
    model->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("B"), QStringLiteral("C")});
    if (headerBox)
        model->setHeaderData(0, Qt::Horizontal, int(Qt::Unchecked), Qt::CheckStateRole);
    return model;
}

int HeaderState(const QAbstractItemModel* model)
{
    return model->headerData(0, Qt::Horizontal, Qt::CheckStateRole).toInt();
}

QPoint CellCenter(CTableView& view, int row, int column)
{
    return view.visualRect(view.model()->index(row, column)).center();
}

} // namespace

class TestTableView : public QObject
{
    Q_OBJECT

private slots:
    void headerFollowsRows_data();
    void headerFollowsRows();
    void headerBoxClickCyclesRows();
    void headerWithoutCheckStateHasNoBox();

    void clickReleaseOnEmptySpace();
    void buttonPressAndClick_data();
    void buttonPressAndClick();
    void linkCursorOverClickableItems();

    void delegateEditorByRoles_data();
    void delegateEditorByRoles();
    void delegateByteLimitedLineEditor();
    void delegateComboAddsUnknownText();
    void delegateWritesDates();
    void delegateEditingFinishedReachesView();

    void defaultModelReplacedOnce();
    void setItemTextBeyondLastColumn();
    void rowOperations();
    void headerCheckedDropsBlankPrefix();
};

void TestTableView::headerFollowsRows_data()
{
    QTest::addColumn<QList<int>>("rowStates");
    QTest::addColumn<int>("expected");

    QTest::newRow("all checked") << QList<int>{2, 2, 2} << int(Qt::Checked);
    QTest::newRow("all unchecked") << QList<int>{0, 0, 0} << int(Qt::Unchecked);
    QTest::newRow("mixed") << QList<int>{2, 0, 2} << int(Qt::PartiallyChecked);
    QTest::newRow("partly counts as unchecked") << QList<int>{1, 1, 1} << int(Qt::Unchecked);
    QTest::newRow("checked and partly") << QList<int>{2, 1, 2} << int(Qt::PartiallyChecked);
    QTest::newRow("no rows") << QList<int>{} << int(Qt::Checked);
}

void TestTableView::headerFollowsRows()
{
    QFETCH(QList<int>, rowStates);
    QFETCH(int, expected);

    CTableView view;
    QStandardItemModel* model = MakeCheckModel(int(rowStates.size()), true, &view);
    view.setModel(model);
    QSignalSpy spy(&view, &CTableView::SignalHeaderCheckStateChanged);
    for (int row = 0; row < rowStates.size(); ++row)
        model->item(row, 0)->setCheckState(Qt::CheckState(rowStates.at(row)));
    if (rowStates.isEmpty())
        view.HeaderView()->OnDataChanged(QModelIndex());
    QCOMPARE(HeaderState(model), expected);
    QCOMPARE(int(CHeaderView::StateFromRows(model)), expected);
    if (expected != Qt::Unchecked && !rowStates.isEmpty()) {
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toInt(), expected);
    }
}

void TestTableView::headerBoxClickCyclesRows()
{
    CTableView view;
    view.resize(400, 300);
    QStandardItemModel* model = MakeCheckModel(3, true, &view);
    view.setModel(model);
    model->item(1, 0)->setCheckState(Qt::Checked);
    QCOMPARE(HeaderState(model), int(Qt::PartiallyChecked));

    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTRY_VERIFY(!view.HeaderView()->CheckBoxRect().isNull());
    const QRect box = view.HeaderView()->CheckBoxRect();
    QCOMPARE(box.size(), QSize(16, 16));
    QCOMPARE(box.left(), 3);   // no indentation in a flat table

    auto rowStates = [model] {
        QList<int> states;
        for (int row = 0; row < model->rowCount(); ++row)
            states << int(model->item(row, 0)->checkState());
        return states;
    };

    // Partly checked -> checked: every row follows.
    QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(HeaderState(model), int(Qt::Checked));
    QCOMPARE(rowStates(), (QList<int>{2, 2, 2}));

    // Checked -> unchecked.
    QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(HeaderState(model), int(Qt::Unchecked));
    QCOMPARE(rowStates(), (QList<int>{0, 0, 0}));

    // Check all again, then uncheck one row: the header becomes partly checked.
    QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {}, box.center());
    QCOMPARE(rowStates(), (QList<int>{2, 2, 2}));
    model->item(2, 0)->setCheckState(Qt::Unchecked);
    QCOMPARE(HeaderState(model), int(Qt::PartiallyChecked));
}

void TestTableView::headerWithoutCheckStateHasNoBox()
{
    CTableView view;
    view.resize(400, 300);
    QStandardItemModel* model = MakeCheckModel(2, false, &view);
    view.setModel(model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy clicked(view.header(), &QHeaderView::sectionClicked);
    QTest::mouseClick(view.header()->viewport(), Qt::LeftButton, {}, QPoint(8, view.header()->height() / 2));
    QVERIFY(view.HeaderView()->CheckBoxRect().isNull());
    QCOMPARE(clicked.count(), 1);   // a plain section click
    QVERIFY(!model->headerData(0, Qt::Horizontal, Qt::CheckStateRole).isValid());
    QCOMPARE(int(model->item(0, 0)->checkState()), int(Qt::Unchecked));
}

void TestTableView::clickReleaseOnEmptySpace()
{
    CTableView view;
    view.resize(400, 300);
    QStandardItemModel* model = MakeCheckModel(2, false, &view);
    model->item(1, 1)->setData(true, ButtonRole);
    view.setModel(model);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy released(&view, &CTableView::SignalClickRelease);
    QSignalSpy clickedBtn(&view, &CTableView::ClickedBtn);

    const QPoint empty(50, view.viewport()->height() - 5);
    QVERIFY(!view.indexAt(empty).isValid());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, empty);
    QCOMPARE(released.count(), 1);
    QVERIFY(!released.at(0).at(0).value<QModelIndex>().isValid());
    QCOMPARE(clickedBtn.count(), 0);

    // A release on a row reports that row, for any button.
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, CellCenter(view, 1, 2));
    QCOMPARE(released.count(), 2);
    QCOMPARE(released.at(1).at(0).value<QModelIndex>().row(), 1);
}

void TestTableView::buttonPressAndClick_data()
{
    QTest::addColumn<QPoint>("pressCell");     // (row, column)
    QTest::addColumn<QPoint>("releaseCell");
    QTest::addColumn<int>("mouseButton");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("clicked");

    // Cells (0,1) and (1,1) are buttons, (0,2) is not.
    QTest::newRow("same button") << QPoint(0, 1) << QPoint(0, 1) << int(Qt::LeftButton) << 1 << 1;
    QTest::newRow("across two buttons") << QPoint(0, 1) << QPoint(1, 1) << int(Qt::LeftButton) << 1 << 0;
    QTest::newRow("plain cell") << QPoint(0, 2) << QPoint(0, 2) << int(Qt::LeftButton) << 0 << 0;
    QTest::newRow("right button") << QPoint(0, 1) << QPoint(0, 1) << int(Qt::RightButton) << 0 << 0;
}

void TestTableView::buttonPressAndClick()
{
    QFETCH(QPoint, pressCell);
    QFETCH(QPoint, releaseCell);
    QFETCH(int, mouseButton);
    QFETCH(int, pressed);
    QFETCH(int, clicked);

    CTableView view;
    view.resize(400, 300);
    QStandardItemModel* model = MakeCheckModel(2, false, &view);
    view.setModel(model);
    view.SetItemButton(0, 1, QStringLiteral("Go"), QIcon());
    view.SetItemButton(1, 1, QStringLiteral("Go"), QIcon());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy pressedSpy(&view, &CTableView::PressedBtn);
    QSignalSpy clickedSpy(&view, &CTableView::ClickedBtn);

    const auto button = Qt::MouseButton(mouseButton);
    QTest::mousePress(view.viewport(), button, {}, CellCenter(view, pressCell.x(), pressCell.y()));
    QTest::mouseRelease(view.viewport(), button, {}, CellCenter(view, releaseCell.x(), releaseCell.y()));
    QCOMPARE(pressedSpy.count(), pressed);
    QCOMPARE(clickedSpy.count(), clicked);
    if (pressed)
        QCOMPARE(pressedSpy.at(0).at(0).value<QModelIndex>(), model->index(pressCell.x(), pressCell.y()));
}

void TestTableView::linkCursorOverClickableItems()
{
    CTableView view;
    view.resize(400, 300);
    QStandardItemModel* model = MakeCheckModel(2, false, &view);
    model->item(0, 2)->setData(kClickableItemFlag, ItemFlagsRole);
    view.setModel(model);
    view.SetLinkCursor(true);
    QVERIFY(view.hasMouseTracking());
    QVERIFY(view.IsClickableIndex(model->index(0, 2)));
    QVERIFY(!view.IsClickableIndex(model->index(0, 1)));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::mouseMove(view.viewport(), CellCenter(view, 0, 2));
    QTRY_COMPARE(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(view.viewport(), CellCenter(view, 1, 1));
    QTRY_COMPARE(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

void TestTableView::delegateEditorByRoles_data()
{
    QTest::addColumn<QList<int>>("roles");
    QTest::addColumn<QString>("editorClass");
    QTest::addColumn<int>("validatorMaxBytes");   // -2: no validator

    QTest::newRow("plain") << QList<int>{} << "QLineEdit" << -2;
    QTest::newRow("max bytes") << QList<int>{MaxBytesRole} << "QLineEdit" << 39;
    QTest::newRow("pattern") << QList<int>{RegExpRole} << "QLineEdit" << -1;
    QTest::newRow("pattern and max") << QList<int>{RegExpRole, MaxBytesRole} << "QLineEdit" << 39;
    QTest::newRow("date") << QList<int>{DateRole} << "QDateEdit" << -2;
    QTest::newRow("date-time") << QList<int>{DateTimeRole} << "QDateTimeEdit" << -2;
    QTest::newRow("date-time before date") << QList<int>{DateRole, DateTimeRole} << "QDateTimeEdit" << -2;
    QTest::newRow("combo wins") << QList<int>{ComboListRole, DateRole, MaxBytesRole} << "QComboBox" << -2;
}

void TestTableView::delegateEditorByRoles()
{
    QFETCH(QList<int>, roles);
    QFETCH(QString, editorClass);
    QFETCH(int, validatorMaxBytes);

    QStandardItemModel model(1, 1);
    auto* item = new QStandardItem(QStringLiteral("a"));
    for (int role : roles) {
        switch (role) {
        case MaxBytesRole: item->setData(39, role); break;
        case RegExpRole: item->setData(QRegularExpression(QStringLiteral("[a-z]*")), role); break;
        case DateRole: item->setData(QDate(2026, 1, 2), role); break;
        case DateTimeRole: item->setData(QDateTime(QDate(2026, 1, 2), QTime(3, 4)), role); break;
        case ComboListRole:
            item->setData(QVariant::fromValue(CUserDataList{CUserDataInterface({QStringLiteral("a")})}), role);
            break;
        }
    }
    model.setItem(0, 0, item);

    QWidget parent;
    CTableDelegate delegate;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 120, 24);
    QScopedPointer<QWidget> editor(delegate.createEditor(&parent, option, model.index(0, 0)));
    QVERIFY(editor);
    QCOMPARE(QString::fromLatin1(editor->metaObject()->className()), editorClass);
    if (auto* line = qobject_cast<QLineEdit*>(editor.data())) {
        QCOMPARE(line->text(), QStringLiteral("a"));
        const auto* validator = qobject_cast<const CRegExpValidator*>(line->validator());
        if (validatorMaxBytes == -2) {
            QVERIFY(!line->validator());
        } else {
            QVERIFY(validator);
            QCOMPARE(validator->MaxBytes(), validatorMaxBytes);
        }
    }
    QVERIFY(!delegate.createEditor(&parent, option, QModelIndex()));
}

void TestTableView::delegateByteLimitedLineEditor()
{
    QStandardItemModel model(2, 1);
    model.setItem(0, 0, new QStandardItem);
    model.item(0, 0)->setData(39, MaxBytesRole);
    model.setItem(1, 0, new QStandardItem);
    model.item(1, 0)->setData(QStringLiteral("[0-9.]*"), RegExpRole);

    QWidget parent;
    CTableDelegate delegate;
    QStyleOptionViewItem option;
    QScopedPointer<QWidget> limited(delegate.createEditor(&parent, option, model.index(0, 0)));
    const QValidator* byBytes = qobject_cast<QLineEdit*>(limited.data())->validator();
    int pos = 0;
    QString text39(39, QLatin1Char('x')), text40(40, QLatin1Char('x'));
    QCOMPARE(byBytes->validate(text39, pos), QValidator::Acceptable);
    QCOMPARE(byBytes->validate(text40, pos), QValidator::Invalid);

    QScopedPointer<QWidget> patterned(delegate.createEditor(&parent, option, model.index(1, 0)));
    const QValidator* byPattern = qobject_cast<QLineEdit*>(patterned.data())->validator();
    QString address = QStringLiteral("192.168.1.64").repeated(5), letters = QStringLiteral("abc");
    QCOMPARE(byPattern->validate(address, pos), QValidator::Acceptable);   // no byte limit
    QCOMPARE(byPattern->validate(letters, pos), QValidator::Invalid);
}

void TestTableView::delegateComboAddsUnknownText()
{
    QStandardItemModel model(1, 1);
    auto* item = new QStandardItem(QStringLiteral("Other"));
    item->setData(QVariant::fromValue(CUserDataList{CUserDataInterface({QStringLiteral("One")}),
                                                    CUserDataInterface({QStringLiteral("Two")})}),
                  ComboListRole);
    model.setItem(0, 0, item);

    CTableView view;
    view.setModel(&model);
    auto* delegate = qobject_cast<CTableDelegate*>(view.itemDelegate());
    QVERIFY(delegate);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 100, 22);
    QScopedPointer<QWidget> editor(delegate->createEditor(view.viewport(), option, model.index(0, 0)));
    auto* combo = qobject_cast<QComboBox*>(editor.data());
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentText(), QStringLiteral("Other"));
    QCOMPARE(combo->size(), QSize(100, 22));
    QCOMPARE(model.item(0, 0)->data(ComboListRole).value<CUserDataList>().size(), 3);

    QSignalSpy changed(&view, &CTableView::SignalComboBoxTextChanged);
    combo->setCurrentIndex(1);
    delegate->setModelData(combo, &model, model.index(0, 0));
    QCOMPARE(model.item(0, 0)->text(), QStringLiteral("Two"));
    QCOMPARE(changed.count(), 1);

    delegate->setEditorData(combo, model.index(0, 0));
    QCOMPARE(combo->currentText(), QStringLiteral("Two"));
}

void TestTableView::delegateWritesDates()
{
    QStandardItemModel model(2, 1);
    model.setItem(0, 0, new QStandardItem);
    model.item(0, 0)->setData(QDate(2020, 5, 6), DateRole);
    model.setItem(1, 0, new QStandardItem);
    model.item(1, 0)->setData(QDateTime(QDate(2021, 7, 8), QTime(9, 10)), DateTimeRole);

    QWidget parent;
    CTableDelegate delegate;
    QStyleOptionViewItem option;
    QScopedPointer<QWidget> dateEditor(delegate.createEditor(&parent, option, model.index(0, 0)));
    delegate.setEditorData(dateEditor.data(), model.index(0, 0));
    qobject_cast<QDateEdit*>(dateEditor.data())->setDate(QDate(2022, 12, 31));
    delegate.setModelData(dateEditor.data(), &model, model.index(0, 0));
    QCOMPARE(model.item(0, 0)->data(DateRole).toDate(), QDate(2022, 12, 31));
    QCOMPARE(model.item(0, 0)->text(), QStringLiteral("2022-12-31"));

    QScopedPointer<QWidget> dtEditor(delegate.createEditor(&parent, option, model.index(1, 0)));
    delegate.setEditorData(dtEditor.data(), model.index(1, 0));
    auto* dt = qobject_cast<QDateTimeEdit*>(dtEditor.data());
    QCOMPARE(dt->dateTime(), QDateTime(QDate(2021, 7, 8), QTime(9, 10)));
    delegate.setModelData(dtEditor.data(), &model, model.index(1, 0));
    QCOMPARE(model.item(1, 0)->text(), QStringLiteral("2021-07-08"));
}

void TestTableView::delegateEditingFinishedReachesView()
{
    CTableView view;
    QStandardItemModel model(1, 1);
    model.setItem(0, 0, new QStandardItem(QStringLiteral("old")));
    view.setModel(&model);
    QSignalSpy finished(&view, &CTableView::SignalEditingFinished);
    auto* delegate = view.itemDelegate();
    QStyleOptionViewItem option;
    QScopedPointer<QWidget> editor(delegate->createEditor(view.viewport(), option, model.index(0, 0)));
    qobject_cast<QLineEdit*>(editor.data())->setText(QStringLiteral("new"));
    delegate->setModelData(editor.data(), &model, model.index(0, 0));
    QCOMPARE(model.item(0, 0)->text(), QStringLiteral("new"));
    QCOMPARE(finished.count(), 1);
}

void TestTableView::defaultModelReplacedOnce()
{
    CTableView view;
    QPointer<QAbstractItemModel> defaultModel = view.model();
    QVERIFY(defaultModel);
    QCOMPARE(defaultModel->rowCount(), 0);

    QPointer<QStandardItemModel> first = new QStandardItemModel(&view);
    view.setModel(first);
    QVERIFY(defaultModel.isNull());
    QPointer<QStandardItemModel> second = new QStandardItemModel(&view);
    view.setModel(second);
    QVERIFY(!first.isNull());   // only the default model is the view's to delete
    QCOMPARE(view.model(), second.data());

    // currentItemChanged follows the selection model of the model in use.
    second->appendRow(new QStandardItem(QStringLiteral("x")));
    QSignalSpy current(&view, &CTableView::currentItemChanged);
    view.setCurrentIndex(second->index(0, 0));
    QCOMPARE(current.count(), 1);
}

void TestTableView::setItemTextBeyondLastColumn()
{
    CTableView view;
    QStandardItemModel model(2, 2);
    view.setModel(&model);
    view.SetItemText(1, 2, QStringLiteral("DS-0001"));
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(view.GetItemText(1, 2), QStringLiteral("DS-0001"));
    QCOMPARE(view.GetItemData(1, 2, Qt::ToolTipRole).toString(), QStringLiteral("DS-0001"));
    view.SetItemText(5, 0, QStringLiteral("none"));   // no such row: nothing happens
    QCOMPARE(model.rowCount(), 2);
}

void TestTableView::rowOperations()
{
    CTableView view;
    QCOMPARE(view.RowCount(), 0);
    view.SetHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
    QCOMPARE(view.model()->columnCount(), 2);
    QCOMPARE(view.AppendRow(), 0);
    QCOMPARE(view.AppendRow(), 1);
    view.SetItemText(0, 0, QStringLiteral("first"));
    view.SetItemText(1, 0, QStringLiteral("second"));
    QCOMPARE(view.InsertFirstRow(), 0);
    QCOMPARE(view.GetItemText(1, 0), QStringLiteral("first"));
    QCOMPARE(view.InsertRowAt(3), -1);
    QCOMPARE(view.InsertRowAt(2), 2);
    QCOMPARE(view.RowCount(), 4);
    view.RemoveRowAt(9);
    view.RemoveLastRow();
    QCOMPARE(view.RowCount(), 3);
    QCOMPARE(view.GetItemText(1, 0), QStringLiteral("first"));

    view.ClearRecords();
    view.AppendRecords({CUserDataInterface({QStringLiteral("x"), 7})});
    QCOMPARE(view.RowCount(), 1);
    QCOMPARE(view.GetItemRecord(0).Value(1).toInt(), 7);
    QVERIFY(view.SetItemRecord(0, CUserDataInterface({QStringLiteral("y"), 8})));
    QCOMPARE(view.GetItemText(0, 0), QStringLiteral("y"));
    QVERIFY(view.ItemFromIndex(view.ItemIndex(0, 0)));
}

void TestTableView::headerCheckedDropsBlankPrefix()
{
    CTableView view;
    view.SetHeaderLabels({QStringLiteral("  All"), QStringLiteral("B")});
    view.SetHeaderChecked(0, true);
    QCOMPARE(view.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("All"));
    QCOMPARE(HeaderState(view.model()), int(Qt::Checked));
    view.SetHeaderChecked(7, true);   // beyond the columns: ignored
    QVERIFY(!view.model()->headerData(7, Qt::Horizontal, Qt::CheckStateRole).isValid());
}

QTEST_MAIN(TestTableView)
#include "tst_TableView.moc"
