// The backup reader on arbitrary bytes: whatever it takes is a backup that writes back to the same bytes,
// and that the whole-radio read can decode or refuse without harm. Each input is read twice: as it is,
// and with its checksum line made to match, as no mutation gets past a SHA-256 by chance; the second
// reading is the one that reaches the header and the block lines.

#include "files/backup.h"
#include "fuzzinput.h"
#include "model/cloneimage.h"
#include "session/radiobackups.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <cstdlib>

using namespace n35;

namespace
{

void Check(const QByteArray &content)
{
    const Result<RadioBackup> backup = DecodeBackup(content);
    if (!backup)
        return;
    if (EncodeBackup(*backup) != content)
        std::abort();
    CloneImage image;
    DecodeBackupImage(*backup, image);
}

} // namespace

// The whole-radio read waits for replies in an event loop, which needs the application object.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content = fuzz::Bytes(data, size);
    Check(content);
    const QByteArray key = QByteArrayLiteral("SHA-256: ");
    const qsizetype mark = content.lastIndexOf('\n' + key);
    const QByteArray covered = mark < 0 ? content : content.first(mark + 1);
    Check(covered + key + QCryptographicHash::hash(covered, QCryptographicHash::Sha256).toHex() + '\n');
    return 0;
}
