#include "cli/commandline.h"

#include "buildversion.h"

#include <algorithm>

namespace n35::cli
{

namespace
{

const QString PortHelp =
    QStringLiteral("COM1..COM16 (or just 1..16) as the window numbers them, or a device path such as "
                   "/dev/ttyUSB0 (default: the port chosen in the window)");

CommandOption PortOption()
{
    return {QStringLiteral("port"), {}, QStringLiteral("PORT"), PortHelp};
}

CommandOption FormatOption()
{
    return {QStringLiteral("format"),
            {},
            QStringLiteral("FORMAT"),
            QStringLiteral("n35 (default): this program's CSV file, all 952 rows in grid order; chirp: the "
                           "channel list other radio programmers exchange (UTF-8, a line per used channel, "
                           "frequencies in MHz)")};
}

CommandOption BackupDirOption(const QString &what)
{
    return {QStringLiteral("backup-dir"),
            {},
            QStringLiteral("DIR"),
            what + QStringLiteral(" (default: the user's data folder, ~/.local/share/HVN35Writer/backups on "
                                  "Linux; the newest 100 backups are kept)")};
}

CommandOption HelpOption()
{
    return {QStringLiteral("help"), QStringLiteral("h"), {}, QStringLiteral("show this help")};
}

std::vector<Command> MakeCommands()
{
    const QString file = QStringLiteral("FILE");
    std::vector<Command> commands = {
        {QStringLiteral("ports"), QStringLiteral("list COM1..COM16 with the device each opens"), {}, {}, {}},
        {QStringLiteral("read"),
         QStringLiteral("read the whole radio into a clone image file"),
         {},
         {},
         {PortOption(),
          {QStringLiteral("output"), QStringLiteral("o"), file,
           QStringLiteral("the clone image file to write (.N35)"), true}}},
        {QStringLiteral("write"),
         QStringLiteral("write a clone image file to the radio, after backing the radio up"),
         {file},
         QStringLiteral("the clone image file (.N35) to write"),
         {PortOption(),
          {QStringLiteral("no-backup"),
           {},
           {},
           QStringLiteral("do not read the radio into a backup file first")},
          BackupDirOption(QStringLiteral("where the backup goes")),
          {QStringLiteral("full"),
           {},
           {},
           QStringLiteral("send every block; without it, a write after a backup sends only what differs "
                          "from the radio's backup")},
          {QStringLiteral("verify"),
           {},
           {},
           QStringLiteral("read the radio back and list what differs, as \"verify\" does")}}},
        {QStringLiteral("restore"),
         QStringLiteral("write a backup's bytes back to the radio exactly, then read the radio and compare"),
         {QStringLiteral("BACKUP")},
         QStringLiteral("the backup file (.n35bak), as \"hvn35 backups\" lists them"),
         {PortOption()}},
        {QStringLiteral("backups"),
         QStringLiteral("list the backups, newest first, with date, port and size"),
         {},
         {},
         {BackupDirOption(QStringLiteral("the folder to list"))}},
        {QStringLiteral("verify"),
         QStringLiteral("list where the radio differs from a clone image file (the file's value -> the "
                        "radio's)"),
         {file},
         QStringLiteral("the clone image file (.N35) the radio should hold"),
         {PortOption()}},
        {QStringLiteral("export"),
         QStringLiteral("write the channels of a clone image file or a backup as a CSV file"),
         {file},
         QStringLiteral("the clone image file (.N35) or backup (.n35bak)"),
         {{QStringLiteral("output"), QStringLiteral("o"), QStringLiteral("CSV"),
           QStringLiteral("the CSV file to write (.csv)"), true},
          FormatOption()}},
        {QStringLiteral("import"),
         QStringLiteral("read a CSV file into the channels of a clone image file"),
         {QStringLiteral("CSV")},
         QStringLiteral("the CSV file (.csv)"),
         {{QStringLiteral("into"),
           {},
           file,
           QStringLiteral("the clone image file (.N35) the channels go into"),
           true},
          {QStringLiteral("output"), QStringLiteral("o"), file,
           QStringLiteral("the clone image file to write (.N35; may be the same file)"), true},
          FormatOption(),
          {QStringLiteral("at"),
           {},
           QStringLiteral("ROW"),
           QStringLiteral("with --format chirp: the first row the list fills, 1..952 (default 1); each "
                          "channel takes the next row, passing over the two CALL channels")}}},
        {QStringLiteral("show"),
         QStringLiteral("summarise a clone image file or a backup"),
         {file},
         QStringLiteral("the clone image file (.N35) or backup (.n35bak)"),
         {}},
    };
    for (Command &command : commands)
        command.options.push_back(HelpOption());
    return commands;
}

const CommandOption *FindOption(const Command &command, const QString &name, bool isShort)
{
    for (const CommandOption &option : command.options) {
        if (isShort ? option.shortName == name : option.name == name)
            return &option;
    }
    return nullptr;
}

QString Spelled(const CommandOption &option)
{
    QString text = QStringLiteral("--") + option.name;
    if (!option.valueName.isEmpty())
        text += QLatin1Char(' ') + option.valueName;
    return text;
}

ParsedCommandLine Usage(const QString &text, const Command *command = nullptr)
{
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::UsageError;
    parsed.text = text;
    parsed.command = command;
    return parsed;
}

ParsedCommandLine Help(const QString &text, const Command *command)
{
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::Help;
    parsed.text = text;
    parsed.command = command;
    return parsed;
}

bool IsHelp(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

// An argument that names an option of the command ("-o", "--verify", any "--..."): never a value. A
// file may still be called "-x.csv".
bool NamesOption(const Command &command, const QString &argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return true;
    return argument.size() == 2 && argument.startsWith(QLatin1Char('-')) &&
           FindOption(command, argument.mid(1), true);
}

ParsedCommandLine ParseCommand(const Command &command, const QStringList &arguments)
{
    // A help request wins over any mistake beside it: that is what someone asking for help needs.
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (IsHelp(argument))
            return Help(CommandHelp(command), &command);
    }
    Invocation invocation;
    invocation.command = &command;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            invocation.arguments << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument.startsWith(QLatin1String("--"));
        QString name = argument.mid(isLong ? 2 : 1);
        QString value;
        bool inlineValue = false;
        if (const qsizetype equals = name.indexOf(QLatin1Char('=')); isLong && equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
            inlineValue = true;
        }
        const CommandOption *option = FindOption(command, name, !isLong);
        if (!option)
            return Usage(
                QStringLiteral("unknown option %1").arg(isLong ? QStringLiteral("--") + name : argument),
                &command);
        if (invocation.has(option->name))
            return Usage(QStringLiteral("--%1 is given twice").arg(option->name), &command);
        if (option->valueName.isEmpty()) {
            if (inlineValue)
                return Usage(QStringLiteral("--%1 takes no value").arg(option->name), &command);
        } else if (!inlineValue) {
            // "--port -o x.N35" forgot the port: the next option is no value.
            if (i + 1 >= arguments.size() || NamesOption(command, arguments.at(i + 1)))
                return Usage(QStringLiteral("%1 needs a value").arg(Spelled(*option)), &command);
            value = arguments.at(++i);
        }
        if (!option->valueName.isEmpty() && value.isEmpty())
            return Usage(QStringLiteral("%1 needs a value").arg(Spelled(*option)), &command);
        invocation.values.insert(option->name, value);
    }
    if (invocation.arguments.size() < command.arguments.size())
        return Usage(QStringLiteral("%1 is missing").arg(command.arguments.at(invocation.arguments.size())),
                     &command);
    if (invocation.arguments.size() > command.arguments.size())
        return Usage(QStringLiteral("unexpected argument \"%1\"")
                         .arg(invocation.arguments.at(command.arguments.size())),
                     &command);
    for (const CommandOption &option : command.options) {
        if (option.required && !invocation.has(option.name))
            return Usage(QStringLiteral("%1 is missing").arg(Spelled(option)), &command);
    }
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::Run;
    parsed.invocation = invocation;
    parsed.command = &command;
    return parsed;
}

// Two columns, the second wrapped to the line width, for the help texts.
QStringList Columns(const QList<QPair<QString, QString>> &rows)
{
    constexpr qsizetype LineWidth = 100;
    qsizetype left = 0;
    for (const auto &row : rows)
        left = std::max(left, row.first.size());
    const qsizetype indent = 2 + left + 2;
    QStringList lines;
    for (const auto &[name, text] : rows) {
        QString line = QStringLiteral("  ") + name.leftJustified(left) + QStringLiteral("  ");
        for (const QString &word : text.split(QLatin1Char(' '))) {
            if (line.size() + word.size() + 1 > LineWidth && line.size() > indent) {
                // Only the space before the break goes: a third line keeps its indent like the second.
                while (line.endsWith(QLatin1Char(' ')))
                    line.chop(1);
                lines << line;
                line = QString(indent, QLatin1Char(' '));
            }
            if (!line.endsWith(QLatin1Char(' ')))
                line += QLatin1Char(' ');
            line += word;
        }
        lines << line;
    }
    return lines;
}

QString UsageLine(const Command &command)
{
    QStringList words{QStringLiteral("hvn35"), command.name};
    for (const CommandOption &option : command.options) {
        if (option.name == QLatin1String("help"))
            continue;
        const QString spelled = option.shortName.isEmpty()
                                    ? Spelled(option)
                                    : QStringLiteral("-%1 %2").arg(option.shortName, option.valueName);
        words << (option.required ? spelled : QStringLiteral("[%1]").arg(spelled));
    }
    words << command.arguments;
    return words.join(QLatin1Char(' '));
}

} // namespace

