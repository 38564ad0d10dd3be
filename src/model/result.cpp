#include "model/result.h"

namespace n35
{

QString Problem::describe() const
{
    QString text = where;
    if (!what.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + what;
    if (!why.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + why;
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace n35
