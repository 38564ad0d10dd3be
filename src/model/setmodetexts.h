#pragma once

#include <QString>
#include <QStringList>
#include <compare>
#include <vector>

namespace n35
{

// The radio's set-mode options as the program shows them: for every option its caption and its list of
// choices in English and in Japanese, the frame it stands in, and whether a language switch refills it.
// Data only, so that any front end (the window, a command line) can print the options.

enum class Language { Japanese = 0, English = 1 };

// The option arrays of the page, by the names of their controls: Set_Mode_Display(0..15) and so on.
enum class OptionGroup {
    Display,
    Power,
    Send,
    Toutyou,
    Recv,
    Scan,
    Repeater,
    Key,
    Sound,
    Preset,
    Mem,
    ChDisplay
};

struct OptionId {
    OptionGroup group = OptionGroup::Display;
    int index = 0;
    auto operator<=>(const OptionId &) const = default;
};

// The frames the options stand in: the set-mode page's columns, and the "Setting" frame of the
// common-setting page.
enum class OptionFrame {
    ScreenDisplay,
    PowerBattery,
    Transmitter,
    Repeater,
    Receiver,
    Scanning,
    Sound,
    KeyAssignment,
    Memory,
    ChDisplayMode,
    BugDetector,
    CommonSetting,
};

// How a language switch treats an option's list.
enum class Refill {
    Never,       // the same texts in both languages and never refilled
    Always,      // refilled by every switch
    EnglishOnly, // refilled only when switching to English, so in practice always English
};

struct SetModeOption {
    OptionId id;
    OptionFrame frame;
    QString englishCaption; // empty for the second "CH scope Display" list, which has none
    QString japaneseCaption;
    QStringList englishTexts;  // empty for the two "Bank No." lists, which the bank partition fills
    QStringList japaneseTexts; // empty when the same as English
    Refill refill = Refill::Never;
};

// Every option in the order the page shows them: frame by frame (set-mode page columns top to bottom,
// first column first, then the "Setting" frame of the common page), rows top to bottom within a frame.
const std::vector<SetModeOption> &SetModeOptions();
// The option with that id; nullptr for none.
const SetModeOption *FindOption(OptionId id);

// The object name of an option's control: "Set_Mode_Display_0", "Set_Mode_Preset", "Set_Mode_Mem_0",
// "Combo1".
QString OptionControlName(OptionId id);

QString OptionCaption(const SetModeOption &option, Language language);
// The texts the list shows in that language (English-only lists show English in both).
QStringList OptionTexts(const SetModeOption &option, Language language);

// Frame captions: "<SCREEN DISPLAY>" / "≪表示設定≫", ...; "MEMORY", "Setting" and the DTMF frame are the
// same in both languages.
QString FrameCaption(OptionFrame frame, Language language);

// The title's frame ("Welcome"), its motion caption ("Opening Slide") and motion list ("still", "slide"),
// which the language switch changes with the set-mode page.
QString TitleFrameCaption(Language language);
QString TitleMotionCaption(Language language);
QStringList TitleMotionTexts(Language language);

// The 45 key functions of "Wild key assign" and "Lamp key assign" in that language.
QStringList KeyFunctionTexts(Language language);

} // namespace n35
