#include "files/readfile.h"

#include "files/fileproblems.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace n35
{

namespace
{

constexpr char16_t EscapeBase = 0xDC00;

Problem Unreadable(const QString &path, const QString &why)
{
    return FileProblem(path, why, ProblemKind::Unreadable);
}

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool Utf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text)
    return !decoder.hasError();
}

} // namespace

QString FileNameFromNative(const QByteArray &native)
{
    if (Utf8(native))
        return QString::fromUtf8(native);
    // Longest valid UTF-8 runs as text, every other byte escaped.
    QString name;
    qsizetype at = 0;
    while (at < native.size()) {
        const auto lead = static_cast<unsigned char>(native.at(at));
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        const QByteArray piece = native.mid(at, length);
        if (length > 0 && piece.size() == length && Utf8(piece)) {
            name += QString::fromUtf8(piece);
            at += length;
        } else {
            name += QChar(static_cast<char16_t>(EscapeBase + lead));
            ++at;
        }
    }
    return name;
}

QByteArray NativeFileName(const QString &name)
{
    QByteArray native;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= name.size(); ++at) {
        const bool escaped = at < name.size() && name.at(at).unicode() >= EscapeBase + 0x80 &&
                             name.at(at).unicode() <= EscapeBase + 0xFF &&
                             !(at > 0 && name.at(at - 1).isHighSurrogate());
        if (!escaped && at < name.size())
            continue;
        native += name.mid(start, at - start).toUtf8();
        if (escaped)
            native += static_cast<char>(name.at(at).unicode() - EscapeBase);
        start = at + 1;
    }
    return native;
}

Result<QByteArray> ReadFileBytes(const QString &path, qint64 limit)
{
#ifdef Q_OS_UNIX
    // Opened without blocking, so that a pipe with no writer cannot hold the program; checked on the open
    // file, so that it cannot change between the check and the read.
    const int fd = ::open(NativeFileName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Unreadable(path, SystemError(errno));
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        return Unreadable(path, info.st_mode ? NotRegularFileText(folder) : SystemError(error));
    }
    if (info.st_size > limit) {
        ::close(fd);
        return Unreadable(path, FileTooLargeText(info.st_size, limit));
    }
    QByteArray content(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        // One byte more than the limit tells a file that grew since.
        if (done == content.size()) {
            if (content.size() > limit)
                break;
            content.resize(std::min<qsizetype>(limit + 1, content.size() + 4096));
        }
        const ssize_t got =
            ::read(fd, content.data() + done, static_cast<std::size_t>(content.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return Unreadable(path, SystemError(error));
        }
        if (got == 0)
            break;
        done += got;
    }
    ::close(fd);
    if (done > limit)
        return Unreadable(path, FileTooLargeText(done, limit));
    content.truncate(done);
    return content;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return Unreadable(path, NotRegularFileText(info.isDir()));
    if (info.size() > limit)
        return Unreadable(path, FileTooLargeText(info.size(), limit));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable(path, file.errorString());
    const QByteArray content = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Unreadable(path, file.errorString());
    if (content.size() > limit)
        return Unreadable(path, FileTooLargeText(content.size(), limit));
    return content;
#endif
}

} // namespace n35
