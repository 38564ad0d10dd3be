#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace n35
{

// The failures a caller must tell apart, because the user is told them in other words. Most are General.
enum class ProblemKind {
    General,
    WrongName,     // a file whose name does not end as the format's files do: nothing was read
    Unreadable,    // a file that could not be read: missing, not allowed, a folder or a pipe, far too large,
                   // not text in the format's encoding
    NotThisFormat, // a file read whole that is not of the format: no line or header it knows, cut short
    BadLine,       // a file of the format with a line its reader refused; `where` names the line
};

// Why a codec, a rule, a transfer or a file could not do its work: what failed ("the step"), where
// ("channel 12 (Bank00-011)", "block 1", a file), and why ("\"7KHz\" is not a step the radio knows").
struct Problem {
    QString what;
    QString where;
    QString why;
    // `where` is a file name as the user typed it: never recased (on Linux "Empty.csv" is another file).
    bool whereIsFileName = false;
    ProblemKind kind = ProblemKind::General;

    // One sentence for a message box or a command line: "Channel 12 (Bank00-011), the step: ...".
    QString describe() const;
};

// A text quoted inside a message, cut to about 80 characters: a 10 MB line of a file must not become a
// 10 MB message.
QString QuotedExcerpt(const QString &text);

// A value, or the Problem that kept it from being made.
template <typename T> class Result
{
public:
    Result(T value) : state(std::move(value)) {}
    Result(Problem problem) : state(std::move(problem)) {}

    bool ok() const { return state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const { return std::get<0>(state); }
    T &value() { return std::get<0>(state); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }
    const Problem &problem() const { return std::get<1>(state); }

private:
    std::variant<T, Problem> state;
};

// Success, or a Problem: for work that yields nothing but can fail.
class Status
{
public:
    Status() = default;
    Status(Problem problem) : failure(std::move(problem)), failed(true) {}

    bool ok() const { return !failed; }
    explicit operator bool() const { return ok(); }
    const Problem &problem() const { return failure; }

private:
    Problem failure;
    bool failed = false;
};

} // namespace n35
