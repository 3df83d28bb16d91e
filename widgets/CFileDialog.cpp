#include "widgets/CFileDialog.h"

#include "widgets/PathRules.h"

namespace {

CFileDialog::TestHook& Hook()
{
    static CFileDialog::TestHook hook;
    return hook;
}

} // namespace

CFileDialog::CFileDialog(QWidget* parent)
    : CBaseDialog(parent, false, false, false)
{
    ShowCloseBtn(true);
    resize(600, 400);
    setStyleSheet(styleSheet()
                  + QStringLiteral("QListView::item:hover,QFileDialogTreeView::item:hover     {         "
                                   "background-color:rgb(251,251,194);        color:rgb(0,0,0);    }     "
                                   "QListView::item:selected,QFileDialogTreeView::item:selected    {         "
                                   "background-color:rgb(238,238,238);        color:rgb(0,0,0);    } "));
}

void CFileDialog::SetTestHook(TestHook hook)
{
    Hook() = std::move(hook);
}

std::optional<QStringList> CFileDialog::Run(QWidget* parent, const Request& request, const QString& defaultName,
                                            QString* selectedFilter)
{
    if (Hook())
        return Hook()(request);

    CFileDialog frame(parent);
    auto* files = new QFileDialog(nullptr, QString(), QString(), QString());
    frame.m_pFileWidget = files;
    frame.SetTitle(request.caption);
    // Shown inside the frame, not as a window of its own; its buttons end the frame.
    frame.SetContentWidget(files);
    connect(files, &QDialog::accepted, &frame, &QDialog::accept);
    connect(files, &QDialog::rejected, &frame, &QDialog::reject);

    files->setDirectory(request.startDir);
    if (request.chooser != Chooser::ExistingDirectory)
        files->setNameFilter(request.filter);
    // Never asks before overwriting and offers no creating, renaming or
    // deleting; a native dialog could not live inside the frame.
    files->setOptions(request.options | QFileDialog::DontConfirmOverwrite | QFileDialog::ReadOnly
                      | QFileDialog::DontUseNativeDialog);

    switch (request.chooser) {
    case Chooser::OpenFile:
        files->setFileMode(QFileDialog::ExistingFile);
        break;
    case Chooser::SaveFile:
        files->setFileMode(QFileDialog::AnyFile);
        files->setAcceptMode(QFileDialog::AcceptSave);
        files->selectFile(defaultName);
        break;
    case Chooser::OpenFiles:
        files->setFileMode(QFileDialog::ExistingFiles);
        break;
    case Chooser::ExistingDirectory:
        files->setFileMode(QFileDialog::Directory);
        files->setOption(QFileDialog::ShowDirsOnly, request.options.testFlag(QFileDialog::ShowDirsOnly));
        break;
    }
    if (selectedFilter && !selectedFilter->isEmpty())
        files->selectNameFilter(*selectedFilter);

    if (frame.exec() != QDialog::Accepted)
        return std::nullopt;
    if (selectedFilter)
        *selectedFilter = files->selectedNameFilter();
    return files->selectedFiles();
}

QString CFileDialog::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter, QString* selectedFilter, QFileDialog::Options options)
{
    const auto chosen = Run(parent, {Chooser::OpenFile, caption, ResolveStartDir(dir), filter, options}, QString(),
                            selectedFilter);
    if (!chosen)
        return QString();
    return chosen->isEmpty() ? QStringLiteral("") : chosen->first();
}

QString CFileDialog::GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter, const QString& defaultName, QString* selectedFilter,
                                     QFileDialog::Options options)
{
    const auto chosen = Run(parent, {Chooser::SaveFile, caption, ResolveStartDir(dir), filter, options},
                            defaultName, selectedFilter);
    if (!chosen)
        return QString();
    return chosen->isEmpty() ? QStringLiteral("") : chosen->first();
}

QString CFileDialog::GetExistingDirectory(QWidget* parent, const QString& caption, const QString& dir,
                                          QFileDialog::Options options)
{
    const auto chosen = Run(parent, {Chooser::ExistingDirectory, caption, ResolveStartDir(dir), QString(), options},
                            QString(), nullptr);
    if (!chosen)
        return QString();
    return chosen->isEmpty() ? QStringLiteral("") : chosen->first();
}

QStringList CFileDialog::GetOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                          const QString& filter, QString* selectedFilter,
                                          QFileDialog::Options options)
{
    const auto chosen = Run(parent, {Chooser::OpenFiles, caption, ResolveStartDir(dir), filter, options}, QString(),
                            selectedFilter);
    return chosen ? *chosen : QStringList();
}
