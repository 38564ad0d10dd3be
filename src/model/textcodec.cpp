#include "model/textcodec.h"

#include "model/hex.h"

#include <QList>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/utf16.h>

namespace n35
{

namespace
{

constexpr char32_t Backslash = U'\\';
constexpr char16_t QuestionMark = u'?';
constexpr char32_t LastUnmappedChar = UnmappedCodeBase + 0xFFFF;
constexpr int TextDataMinLength = 64;

// One windows-31j converter per thread. Both directions stop at the first unmappable input, so a
// missing character is reported instead of being replaced by the converter's substitute.
class Cp932Converter
{
public:
    Cp932Converter()
    {
        UErrorCode error = U_ZERO_ERROR;
        UConverter *converter = ucnv_open("windows-31j", &error);
        if (U_FAILURE(error))
            return;
        ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
        // One-way "best fit" mappings would make a typed character come back as a different one.
        ucnv_setFallback(converter, false);
        if (U_FAILURE(error)) {
            ucnv_close(converter);
            return;
        }
        m_converter = converter;
    }
    ~Cp932Converter()
    {
        if (m_converter)
            ucnv_close(m_converter);
    }
    Cp932Converter(const Cp932Converter &) = delete;
    Cp932Converter &operator=(const Cp932Converter &) = delete;

    std::optional<quint16> Encode(char32_t ch)
    {
        if (!m_converter || ch > 0x10FFFF || U_IS_SURROGATE(ch))
            return std::nullopt;
        UChar units[2];
        int32_t unitCount = 0;
        UBool failed = false;
        U16_APPEND(units, unitCount, 2, static_cast<UChar32>(ch), failed);
        if (failed)
            return std::nullopt;
        char bytes[4];
        UErrorCode error = U_ZERO_ERROR;
        ucnv_resetFromUnicode(m_converter);
        const int32_t length = ucnv_fromUChars(m_converter, bytes, sizeof bytes, units, unitCount, &error);
        if (U_FAILURE(error) || length < 1 || length > 2)
            return std::nullopt;
        quint16 code = 0;
        for (int32_t i = 0; i < length; ++i)
            code = static_cast<quint16>((code << 8) | static_cast<unsigned char>(bytes[i]));
        return code;
    }

