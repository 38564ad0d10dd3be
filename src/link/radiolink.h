#pragma once

#include "link/outcome.h"

#include <QString>
#include <functional>

namespace n35
{

class RadioMemory;
class RadioPort;

// The command exchange with the radio. Every command goes out as its text and a CR; the radio answers
// with the echo (the command and its CR), CR LF, the reply and CR LF. ExchangeCommand returns the reply
// alone, or "" when nothing beyond the echo came within the time-out.
//
// The wait runs a nested event loop woken by the port and by a single-shot timer: the window keeps
// painting and the CPU sleeps while the radio talks.
class RadioLink
{
public:
    static constexpr int DefaultTimeoutMs = 1000;
    static constexpr const char *IdentifyCommand = "ZQ~HV-N35";
    static constexpr const char *ResetCommand = "ZQ~RESET";
    static constexpr int ResetDrainMs = 500;

    explicit RadioLink(RadioPort &port);

    RadioPort &port() { return radioPort; }

    int portNumber() const { return number; }
    // Takes effect at the next opening; an open port is closed.
    void setPortNumber(int portNumber);

    // For tests of silent radios; the radio itself always gets 1000 ms.
    void setTimeoutMs(int ms) { timeoutMs = ms; }
    int timeout() const { return timeoutMs; }

    // Throws PortError when the port cannot be opened or fails, or when the reply cannot be cut
    // (the echo and one to three more characters at the time-out). A command started while another
    // exchange is still waiting for its reply is refused with a PortError: the two would interleave
    // on the line.
    QString ExchangeCommand(const QString &command);

    // "ZQ~HV-N35" answered "OK".
    bool Identify();
    // "ZQ~RESET" and a CR; no reply is read. Returns once the command has left for the driver (at most
    // ResetDrainMs), so that closing the port afterwards cannot cut it off.
    void SendReset();

    // "ZQ~F" + address + "R": the 128 hex characters, or an empty string for any reply of another length.
    QString ReadBlock(const QString &address);
    // "ZQ~F" + address + "W" + hex: true when the radio answers "OK".
    bool WriteBlock(const QString &address, const QString &hex);

    void close();

    // While a mirror is set (a backup just read), a block read it holds is answered from it without
    // asking the radio, and a block write that would not change what it holds is not sent (and counts as
    // done); a write the radio takes updates it. nullptr stops that. The caller keeps it alive.
    void setMirror(RadioMemory *memory) { mirror = memory; }

    // True while an exchange waits for its reply.
    bool isBusy() const { return busy; }

    // Counts every command sent; the benchmark uses it to compute the wire time.
    struct Traffic {
        qint64 commands = 0;
        qint64 bytesSent = 0;
        qint64 bytesReceived = 0;
        qint64 blocksWritten = 0; // block writes sent (the radio changed, or may have)
        qint64 blocksSkipped = 0; // block writes the mirror showed were already in the radio
    };
    const Traffic &traffic() const { return counters; }

private:
    void ensureOpen();
    void refuseWhileBusy() const;

    RadioPort &radioPort;
    int number = 1;
    int timeoutMs = DefaultTimeoutMs;
    bool busy = false;
    Traffic counters;
    RadioMemory *mirror = nullptr;
};

// "Negotiation Error.": the radio did not identify itself on the link's port. The detail says what to
// check and which device the port is.
TransferOutcome NegotiationError(RadioLink &link);

} // namespace n35
