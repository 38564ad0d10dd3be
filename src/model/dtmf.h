#pragma once

#include "model/keyverdict.h"
#include "model/result.h"

#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace n35
{

// The radio's ten DTMF memories (digit strings for its auto-dialer) and its five DTMF timing options: one
// region of 165 bytes (its addresses are in the link layer's address table), three timing bytes, 16
// digit codes per memory, the dial channel and the pause.
class DtmfMemories : public QObject
{
    Q_OBJECT
public:
    static constexpr int MemoryCount = 10;
    static constexpr int MaxDigits = 16;
    static constexpr int RegionBytes = 165;

    explicit DtmfMemories(QObject *parent = nullptr);

    // A memory's digits: "0"-"9", "A"-"D", "*", "#", "-"; at most 16.
    const QString &memory(int m) const { return memories.at(static_cast<std::size_t>(m)); }
    // Keeps the characters a memory can hold, at most 16 of them (a paste may bring more).
    void setMemory(int m, const QString &text);

    // Selected indexes of the five lists (DtmfWaitTexts, DtmfTimingTexts, DtmfDialChannelTexts).
    int wait() const { return waitIndex; }
    int head() const { return headIndex; }
    int burst() const { return burstIndex; }
    int pause() const { return pauseIndex; }
    int dialChannel() const { return dialIndex; }
    void setWait(int index);
    void setHead(int index);
    void setBurst(int index);
    void setPause(int index);
    void setDialChannel(int index);

    // Memories empty; wait "100ms", head "120ms", burst "120ms", pause "60ms", dial channel "1Ch".
    void ClearDtmf();
    void reset() { ClearDtmf(); }

    // The region as 330 upper-case hex characters.
    QString MakeDtmfData() const;
    QString encode() const { return MakeDtmfData(); }
    // Decodes one read part from the start of `hex`: part 0 (at the region's start) the three timing
    // bytes and memories 0-2, part 1 (51 bytes on) memories 3-6, part 2 (115 bytes on) memories 7-9, the
    // dial channel and the pause. A part is taken whole or not at all: a timing byte its list cannot show, or
    // a text too short or not hex, is a Problem and leaves everything as it was.
    Status ExpandDtmfData(const QString &hex, int part);
    // A whole 330-character region (an image file): the three parts in order, taken all together or,
    // at the first Problem, not at all.
    Status decode(const QString &hex);

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    struct State {
        std::array<QString, MemoryCount> memories;
        std::array<int, 5> indexes{}; // wait, head, burst, pause, dial channel
        bool operator==(const State &) const = default;
    };
    State state() const;
    void restore(const State &state);

signals:
    void changed();

private:
    std::array<QString, MemoryCount> memories;
    int waitIndex = 1;
    int headIndex = 5;
    int burstIndex = 5;
    int pauseIndex = 2;
    int dialIndex = 0;
};

// "50ms", "100ms" .. "1000ms" (11).
QStringList DtmfWaitTexts();
// "20ms" .. "200ms", "300ms" .. "900ms", "1.0s" .. "2.0s" (23), for head, burst and pause.
QStringList DtmfTimingTexts();
// "1Ch" .. "9Ch".
QStringList DtmfDialChannelTexts();

// A key typed into a memory box holding `text`: DTMF characters while it holds fewer than 16,
// Backspace always.
KeyVerdict FilterDtmfKey(QChar key, const QString &text);

} // namespace n35
