#include "widgets/CPathComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "widgets/CFileDialog.h"
#include "widgets/PathRules.h"

CPathComboBox::CPathComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void CPathComboBox::SetMode(int mode)
{
    m_nMode = mode;
    setToolTip(currentText());
}

void CPathComboBox::SetCaption(const QString& caption)
{
    m_strCaption = caption;
}

void CPathComboBox::SetFilter(const QString& filter)
{
    m_strFilter = filter;
}

void CPathComboBox::mousePressEvent(QMouseEvent* event)
{
    const QRect arrow(width() - kArrowWidth, 0, kArrowWidth, height());
    if (arrow.contains(event->position().toPoint()))
        QComboBox::mousePressEvent(event);
}

void CPathComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && lineEdit())
        return;
    QComboBox::keyPressEvent(event);
}

void CPathComboBox::SetOnlyEntry(const QString& path, bool bTooltip)
{
    clear();
    addItem(path);
    if (bTooltip)
        setToolTip(path);
}

void CPathComboBox::showPopup()
{
    const QString start = currentText().isEmpty() ? QStringLiteral(".") : currentText();
    switch (m_nMode) {
    case SaveFileMode: {
        const QString path =
            CFileDialog::GetSaveFileName(this, m_strCaption, start, m_strFilter, QString(), nullptr, {});
        if (path.isNull())
            return;
        SetOnlyEntry(WithFilterExtension(path, m_strFilter), true);
        break;
    }
    case OpenFileMode: {
        const QString path = CFileDialog::GetOpenFileName(this, m_strCaption, start, m_strFilter, nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (path.isNull())
            return;
        SetOnlyEntry(path, true);
        break;
    }
    case DirectoryMode: {
        if (m_strCaption.isEmpty())
            m_strCaption = tr("Select Directory");
        const QString path = CFileDialog::GetExistingDirectory(this, m_strCaption, start, QFileDialog::ShowDirsOnly);
        if (path.isNull())
            return;
        SetOnlyEntry(WithTrailingSlash(path), true);
        break;
    }
    case OpenFilesMode: {
        const QStringList paths = CFileDialog::GetOpenFileNames(this, m_strCaption, start, m_strFilter, nullptr, {});
        if (paths.isEmpty())
            return;
        clear();
        addItems(paths);
        break;
    }
    default:
        break;
    }
}
