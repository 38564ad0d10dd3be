// The reader of other programs' channel lists on arbitrary files. Whatever it takes must go out again as
// a list it reads back into the same rows: a list is what users pass between programs.

#include "files/chirpcsv.h"
#include "fuzzinput.h"
#include "model/channeltable.h"

#include <cstdio>
#include <cstdlib>

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // Random bytes almost never hold the header; an input whose first byte is even gets it in front.
    QByteArray content = fuzz::Bytes(data + 1, size - 1);
    if (data[0] % 2 == 0)
        content.prepend(ChannelListHeaderLine().toUtf8() + "\r\n");
    ChannelTable table;
    const ChannelListImport imported = ImportChannelListContent(content, table, 1 + data[0] % 64);
    if (!imported.ok())
        return 0;

    // Every used row goes out, the two CALL rows among them; read back from row 1 (where the CALL rows
    // are passed over), they all find a row while the grid was not nearly full.
    ChannelTable again;
    const ChannelListImport reread = ImportChannelListContent(ChannelListContent(table), again);
    const bool roomForAll = imported.rows.size() + 2 <= std::size_t(ChannelCount - 2);
    if (!reread.ok() || (roomForAll && !reread.refused.empty())) {
        std::fprintf(stderr, "the exported list does not read back: %s\n",
                     reread.refused.empty() ? qPrintable(reread.status.problem().describe())
                                            : qPrintable(reread.refused.front().describe()));
        std::abort();
    }
    return 0;
}
