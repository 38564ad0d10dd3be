// The settings file's COMPORT reader on arbitrary files: whatever the file holds, the port is 1..16.

#include "fuzzinput.h"
#include "link/portsettings.h"

#include <cstdlib>

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::WriteInputFile("HVN35Writer.INI", fuzz::Bytes(data, size));
    const PortSetting setting = ReadPortSetting(path);
    if (setting.port < 1 || setting.port > 16)
        std::abort();
    return 0;
}
