// set FILE.dat [--channels LIST] --FIELD VALUE ... -o OUT.dat: scripted
// edits through the same rules as the desktop's. Channel fields are named
// as the CSV columns name them (spaces as hyphens) and set on every channel
// of the list; settings outside the channel table by their prefixed names.
// A refused edit is listed and nothing is written (exit 1), unless
// --skip-refused keeps the rest.

#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include "scripted_edits.h"

namespace zav::cli {
namespace {

/// The options of the command itself; every other "--name" is a field.
const QStringList kOwnOptions{"channels", "o", "output", "dry-run", "skip-refused", "list-fields", "h", "help"};
const QStringList kOwnOptionsWithValue{"channels", "o", "output"};

/// Splits args into the command's own options and the field edits.
/// False (with what on what) when a field has no value.
bool splitFieldEdits(const QStringList& args, QStringList& own, std::vector<ScriptedEdit>& edits, QString& what)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool isOption = arg.startsWith(QStringLiteral("--")) && arg.size() > 2;
        const QString name = isOption ? arg.mid(2).section('=', 0, 0) : QString();
        if (!isOption || kOwnOptions.contains(name)) {
            own << arg;
            if (isOption && kOwnOptionsWithValue.contains(name) && !arg.contains('=') && i + 1 < args.size())
                own << args.at(++i);
            else if (arg == QStringLiteral("-o") && i + 1 < args.size())
                own << args.at(++i);
            continue;
        }
        QString value;
        if (arg.contains('=')) {
            value = arg.section('=', 1);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            what = "--" + name + " needs a value";
            return false;
        }
        edits.push_back({name.toStdString(), value.toStdString()});
    }
    return true;
}

int runSet(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("set", "Sets channel fields on a list of channels and settings outside the channel table, by the "
                            "rules of the desktop's editors. Channel fields are named as the CSV columns name them "
                            "(spaces as hyphens: --receive-tone 67.0, --receive-mhz 27.5); settings by their prefixed "
                            "names (--common.roger-beep 2, --dtmf.digit-rate 100, --embedded-message.2 TEXT, "
                            "--power-on-text TEXT). Lists every refused edit with channel, field and reason and then "
                            "writes nothing.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"channels", "Channels the channel fields are set on: 1-40,81,521, group:N or group:NAME, "
                                  "in the file's current mode.", "LIST"});
    parser.addOption({{"o", "output"}, "Data file to write (- for standard output).", "FILE"});
    parser.addOption({"dry-run", "Print the changes and write nothing."});
    parser.addOption({"skip-refused", "Write the edits that passed, list the refused ones, and exit 0."});
    parser.addOption({"list-fields", "Print every field name, one per line, and exit."});
    parser.addPositionalArgument("FILE.dat", "The data file to edit.");
    QStringList own;
    std::vector<ScriptedEdit> edits;
    QString what;
    const bool split = splitFieldEdits(args, own, edits, what);
    if (const auto status = line.parse(own))
        return *status;
    if (parser.isSet("list-fields")) {
        for (const std::string& name : scriptedFieldNames())
            out << QString::fromStdString(name) << "\n";
        return 0;
    }
    if (!split)
        return line.usageError(what);
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    if (!parser.isSet("o") && !parser.isSet("dry-run"))
        return line.usageError("-o FILE is required (or --dry-run)");
    if (edits.empty())
        return line.usageError("no field to set is given");

    const QString path = parser.positionalArguments().first();
    Document doc;
    if (!openDataFile(path, doc, err))
        return 1;
    const bool skip = parser.isSet("skip-refused");
    const ScriptedEditResult result = applyScriptedEdits(doc, parser.value("channels").toStdString(), edits, skip);
    if (!result.usageError.empty())
        return line.usageError(QString::fromStdString(result.usageError));
    for (const std::string& refusal : result.refusals)
        err << path << ": " << QString::fromStdString(refusal) << "\n";
    if (!result.refusals.empty() && !skip) {
        const std::size_t n = result.refusals.size();
        err << "zavprog-cli: " << path << ": " << n << (n == 1 ? " edit" : " edits") << " refused; nothing written\n";
        return 1;
    }
    // The summary goes to standard error when the file itself goes to standard output.
    QTextStream& report = parser.isSet("o") && isStandardOutput(parser.value("o")) ? err : out;
    if (parser.isSet("dry-run")) {
        for (const std::string& change : result.changes)
            report << QString::fromStdString(change) << "\n";
        report << QString::fromStdString(result.summary()) << " (dry run: nothing written)\n";
        return 0;
    }
    if (!saveDataFile(doc, parser.value("o"), err))
        return 1;
    report << QString::fromStdString(result.summary()) << "\n";
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("set", "set FILE.dat [--channels LIST] --FIELD VALUE ... -o OUT.dat   scripted edits", runSet);

} // namespace zav::cli
