// check FILE.dat [--json]: what in a data file a radio would not get as the
// file says (errors), what is probably a mistake (warnings) and what is
// worth a look (information). Exit status 1 when there are errors.

#include "cli_check.h"
#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zav::cli {

TextLookup englishLookup()
{
    // Shared by the copies of the lookup that a finding's texts make.
    auto texts = std::make_shared<TextCatalog>(englishTexts(installedPaths()));
    return [texts](int id) { return texts->text(id); };
}

namespace {

QString toQString(const std::string& s) { return QString::fromStdString(s); }

const char* levelKey(FindingLevel level)
{
    switch (level) {
    case FindingLevel::Error: return "error";
    case FindingLevel::Warning: return "warning";
    case FindingLevel::Information: break;
    }
    return "information";
}

const char* areaKey(FindingArea area)
{
    switch (area) {
    case FindingArea::Channel: return "channel";
    case FindingArea::Group: return "group";
    case FindingArea::OptionalFeatures: return "optional-features";
    case FindingArea::Dtmf: return "dtmf";
    case FindingArea::ToneTips: return "tone-tips";
    case FindingArea::Messages: return "messages";
    case FindingArea::Memory: return "memory";
    case FindingArea::ChannelTable: break;
    }
    return "channel-table";
}

} // namespace

QJsonArray findingsToJson(const std::vector<ConfigFinding>& findings)
{
    const TextLookup text = englishLookup();
    QJsonArray all;
    for (const ConfigFinding& f : findings) {
        QJsonObject o;
        o["level"] = levelKey(f.level);
        o["area"] = areaKey(f.area);
        o["table"] = f.standby ? "standby" : "active";
        if (f.area == FindingArea::Channel) {
            o["channel"] = f.number;
            o["numberInGroup"] = f.numberInGroup;
        }
        if (f.group >= 0)
            o["group"] = f.group;
        o["field"] = f.field;
        o["messageId"] = f.messageId;
        o["where"] = toQString(whereText(f, text));
        o["message"] = toQString(messageText(f, text));
        all.append(o);
    }
    return all;
}

namespace {

int runCheck(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("check", "Lists what a radio would not get as the data file says (errors), what is probably a "
                              "mistake (warnings) and what is worth a look (notes). Exit status 1 with errors.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"json", "Print the findings as a JSON array."});
    parser.addPositionalArgument("FILE.dat", "The data file to check.");
    if (const auto status = line.parse(args))
        return *status;
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    const std::vector<ConfigFinding> findings = checkConfiguration(doc);
    if (parser.isSet("json"))
        out << QJsonDocument(findingsToJson(findings)).toJson();
    else
        printFindings(out, findings);
    return hasErrors(findings) ? 1 : 0;
}

} // namespace

void printFindings(QTextStream& out, const std::vector<ConfigFinding>& findings)
{
    const TextLookup text = englishLookup();
    for (const ConfigFinding& f : findings)
        out << toQString(levelText(f.level, text)) << ": " << toQString(whereText(f, text)) << ": "
            << toQString(messageText(f, text)) << "\n";
    out.flush();
}

ZAV_CLI_COMMAND("check", "check FILE.dat [--json]  errors, warnings and notes before a write", runCheck);

} // namespace zav::cli
