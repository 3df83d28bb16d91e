#include "widgets/CRegExpValidator.h"

CRegExpValidator::CRegExpValidator(int maxBytes, QObject* parent)
    : QRegularExpressionValidator(parent)
    , m_nMaxBytes(maxBytes)
{
}

CRegExpValidator::CRegExpValidator(int maxBytes, const QRegularExpression& pattern, QObject* parent)
    : QRegularExpressionValidator(pattern, parent)
    , m_nMaxBytes(maxBytes)
{
}

int CRegExpValidator::LocalByteCount(const QString& text)
{
    return int(text.toLocal8Bit().size());
}

QValidator::State CRegExpValidator::validate(QString& input, int& pos) const
{
    if (m_nMaxBytes >= 0 && LocalByteCount(input) > m_nMaxBytes)
        return Invalid;
    return QRegularExpressionValidator::validate(input, pos);
}
