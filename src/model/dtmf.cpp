#include "model/dtmf.h"

#include "model/hex.h"
#include "model/textcodec.h"

#include <algorithm>
#include <tuple>

namespace n35
{

namespace
{

// Digit code n is the character at index n; 0x11 fills an empty position.
constexpr QLatin1StringView DigitChars("0123456789ABCD*#-");
constexpr unsigned FillCode = 0x11;
constexpr int WaitCount = 11;
constexpr int TimingCount = 23;
constexpr int DialChannelCount = 9;

constexpr QChar Backspace(8);

// Where each read part starts in the region, the memory it starts with, and how many of its bytes it uses.
struct PartLayout {
    int regionOffset;
    int firstMemory;
    int memoryCount;
    int bytesUsed;
};
constexpr std::array<PartLayout, 3> Parts{{{0, 0, 3, 51}, {51, 3, 4, 64}, {115, 7, 3, 50}}};

// Everything the region holds, so that a part can be decoded aside and taken only when it is whole.
struct DtmfState {
    std::array<QString, DtmfMemories::MemoryCount> memories;
    // The defaults: "100ms", "120ms", "120ms", "60ms", "1Ch".
    int wait = 1;
    int head = 5;
    int burst = 5;
    int pause = 2;
    int dial = 0;

    bool operator==(const DtmfState &) const = default;
};

// The object's own fields, so that a state can be read from and written back to it in one step.
using Fields =
    std::tuple<std::array<QString, DtmfMemories::MemoryCount> &, int &, int &, int &, int &, int &>;

DtmfState Snapshot(const Fields &fields)
{
    return std::apply([](const auto &...field) { return DtmfState{field...}; }, fields);
}

// True when the state differed from the fields (and so was written).
bool Commit(const DtmfState &state, Fields fields)
{
    if (Snapshot(fields) == state)
        return false;
    fields = std::tie(state.memories, state.wait, state.head, state.burst, state.pause, state.dial);
    return true;
}

bool IsDtmfChar(QChar c)
{
    return DigitChars.contains(c);
}

QString KeepDtmfChars(const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (kept.size() == DtmfMemories::MaxDigits)
            break;
        if (IsDtmfChar(c))
            kept += c;
    }
    return kept;
}

Problem BeyondList(const char *what, int regionByte)
{
    return Problem{QString::fromLatin1(what), QStringLiteral("DTMF"),
                   QStringLiteral("byte %1 is beyond its list").arg(regionByte)};
}

// Decodes one part into `state`; on a Problem `state` may be half written, so callers pass a copy.
Status DecodePart(const QString &hex, int part, DtmfState &state)
{
    if (part < 0 || part >= static_cast<int>(Parts.size()))
        return Problem{QStringLiteral("part %1").arg(part), QStringLiteral("DTMF"),
                       QStringLiteral("no such part")};
    const PartLayout &layout = Parts[static_cast<std::size_t>(part)];
    for (int i = 0; i < layout.bytesUsed; ++i) {
        if (HexByteAt(hex, i) < 0)
            return Problem{QStringLiteral("part %1").arg(part), QStringLiteral("DTMF"),
                           QStringLiteral("the text is too short or not hex")};
    }

    // The part's list indexes: their byte, the size of their list and where the choice goes. A byte its
    // list cannot show is reported with its offset in the region.
    struct IndexByte {
        const char *what;
        int at;
        int count;
        int *target;
    };
    QList<IndexByte> indexes;
    if (part == 0)
        indexes = {{"the wait time", 0, WaitCount, &state.wait},
                   {"the head time", 1, TimingCount, &state.head},
                   {"the burst time", 2, TimingCount, &state.burst}};
    if (part == 2) // the dial byte is the channel number 1-9, so one more than its index
        indexes = {{"the dial channel", 48, DialChannelCount + 1, &state.dial},
                   {"the pause time", 49, TimingCount, &state.pause}};
    for (const IndexByte &index : indexes) {
        const int value = HexByteAt(hex, index.at);
        if (value >= index.count)
            return BeyondList(index.what, layout.regionOffset + index.at);
        *index.target = value;
    }
    if (part == 2) // a stored 0 is taken as channel 1
        state.dial = std::max(state.dial - 1, 0);

    int at = part == 0 ? 3 : 0;
    for (int m = layout.firstMemory; m < layout.firstMemory + layout.memoryCount; ++m) {
        QString &memory = state.memories[static_cast<std::size_t>(m)];
        memory.clear();
        for (int k = 0; k < DtmfMemories::MaxDigits; ++k) {
            const int code = HexByteAt(hex, at++);
            if (code < DigitChars.size())
                memory += DigitChars.at(code);
        }
    }
    return {};
}

} // namespace

DtmfMemories::DtmfMemories(QObject *parent) : QObject(parent) {}

DtmfMemories::State DtmfMemories::state() const
{
    return {memories, {waitIndex, headIndex, burstIndex, pauseIndex, dialIndex}};
}

