#include "QtVrelItemModel.h"

namespace {

const char *const kHeaders[QtVrelItemModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("QtVrelItemModel", "ID"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Device Type"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv4 Address"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Safety state"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Port"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Soft Vision"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv4 GateWay"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Http Port"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Serial Number"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv4 Mask"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "MAC"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Channel NO"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "DSP Vision"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Start Time"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv6 Address"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv6 GateWay"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv6 Prefix Length"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Is Support IPv6"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Is Support Mod IPv6"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "Is Support DHCP"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "IPv4 DHCP"),
    QT_TRANSLATE_NOOP("QtVrelItemModel", "New"),
};

} // namespace

QtVrelItemModel::QtVrelItemModel(QObject *parent)
    : QStandardItemModel(parent)
{
    insertColumns(0, ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        setHeaderData(column, Qt::Horizontal, tr(kHeaders[column]), Qt::DisplayRole);
        setHeaderData(column, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter),
                      Qt::TextAlignmentRole);
    }
}

QtVrelItemModel::~QtVrelItemModel() = default;
