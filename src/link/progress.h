#pragma once

namespace n35
{

// Where a transfer reports its progress: the main window's bar, the font editor's own bar, or a
// command-line bar.
class Progress
{
public:
    virtual ~Progress() = default;
    // Back to 0 with a new maximum.
    virtual void start(int maximum) = 0;
    virtual void advance() = 0;
};

// For callers that do not show progress.
class NoProgress : public Progress
{
public:
    void start(int) override {}
    void advance() override {}
};

} // namespace n35
