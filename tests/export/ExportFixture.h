// Shared pieces of the export suites: a device-table-shaped model, the
// messages the dialogs would have shown, and a second reader (xlrd).
#pragma once

#include "XlsReadBack.h"

#include <QList>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>

#include <memory>

// The header texts of the device table's 22 columns, untranslated.
QStringList DeviceTableHeaders();

// A model shaped like the device table: 22 columns with those headers and
// `rows` rows of distinct texts ("r<row>c<column>", column 0 "%03d").
std::unique_ptr<QStandardItemModel> MakeDeviceModel(int rows);

struct ShownMessage
{
    QString title;
    QString text;
    bool question = false;
    bool operator==(const ShownMessage &o) const
    {
        return title == o.title && text == o.text && question == o.question;
    }
};

// Answers every message dialog of the process while it lives: questions with
// `questionAnswer`, information with 0 (closed); records what was shown.
class MessageRecorder
{
public:
    explicit MessageRecorder(int questionAnswer = 1);
    ~MessageRecorder();
    QList<ShownMessage> messages;
    int questionAnswer;
};

// Reads the workbook with Debian's python3-xlrd; empty and `error` set on failure.
QList<ReadSheet> ReadWorkbookWithXlrd(const QString &path, QString *error = nullptr);

// The model's texts of columns 0..20, row by row, as the workbook should hold them.
QList<QStringList> ExpectedRows(const QAbstractItemModel &model);
