#pragma once

#include "model/result.h"
#include "model/setmodetexts.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>

namespace n35
{

class BankPartition;

// The radio's set-mode options: the selected index of every list of the set-mode page and of the
// common page's "Setting" frame, the page's language, the write-protect option, and the settings image,
// the program's copy of the radio's 192 settings bytes (three blocks) as last read.
//
// Most options are stored as their list index; the layout table in settings.cpp says, byte by byte,
// how each one is encoded, which bytes are constants and which are written back as read.
class SetModeSettings : public QObject
{
    Q_OBJECT
public:
    static constexpr int ImageBytes = 192;
    using Image = std::array<std::uint8_t, ImageBytes>;

    static constexpr OptionId LanguageOption{OptionGroup::Display, 0};
    static constexpr OptionId BankMainOption{OptionGroup::Display, 11};
    static constexpr OptionId BankSubOption{OptionGroup::Display, 12};
    static constexpr OptionId WriteProtectOption{OptionGroup::Mem, 0};

    // The start-up state: every option at its start-up default, English, the image all zero.
    explicit SetModeSettings(QObject *parent = nullptr);

    int index(OptionId id) const;
    // A choice of the user or of a reset. Choosing "Language" switches the page's language with it;
    // every other option keeps its index. An index outside the option's list is ignored.
    void setIndex(OptionId id, int index);
    Language language() const { return currentLanguage; }
    // The texts an option's list shows now (the bank lists: the banks that hold channels and the five
    // special groups).
    QStringList texts(OptionId id) const;
    // Options the program shows as read but writes back unchanged (0 where the list cannot show the byte),
    // so an edit would reach nothing.
    static bool IsReadOnly(OptionId id);

    // The two "Bank No." lists follow the banks that hold channels; a selection whose bank no longer
    // holds channels goes back to the first entry, every other keeps its entry.
    void setBankEntries(const BankPartition &banks);

    const Image &image() const { return bytes; }
    // Copies up to 64 bytes of hex text into the image from `start` (a settings block from the radio or
    // a file). Text that is not hex is a Problem and changes nothing.
    Status StoreSettingsBytes(const QString &hex, int start);
    // Block 0 (bytes 0-63) and 1 (64-127) as 128 hex characters, any other block number bytes 128-149
    // as 44.
    QString MakeSettingData(int block) const;
    // Sets every option from the image, language first. A byte its list cannot show stops the decode
    // there: the options before it keep their new values, the rest their old ones.
    Status ExpandSettingData();

    // The region's verbs. encode(): the three blocks as the writes send them (64 + 64 + 22 bytes).
    QString encode() const;
    // The three blocks as read (64 bytes each, one after the other) into the image, all of them or none,
    // the options untouched: a write sends back the bytes the program does not show as the radio holds
    // them.
    Status storeBlocks(const QString &hex);
    // The three blocks as read into the image (storeBlocks), then every option from it (ExpandSettingData,
    // whose rule for a byte its list cannot show holds here too).
    Status decode(const QString &hex);
    // The start-up state: every option at its start-up default, English, the image all zero. The
    // "Bank No." lists follow the partition, not this.
    void reset();

    // The write-protect byte ("Overwrite"), a block of its own: 0..2, as a number or as the hex of a read
    // block, whose first byte it is; encodeWriteProtect() is the byte as a write sends it.
    Status decodeWriteProtect(int byte);
    Status decodeWriteProtect(const QString &hex);
    QString encodeWriteProtect() const;
    int writeProtect() const { return index(WriteProtectOption); }

    // The partial resets: "Reset" of the set-mode page (the DTMF memories have their own) and of the
    // common "Setting" frame.
    void SetModeReset();
    void CommonSettingReset();

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    // The "Bank No." lists go with it: an unfinished partition leaves them as they were, so the indexes
    // are only meaningful with the lists they were chosen from.
    struct State {
        std::map<OptionId, int> indexes;
        Language language = Language::English;
        Image bytes{};
        QStringList bankEntries;
        bool operator==(const State &) const = default;
    };
    State state() const { return {indexes, currentLanguage, bytes, bankEntries}; }
    void restore(const State &state);

signals:
    void changed();

private:
    void setIndexQuietly(OptionId id, int index);
    void applyStartUpDefaults();

    std::map<OptionId, int> indexes;
    Language currentLanguage = Language::English;
    QStringList bankEntries;
    Image bytes{};
};

// The radio's menu codes of the 45 key functions of "Wild key assign" and "Lamp key assign".
const std::array<std::uint8_t, 45> &KeyFunctionCode();

} // namespace n35
