#include "XlsReadBack.h"

#include <QFile>

#include <freexl.h>

QList<ReadSheet> ReadWorkbookWithFreexl(const QString &path, QString *error)
{
    QList<ReadSheet> sheets;
    const void *handle = nullptr;
    auto fail = [&](const QString &what) {
        if (error)
            *error = what;
        if (handle)
            freexl_close(handle);
        return QList<ReadSheet>();
    };
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK)
        return fail(QStringLiteral("freexl_open failed"));
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return fail(QStringLiteral("no sheet count"));
    unsigned int biff = 0;
    freexl_get_info(handle, FREEXL_BIFF_VERSION, &biff);
    if (biff != FREEXL_BIFF_VER_8)
        return fail(QStringLiteral("not BIFF8: %1").arg(biff));
    for (unsigned short s = 0; s < count; ++s) {
        ReadSheet sheet;
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, s, &name) != FREEXL_OK)
            return fail(QStringLiteral("no sheet name"));
        sheet.name = QString::fromUtf8(name);
        if (freexl_select_active_worksheet(handle, s) != FREEXL_OK)
            return fail(QStringLiteral("cannot select sheet"));
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
            return fail(QStringLiteral("no dimensions"));
        for (unsigned int r = 0; r < rows; ++r) {
            QStringList row;
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK)
                    return fail(QStringLiteral("cell %1,%2 unreadable").arg(r).arg(c));
                switch (value.type) {
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                    row << QString::fromUtf8(value.value.text_value);
                    break;
                case FREEXL_CELL_NULL:
                    row << QString();
                    break;
                default:
                    return fail(QStringLiteral("cell %1,%2 is not text (type %3)").arg(r).arg(c).arg(value.type));
                }
            }
            sheet.rows << row;
        }
        sheets << sheet;
    }
    freexl_close(handle);
    return sheets;
}
