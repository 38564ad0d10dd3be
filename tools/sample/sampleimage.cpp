#include "sample/sampleimage.h"

#include "model/channelcells.h"
#include "model/cloneimage.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace n35
{

namespace
{

struct GuideChannel {
    int channel;
    double mhz;
    const char *mode;
    const char *step;
    const char *type; // tone squelch type
    const char *tone; // CTCSS, sent and received
    const char *dcs;
    const char *shift;
    double offsetMhz;
    bool skip;
    const char *name; // UTF-8; \1..\8 are the custom glyphs
};

// Channels a user of both bands might keep: simplex and repeaters with tones and DCS, Japanese names, a
// glyph or two, the programmable scan edges, a Dual pair, the priority channel and two skipped
// frequencies ("PASS").
const GuideChannel GuideChannels[] = {
    {1, 223.50, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "SIMPLEX CALL"},
    {2, 223.52, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "SIMPLEX 2"},
    {3, 223.54, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "SIMPLEX 3"},
    {4, 224.10, "FM", "20KHz", "T/-", "100.0Hz", "023", "-", 1.6, false, "RPT NORTH"},
    {5, 224.22, "FM", "20KHz", "T/T", "110.9Hz", "023", "-", 1.6, false, "RPT SOUTH"},
    {6, 224.56, "FM", "20KHz", "D/D", "100.0Hz", "131", "-", 1.6, false, "RPT HILL"},
    {7, 224.94, "FM", "20KHz", "T/-", "88.5Hz", "023", "-", 1.6, false, "東京レピータ"},
    {8, 223.80, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "CLUB NET \\1"},
    {9, 222.10, "NFM", "5KHz", "None", "100.0Hz", "023", "Off", 0, true, "WEAK SIGNAL"},
    {10, 224.70, "FM", "20KHz", "T/-", "131.8Hz", "023", "-", 1.6, false, "横浜 RPT"},
    {11, 223.40, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "EMERGENCY"},
    {12, 224.30, "FM", "20KHz", "T/R", "127.3Hz", "023", "-", 1.6, false, "\\2 HOME RPT"},
    {41, 927.0125, "FM", "12.5KHz", "T/-", "100.0Hz", "023", "-", 25.0, false, "REPEATER 927"},
    {42, 927.1125, "FM", "12.5KHz", "D/D", "100.0Hz", "265", "-", 25.0, false, "リンク局"},
    {43, 915.00, "FM", "25KHz", "None", "100.0Hz", "023", "Off", 0, false, "SIMPLEX 33"},
    {44, 903.10, "NFM", "12.5KHz", "None", "100.0Hz", "023", "Off", 0, true, "BEACON"},
    {45, 927.60, "FM", "12.5KHz", "T/-", "151.4Hz", "023", "-", 25.0, false, "名古屋 RPT"},
    {101, 219.50, "FM", "10KHz", "None", "100.0Hz", "023", "Off", 0, false, "DATA LINK"},
    {102, 245.00, "FM", "25KHz", "None", "100.0Hz", "023", "Off", 0, true, "TEST \\3"},
    {501, 222.00, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "SCAN LOW"},
    {502, 225.00, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "SCAN HIGH"},
    {601, 223.50, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "DUAL MAIN"},
    {602, 927.0125, "FM", "12.5KHz", "T/-", "100.0Hz", "023", "-", 25.0, false, "DUAL SUB"},
    {801, 223.50, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, "PRIORITY"},
    {853, 223.26, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, ""},
    {854, 224.88, "FM", "20KHz", "None", "100.0Hz", "023", "Off", 0, false, ""},
};

// 16 x 16 pictures for the custom glyphs, '#' a set pixel.
const char *const GlyphPictures[FontGlyphs::GlyphCount][FontGlyphs::Size] = {
    {"       ##       ", "   #   ##   #   ", "  #    ##    #  ", " #  #  ##  #  # ", " # #   ##   # # ",
     " # #   ##   # # ", " #  #  ##  #  # ", "  #    ##    #  ", "   #   ##   #   ", "       ##       ",
     "       ##       ", "      ####      ", "      ####      ", "     ##  ##     ", "    ##    ##    ",
     "   ##########   "}, // antenna
    {"       ##       ", "      ####      ", "     ##  ##     ", "    ##    ##    ", "   ##      ##   ",
     "  ##        ##  ", " ############## ", "  #          #  ", "  #  ##  ##  #  ", "  #  ##  ##  #  ",
     "  #          #  ", "  #    ###   #  ", "  #    # #   #  ", "  #    # #   #  ", "  #    # #   #  ",
     "  ############  "}, // house
    {"                ", "  ####    ####  ", " ###### ###### ", "################", "################",
     "################", " ############## ", "  ############  ", "   ##########   ", "    ########    ",
     "     ######     ", "      ####      ", "       ##       ", "                ", "                ",
     "                "}, // heart
    {"       ##       ", "       ##       ", "      ####      ", "      ####      ", "     ######     ",
     "################", " ############## ", "  ############  ", "   ##########   ", "    ########    ",
     "   ##########   ", "   ####  ####   ", "  ####    ####  ", "  ###      ###  ", " ##          ## ",
     "                "}, // star
    {"                ", "     ######     ", "   ##########   ", "  ############  ", " ###  ####  ### ",
     " ###  ####  ### ", "################", "################", "################", "################",
     " ##  ######  ## ", " ###  ####  ### ", "  ####    ####  ", "   ##########   ", "     ######     ",
     "                "}, // smile
    {"       ##       ", "      ####      ", "     ######     ", "    ########    ", "   ##########   ",
     "  ############  ", " ############## ", "       ##       ", "       ##       ", "       ##       ",
     "       ##       ", "       ##       ", "       ##       ", "       ##       ", "       ##       ",
     "       ##       "}, // arrow up
    {"  ############  ", " ##          ## ", "##  ########  ##", "## ##      ## ##", "## #  ####  # ##",
     "## # ##  ## # ##", "## # #    # # ##", "## # #    # # ##", "## # ##  ## # ##", "## #  ####  # ##",
     "## ##      ## ##", "##  ########  ##", " ##          ## ", "  ############  ", "                ",
     "                "}, // target
    {"################", "#              #", "# ############ #", "# #          # #", "# # ######## # #",
     "# # #      # # #", "# # # #### # # #", "# # # #  # # # #", "# # # #  # # # #", "# # # #### # # #",
     "# # #      # # #", "# # ######## # #", "# #          # #", "# ############ #", "#              #",
     "################"}, // frame
};

} // namespace

void FillSampleImage(CloneImage &image)
{
    BankPartition::Counts counts{};
    const int used[] = {40, 60, 100, 100, 100, 50, 50};
    for (std::size_t bank = 0; bank < std::size(used); ++bank)
        counts[bank] = used[bank];
    image.banks.setCounts(counts);

    for (const GuideChannel &c : GuideChannels) {
        ChannelCells cells;
        cells[ColFrequency - 1] = FrequencyText(static_cast<std::uint32_t>(std::lround(c.mhz * 1e6)));
        cells[ColMode - 1] = QString::fromLatin1(c.mode);
        cells[ColStep - 1] = QString::fromLatin1(c.step);
        cells[ColSubtone - 1] = QString::fromLatin1(c.type);
        cells[ColTxTone - 1] = cells[ColRxTone - 1] = QString::fromLatin1(c.tone);
        cells[ColTxDcs - 1] = cells[ColRxDcs - 1] = QString::fromLatin1(c.dcs);
        cells[ColShift - 1] = QString::fromLatin1(c.shift);
        cells[ColShiftFreq - 1] = FrequencyText(static_cast<std::uint32_t>(std::lround(c.offsetMhz * 1e6)));
        cells[ColSkip - 1] = c.skip ? QStringLiteral("*") : QString();
        cells[ColName - 1] = QString::fromUtf8(c.name);
        image.channels.setCells(c.channel, cells);
        image.channels.setUsed(c.channel, true);
    }

    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph) {
        for (int row = 0; row < FontGlyphs::Size; ++row) {
            for (int column = 0; column < FontGlyphs::Size; ++column) {
                if (GlyphPictures[glyph][row][column] == '#')
                    image.glyphs.setRectangle(glyph, row, column, row, column, true);
            }
        }
    }
    image.title.setText(QStringLiteral("\\1 N35 CLUB \\3"));
    image.title.setMotion(1);

    const int keys[][2] = {{0, 0}, {0, 3}, {0, 6}, {1, 0}, {1, 1}}; // bank, position
    for (int key = 0; key < static_cast<int>(std::size(keys)); ++key) {
        image.oneTouch.setDisabled(key, false);
        image.oneTouch.setBank(key, keys[key][0]);
        image.oneTouch.setPosition(key, keys[key][1]);
    }
    image.dtmf.setMemory(1, QStringLiteral("5551234"));
    image.dtmf.setMemory(2, QStringLiteral("*73#"));
    image.dtmf.setMemory(3, QStringLiteral("0123456789ABCD"));

    for (int bank : {0, 1})
        image.bankLinks.setLinked(0, bank, true);
    for (int bank : {2, 3, 4})
        image.bankLinks.setLinked(1, bank, true);
    for (int bank : {0, 5, 6})
        image.bankLinks.setLinked(10, bank, true);
}

} // namespace n35
