// The clone image file reader on arbitrary files. A file it takes must also save and load again: a loaded
// image is what the user saves next.

#include "files/imagefile.h"
#include "fuzzinput.h"
#include "model/cloneimage.h"

#include <cstdio>
#include <cstdlib>

using namespace n35;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CloneImage image;
    if (!LoadImageContent(fuzz::Bytes(data, size), image))
        return 0;

    const Result<QByteArray> saved = ImageFileContent(image, 1);
    if (!saved)
        return 0; // a channel the radio cannot take is refused, which is the writer's rule, not a fault
    // Loaded over the image it was saved from, which the load must take whole.
    if (const Result<LoadNotices> reloaded = LoadImageContent(*saved, image); !reloaded) {
        std::fprintf(stderr, "the saved file does not load: %s\n", qPrintable(reloaded.problem().describe()));
        std::abort();
    }
    return 0;
}
