#pragma once

#include <QRegularExpression>
#include <QRegularExpressionValidator>

// Regular-expression validator that also limits the text's length in bytes
// of the local 8-bit encoding (UTF-8 on Linux: a CJK character takes three).
class CRegExpValidator : public QRegularExpressionValidator
{
    Q_OBJECT
public:
    // Accepts every text up to maxBytes bytes; a negative maxBytes means no limit.
    explicit CRegExpValidator(int maxBytes, QObject* parent = nullptr);
    CRegExpValidator(int maxBytes, const QRegularExpression& pattern, QObject* parent = nullptr);

    int MaxBytes() const { return m_nMaxBytes; }

    State validate(QString& input, int& pos) const override;

    // Length of text in the local 8-bit encoding.
    static int LocalByteCount(const QString& text);

private:
    int m_nMaxBytes;
};
