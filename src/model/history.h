#pragma once

#include "model/cloneimage.h"

#include <QString>
#include <deque>
#include <optional>

namespace n35
{

// Everything the clone image holds, as one value: what an undo puts back. The channel rows are packed
// into one string (each cell's length, then its text), a tenth of their size as table cells, so that a
// long history of whole-grid steps stays small.
struct ImageState {
    QString channels;
    std::vector<unsigned char> used;
    BankPartition::Counts banks{};
    SetModeSettings::State settings;
    DtmfMemories::State dtmf;
    OneTouchKeys::State oneTouch{};
    OpeningTitle::State title;
    BankLinks::State bankLinks{};
    FontGlyphs::State glyphs{};

    bool operator==(const ImageState &) const = default;
    // Bytes this state takes in memory, about.
    std::size_t footprint() const;
};

ImageState CaptureImage(const CloneImage &image);
// Puts `state` back into `image`, every region announcing what changed. The partition goes first, so the
// lists that follow it (row labels, one-touch keys, "Bank No.") are rebuilt before their own values
// return.
void RestoreImage(CloneImage &image, const ImageState &state);

// The undo and redo history of the clone image. A step is recorded after a change: the state before it
// is kept under the step's name, so undo puts back exactly the image before the step, and redo the
// image after it.
class ImageHistory
{
public:
    static constexpr int DefaultLimit = 100;

    explicit ImageHistory(CloneImage &image, int limit = DefaultLimit);

    // Records a step if the image differs from the state last recorded. `mergeKey` (not empty) joins the
    // step to the one before it when that has the same key, was recorded less than MergeMs earlier and
    // nothing was undone since: typing into one field is one step. Returns whether a step was made or
    // grown.
    static constexpr qint64 MergeMs = 1500;
    bool record(const QString &name, const QString &mergeKey = QString(), qint64 nowMs = -1);
    // Takes the current image as the base without a step (after start-up); it is clean.
    void rebase();

    // The clean mark: the image as last loaded, saved, read from or written to a radio. An image is clean
    // while the history's image (as last recorded, undone or redone) equals it, so undoing back to it
    // makes it clean again.
    void markClean();
    bool isClean() const { return current == clean; }

    bool canUndo() const { return !undoSteps.empty(); }
    bool canRedo() const { return !redoSteps.empty(); }
    QString undoName() const { return canUndo() ? undoSteps.back().name : QString(); }
    QString redoName() const { return canRedo() ? redoSteps.back().name : QString(); }
    // The image as it was before the last step / after the step last undone. False when there is none.
    bool undo();
    bool redo();
    int undoCount() const { return static_cast<int>(undoSteps.size()); }
    std::size_t footprint() const;

private:
    struct Step {
        QString name;
        QString mergeKey;
        qint64 atMs = 0;
        ImageState state;
    };

    // Puts back the state of `from`'s last step; the state it replaces becomes `to`'s last step.
    bool travel(std::deque<Step> &from, std::deque<Step> &to);

    CloneImage &image;
    int limit;
    ImageState current;
    ImageState clean;
    std::deque<Step> undoSteps;
    std::deque<Step> redoSteps;
};

} // namespace n35