void DtmfMemories::restore(const State &state)
{
    if (state == this->state())
        return;
    memories = state.memories;
    waitIndex = state.indexes[0];
    headIndex = state.indexes[1];
    burstIndex = state.indexes[2];
    pauseIndex = state.indexes[3];
    dialIndex = state.indexes[4];
    emit changed();
}

void DtmfMemories::setMemory(int m, const QString &text)
{
    if (m < 0 || m >= MemoryCount)
        return;
    // A paste longer than 16 would shift every later byte of the region, so it is cut here.
    const QString kept = KeepDtmfChars(text);
    QString &memory = memories[static_cast<std::size_t>(m)];
    if (kept == memory)
        return;
    memory = kept;
    emit changed();
}

namespace
{

void SetIndex(DtmfMemories &owner, int &target, int index, int count)
{
    if (index < 0 || index >= count || index == target)
        return;
    target = index;
    emit owner.changed();
}

} // namespace

void DtmfMemories::setWait(int index)
{
    SetIndex(*this, waitIndex, index, WaitCount);
}

void DtmfMemories::setHead(int index)
{
    SetIndex(*this, headIndex, index, TimingCount);
}

void DtmfMemories::setBurst(int index)
{
    SetIndex(*this, burstIndex, index, TimingCount);
}

void DtmfMemories::setPause(int index)
{
    SetIndex(*this, pauseIndex, index, TimingCount);
}

void DtmfMemories::setDialChannel(int index)
{
    SetIndex(*this, dialIndex, index, DialChannelCount);
}

void DtmfMemories::ClearDtmf()
{
    if (Commit(DtmfState{}, Fields{memories, waitIndex, headIndex, burstIndex, pauseIndex, dialIndex}))
        emit changed();
}

QString DtmfMemories::MakeDtmfData() const
{
    QString hex;
    hex.reserve(qsizetype{2} * RegionBytes);
    hex += ByteHex(static_cast<unsigned>(waitIndex)) + ByteHex(static_cast<unsigned>(headIndex)) +
           ByteHex(static_cast<unsigned>(burstIndex));
    // setMemory and the decoder keep every memory at 16 DTMF characters or fewer.
    for (const QString &memory : memories) {
        for (QChar c : memory)
            hex += ByteHex(static_cast<unsigned>(DigitChars.indexOf(c)));
        hex += ByteHex(FillCode).repeated(MaxDigits - memory.size());
    }
    hex += ByteHex(static_cast<unsigned>(dialIndex + 1)) + ByteHex(static_cast<unsigned>(pauseIndex));
    return hex;
}

Status DtmfMemories::ExpandDtmfData(const QString &hex, int part)
{
    const Fields fields{memories, waitIndex, headIndex, burstIndex, pauseIndex, dialIndex};
    DtmfState state = Snapshot(fields);
    Status status = DecodePart(hex, part, state);
    if (status && Commit(state, fields))
        emit changed();
    return status;
}

Status DtmfMemories::decode(const QString &hex)
{
    const Fields fields{memories, waitIndex, headIndex, burstIndex, pauseIndex, dialIndex};
    DtmfState state = Snapshot(fields);
    for (int part = 0; part < static_cast<int>(Parts.size()); ++part) {
        if (Status status = DecodePart(
                hex.mid(qsizetype{2} * Parts[static_cast<std::size_t>(part)].regionOffset), part, state);
            !status)
            return status;
    }
    // One changed() for all three parts.
    if (Commit(state, fields))
        emit changed();
    return {};
}

QStringList DtmfWaitTexts()
{
    QStringList texts{QStringLiteral("50ms")};
    for (int ms = 100; ms <= 1000; ms += 100)
        texts << QStringLiteral("%1ms").arg(ms);
    return texts;
}

QStringList DtmfTimingTexts()
{
    QStringList texts;
    for (int ms = 20; ms <= 200; ms += 20)
        texts << QStringLiteral("%1ms").arg(ms);
    for (int ms = 300; ms <= 900; ms += 100)
        texts << QStringLiteral("%1ms").arg(ms);
    for (int tenths = 10; tenths <= 20; tenths += 2)
        texts << QStringLiteral("%1.%2s").arg(tenths / 10).arg(tenths % 10);
    return texts;
}

QStringList DtmfDialChannelTexts()
{
    QStringList texts;
    for (int channel = 1; channel <= DialChannelCount; ++channel)
        texts << QStringLiteral("%1Ch").arg(channel);
    return texts;
}

KeyVerdict FilterDtmfKey(QChar key, const QString &text)
{
    // A box over 16 bytes (a paste) lets the key through; the window empties the box before it lands,
    // so the key starts a fresh memory.
    if (Cp932ByteLength(text) > DtmfMemories::MaxDigits)
        return KeyVerdict::Accept;
    if (key == Backspace)
        return KeyVerdict::Accept;
    if (text.toUcs4().size() < DtmfMemories::MaxDigits && IsDtmfChar(key))
        return KeyVerdict::Accept;
    return KeyVerdict::Drop;
}

} // namespace n35
