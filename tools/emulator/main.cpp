// The radio on a pseudo-terminal: the desktop program (or a test) opens the printed device path as if it
// were the cable's serial port.

#include "buildversion.h"
#include "emulator/radiocore.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace
{

using n35emu::Fault;
using n35emu::RadioCore;

constexpr std::int64_t nsPerMs = 1'000'000;
// Paced output leaves in bursts this far apart, as a USB serial adapter hands its data to the host on
// its latency timer; the client then wakes a few times per reply instead of once per character.
constexpr std::int64_t burstNs = 4 * nsPerMs;
constexpr std::int64_t nsPerS = 1'000'000'000;

struct Options {
    std::string load;
    std::string save;
    std::string link;
    long baud = 0;
    Fault fault = Fault::None;
    int stopAfter = -1;
    bool spin = false;
};

const char *const usageText =
    "Usage: hvn35-emulator [OPTION]...\n"
    "A stand-in HV-N35 radio on a pseudo-terminal: 64 KiB of memory and the radio's line protocol, for\n"
    "trying HV-N35 Writer and hvn35 without a radio. Prints the pty device on its first line, then serves\n"
    "one connection after another until it is stopped (Ctrl+C, SIGTERM). Without --load it starts like a\n"
    "new radio: erased except its factory settings.\n"
    "\n"
    "Options:\n"
    "  --load FILE       start from FILE, a raw 64 KiB memory image\n"
    "  --save FILE       write the memory to FILE when the emulator stops\n"
    "  --link PATH       make PATH a symbolic link to the pty, creating missing folders; with\n"
    "                    ~/.config/HVN35Writer/ports/com5 the program offers it as COM5\n"
    "  --baud N          pace the answers like a line at N bit/s (ten bits per character), e.g. 57600\n"
    "  --fault NAME      answer wrongly, for tests: silent (nothing), no-echo (no echo of the command),\n"
    "                    echo-only (the echo alone), short (block replies cut short, \"O\" for \"OK\"),\n"
    "                    lower-hex (block replies in lower-case hex), none (the default)\n"
    "  --stop-after N    answer N commands, then fall silent\n"
    "  --spin            poll without sleeping, so benchmarks leave out the emulator's wake-up time\n"
    "  -h, --help        show this help and exit\n"
    "  --version         show the version and exit\n";

// A mistake on the command line: what is wrong, then the usage, on standard error.
int usage(const std::string &problem)
{
    std::cerr << "hvn35-emulator: " << problem << "\n" << usageText;
    return 2;
}

template <typename T> bool parseNumber(const std::string &text, T min, T *value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size() && *value >= min;
}

// From parseOptions when it has printed the help or the version: the program ends with status 0.
constexpr int doneEarly = -1;

// Returns 0 when the options are usable, doneEarly, or the exit code of a usage error.
int parseOptions(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            std::cout << usageText << std::flush;
            return doneEarly;
        }
        if (name == "--version") {
            std::cout << "hvn35-emulator " << n35::BuildVersion << " (revision " << n35::BuildRevision << ")"
                      << std::endl;
            return doneEarly;
        }
        if (name == "--spin") {
            options->spin = true;
            continue;
        }
        // An unknown option is named as such, not taken for a known one without its value.
        static const std::string_view valued[] = {"--load", "--save",       "--link",
                                                  "--baud", "--stop-after", "--fault"};
        if (std::find(std::begin(valued), std::end(valued), name) == std::end(valued))
            return usage((name.starts_with('-') ? "unknown option " : "unexpected argument ") + name);
        if (i + 1 >= argc)
            return usage("missing value for " + name);
        const std::string value = argv[++i];
        if (name == "--load") {
            options->load = value;
        } else if (name == "--save") {
            options->save = value;
        } else if (name == "--link") {
            options->link = value;
        } else if (name == "--baud") {
            if (!parseNumber(value, 1L, &options->baud))
                return usage("bad baud rate " + value);
        } else if (name == "--stop-after") {
            if (!parseNumber(value, 0, &options->stopAfter))
                return usage("bad command count " + value);
        } else if (name == "--fault") {
            const auto fault = n35emu::parseFault(value);
            if (!fault)
                return usage("unknown fault " + value);
            options->fault = *fault;
        }
    }
    return 0;
}

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

std::int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * nsPerS + ts.tv_nsec;
}

void sleepUntil(std::int64_t deadline)
{
    const timespec ts{static_cast<time_t>(deadline / nsPerS), static_cast<long>(deadline % nsPerS)};
    // Interrupted by a signal: the main loop notices the stop on its next poll.
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
}

