// The CSV reader on arbitrary files. Random bytes almost never start with the exact header, so an input
// whose first byte is even gets the header put in front of the rest; the row rules see the data lines.

#include "files/csvfile.h"
#include "fuzzinput.h"
#include "model/channeltable.h"

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    QByteArray content = fuzz::Bytes(data + 1, size - 1);
    if (data[0] % 2 == 0)
        content.prepend(CsvHeaderLine().toLatin1() + "\r\n");
    ChannelTable table;
    ImportCsvContent(content, table);
    return 0;
}
