#include "emulator/radiocore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace n35emu
{

namespace
{

constexpr std::string_view prefix = "ZQ~";
// A line that never ends (no CR) must not grow without bound; only its tail can hold the command.
constexpr std::size_t maxLine = 4096;
constexpr std::size_t shortReplyLength = 100;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<unsigned> parseHex(std::string_view digits)
{
    unsigned value = 0;
    for (char c : digits) {
        const int v = hexValue(c);
        if (v < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(v);
    }
    return value;
}

} // namespace

// A new radio: memory erased, except what it comes with from the factory: its set-mode settings (the
// program's start-up defaults, English), the DTMF timing with empty memories, the default bank partition
// (500 channels in banks 0 to 4) and writing permitted.
// Erased settings would hold values no settings list can show, and a real radio never does.
constexpr std::string_view FactorySettings =
    "A5000A0A0303000000040000000103000000000000000000000000000000000000000001000000000000000001000302"
    "0300010C0074000202000000000000000000000103000000000000000000010000060800000000000000000000000000"
    "150300000500000000000000000000000000000000000000000003010400000000000000010000000000000000000000"
    "000100000002";
constexpr std::size_t DtmfAddress = 0xA00;
constexpr std::size_t DtmfBytes = 165;
constexpr std::size_t WriteProtectAddress = 0xFE01;
// The bank partition: 50 little-endian counts, banks 0 to 4 with 100 channels each (500 in all), then the
// sizes of the PRG, Dual, PRIO, CALL and PASS groups and two zero words.
constexpr std::size_t BankAddress = 0x200;
constexpr std::size_t BankCount = 50;
constexpr std::uint8_t GroupSizes[] = {0x64, 0x00, 0xC8, 0x00, 0x32, 0x00, 0x02,
                                       0x00, 0x64, 0x00, 0x00, 0x00, 0x00, 0x00};

RadioCore::RadioCore() : memory_(memorySize, 0xFF)
{
    for (std::size_t i = 0; i < FactorySettings.size() / 2; ++i)
        memory_[i] =
            static_cast<std::uint8_t>(std::stoi(std::string(FactorySettings.substr(i * 2, 2)), nullptr, 16));
    // DTMF: wait 100ms, head and burst 120ms, ten empty memories, dial channel 1, pause 60ms.
    std::fill_n(memory_.begin() + DtmfAddress, DtmfBytes, std::uint8_t{0x11});
    memory_[DtmfAddress] = 0x01;
    memory_[DtmfAddress + 1] = 0x05;
    memory_[DtmfAddress + 2] = 0x05;
    memory_[DtmfAddress + DtmfBytes - 2] = 0x01;
    memory_[DtmfAddress + DtmfBytes - 1] = 0x02;
    memory_[WriteProtectAddress] = 0x00;
    std::fill_n(memory_.begin() + BankAddress, BankCount * 2, std::uint8_t{0});
    for (std::size_t bank = 0; bank < 5; ++bank)
        memory_[BankAddress + bank * 2] = 100;
    std::copy(std::begin(GroupSizes), std::end(GroupSizes), memory_.begin() + BankAddress + BankCount * 2);
}

std::string RadioCore::receive(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        if (c == '\r') {
            out += handleLine(line_);
            line_.clear();
        } else if (c != '\n') {
            line_ += c;
            if (line_.size() > maxLine)
                line_.erase(0, line_.size() - maxLine / 2);
        }
    }
    return out;
}

std::string RadioCore::handleLine(std::string_view line)
{
    // Whatever precedes the last "ZQ~" is noise (a half command from an aborted transfer, line
    // glitches); a line without any command, such as a bare CR sent to resynchronise, gets no answer.
    const auto start = line.rfind(prefix);
    if (start == std::string_view::npos)
        return {};
    if (stopAfter_ >= 0 && answered_ >= stopAfter_)
        return {};
    const std::string_view command = line.substr(start);
    // The radio restarts at once and says nothing, not even the echo.
    if (command == "ZQ~RESET")
        return {};
    ++answered_;
    const std::string text = reply(command);
    switch (fault_) {
    case Fault::Silent:
        return {};
    case Fault::NoEcho:
        return "\r\n" + text + "\r\n";
    case Fault::EchoOnly:
        return std::string(command) + "\r";
    default:
        return std::string(command) + "\r\r\n" + text + "\r\n";
    }
}

std::string RadioCore::reply(std::string_view command)
{
    std::string ok = fault_ == Fault::ShortReply ? "O" : "OK";
    const std::string_view body = command.substr(prefix.size());
    if (body == "HV-N35")
        return ok;
    // "F", five address digits, then "R" or "W" and the data.
    if (body.size() < 7 || body[0] != 'F')
        return "NG";
    const auto address = parseHex(body.substr(1, 5));
    if (!address || *address >= memorySize)
        return "NG";
    const char op = body[6];
    const std::string_view data = body.substr(7);
    if (op == 'R' && data.empty()) {
        std::string hex = blockHex(*address);
        if (fault_ == Fault::LowerCaseHex)
            std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) {
                return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            });
        if (fault_ == Fault::ShortReply)
            hex.resize(shortReplyLength);
        return hex;
    }
    if (op != 'W' || data.empty() || data.size() % 2 != 0 || data.size() > 2 * blockSize)
        return "NG";
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const auto value = parseHex(data.substr(i, 2));
        if (!value)
            return "NG";
        bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        memory_[(*address + i) % memorySize] = bytes[i];
    return ok;
}

std::string RadioCore::blockHex(unsigned address) const
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * blockSize);
    for (std::size_t i = 0; i < blockSize; ++i) {
        const std::uint8_t b = memory_[(address + i) % memorySize];
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}

bool RadioCore::load(const std::string &path, std::string *error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot open " + path;
        return false;
    }
    // One byte more than needed, to notice an image that is too long.
    std::vector<char> buffer(memorySize + 1);
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    if (static_cast<std::size_t>(in.gcount()) != memorySize) {
        if (error)
            *error = path + " is not a 65536-byte image";
        return false;
    }
    std::copy_n(buffer.begin(), memorySize, memory_.begin());
    return true;
}

bool RadioCore::save(const std::string &path, std::string *error) const
{
    // A stop in the middle of writing must not leave a truncated image behind.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(memory_.data()),
                  static_cast<std::streamsize>(memory_.size()));
        out.flush();
        if (!out) {
            if (error)
                *error = "cannot write " + temp;
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        if (error)
            *error = "cannot replace " + path + ": " + ec.message();
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

std::optional<Fault> parseFault(std::string_view name)
{
    static constexpr std::pair<std::string_view, Fault> names[] = {
        {"none", Fault::None},          {"silent", Fault::Silent},    {"no-echo", Fault::NoEcho},
        {"echo-only", Fault::EchoOnly}, {"short", Fault::ShortReply}, {"lower-hex", Fault::LowerCaseHex},
    };
    for (const auto &[n, f] : names)
        if (n == name)
            return f;
    return std::nullopt;
}

} // namespace n35emu
