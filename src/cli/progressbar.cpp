#include "cli/progressbar.h"

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace n35::cli
{

namespace
{

constexpr int MinimumBar = 10;

bool StandardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(2) != 0;
#else
    return isatty(2) != 0;
#endif
}

int TerminalWidth()
{
#ifndef Q_OS_WIN
    winsize size{};
    if (ioctl(2, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
#endif
    return 80;
}

} // namespace

QString FormatDuration(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, (ms + 500) / 1000);
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

QString ProgressLine(const QString &caption, int value, int maximum, qint64 elapsedMs, int width)
{
    const int shown = std::clamp(value, 0, std::max(maximum, 0));
    const double fraction = maximum > 0 ? double(shown) / maximum : 0.0;
    // The rate so far predicts the rest; before the first step there is no rate yet.
    const QString eta = shown > 0 ? FormatDuration(qint64(double(elapsedMs) * (maximum - shown) / shown))
                                  : QStringLiteral("--:--");
    const QString tail = QStringLiteral(" %1%  ETA %2").arg(int(fraction * 100), 3).arg(eta);
    const int room = width - 1 - int(caption.size()) - 3 - int(tail.size());
    const int bar = std::max(MinimumBar, room);
    const int filled = int(fraction * bar);
    const QString line = caption + QStringLiteral(" [") + QString(filled, QLatin1Char('#')) +
                         QString(bar - filled, QLatin1Char('-')) + QLatin1Char(']') + tail;
    return line.left(std::max(1, width - 1));
}

TerminalProgress::TerminalProgress(QStringList phases, Sink sink, Clock clock, int width)
    : captions(std::move(phases)), sink(std::move(sink)), clock(std::move(clock)), width(width)
{
    if (captions.isEmpty())
        captions << QString();
}

TerminalProgress::~TerminalProgress()
{
    clear();
}

void TerminalProgress::start(int newMaximum)
{
    ++phase;
    maximum = newMaximum;
    value = 0;
    phaseStart = clock();
    draw(true);
}

void TerminalProgress::advance()
{
    ++value;
    draw(value >= maximum);
}

void TerminalProgress::clear()
{
    if (!drawn)
        return;
    sink(QByteArray("\r") + QByteArray(std::max(0, width - 1), ' ') + '\r');
    drawn = false;
}

void TerminalProgress::draw(bool force)
{
    const qint64 now = clock();
    if (!force && drawn && now - lastDraw < RedrawMs)
        return;
    lastDraw = now;
    drawn = true;
    const QString caption = captions.at(std::min<qsizetype>(std::max(phase, 0), captions.size() - 1));
    const QString line = ProgressLine(caption, value, maximum, now - phaseStart, width);
    // Padded to the full width, so that a shorter line leaves nothing of the one before.
    sink('\r' + line.leftJustified(std::max(0, width - 1)).toUtf8());
}

std::unique_ptr<Progress> ProgressOnStandardError(const QStringList &phases)
{
    if (!StandardErrorIsTerminal())
        return std::make_unique<NoProgress>();
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return std::make_unique<TerminalProgress>(
        phases,
        [](const QByteArray &bytes) {
            std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
            std::fflush(stderr);
        },
        [timer] { return timer->elapsed(); }, TerminalWidth());
}

} // namespace n35::cli
