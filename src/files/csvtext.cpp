#include "files/csvtext.h"

#include <QStringDecoder>

namespace n35
{

namespace
{

Problem Unreadable(const QString &why)
{
    return Problem{QString(), QString(), why, false, ProblemKind::Unreadable};
}

} // namespace

Result<std::vector<CsvRecord>> SplitCsvRecords(const QString &text)
{
    std::vector<CsvRecord> records;
    int line = 1;
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false;
    bool fieldStart = true;
    int quoteLine = 0;
    auto endRecord = [&] {
        record.fields << field;
        if (record.fields.size() > 1 || !record.fields.constFirst().isEmpty())
            records.push_back(std::move(record));
        field.clear();
        record = CsvRecord{line + 1, {}};
        fieldStart = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (quoted) {
            if (c == QLatin1Char('"') && next == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                line += c == QLatin1Char('\n') ? 1 : 0;
                field += c;
            }
        } else if (c == QLatin1Char('"') && fieldStart) {
            quoted = true;
            quoteLine = line;
            fieldStart = false;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
            fieldStart = true;
        } else if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && next != QLatin1Char('\n'))) {
            endRecord();
            ++line;
        } else if (c != QLatin1Char('\r')) {
            // Text after a closing quote is kept, as spreadsheets do.
            field += c;
            fieldStart = false;
        }
    }
    if (quoted)
        return Unreadable(QStringLiteral("the quote opened on line %1 is never closed").arg(quoteLine));
    if (!field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return records;
}

QString CsvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

Result<QString> DecodeUtf8(QByteArray content)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(content);
    if (!decoder.hasError())
        return text;
    // Only for the message: decode line by line to find the first bad one.
    const QList<QByteArray> lines = content.split('\n');
    qsizetype bad = 0;
    while (bad + 1 < lines.size()) {
        QStringDecoder one(QStringDecoder::Utf8);
        const QString decoded = one.decode(lines.at(bad));
        Q_UNUSED(decoded)
        if (one.hasError())
            break;
        ++bad;
    }
    return Unreadable(QStringLiteral("line %1 is not UTF-8 text").arg(bad + 1));
}

} // namespace n35
