// Saving the device table as a spreadsheet.
#include "QtVrel.h"

#include "discovery/QtVrelItemModel.h"
#include "export/PathWidget.h"

void QtVrel::saveExcel()
{
    PathWidget dialog(m_pModel, nullptr);
    dialog.exec();
}