void pause10ms()
{
    sleepUntil(nowNs() + 10 * nsPerMs);
}

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
};

bool openPty(Pty *pty)
{
    pty->master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty->master < 0 || grantpt(pty->master) != 0 || unlockpt(pty->master) != 0)
        return false;
    const char *name = ptsname(pty->master);
    if (!name)
        return false;
    pty->path = name;
    // Holding the slave open ourselves means the master never sees a hang-up between client sessions.
    pty->slave = open(name, O_RDWR | O_NOCTTY);
    if (pty->slave < 0)
        return false;
    termios tio{};
    if (tcgetattr(pty->slave, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    if (tcsetattr(pty->slave, TCSANOW, &tio) != 0)
        return false;
    const int flags = fcntl(pty->master, F_GETFL);
    return flags >= 0 && fcntl(pty->master, F_SETFL, flags | O_NONBLOCK) == 0;
}

// mkdir -p of the folder that holds path, so that a link can go where no folder has been made yet.
bool makeParentFolders(const std::string &path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        struct stat st {
        };
        if (folder.empty() || folder.back() == '/' || stat(folder.c_str(), &st) == 0)
            continue;
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            std::cerr << "hvn35-emulator: cannot create folder " << folder << ": " << std::strerror(errno)
                      << "\n";
            return false;
        }
    }
    return true;
}

bool makeLink(const std::string &link, const std::string &target)
{
    if (!makeParentFolders(link))
        return false;
    struct stat st {
    };
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "hvn35-emulator: " << link << " exists and is not a symbolic link\n";
            return false;
        }
        unlink(link.c_str());
    }
    if (symlink(target.c_str(), link.c_str()) != 0) {
        std::cerr << "hvn35-emulator: cannot create " << link << ": " << std::strerror(errno) << "\n";
        return false;
    }
    return true;
}

void removeLink(const std::string &link, const std::string &target)
{
    char buffer[4096];
    const ssize_t n = readlink(link.c_str(), buffer, sizeof buffer);
    // Another emulator may have taken the name over meanwhile; leave its link alone.
    if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) == target)
        unlink(link.c_str());
}

// What the radio sends back, byte by byte with the time each has fully left the radio.
class Transmitter
{
public:
    Transmitter(int fd, long baud) : fd_(fd), baud_(baud) {}

    bool paced() const { return baud_ > 0; }
    bool idle() const { return queue_.empty(); }

    // Time for n characters at ten bits each.
    std::int64_t charsTime(std::int64_t n) const { return paced() ? n * 10 * nsPerS / baud_ : 0; }

    void queue(const std::string &bytes, std::int64_t earliest)
    {
        const std::int64_t start = std::max(earliest, lastDue_);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            queue_.push_back({bytes[i], start + charsTime(std::int64_t(i) + 1)});
        if (!bytes.empty())
            lastDue_ = queue_.back().due;
    }

    void drop()
    {
        queue_.clear();
        lastDue_ = 0;
    }

    // Next wake-up: the first burst boundary at or after the first byte is due, so each wake-up
    // writes a burst, but never later than the last byte's due time, so a reply ends exactly on time.
    std::int64_t deadline(std::int64_t now) const
    {
        const std::int64_t from = std::max(now, queue_.front().due);
        const std::int64_t boundary = (from + burstNs - 1) / burstNs * burstNs;
        return std::min(boundary, queue_.back().due);
    }

    void writeDue(std::int64_t now)
    {
        std::string burst;
        for (const auto &p : queue_) {
            if (p.due > now)
                break;
            burst += p.byte;
        }
        if (burst.empty())
            return;
        const ssize_t n = write(fd_, burst.data(), burst.size());
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Nobody has read the last several kilobytes: like a real line with nobody listening.
            std::cerr << "hvn35-emulator: nobody is reading, reply dropped\n";
            drop();
            return;
        }
        if (n < 0) {
            if (errno != EINTR)
                std::cerr << "hvn35-emulator: write failed: " << std::strerror(errno) << "\n";
            return;
        }
        queue_.erase(queue_.begin(), queue_.begin() + n);
    }

private:
    struct Pending {
        char byte;
        std::int64_t due;
    };
    int fd_;
    long baud_;
    std::deque<Pending> queue_;
    std::int64_t lastDue_ = 0;
};

