// Password field, byte-limited validator, delayed button and label.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "widgets/CComboBox.h"
#include "widgets/CDelayButton.h"
#include "widgets/CLabel.h"
#include "widgets/CPasswordLineEdit.h"
#include "widgets/CRegExpValidator.h"

class TestInputWidgets : public QObject
{
    Q_OBJECT

private slots:
    void passwordRefusesClipboardKeys_data();
    void passwordRefusesClipboardKeys();
    void passwordStillEditsByOtherKeys();
    void passwordRefusesMousePaste();
    void passwordContextMenuHasNoClipboardEntries();
    void passwordContextMenuEventShowsRestrictedMenu();

    void byteLimit_data();
    void byteLimit();
    void byteLimitInLineEdit();

    void delayButtonFiresOnceAfterLastRelease();
    void delayButtonWaitsWhileChecked();

    void labelReportsDoubleClick();
    void labelShowsOwnTextAsTooltip();
    void comboEnableSlots();
};

void TestInputWidgets::passwordRefusesClipboardKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier);
    QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
}

void TestInputWidgets::passwordRefusesClipboardKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);

    CPasswordLineEdit edit;
    QCOMPARE(edit.echoMode(), QLineEdit::Password);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setFocus();

    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("clip"));
    edit.setText(QStringLiteral("abc"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    // Nothing pasted, nothing cut: the field and the clipboard are untouched.
    QCOMPARE(edit.text(), QStringLiteral("abc"));
    QCOMPARE(clipboard->text(), QStringLiteral("clip"));
}

void TestInputWidgets::passwordStillEditsByOtherKeys()
{
    CPasswordLineEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QTest::keyClicks(&edit, QStringLiteral("pw1"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("pw"));
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);   // select all still works
    QCOMPARE(edit.selectedText().size(), 2);
}

// Names the entries of an edit menu by the shortcut each carries after a tab.
void TestInputWidgets::passwordRefusesMousePaste()
{
    CPasswordLineEdit edit;
    QVERIFY(!edit.acceptDrops());
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection())
        clipboard->setText(QStringLiteral("clip"), QClipboard::Selection);
    QTest::mouseClick(&edit, Qt::MiddleButton, {}, QPoint(5, 5));
    QCOMPARE(edit.text(), QString());
}

static QStringList ActionNames(const QMenu* menu)
{
    const QList<QPair<QKeySequence::StandardKey, QString>> keys = {
        {QKeySequence::Undo, QStringLiteral("undo")},   {QKeySequence::Redo, QStringLiteral("redo")},
        {QKeySequence::Cut, QStringLiteral("cut")},     {QKeySequence::Copy, QStringLiteral("copy")},
        {QKeySequence::Paste, QStringLiteral("paste")}, {QKeySequence::SelectAll, QStringLiteral("all")}};
    QStringList names;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            names << QStringLiteral("-");
            continue;
        }
        const QString text = action->text();
        const int tab = text.lastIndexOf(QLatin1Char('\t'));
        QString name = QStringLiteral("other");
        for (const auto& key : keys) {
            if (tab >= 0 && text.mid(tab + 1) == QKeySequence(key.first).toString(QKeySequence::NativeText))
                name = key.second;
        }
        names << name;
    }
    return names;
}

void TestInputWidgets::passwordContextMenuHasNoClipboardEntries()
{
    CPasswordLineEdit edit;
    edit.setText(QStringLiteral("secret"));
    QScopedPointer<QMenu> plain(edit.createStandardContextMenu());
    QVERIFY(ActionNames(plain.data()).contains(QStringLiteral("paste")));   // the rule finds them

    QScopedPointer<QMenu> menu(edit.CreateRestrictedMenu());
    const QStringList names = ActionNames(menu.data());
    QVERIFY(!names.contains(QStringLiteral("cut")));
    QVERIFY(!names.contains(QStringLiteral("copy")));
    QVERIFY(!names.contains(QStringLiteral("paste")));
    // Undo, Redo, Delete, separator, Select All remain, in that order.
    QCOMPARE(names.mid(0, 5), (QStringList{QStringLiteral("undo"), QStringLiteral("redo"),
                                           QStringLiteral("other"), QStringLiteral("-"),
                                           QStringLiteral("all")}));
}

void TestInputWidgets::passwordContextMenuEventShowsRestrictedMenu()
{
    CPasswordLineEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &event);

    QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QStringList names = ActionNames(menu);
    QVERIFY(names.contains(QStringLiteral("undo")));
    QVERIFY(!names.contains(QStringLiteral("copy")));
    QVERIFY(!names.contains(QStringLiteral("paste")));
    QVERIFY(!names.contains(QStringLiteral("cut")));
    menu->close();
    QTRY_VERIFY(menu.isNull());   // deleted once closed
}

