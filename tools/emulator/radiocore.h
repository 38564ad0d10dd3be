#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace n35emu
{

// Ways the emulated radio can misbehave, so the client's error handling can be exercised.
// Writes are stored in every mode; only what goes back on the line differs.
enum class Fault {
    None,
    Silent,      // sends nothing at all
    NoEcho,      // CR LF, reply, CR LF without the echo of the command
    EchoOnly,    // only the echo (command and CR)
    ShortReply,  // a block read reply is cut to 100 characters, "OK" becomes "O"
    LowerCaseHex // block read replies in lower-case hex
};

// The radio's side of the clone protocol, byte stream in, byte stream out. No timing, no I/O.
class RadioCore
{
public:
    static constexpr std::size_t memorySize = 0x10000;
    static constexpr std::size_t blockSize = 64;

    RadioCore();

    std::vector<std::uint8_t> &memory() { return memory_; }
    const std::vector<std::uint8_t> &memory() const { return memory_; }

    void setFault(Fault f) { fault_ = f; }
    // After this many commands have been handled the radio goes dead: no output, no more stores.
    // -1 means never.
    void setStopAfter(int commands) { stopAfter_ = commands; }

    // Feeds bytes received from the line; returns the bytes to send back (may be empty).
    std::string receive(std::string_view bytes);
    // Complete commands handled so far, including those whose answer a fault suppressed, excluding RESET.
    int commandsAnswered() const { return answered_; }

    // Raw image of exactly 64 KiB.
    bool load(const std::string &path, std::string *error);
    bool save(const std::string &path, std::string *error) const;

private:
    std::string handleLine(std::string_view line);
    std::string reply(std::string_view command);
    std::string blockHex(unsigned address) const;

    std::vector<std::uint8_t> memory_;
    std::string line_;
    Fault fault_ = Fault::None;
    int stopAfter_ = -1;
    int answered_ = 0;
};

// "none", "silent", "no-echo", "echo-only", "short", "lower-hex".
std::optional<Fault> parseFault(std::string_view name);

} // namespace n35emu
