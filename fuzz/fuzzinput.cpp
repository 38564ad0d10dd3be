#include "fuzzinput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

namespace n35::fuzz
{

namespace
{

// One directory for the life of the process, removed at exit. RAM-backed when possible: a million inputs
// written to a disk would cost more than reading them.
QTemporaryDir &InputDir()
{
    static QTemporaryDir dir = [] {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
        return QTemporaryDir(base + QStringLiteral("/n35-fuzz-XXXXXX"));
    }();
    return dir;
}

} // namespace

QString WriteInputFile(const char *name, const QByteArray &content)
{
    QTemporaryDir &dir = InputDir();
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    // A harness that cannot write its input would report nothing but clean runs; stop instead.
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        std::abort();
    return path;
}

} // namespace n35::fuzz
