// The "Save" dialog of the spreadsheet export: a file name and a folder,
// checked and then written as an .xls workbook of the device table.
#pragma once

#include "widgets/CBaseDialog.h"

#include <memory>

class QAbstractItemModel;
namespace Ui {
class PathWidget;
}

class PathWidget : public CBaseDialog
{
    Q_OBJECT

public:
    explicit PathWidget(QAbstractItemModel *model, QWidget *parent = nullptr);
    ~PathWidget() override;

    // The folder of the last confirmed save, shared by every dialog for the
    // life of the program and offered first by the next one.
    static QString LastFolder();
    static void SetLastFolder(const QString &folder);

public slots:
    void onConfirm();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::PathWidget> m_ui;
    QAbstractItemModel *m_pModel; // not owned
    static QString s_strLastFolder;
};
