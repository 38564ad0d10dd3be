#pragma once

#include <QString>
#include <vector>

namespace n35
{

class CloneImage;

// One place where two clone images differ in what the radio would hold: the region ("channels",
// "banks", "settings", ...), where in it ("channel 12 (Bank00-011)", "Group3", "Illumination"), and the
// two values as the user knows them: first the one the program holds (the window's, or the file's), then
// the radio's.
struct ImageDifference {
    QString region;
    QString where;
    QString expected;
    QString actual;

    // "channels, channel 12 (Bank00-011): 145.00000MHz FM ... -> empty": the file's value -> the radio's
    QString describe() const;
};

// How every list of differences reads, for the window ("the window's") and the command line ("the
// file's"): "Each line: where, then <ours> value -> the radio's value."
QString DifferenceLegend(const QString &ours);

// Everything that differs between the image the program holds and another one (a radio just read, a
// file), region by region in the radio's order. Channels are compared by their radio records, so only
// what the radio stores counts (not the blanks a name read from the radio is padded with).
std::vector<ImageDifference> CompareImages(const CloneImage &expected, const CloneImage &actual);

} // namespace n35