// Feeds received bytes to the radio and times its answers as if the command came down the wire.
class Receiver
{
public:
    Receiver(RadioCore &core, Transmitter &tx) : core_(core), tx_(tx) {}

    void received(const char *data, std::size_t size, std::int64_t readTime)
    {
        for (std::size_t i = 0; i < size; ++i) {
            // Bytes read together with an earlier command queue up behind it on the wire.
            if (count_ == 0)
                lineStart_ = std::max(readTime, lastArrival_);
            ++count_;
            const std::string answer = core_.receive(std::string_view(data + i, 1));
            if (data[i] != '\r')
                continue;
            lastArrival_ = lineStart_ + tx_.charsTime(count_);
            count_ = 0;
            tx_.queue(answer, lastArrival_);
        }
    }

private:
    RadioCore &core_;
    Transmitter &tx_;
    std::int64_t lineStart_ = 0;
    std::int64_t lastArrival_ = 0;
    std::int64_t count_ = 0;
};

// A client closing the port discards what it has not read, as a real line would: otherwise the unread
// tail of an aborted transfer would greet the next session.
int watchCloses(const std::string &path)
{
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd >= 0 && inotify_add_watch(fd, path.c_str(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool drainCloses(int fd)
{
    alignas(inotify_event) char buffer[4096];
    bool closed = false;
    while (read(fd, buffer, sizeof buffer) > 0)
        closed = true;
    return closed;
}

int serve(const Options &options, RadioCore &core, const Pty &pty)
{
    Transmitter tx(pty.master, options.baud);
    Receiver rx(core, tx);
    const int closes = watchCloses(pty.path);
    if (closes < 0)
        std::cerr << "hvn35-emulator: cannot watch " << pty.path << "; unread replies stay queued\n";
    pollfd fds[3] = {{signalPipe[0], POLLIN, 0}, {pty.master, POLLIN, 0}, {closes, POLLIN, 0}};
    for (;;) {
        // --spin polls instead of sleeping, so that the emulator's own wake-up latency stays out of a
        // benchmark of the program's timing. It costs a whole core.
        int timeout = options.spin ? 0 : -1;
        if (!tx.idle()) {
            const std::int64_t now = nowNs();
            const std::int64_t deadline = tx.deadline(now);
            if (options.spin) {
                while (nowNs() < deadline) {
                }
            } else if (deadline > now) {
                sleepUntil(deadline);
            }
            timeout = 0;
        }
        if (poll(fds, closes >= 0 ? 3 : 2, timeout) < 0 && errno != EINTR) {
            std::cerr << "hvn35-emulator: poll failed: " << std::strerror(errno) << "\n";
            return 1;
        }
        if (fds[0].revents & POLLIN)
            return 0;
        if (closes >= 0 && (fds[2].revents & POLLIN) && drainCloses(closes)) {
            tx.drop();
            tcflush(pty.slave, TCIFLUSH);
        }
        if (fds[1].revents & POLLIN) {
            char buffer[4096];
            const ssize_t n = read(pty.master, buffer, sizeof buffer);
            if (n > 0)
                rx.received(buffer, static_cast<std::size_t>(n), nowNs());
            else if (n < 0 && errno == EIO)
                pause10ms();
        } else if (fds[1].revents & (POLLHUP | POLLERR)) {
            // Not expected while we hold the slave open; do not spin if it happens anyway.
            pause10ms();
        }
        if (!tx.idle())
            tx.writeDue(nowNs());
    }
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (const int code = parseOptions(argc, argv, &options))
        return code == doneEarly ? 0 : code;

    RadioCore core;
    core.setFault(options.fault);
    core.setStopAfter(options.stopAfter);
    std::string error;
    if (!options.load.empty() && !core.load(options.load, &error)) {
        std::cerr << "hvn35-emulator: " << error << "\n";
        return 1;
    }

    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::cerr << "hvn35-emulator: pipe: " << std::strerror(errno) << "\n";
        return 1;
    }
    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    Pty pty;
    if (!openPty(&pty)) {
        std::cerr << "hvn35-emulator: cannot set up a pseudo-terminal: " << std::strerror(errno) << "\n";
        return 1;
    }
    if (!options.link.empty() && !makeLink(options.link, pty.path))
        return 1;

    std::cout << pty.path << std::endl;
    const int code = serve(options, core, pty);

    if (!options.link.empty())
        removeLink(options.link, pty.path);
    if (!options.save.empty() && !core.save(options.save, &error)) {
        std::cerr << "hvn35-emulator: " << error << "\n";
        return 1;
    }
    return code;
}
