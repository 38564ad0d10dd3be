#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace n35
{

// Why a codec, a rule or a transfer could not do its work: what failed ("the step"), where ("channel 12
// (Bank00-011)", "block 1"), and why ("\"7KHz\" is not a step the radio knows").
struct Problem {
    QString what;
    QString where;
    QString why;
    // `where` is a file name as the user typed it: never recased (on Linux "Empty.csv" is another file).
    bool whereIsFileName = false;

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
