#include "widgets/CTableDelegate.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QIcon>
#include <QLineEdit>

#include "widgets/CRegExpValidator.h"
#include "widgets/CTableView.h"
#include "widgets/CUserDataInterface.h"
#include "widgets/ItemRoles.h"

namespace {

QRegularExpression PatternOf(const QVariant& value)
{
    if (value.canConvert<QRegularExpression>() && value.userType() == QMetaType::QRegularExpression)
        return value.toRegularExpression();
    if (value.userType() == QMetaType::QString)
        return QRegularExpression(value.toString());
    return QRegularExpression();
}

QIcon IconOf(const QVariant& value)
{
    if (value.userType() == QMetaType::QIcon)
        return value.value<QIcon>();
    if (value.userType() == QMetaType::QPixmap)
        return QIcon(value.value<QPixmap>());
    return QIcon();
}

} // namespace

CTableDelegate::CTableDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
    if (auto* view = qobject_cast<CTableView*>(parent)) {
        connect(this, &CTableDelegate::SignalEditingFinished, view, &CTableView::SignalEditingFinished);
        connect(this, &CTableDelegate::SignalComboBoxTextChanged, view, &CTableView::SignalComboBoxTextChanged);
    }
}

void CTableDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
}

QWidget* CTableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;

    const QVariant comboList = index.data(ComboListRole);
    if (comboList.isValid()) {
        auto* combo = new QComboBox(parent);
        CUserDataList options = comboList.value<CUserDataList>();
        for (const CUserDataInterface& record : options)
            combo->addItem(IconOf(record.Value(1)), record.Value(0).toString());
        const QString text = index.data(Qt::DisplayRole).toString();
        const int found = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (found >= 0) {
            combo->setCurrentIndex(found);
        } else {
            // The cell's own text becomes one more option, kept with the cell.
            combo->addItem(text);
            combo->setCurrentIndex(combo->count() - 1);
            options.append(CUserDataInterface({text}));
            auto* model = const_cast<QAbstractItemModel*>(index.model());
            model->setData(index, QVariant::fromValue(options), ComboListRole);
        }
        combo->setFixedSize(option.rect.size());
        return combo;
    }

    const QVariant dateTime = index.data(DateTimeRole);
    if (dateTime.isValid()) {
        // Shows the value's date; setEditorData fills in the full date-time.
        auto* editor = new QDateTimeEdit(dateTime.toDateTime().date(), parent);
        editor->setCalendarPopup(true);
        return editor;
    }

    const QVariant date = index.data(DateRole);
    if (date.isValid()) {
        auto* editor = new QDateEdit(date.toDate(), parent);
        editor->setCalendarPopup(true);
        return editor;
    }

    auto* lineEdit = new QLineEdit(index.data(Qt::DisplayRole).toString(), parent);
    const QRegularExpression pattern = PatternOf(index.data(RegExpRole));
    const QVariant maxBytesValue = index.data(MaxBytesRole);
    const int maxBytes = maxBytesValue.isValid() ? maxBytesValue.toInt() : -1;
    if (!pattern.pattern().isEmpty())
        lineEdit->setValidator(new CRegExpValidator(maxBytes, pattern, lineEdit));
    else if (maxBytes != -1)
        lineEdit->setValidator(new CRegExpValidator(maxBytes, lineEdit));
    return lineEdit;
}

void CTableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (index.data(ComboListRole).isValid()) {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(index.data(Qt::DisplayRole).toString(),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive));
            return;
        }
    }
    if (index.data(DateTimeRole).isValid()) {
        if (auto* edit = qobject_cast<QDateTimeEdit*>(editor)) {
            edit->setDateTime(index.data(DateTimeRole).toDateTime());
            return;
        }
    }
    if (index.data(DateRole).isValid()) {
        if (auto* edit = qobject_cast<QDateEdit*>(editor)) {
            edit->setDate(index.data(DateRole).toDate());
            return;
        }
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CTableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (index.data(ComboListRole).isValid()) {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int current = combo->currentIndex();
            model->setData(index, combo->currentText(), Qt::EditRole);
            model->setData(index, current >= 0 ? QVariant(combo->itemIcon(current)) : QVariant(),
                           Qt::DecorationRole);
            emit const_cast<CTableDelegate*>(this)->SignalComboBoxTextChanged(index);
            return;
        }
    }
    if (index.data(DateTimeRole).isValid()) {
        if (auto* edit = qobject_cast<QDateTimeEdit*>(editor)) {
            model->setData(index, edit->dateTime(), DateTimeRole);
            model->setData(index, edit->date().toString(QStringLiteral("yyyy-MM-dd")), Qt::EditRole);
            return;
        }
    }
    if (index.data(DateRole).isValid()) {
        if (auto* edit = qobject_cast<QDateEdit*>(editor)) {
            model->setData(index, edit->date(), DateRole);
            model->setData(index, edit->date().toString(QStringLiteral("yyyy-MM-dd")), Qt::EditRole);
            return;
        }
    }
    QStyledItemDelegate::setModelData(editor, model, index);
    emit const_cast<CTableDelegate*>(this)->SignalEditingFinished(index);
}

void CTableDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (qobject_cast<QLineEdit*>(editor) && (index.flags() & Qt::ItemIsUserCheckable)) {
        QRect rect = option.rect;
        rect.setLeft(rect.left() + option.decorationSize.width() + 4);
        editor->setGeometry(rect);
        return;
    }
    if (qobject_cast<QComboBox*>(editor)) {
        editor->setGeometry(option.rect);
        return;
    }
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}
