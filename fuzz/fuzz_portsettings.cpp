// The settings file's reader on arbitrary files: whatever the file holds, the port is 1..16, and the
// program's own lines it writes back read as the same settings.

#include "files/settingsfile.h"
#include "fuzzinput.h"

#include <cstdlib>

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::WriteInputFile("HVN35Writer.INI", fuzz::Bytes(data, size));
    const ProgramSettings settings = ProgramSettings::read(path);
    if (settings.port < 1 || settings.port > 16)
        std::abort();
    const ProgramSettings again = ProgramSettings::parse(settings.lines().join(QLatin1Char('\n')).toLatin1());
    if (again.backupBeforeWriting != settings.backupBeforeWriting ||
        again.automaticShift != settings.automaticShift || again.recent.paths() != settings.recent.paths())
        std::abort();
    return 0;
}
