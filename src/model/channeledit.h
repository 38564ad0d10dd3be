#pragma once

#include "model/channeltable.h"
#include "model/keyverdict.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace n35
{

// The rules of the channel editor ("Memory Setting"), without a window: what a panel shows for a row,
// what a row receives from a panel, the key filter and boxes of the frequencies, the name length rule
// and what "OK" does. The dialog only shows a ChannelPanel and collects the user's choices into it.

// The mode options of a panel: "FM", "AM", "NFM", "WFM". A record holds only FM or NFM, so the
// editor offers AM and WFM disabled.
QStringList ModeOptionTexts();
bool ModeOptionStorable(int option);

// The tone-train list: "300Hz", "400Hz", ... "3000Hz" and "JR" (index 28).
QStringList TrainTexts();
inline constexpr int TrainJrIndex = 28;
inline constexpr int DefaultToneIndex = 8; // 88.5Hz

// One panel of the editor as the user sees it. Indexes are those of the panel's options and lists.
struct ChannelPanel {
    QString frequencyMhz;      // DETAIL_FREQ_1, at most 3 digits
    QString frequencyFraction; // DETAIL_FREQ_2, 5 digits in units of 10 Hz
    int mode = 0;              // ModeOptionTexts()
    int step = 0;              // StepTable
    int type = 0;              // ToneTypeTable
    int txTone = DefaultToneIndex;
    int rxTone = DefaultToneIndex; // CtcssTable
    int txDcs = 0;
    int rxDcs = 0;            // DcsTable
    int train = TrainJrIndex; // shown for the tone-train list; a record holds no tone-train field
    int shift = 0;            // "Off", "+", "-"
    QString offsetMhz;
    QString offsetFraction;
    bool skip = false;
    QString name; // escape notation
};

// What "Clear" leaves: name empty, no skip, FM, "None", 88.5Hz twice, DCS 023 twice, JR, 5KHz, "Off",
// all four frequency boxes empty.
ChannelPanel ClearedPanel();

// A panel filled from a grid row, by the editor's opening rules: texts not in a list select that list's
// default, "Train" opens as "None", "AM"/"WFM" open as "FM".
ChannelPanel PanelFromCells(const ChannelCells &cells);

// The row cells for a panel as "OK" stores them (CommitChannelEdit normalises the boxes first). A
// frequency of 1000 MHz or more gives an MHz box of four digits; the window must allow for it.
ChannelCells CellsFromPanel(const ChannelPanel &panel);

// "Automatic repeater shift" for one panel: when the user types a frequency in a repeater output segment
// of the band plan, the panel's shift and offset become the plan's; when the frequency leaves every
// segment again, they go back to what they were before. Once the user has chosen a shift or typed an
// offset in this edit, they are never touched. Only the editor uses it: imports, pastes and radio reads
// keep what they bring.
class RepeaterShiftFill
{
public:
    RepeaterShiftFill() = default;
    // `opened`: the panel as the editor showed it; `enabled`: the option in the Edit menu.
    explicit RepeaterShiftFill(const ChannelPanel &opened, bool enabled = true);

    // The user chose a shift option or typed into an offset box.
    void userSetShift() { userSet = true; }
    // After the user changed the frequency boxes: fills or puts back the panel's shift and offset. Returns
    // the band of the segment that filled them ("1.25 m"), or empty when the plan does not apply.
    QString frequencyEdited(ChannelPanel &panel) const;

private:
    bool enabled = true;
    bool userSet = false;
    int shift = 0;
    QString offsetMhz;
    QString offsetFraction;
};

// Which of the four lists the sub-tone type enables.
struct ToneListsEnabled {
    bool txTone = false;
    bool rxTone = false;
    bool txDcs = false;
    bool rxDcs = false;
};
ToneListsEnabled TypeRule(int type);

// Key filter of the frequency boxes: maximum 3 for the MHz boxes, 5 for the fraction boxes. Enter
// (Confirm) runs "OK".
inline constexpr int MhzDigits = 3;
inline constexpr int FractionDigits = 5;
KeyVerdict FilterFrequencyKey(QChar key, int boxLength, bool hasSelection, int maximum);

// Keeps the digits of both boxes ("0" for an empty MHz box, the fraction padded on the right to five
// digits), writes them back and returns MHz * 1,000,000 + fraction * 10 in Hz.
std::uint32_t ReadFrequencyBoxes(QString &mhz, QString &fraction);

// Display columns of a name in escape notation: single-byte 1, double-byte 2, glyph "\1".."\8" 2, "\\" 1.
int NameColumns(const QString &name);
// Shortens a name to 16 display columns, never splitting a double-byte character or a glyph code.
QString NameLengthCheckAndCorrect(const QString &name);

// What "OK" did.
enum class EditVerdict {
    Stored,      // the rows hold the panels now
    OutOfBand,   // a panel's frequency is outside its row's band: its frequency boxes were emptied
    PassOverlap, // another PASS row holds the frequency: nothing was stored
    BadName,     // a panel's name holds a character the radio cannot store: nothing was stored
};
struct EditResult {
    EditVerdict verdict = EditVerdict::Stored;
    int panel = 0; // the panel that failed (0 or 1)
    QString why;   // BadName: which character
};

// The rows an editor opened on `channel` works on: a Sub row of a Dual pair opens its Main row, and a
// Dual pair edits both rows. Returns the first row (the Main row for a pair).
int EditedChannel(int channel);
bool EditsPair(int editedChannel);

// "OK": checks each panel (frequency boxes read and band-checked, offset above the limit reset to 0,
// name shortened, a name character the radio cannot store refused rather than saved as "?"; the panels are
// updated in place as the boxes would be), then, for a PASS row, the overlap with the other PASS rows, and
// stores the panel(s) into the row(s) with ChannelUsed set.
EditResult CommitChannelEdit(ChannelTable &table, int editedChannel, std::array<ChannelPanel, 2> &panels);

} // namespace n35
