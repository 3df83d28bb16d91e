#pragma once

#include <Qt>

// Item data roles the table view and its delegate read, besides Qt's own.
enum ItemRole : int {
    ItemFlagsRole = 31,      // int; bit value 2 marks the item as clickable
    ComboListRole = 134,     // QList<CUserDataInterface>: options of a combo box editor
    ButtonRole = 135,        // bool: the item acts as a button
    DateTimeRole = 138,      // QDateTime: edited with a date-time editor
    DateRole = 139,          // QDate: edited with a date editor
    RegExpRole = 153,        // QRegularExpression (or its pattern as QString) for the line editor
    MaxBytesRole = 154,      // int: byte limit of the line editor
};

// ItemFlagsRole bit that marks an item as clickable.
constexpr int kClickableItemFlag = 2;