    std::optional<char32_t> Decode(quint16 code)
    {
        if (!m_converter)
            return std::nullopt;
        const char bytes[2] = {static_cast<char>(code < 0x100 ? code : code >> 8),
                               static_cast<char>(code & 0xFF)};
        const int32_t byteCount = code < 0x100 ? 1 : 2;
        UChar units[4];
        UErrorCode error = U_ZERO_ERROR;
        ucnv_resetToUnicode(m_converter);
        const int32_t length = ucnv_toUChars(m_converter, units, 4, bytes, byteCount, &error);
        if (U_FAILURE(error) || length < 1 || length > 2)
            return std::nullopt;
        // Two bytes that read as two single-byte characters are no one character.
        int32_t offset = 0;
        UChar32 ch = 0;
        U16_NEXT(units, offset, length, ch);
        if (offset != length || U_IS_SURROGATE(ch))
            return std::nullopt;
        return static_cast<char32_t>(ch);
    }

private:
    UConverter *m_converter = nullptr;
};

Cp932Converter &Converter()
{
    thread_local Cp932Converter converter;
    return converter;
}

int PositionsOfCode(quint16 code)
{
    return code < 0x100 ? 1 : 2;
}

void AppendChar(QString &text, char32_t ch)
{
    if (QChar::requiresSurrogates(ch)) {
        text.append(QChar(QChar::highSurrogate(ch)));
        text.append(QChar(QChar::lowSurrogate(ch)));
    } else {
        text.append(QChar(static_cast<char16_t>(ch)));
    }
}

} // namespace

char32_t Cp932Char(quint16 code)
{
    if (code >= 0x20 && code <= 0x7E)
        return code;
    // Control codes would be invisible or disturb a cell, so they get a placeholder like any non-character.
    if (code < 0x80)
        return UnmappedCodeBase + code;
    const std::optional<char32_t> ch = Converter().Decode(code);
    if (!ch || *ch < 0x80 || (*ch >= UnmappedCodeBase && *ch <= LastUnmappedChar))
        return UnmappedCodeBase + code;
    return *ch;
}

std::optional<quint16> Cp932Code(char32_t ch)
{
    // ASCII is taken as is: the converter behind "windows-31j" swaps 0x1A, 0x1C and 0x7F.
    if (ch >= 0x20 && ch <= 0x7E)
        return static_cast<quint16>(ch);
    if (ch < 0x80)
        return std::nullopt;
    if (ch >= UnmappedCodeBase && ch <= LastUnmappedChar) {
        const auto code = static_cast<quint16>(ch - UnmappedCodeBase);
        if (Cp932Char(code) != ch)
            return std::nullopt;
        return code;
    }
    const std::optional<quint16> code = Converter().Encode(ch);
    // Accept only a code that reads back as the same character, so what is shown is what gets written.
    if (!code || Cp932Char(*code) != ch)
        return std::nullopt;
    return code;
}

int Cp932Positions(char32_t ch)
{
    const std::optional<quint16> code = Cp932Code(ch);
    return code ? PositionsOfCode(*code) : 1;
}

int Cp932ByteLength(const QString &text)
{
    int bytes = 0;
    for (const uint ch : text.toUcs4())
        bytes += Cp932Positions(ch);
    return bytes;
}

QString ConvertEscapeText(const QString &escaped)
{
    const QList<uint> chars = escaped.toUcs4();
    QString internal;
    int used = 0;
    qsizetype at = 0;
    while (at < chars.size() && used < MaxTextPositions) {
        const char32_t ch = chars.at(at);
        const char32_t next = at + 1 < chars.size() ? chars.at(at + 1) : 0;
        char32_t put = ch;
        int width = 1;
        int taken = 1;
        if (ch == Backslash && next == Backslash) {
            taken = 2;
        } else if (ch == Backslash && next >= U'1' && next < U'1' + GlyphCount) {
            put = FirstGlyphChar + (next - U'1');
            width = 2;
            taken = 2;
        } else if (const std::optional<quint16> code = Cp932Code(ch)) {
            width = PositionsOfCode(*code);
        } else {
            put = QuestionMark;
        }
        if (used + width > MaxTextPositions)
            break;
        AppendChar(internal, put);
        used += width;
        at += taken;
    }
    return internal;
}

QString MakeTextData(const QString &internal)
{
    QString hex;
    for (const uint ch : internal.toUcs4())
        hex += Word16Hex(Cp932Code(ch).value_or(QuestionMark));
    while (hex.size() < TextDataMinLength)
        hex += Word16Hex(u' ');
    return hex;
}

QString ExpandTextData(const QString &hex)
{
    QString escaped;
    for (qsizetype at = 0; at + 4 <= hex.size(); at += 4) {
        const qint64 code = HexWord16At(hex, static_cast<int>(at / 2));
        if (code < 0)
            continue;
        const char32_t ch = Cp932Char(static_cast<quint16>(code));
        // Backslashes are doubled before glyphs become "\1".."\8", so a glyph's backslash stays single.
        if (ch == Backslash) {
            escaped.append(QStringLiteral("\\\\"));
        } else if (ch >= FirstGlyphChar && ch < FirstGlyphChar + GlyphCount) {
            escaped.append(QChar(u'\\'));
            escaped.append(QChar(static_cast<char16_t>(u'1' + (ch - FirstGlyphChar))));
        } else {
            AppendChar(escaped, ch);
        }
    }
    return escaped;
}

QString NameFault(const QString &escaped, bool placeholders)
{
    auto hex = [](char32_t value) {
        return QString::number(static_cast<uint>(value), 16).toUpper().rightJustified(4, u'0');
    };
    for (const uint ch : escaped.toUcs4()) {
        if (ch >= UnmappedCodeBase && ch <= LastUnmappedChar) {
            if (placeholders && Cp932Code(ch))
                continue;
            return QStringLiteral("holds radio code %1, which is no character")
                .arg(hex(ch - UnmappedCodeBase));
        }
        if (ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch < 0xA0))
            return QStringLiteral("holds the control character U+%1").arg(hex(ch));
        if (!Cp932Code(ch)) {
            const char32_t one[] = {ch};
            return QStringLiteral("holds \"%1\" (U+%2), which the radio cannot store")
                .arg(QString::fromUcs4(one, 1), hex(ch));
        }
    }
    return {};
}

std::optional<QByteArray> Cp932Bytes(const QString &text, char32_t *lacking)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint ch : text.toUcs4()) {
        const bool placeholder = ch >= UnmappedCodeBase && ch <= LastUnmappedChar;
        const std::optional<quint16> code = placeholder ? std::nullopt : Cp932Code(ch);
        if (!code) {
            if (lacking)
                *lacking = ch;
            return std::nullopt;
        }
        if (*code >= 0x100)
            bytes.append(static_cast<char>(*code >> 8));
        bytes.append(static_cast<char>(*code & 0xFF));
    }
    return bytes;
}

QString Cp932FromBytes(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const auto lead = static_cast<unsigned char>(bytes.at(at));
        quint16 code = lead;
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        const auto trail = at + 1 < bytes.size() ? static_cast<unsigned char>(bytes.at(at + 1)) : 0;
        // A lead byte without a valid trail stands alone, so the quote or comma after it survives.
        if (isLead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F) {
            code = static_cast<quint16>(lead << 8 | trail);
            ++at;
        }
        AppendChar(text, Cp932Char(code));
    }
    return text;
}

} // namespace n35
