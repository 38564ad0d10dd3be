// The backup reader on arbitrary bytes: whatever it takes is a backup that writes back to the same bytes,
// and that the whole-radio read can decode or refuse without harm.

#include "files/backup.h"
#include "fuzzinput.h"
#include "model/cloneimage.h"
#include "session/radiobackups.h"

#include <cstdlib>

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content = fuzz::Bytes(data, size);
    const Result<RadioBackup> backup = DecodeBackup(content);
    if (!backup)
        return 0;
    if (EncodeBackup(*backup) != content)
        std::abort();
    CloneImage image;
    DecodeBackupImage(*backup, image);
    return 0;
}
