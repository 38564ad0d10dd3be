#pragma once

#include "link/progress.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace n35::cli
{

// A progress bar on one terminal line, redrawn in place: "reading channels [####----]  45%  ETA 0:12".
// Each start() begins a phase (a whole-radio transfer runs the regions, then the channels); the phase's
// caption is the next of `phases`, the last one repeating.
class TerminalProgress : public Progress
{
public:
    using Sink = std::function<void(const QByteArray &)>;
    using Clock = std::function<qint64()>; // milliseconds, any origin

    TerminalProgress(QStringList phases, Sink sink, Clock clock, int width);
    ~TerminalProgress() override;

    void start(int maximum) override;
    void advance() override;
    // Wipes the line, so that what is printed next starts on a clean one.
    void clear();

    // How often the line may be redrawn, at most: the bar must not cost the CPU the radio's wait saves.
    static constexpr qint64 RedrawMs = 100;

private:
    void draw(bool force);

    QStringList captions;
    Sink sink;
    Clock clock;
    int width;
    int phase = -1;
    int maximum = 0;
    int value = 0;
    qint64 phaseStart = 0;
    qint64 lastDraw = 0;
    bool drawn = false;
};

// A bar on standard error when it is a terminal; otherwise nothing is shown.
std::unique_ptr<Progress> ProgressOnStandardError(const QStringList &phases);

// The text of the bar's line, at most width - 1 characters (the last column would wrap some terminals).
QString ProgressLine(const QString &caption, int value, int maximum, qint64 elapsedMs, int width);
// "0:07", "12:30", "1:02:03".
QString FormatDuration(qint64 ms);

} // namespace n35::cli
