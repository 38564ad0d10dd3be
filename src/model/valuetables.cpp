#include "model/valuetables.h"

#include <QLatin1String>

namespace n35
{

namespace
{

QString ToQString(std::string_view text)
{
    return QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}

template <std::size_t N> int FindText(const std::array<std::string_view, N> &table, const QString &text)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (text == QLatin1String(table[i].data(), static_cast<qsizetype>(table[i].size())))
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N>
quint16 IndexOrNotInTable(const std::array<std::string_view, N> &table, const QString &text)
{
    const int index = FindText(table, text);
    return index < 0 ? NotInTable : static_cast<quint16>(index);
}

template <std::size_t N>
std::optional<QString> TextAt(const std::array<std::string_view, N> &table, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return std::nullopt;
    return ToQString(table[static_cast<std::size_t>(index)]);
}

template <std::size_t N> QStringList AllTexts(const std::array<std::string_view, N> &table)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(N));
    for (const std::string_view text : table)
        texts.append(ToQString(text));
    return texts;
}

} // namespace

quint16 StepIndex(const QString &text)
{
    return IndexOrNotInTable(StepTable, text);
}

quint16 ToneTypeIndex(const QString &text)
{
    return IndexOrNotInTable(ToneTypeTable, text);
}

quint16 CtcssNumber(const QString &text)
{
    return static_cast<quint16>(FindText(CtcssTable, text) + 1);
}

quint16 DcsIndex(const QString &text)
{
    return IndexOrNotInTable(DcsTable, text);
}

std::optional<QString> StepText(int code)
{
    return TextAt(StepTable, code);
}

std::optional<QString> ToneTypeText(int code)
{
    return TextAt(ToneTypeTable, code);
}

std::optional<QString> CtcssText(int code)
{
    return TextAt(CtcssTable, code - 1);
}

std::optional<QString> DcsText(int code)
{
    return TextAt(DcsTable, code);
}

QStringList StepTexts()
{
    static const QStringList texts = AllTexts(StepTable);
    return texts;
}

QStringList ToneTypeTexts()
{
    static const QStringList texts = AllTexts(ToneTypeTable);
    return texts;
}

QStringList CtcssTexts()
{
    static const QStringList texts = AllTexts(CtcssTable);
    return texts;
}

QStringList DcsTexts()
{
    static const QStringList texts = AllTexts(DcsTable);
    return texts;
}

QString ModeText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("NFM");
    case 1:
        return QStringLiteral("FM");
    default:
        return QString();
    }
}

QString ShiftText(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("+");
    case 2:
        return QStringLiteral("-");
    default:
        return QStringLiteral("Off");
    }
}

int ShiftCode(const QString &text)
{
    if (text == QLatin1String("+"))
        return 1;
    if (text == QLatin1String("-"))
        return 2;
    return 0;
}

QString SkipText(int code)
{
    return code == 1 ? QStringLiteral("*") : QString();
}

int SkipCode(const QString &text)
{
    return text == QLatin1String("*") ? 1 : 0;
}

} // namespace n35
