#include "model/history.h"

#include <QDateTime>

namespace n35
{

namespace
{

// A cell is its length in one char16_t (two when 0xFFFF or longer), then its text.
constexpr char16_t LongCell = 0xFFFF;

QString PackRows(const std::vector<ChannelCells> &rows)
{
    qsizetype size = 0;
    for (const ChannelCells &cells : rows) {
        for (const QString &cell : cells)
            size += cell.size() + 1;
    }
    QString packed;
    packed.reserve(size);
    for (const ChannelCells &cells : rows) {
        for (const QString &cell : cells) {
            const auto length = static_cast<quint32>(cell.size());
            if (length < LongCell) {
                packed += QChar(static_cast<char16_t>(length));
            } else {
                packed += QChar(LongCell);
                packed += QChar(static_cast<char16_t>(length >> 16));
                packed += QChar(static_cast<char16_t>(length & 0xFFFF));
            }
            packed += cell;
        }
    }
    return packed;
}

std::vector<ChannelCells> UnpackRows(const QString &packed)
{
    std::vector<ChannelCells> rows(ChannelCount);
    qsizetype at = 0;
    const QChar *data = packed.constData();
    for (ChannelCells &cells : rows) {
        for (QString &cell : cells) {
            if (at >= packed.size())
                return rows;
            qsizetype length = data[at++].unicode();
            if (length == LongCell && at + 1 < packed.size()) {
                length = (qsizetype(data[at].unicode()) << 16) | data[at + 1].unicode();
                at += 2;
            }
            length = std::min(length, packed.size() - at);
            if (length > 0)
                cell = QString(data + at, length);
            at += length;
        }
    }
    return rows;
}

} // namespace

std::size_t ImageState::footprint() const
{
    std::size_t bytes =
        sizeof(ImageState) + static_cast<std::size_t>(channels.capacity()) * sizeof(QChar) + used.capacity();
    bytes += settings.indexes.size() * 48;
    for (const QString &memory : dtmf.memories)
        bytes += static_cast<std::size_t>(memory.capacity()) * sizeof(QChar);
    return bytes + static_cast<std::size_t>(title.text.capacity()) * sizeof(QChar);
}

ImageState CaptureImage(const CloneImage &image)
{
    return {PackRows(image.channels.allRows()),
            image.channels.allUsed(),
            image.banks.counts(),
            image.settings.state(),
            image.dtmf.state(),
            image.oneTouch.state(),
            image.title.state(),
            image.bankLinks.state(),
            image.glyphs.state()};
}

void RestoreImage(CloneImage &image, const ImageState &state)
{
    image.banks.setCounts(state.banks);
    image.channels.restore(UnpackRows(state.channels), state.used);
    image.settings.restore(state.settings);
    image.dtmf.restore(state.dtmf);
    image.oneTouch.restore(state.oneTouch);
    image.title.restore(state.title);
    image.bankLinks.restore(state.bankLinks);
    image.glyphs.restore(state.glyphs);
}

ImageHistory::ImageHistory(CloneImage &image, int limit)
    : image(image), limit(std::max(limit, 1)), current(CaptureImage(image)), clean(current)
{
}

void ImageHistory::rebase()
{
    current = CaptureImage(image);
    clean = current;
}

void ImageHistory::markClean()
{
    // Taken from the image itself: a command marks it before its own step is recorded.
    clean = CaptureImage(image);
}

bool ImageHistory::record(const QString &name, const QString &mergeKey, qint64 nowMs)
{
    ImageState now = CaptureImage(image);
    if (now == current)
        return false;
    if (nowMs < 0)
        nowMs = QDateTime::currentMSecsSinceEpoch();
    const bool merges = !mergeKey.isEmpty() && redoSteps.empty() && !undoSteps.empty() &&
                        undoSteps.back().mergeKey == mergeKey && nowMs - undoSteps.back().atMs < MergeMs;
    if (merges) {
        undoSteps.back().atMs = nowMs;
    } else {
        undoSteps.push_back(Step{name, mergeKey, nowMs, std::move(current)});
        if (static_cast<int>(undoSteps.size()) > limit)
            undoSteps.pop_front();
    }
    redoSteps.clear();
    current = std::move(now);
    return true;
}

bool ImageHistory::undo()
{
    return travel(undoSteps, redoSteps);
}

bool ImageHistory::redo()
{
    return travel(redoSteps, undoSteps);
}

bool ImageHistory::travel(std::deque<Step> &from, std::deque<Step> &to)
{
    if (from.empty())
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    RestoreImage(image, step.state);
    to.push_back(Step{step.name, QString(), 0, std::move(current)});
    current = std::move(step.state);
    return true;
}

std::size_t ImageHistory::footprint() const
{
    std::size_t bytes = current.footprint() + clean.footprint();
    for (const Step &step : undoSteps)
        bytes += step.state.footprint() + sizeof(Step);
    for (const Step &step : redoSteps)
        bytes += step.state.footprint() + sizeof(Step);
    return bytes;
}

} // namespace n35
