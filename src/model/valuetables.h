#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string_view>

namespace n35
{

// The radio stores these settings as small numbers; the tables give the text shown in a cell for each
// number. Step, tone type and DCS codes are the table index; CTCSS codes are index + 1, 0 meaning none.

inline constexpr std::array<std::string_view, 16> StepTable{
    "5KHz",  "6.25KHz", "8.33KHz", "10KHz",  "12.5KHz", "15KHz",  "20KHz",  "25KHz",
    "30KHz", "50KHz",   "100KHz",  "125KHz", "150KHz",  "200KHz", "500KHz", "1MHz",
};

inline constexpr std::array<std::string_view, 13> ToneTypeTable{
    "None", "Train", "T/-", "T/T", "T/R", "D/D", "-/T", "-/R", "-/D", "T/D", "D/-", "D/T", "D/R",
};

inline constexpr std::array<std::string_view, 39> CtcssTable{
    "67.0Hz",  "69.3Hz",  "71.9Hz",  "74.4Hz",  "77.0Hz",  "79.7Hz",  "82.5Hz",  "85.4Hz",
    "88.5Hz",  "91.5Hz",  "94.8Hz",  "97.4Hz",  "100.0Hz", "103.5Hz", "107.2Hz", "110.9Hz",
    "114.8Hz", "118.8Hz", "123.0Hz", "127.3Hz", "131.8Hz", "136.5Hz", "141.3Hz", "146.2Hz",
    "151.4Hz", "156.7Hz", "162.2Hz", "167.9Hz", "173.8Hz", "179.9Hz", "186.2Hz", "192.8Hz",
    "203.5Hz", "210.7Hz", "218.1Hz", "225.7Hz", "233.6Hz", "241.8Hz", "250.3Hz",
};

inline constexpr std::array<std::string_view, 104> DcsTable{
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

constexpr int StepCount = static_cast<int>(StepTable.size());
constexpr int ToneTypeCount = static_cast<int>(ToneTypeTable.size());
constexpr int CtcssCount = static_cast<int>(CtcssTable.size());
constexpr int DcsCount = static_cast<int>(DcsTable.size());

// What the index lookups answer for a text that is in no table.
constexpr quint16 NotInTable = 999;

// Cell text to radio code. Texts must match exactly, case included.
quint16 StepIndex(const QString &text);
quint16 ToneTypeIndex(const QString &text);
quint16 CtcssNumber(const QString &text); // 1..39, or 0 when not found
quint16 DcsIndex(const QString &text);

// Radio code to cell text; nullopt for a code outside the table, so a damaged record shows up as such
// instead of reading past a table.
std::optional<QString> StepText(int code);
std::optional<QString> ToneTypeText(int code);
std::optional<QString> CtcssText(int code); // 1..39
std::optional<QString> DcsText(int code);

// Every text of a table in code order, for drop-down lists.
QStringList StepTexts();
QStringList ToneTypeTexts();
QStringList CtcssTexts();
QStringList DcsTexts();

// The channel record's small code sets. Reading tolerates any number; writing maps every unknown text
// to the default code 0 (the mode is written by the cell rules, which refuse an unknown one).
QString ModeText(int code);  // 0 "NFM", 1 "FM", other ""
QString ShiftText(int code); // 1 "+", 2 "-", other "Off"
int ShiftCode(const QString &text);
QString SkipText(int code); // 1 "*", other ""
int SkipCode(const QString &text);

} // namespace n35
