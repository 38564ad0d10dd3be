#include "files/savefile.h"

#include "files/fileproblems.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace n35
{

namespace
{

Status Failed(const QString &path, const QString &why)
{
    return FileProblem(path, why);
}

} // namespace

Status SaveFileAtomically(const QString &path, const QByteArray &content)
{
    // Qt 6.4's QSaveFile buffers a small file and reports a failed final flush nowhere: commit() then
    // renames a cut or empty temporary file over the good one. Unbuffered, every write reports itself.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(path, file.errorString());
    qint64 done = 0;
    while (done < content.size()) {
        const qint64 wrote = file.write(content.constData() + done, content.size() - done);
        if (wrote <= 0) {
            const QString why = file.errorString();
            file.cancelWriting();
            return Failed(path, why.isEmpty() ? QStringLiteral("the file could not be written") : why);
        }
        done += wrote;
    }
#ifdef Q_OS_UNIX
    // Some file systems (NFS, quotas) only say "no space" when the data reaches the disk.
    if (::fsync(file.handle()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return Failed(path, why);
    }
#endif
    if (file.error() != QFileDevice::NoError) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Failed(path, why);
    }
    if (!file.commit())
        return Failed(path, file.errorString());
    return {};
}

} // namespace n35
