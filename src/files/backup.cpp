#include "files/backup.h"

#include "files/fileproblems.h"
#include "files/readfile.h"
#include "files/savefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <optional>

namespace n35
{

namespace
{

const QByteArray Magic = QByteArrayLiteral("HVN35Writer radio backup 1");
const QByteArray ChecksumKey = QByteArrayLiteral("SHA-256: ");
const QString NamePrefix = QStringLiteral("hvn35-backup-");
const QString Extension = QStringLiteral(".n35bak");
constexpr int BlockBytes = 64;

Problem Damaged(const QString &why)
{
    return Problem{QString(), QString(), why};
}

// "Key: value" of a header line, or nothing. Text that is not UTF-8 is refused: it would not be written
// back as it was.
std::optional<QString> HeaderValue(const QByteArray &line, const char *key)
{
    const QByteArray prefix = QByteArray(key) + ": ";
    if (!line.startsWith(prefix))
        return std::nullopt;
    const QByteArray raw = line.mid(prefix.size());
    QString value = QString::fromUtf8(raw);
    if (value.toUtf8() != raw)
        return std::nullopt;
    return value;
}

struct Header {
    QString program;
    QDateTime taken;
    QString port;
    int blocks = 0;
};

// The four header lines after the first; nothing when one is missing or wrong.
std::optional<Header> ReadHeader(const QList<QByteArray> &lines)
{
    if (lines.size() < 5 || lines.at(0) != Magic)
        return std::nullopt;
    const auto program = HeaderValue(lines.at(1), "Program");
    const auto taken = HeaderValue(lines.at(2), "Taken");
    const auto port = HeaderValue(lines.at(3), "Port");
    const auto blocks = HeaderValue(lines.at(4), "Blocks");
    if (!program || !taken || !port || !blocks)
        return std::nullopt;
    Header header{*program, QDateTime::fromString(*taken, Qt::ISODate), *port, 0};
    bool number = false;
    header.blocks = blocks->toInt(&number);
    // Only the forms the writer makes: no fractions of a second, no sign, no leading zeros or spaces.
    if (!header.taken.isValid() || header.taken.toString(Qt::ISODate) != *taken || !number ||
        header.blocks < 0 || QString::number(header.blocks) != *blocks)
        return std::nullopt;
    return header;
}

// "00200 0102...": the address in five upper-case hex digits, a space, the bytes in upper-case hex.
QByteArray BlockLine(const BackupBlock &block)
{
    return QStringLiteral("%1").arg(block.address, 5, 16, QLatin1Char('0')).toUpper().toLatin1() + ' ' +
           block.bytes.toHex().toUpper();
}

bool IsBackupName(const QString &name)
{
    return name.startsWith(NamePrefix) && name.endsWith(Extension);
}

} // namespace

QByteArray EncodeBackup(const RadioBackup &backup)
{
    QByteArray text = Magic + '\n';
    text += "Program: " + backup.program.toUtf8() + '\n';
    text += "Taken: " + backup.taken.toString(Qt::ISODate).toUtf8() + '\n';
    text += "Port: " + backup.port.toUtf8() + '\n';
    text += "Blocks: " + QByteArray::number(backup.blocks.size()) + '\n';
    for (const BackupBlock &block : backup.blocks)
        text += BlockLine(block) + '\n';
    text += ChecksumKey + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex() + '\n';
    return text;
}

bool HasBackupExtension(const QString &path)
{
    return path.endsWith(Extension, Qt::CaseInsensitive);
}

bool LooksLikeBackup(const QByteArray &start)
{
    // CR LF too, so that a backup whose line ends were changed is refused as damaged, not as a stranger.
    return start.startsWith(Magic + '\n') || start.startsWith(Magic + "\r\n");
}

Result<RadioBackup> DecodeBackup(const QByteArray &content)
{
    if (!LooksLikeBackup(content))
        return Damaged(QStringLiteral("it is not a radio backup of this program (no \"%1\" line first)")
                           .arg(QString::fromLatin1(Magic)));
    // The checksum line is the last; whatever comes before it is what the checksum covers.
    const qsizetype mark = content.lastIndexOf("\n" + ChecksumKey);
    if (mark < 0 || !content.endsWith('\n'))
        return Damaged(QStringLiteral("the backup is cut short (it has no checksum line at its end)"));
    const QByteArray covered = content.first(mark + 1);
    const QByteArray checksum = content.mid(mark + 1 + ChecksumKey.size()).chopped(1);
    if (checksum != QCryptographicHash::hash(covered, QCryptographicHash::Sha256).toHex())
        return Damaged(QStringLiteral("the backup is damaged: its checksum does not match its content"));

    const QList<QByteArray> lines = covered.chopped(1).split('\n');
    const std::optional<Header> header = ReadHeader(lines);
    if (!header)
        return Damaged(QStringLiteral("the backup's header is incomplete or not as this program writes it"));
    if (lines.size() != 5 + header->blocks)
        return Damaged(QStringLiteral("the backup holds %1 blocks where its header says %2")
                           .arg(lines.size() - 5)
                           .arg(header->blocks));
    RadioBackup backup{header->program, header->taken, header->port, {}};
    for (qsizetype at = 5; at < lines.size(); ++at) {
        const QByteArray &line = lines.at(at);
        bool number = false;
        const BackupBlock block{line.left(5).toInt(&number, 16), QByteArray::fromHex(line.mid(6))};
        // Written back, the line must come out the same: this refuses a sign, lower-case or stray
        // characters among the hex digits, and a block of another size.
        if (line.size() != 6 + 2 * BlockBytes || !number || BlockLine(block) != line)
            return Damaged(QStringLiteral("line %1 of the backup is not a block").arg(at + 1));
        backup.blocks.append(block);
    }
    return backup;
}

Result<RadioBackup> LoadBackupFile(const QString &path)
{
    const Result<QByteArray> content = ReadFileBytes(path);
    if (!content)
        return content.problem();
    Result<RadioBackup> backup = DecodeBackup(*content);
    if (!backup)
        return FileProblem(path, backup.problem().why, ProblemKind::NotThisFormat);
    return backup;
}

Status SaveBackupFile(const QString &path, const RadioBackup &backup)
{
    return SaveFileAtomically(path, EncodeBackup(backup));
}

QString BackupFolder(const QString &chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    // The generic location, not the application's: the window and hvn35 carry different application
    // names, and both must find the same backups.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("HVN35Writer/backups"));
}

QString BackupFilePath(const QString &folder, const QDateTime &when)
{
    const QString stem = QDir(folder).filePath(NamePrefix + when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem + Extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1").arg(n) + Extension;
    return path;
}

QList<BackupEntry> ListBackups(const QString &folder)
{
    QList<BackupEntry> entries;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        if (!IsBackupName(info.fileName()))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QList<QByteArray> lines;
        for (int n = 0; n < 5 && !file.atEnd(); ++n)
            lines << file.readLine().chopped(1);
        BackupEntry entry{info.filePath(), info.lastModified(), QString(), info.size()};
        if (const std::optional<Header> header = ReadHeader(lines)) {
            entry.taken = header->taken;
            entry.port = header->port;
        }
        entries << entry;
    }
    // Newest first; within one second the later "-n" name first.
    std::stable_sort(entries.begin(), entries.end(), [](const BackupEntry &a, const BackupEntry &b) {
        if (a.taken != b.taken)
            return a.taken > b.taken;
        if (a.path.size() != b.path.size())
            return a.path.size() > b.path.size();
        return a.path > b.path;
    });
    return entries;
}

void PruneBackups(const QString &folder, int keep)
{
    const QList<BackupEntry> entries = ListBackups(folder);
    for (qsizetype at = keep; at < entries.size(); ++at)
        QFile::remove(entries.at(at).path);
}

} // namespace n35
