#pragma once

#include <QFileDialog>
#include <functional>
#include <optional>

#include "widgets/CBaseDialog.h"

// The skinned file chooser: a file dialog widget shown inside the compact
// dialog frame. The static choosers are modal; a cancelled chooser returns a
// null string (an empty list for GetOpenFileNames).
//
// Test seam: SetTestHook(hook) makes every static chooser call
// hook(request) instead of showing a window; the hook returns the selection
// (std::nullopt for a cancelled chooser). Pass an empty function to restore
// the real chooser. Meant for tests only: the hook is process-wide.
class CFileDialog : public CBaseDialog
{
    Q_OBJECT
public:
    enum class Chooser { OpenFile, SaveFile, ExistingDirectory, OpenFiles };

    struct Request
    {
        Chooser chooser;
        QString caption;
        QString startDir;   // as resolved by ResolveStartDir
        QString filter;
        QFileDialog::Options options;   // as passed by the caller
    };
    using TestHook = std::function<std::optional<QStringList>(const Request& request)>;

    explicit CFileDialog(QWidget* parent = nullptr);

    static QString GetOpenFileName(QWidget* parent = nullptr, const QString& caption = QString(),
                                   const QString& dir = QString(), const QString& filter = QString(),
                                   QString* selectedFilter = nullptr, QFileDialog::Options options = {});
    static QString GetSaveFileName(QWidget* parent = nullptr, const QString& caption = QString(),
                                   const QString& dir = QString(), const QString& filter = QString(),
                                   const QString& defaultName = QString(), QString* selectedFilter = nullptr,
                                   QFileDialog::Options options = {});
    static QString GetExistingDirectory(QWidget* parent = nullptr, const QString& caption = QString(),
                                        const QString& dir = QString(),
                                        QFileDialog::Options options = QFileDialog::ShowDirsOnly);
    static QStringList GetOpenFileNames(QWidget* parent = nullptr, const QString& caption = QString(),
                                        const QString& dir = QString(), const QString& filter = QString(),
                                        QString* selectedFilter = nullptr, QFileDialog::Options options = {});

    static void SetTestHook(TestHook hook);

    // The file dialog widget inside the frame (null before a chooser set one up).
    QFileDialog* FileWidget() const { return m_pFileWidget; }

private:
    // Runs one chooser; nullopt when cancelled.
    static std::optional<QStringList> Run(QWidget* parent, const Request& request, const QString& defaultName,
                                          QString* selectedFilter);

    QFileDialog* m_pFileWidget = nullptr;
};
