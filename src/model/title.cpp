#include "model/title.h"

#include "model/channeledit.h"
#include "model/hex.h"
#include "model/textcodec.h"

namespace n35
{

namespace
{

constexpr int TextHexLength = 64;
constexpr int BlockHexLength = TextHexLength + 4;

} // namespace

void OpeningTitle::set(const QString &text, int motion)
{
    if (text == title && motion == slide)
        return;
    title = text;
    slide = motion;
    emit changed();
}

void OpeningTitle::setText(const QString &text)
{
    set(text, slide);
}

void OpeningTitle::setMotion(int motion)
{
    set(title, motion == 0 ? 0 : 1);
}

void OpeningTitle::appendGlyph(int glyph)
{
    set(NameLengthCheckAndCorrect(title + QLatin1Char('\\') + QString::number(glyph)), slide);
}

void OpeningTitle::reset()
{
    set(QString(), 0);
}

QString OpeningTitle::encode() const
{
    // ConvertEscapeText cuts to 16 positions; a glyph that would need positions 16 and 17 is left out
    // and the space it leaves is padding.
    return MakeTextData(ConvertEscapeText(title)).left(TextHexLength) +
           (slide == 0 ? QStringLiteral("0000") : QStringLiteral("0100"));
}

Status OpeningTitle::ExpandTitleData(const QString &hex)
{
    if (hex.size() < BlockHexLength || !IsHexText(hex.left(BlockHexLength)))
        return Problem{QStringLiteral("the title"), QStringLiteral("the title block"),
                       QStringLiteral("it is not 68 hex characters")};
    const int motion = hex.mid(TextHexLength, 4) == QLatin1String("0000") ? 0 : 1;
    set(ExpandTextData(hex.left(TextHexLength)), motion);
    return {};
}

} // namespace n35
