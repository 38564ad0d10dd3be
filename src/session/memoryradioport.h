#pragma once

#include "link/radiomemory.h"
#include "link/radioport.h"

namespace n35
{

// A radio that is only memory: it answers the identification and block reads at once from a RadioMemory,
// so that the whole-radio read can decode a backup exactly as it decodes the radio. A block it does not
// hold gets no reply; writes are refused.
class MemoryRadioPort : public RadioPort
{
    Q_OBJECT
public:
    explicit MemoryRadioPort(RadioMemory memory) : held(std::move(memory)) {}

    void open(int) override { opened = true; }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    void write(const QByteArray &data) override;
    QByteArray readAvailable() override;
    bool waitForWritten(int) override { return true; }
    void discardInput() override { inbox.clear(); }
    QString lastFailure() const override { return {}; }

private:
    RadioMemory held;
    QByteArray inbox;
    bool opened = false;
};

} // namespace n35