void TestInputWidgets::byteLimit_data()
{
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("expected");

    const QString cjk = QString::fromUtf8("\xe4\xb8\xad");   // one CJK character, 3 bytes
    const int ok = QValidator::Acceptable;
    const int bad = QValidator::Invalid;

    QTest::newRow("39 ascii") << 39 << QString() << QString(39, QLatin1Char('a')) << ok;
    QTest::newRow("40 ascii") << 39 << QString() << QString(40, QLatin1Char('a')) << bad;
    QTest::newRow("13 cjk = 39 bytes") << 39 << QString() << cjk.repeated(13) << ok;
    QTest::newRow("14 cjk = 42 bytes") << 39 << QString() << cjk.repeated(14) << bad;
    QTest::newRow("37 ascii + cjk = 40 bytes, 38 chars")
        << 39 << QString() << QString(37, QLatin1Char('a')) + cjk << bad;
    QTest::newRow("empty") << 39 << QString() << QString() << ok;
    QTest::newRow("zero limit refuses a char") << 0 << QString() << QStringLiteral("a") << bad;
    QTest::newRow("no limit") << -1 << QString() << QString(500, QLatin1Char('a')) << ok;
    QTest::newRow("pattern alone, fits") << -1 << QStringLiteral("[0-9]{1,3}") << QStringLiteral("123") << ok;
    QTest::newRow("pattern alone, wrong") << -1 << QStringLiteral("[0-9]{1,3}") << QStringLiteral("12a") << bad;
    QTest::newRow("pattern alone, partial")
        << -1 << QStringLiteral("[0-9]{3}\\.") << QStringLiteral("123") << int(QValidator::Intermediate);
    QTest::newRow("pattern within limit") << 5 << QStringLiteral("[a-z]*") << QStringLiteral("abcde") << ok;
    QTest::newRow("pattern over limit") << 5 << QStringLiteral("[a-z]*") << QStringLiteral("abcdef") << bad;
}

void TestInputWidgets::byteLimit()
{
    QFETCH(int, maxBytes);
    QFETCH(QString, pattern);
    QFETCH(QString, input);
    QFETCH(int, expected);

    QScopedPointer<CRegExpValidator> validator(
        pattern.isEmpty() ? new CRegExpValidator(maxBytes)
                          : new CRegExpValidator(maxBytes, QRegularExpression(pattern)));
    int pos = 0;
    QCOMPARE(int(validator->validate(input, pos)), expected);
}

void TestInputWidgets::byteLimitInLineEdit()
{
    // Typing stops at the byte limit: the 14th CJK character is refused.
    QLineEdit edit;
    CRegExpValidator validator(39);
    edit.setValidator(&validator);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const QString cjk = QString::fromUtf8("\xe4\xb8\xad");
    for (int i = 0; i < 14; ++i)
        edit.insert(cjk);
    QCOMPARE(edit.text(), cjk.repeated(13));
    edit.insert(QStringLiteral("x"));   // the 40th byte: refused as well
    QCOMPARE(edit.text(), cjk.repeated(13));
}

void TestInputWidgets::delayButtonFiresOnceAfterLastRelease()
{
    CDelayButton button(QStringLiteral("Go"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy delayed(&button, &CDelayButton::SignalDelayRelease);
    QSignalSpy clicked(&button, &QPushButton::clicked);

    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(button.IsDelayPending());
    QTest::qWait(300);   // well inside the quiet period, which the second release renews
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);  // clicked() is not delayed
    QVERIFY(button.IsDelayPending());

    QVERIFY(delayed.wait(5000));
    QCOMPARE(delayed.count(), 1);
    QVERIFY(!button.IsDelayPending());
    QTest::qWait(2500);
    QCOMPARE(delayed.count(), 1);
}

void TestInputWidgets::delayButtonWaitsWhileChecked()
{
    CDelayButton button(QStringLiteral("Hold"));
    button.setCheckable(true);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy delayed(&button, &CDelayButton::SignalDelayRelease);

    QTest::mouseClick(&button, Qt::LeftButton);   // now checked
    QVERIFY(button.isChecked());
    QTest::qWait(CDelayButton::kDelayMs + 700);
    QVERIFY(delayed.isEmpty());
    QVERIFY(button.IsDelayPending());

    button.setChecked(false);
    QVERIFY(delayed.wait(5000));
    QCOMPARE(delayed.count(), 1);
}

void TestInputWidgets::labelReportsDoubleClick()
{
    CLabel label;
    label.setText(QStringLiteral("Name:"));
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QSignalSpy spy(&label, &CLabel::SignalDoubleClicked);
    QTest::mouseDClick(&label, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TestInputWidgets::labelShowsOwnTextAsTooltip()
{
    CLabel label;
    label.setText(QStringLiteral("The total devices number:"));
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QVERIFY(QApplication::sendEvent(&label, &help));
    QTRY_COMPARE(QToolTip::text(), label.text());
    QToolTip::hideText();

    // A tooltip of its own is left to the standard handling.
    label.setToolTip(QStringLiteral("own"));
    QHelpEvent again(QEvent::ToolTip, QPoint(2, 2), label.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&label, &again);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("own"));
    QToolTip::hideText();
}

void TestInputWidgets::comboEnableSlots()
{
    CComboBox combo;
    combo.setUserDisabled(true);
    QVERIFY(!combo.isEnabled());
    combo.setUserEnabled(true);
    QVERIFY(combo.isEnabled());
    combo.setUserEnabled(false);
    QVERIFY(!combo.isEnabled());
}

QTEST_MAIN(TestInputWidgets)
#include "tst_InputWidgets.moc"
