#include "files/imagefile.h"

#include "model/channelcodec.h"
#include "model/cloneimage.h"

#include <QDateTime>
#include <QSaveFile>
#include <QStringList>

namespace n35
{

bool SaveImageFile(const QString &path, const CloneImage &image, int portNumber, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };

    QStringList lines;
    lines << QStringLiteral("Save Date and Time ") +
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (image.channels.cell(channel, ColFrequency).isEmpty())
            continue;
        const Result<QString> record = EncodeChannel(channel, image.channels);
        if (!record)
            return fail(record.problem().describe());
        lines << QStringLiteral("CH%1:").arg(channel - 1, 4, 10, QLatin1Char('0')) + *record;
    }
    // An unfinished partition is not saved: loading it would only be refused.
    if (image.banks.total() == BankChannelTotal) {
        lines << QStringLiteral("BK0:") + EncodeBankBlock(image.banks, 0);
        lines << QStringLiteral("BK1:") + EncodeBankBlock(image.banks, 1);
    }
    lines << QStringLiteral("COMPORT:%1").arg(portNumber, 2, 10, QLatin1Char('0'));
    lines << QStringLiteral("File End");

    // Every line is ASCII: hex payloads, keys and a numeric date.
    const QByteArray content = lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (file.write(content) != content.size() || !file.commit())
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return true;
}

} // namespace n35
