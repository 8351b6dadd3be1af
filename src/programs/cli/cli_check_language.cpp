// check-language FILE.ini: what a translator still has to do in a language
// file, measured against the English file: ids missing or extra, texts in
// the wrong section, empty texts, placeholders and file-filter patterns
// that differ from English, and texts longer than their room. Exit status 1
// when anything is found.

#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include "caption_rooms.h"
#include "language_check.h"

#include <QFileInfo>
#include <QTextStream>
#ifdef ZAV_CLI_REPORT
#include <QFontMetrics>
#include <QGuiApplication>
#endif

namespace zav::cli {
namespace {

/// Widths as the windows draw them; a build without Qt Gui checks no room.
TextWidth windowTextWidth()
{
#ifdef ZAV_CLI_REPORT
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return [metrics = QFontMetrics(QGuiApplication::font())](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        };
#endif
    return {};
}

int runCheckLanguage(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("check-language",
                     "Lists what a language file lacks against the English one: missing and extra ids, texts "
                     "in the wrong section, empty texts, placeholders (%1, %2) and file-filter patterns that "
                     "differ, and texts too long for the room they are shown in. Exit status 1 when anything "
                     "is found.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"english", "The English file to compare with (default: the installed one).", "FILE"});
    parser.addPositionalArgument("FILE.ini", "The language file to check.");
    if (const auto status = line.parse(args))
        return *status;
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one language file is expected");
    const QString path = parser.positionalArguments().first();
    const QString english = parser.isSet("english")
                                ? parser.value("english")
                                : QString::fromStdString(installedPaths().languageFile("english.ini"));
    for (const QString& file : {path, english})
        if (!QFileInfo(file).isFile()) {
            err << "zavprog-cli: " << file << ": no such file\n";
            return 1;
        }

    const TextWidth width = windowTextWidth();
    const std::vector<LanguageCheckFinding> findings =
        checkLanguageFile(english.toStdString(), path.toStdString(), fixedCaptionRooms(), width);
    for (const LanguageCheckFinding& finding : findings)
        out << path << ": " << QString::fromStdString(describeFinding(finding)) << "\n";
    if (!width)
        out << path << ": the widths of captions were not checked (a build without the desktop program)\n";
    if (findings.empty())
        out << path << ": nothing found\n";
    return findings.empty() ? 0 : 1;
}

} // namespace

ZAV_CLI_COMMAND("check-language", "check-language FILE.ini  what a translation lacks against English",
                runCheckLanguage);

} // namespace zav::cli