const std::vector<Command> &Commands()
{
    static const std::vector<Command> commands = MakeCommands();
    return commands;
}

const Command *FindCommand(const QString &name)
{
    for (const Command &command : Commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

ParsedCommandLine ParseCommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return Usage(QStringLiteral("no command given"));
    const QString &first = arguments.first();
    if (IsHelp(first) || first == QLatin1String("help")) {
        if (arguments.size() == 1)
            return Help(GeneralHelp(), nullptr);
        if (const Command *command = FindCommand(arguments.at(1)); command && arguments.size() == 2)
            return Help(CommandHelp(*command), command);
        return Usage(QStringLiteral("\"help\" takes one command name"));
    }
    if (first == QLatin1String("--version")) {
        if (arguments.size() > 1)
            return Usage(QStringLiteral("--version takes nothing else"));
        ParsedCommandLine parsed;
        parsed.kind = ParsedCommandLine::Kind::Version;
        parsed.text = VersionText();
        return parsed;
    }
    if (first.startsWith(QLatin1Char('-')))
        return Usage(QStringLiteral("unknown option %1").arg(first));
    const Command *command = FindCommand(first);
    if (!command)
        return Usage(QStringLiteral("unknown command \"%1\"").arg(first));
    return ParseCommand(*command, arguments.mid(1));
}

QString GeneralHelp()
{
    QList<QPair<QString, QString>> rows;
    for (const Command &command : Commands())
        rows.append({command.name, command.summary});
    QStringList lines{QStringLiteral("Usage: hvn35 COMMAND [OPTIONS]"), QString(),
                      QStringLiteral("Reads, writes, checks and converts the memory of an HV-N35 handheld "
                                     "radio from the command line."),
                      QString(), QStringLiteral("Commands:")};
    lines << Columns(rows);
    lines << QString() << QStringLiteral("Options:")
          << Columns({{QStringLiteral("-h, --help"), QStringLiteral("show this help")},
                      {QStringLiteral("--version"), QStringLiteral("show the version")}});
    lines << QString() << QStringLiteral("\"hvn35 COMMAND --help\" describes a command.")
          << QStringLiteral("Exit status: 0 done, 1 the radio or a file failed (or verify found "
                            "differences), 2 the command line is wrong.");
    return lines.join(QLatin1Char('\n'));
}

QString CommandHelp(const Command &command)
{
    QStringList lines{QStringLiteral("Usage: ") + UsageLine(command), QString(),
                      command.summary.left(1).toUpper() + command.summary.mid(1) + QLatin1Char('.')};
    if (!command.arguments.isEmpty()) {
        lines << QString() << QStringLiteral("Arguments:")
              << Columns({{command.arguments.join(QLatin1Char(' ')), command.argumentHelp}});
    }
    QList<QPair<QString, QString>> rows;
    for (const CommandOption &option : command.options) {
        QString spelled = Spelled(option);
        if (!option.shortName.isEmpty())
            spelled.prepend(QStringLiteral("-%1, ").arg(option.shortName));
        rows.append({spelled, option.help});
    }
    lines << QString() << QStringLiteral("Options:") << Columns(rows);
    return lines.join(QLatin1Char('\n'));
}

QString VersionText()
{
    // The revision the program was built from, read at build time ("unknown" outside a git checkout).
    return QStringLiteral("hvn35 %1 (revision %2)")
        .arg(QLatin1String(BuildVersion), QLatin1String(BuildRevision));
}

QString UsageErrorText(const ParsedCommandLine &parsed)
{
    const QString help = parsed.command ? QStringLiteral("hvn35 %1 --help").arg(parsed.command->name)
                                        : QStringLiteral("hvn35 --help");
    return QStringLiteral("%1 (see \"%2\")").arg(parsed.text, help);
}

} // namespace n35::cli
