#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

namespace n35::cli
{

// The commands of hvn35 and their options as data: the parser, the help texts and the README all follow
// this one table.

struct CommandOption {
    QString name;      // "port": given as --port
    QString shortName; // "o": given as -o; empty for none
    QString valueName; // "FILE"; empty for a flag
    QString help;
    bool required = false;
};

struct Command {
    QString name;
    QString summary;
    QStringList arguments; // the positional arguments, all required: {"FILE"}
    QString argumentHelp;
    std::vector<CommandOption> options;
};

const std::vector<Command> &Commands();
const Command *FindCommand(const QString &name);

// A command line that named a command and gave it what it needs.
struct Invocation {
    const Command *command = nullptr;
    QMap<QString, QString> values; // by option name; a flag maps to ""
    QStringList arguments;

    bool has(const QString &option) const { return values.contains(option); }
    QString value(const QString &option) const { return values.value(option); }
};

struct ParsedCommandLine {
    enum class Kind { Run, Help, Version, UsageError };
    Kind kind = Kind::UsageError;
    Invocation invocation;
    QString text;                     // the help text, or what is wrong with the command line
    const Command *command = nullptr; // the command a help or a usage error is about, if any
};

// The arguments after the program's name.
ParsedCommandLine ParseCommandLine(const QStringList &arguments);

QString GeneralHelp();
QString CommandHelp(const Command &command);
// "hvn35 1.0.0"
QString VersionText();
// What a usage error's line says after "hvn35: error: ": "--output FILE is missing (see \"hvn35 read
// --help\")".
QString UsageErrorText(const ParsedCommandLine &parsed);

} // namespace n35::cli
