// show FILE.dat [--json]: a readable summary of a data file, or the whole
// document as JSON.

#include "cli_command_line.h"
#include "cli_open.h"
#include "command.h"

#include "band.h"
#include "channel_groups.h"
#include "codecs.h"
#include "gbk_text.h"
#include "image_json.h"


namespace zav::cli {
namespace {

QString toQString(const std::string& s) { return QString::fromStdString(s); }
/// A text field's bytes as the characters they stand for.
QString gbkText(const std::string& bytes) { return QString::fromStdString(gbkToUtf8(bytes)); }

QString toneName(int index)
{
    const std::string text = toneText(index);
    return text.empty() ? QString("?%1").arg(index) : toQString(text);
}

void printSummary(QTextStream& out, const Document& doc)
{
    const RadioImage& im = doc.image();
    const BandLimits band{doc.model.bandLow, doc.model.bandHigh};
    const bool extended = isExtendedMode(im.ChannelMode);
    out << "Model:     " << toQString(doc.model.modelName) << "\n";
    out << "Band:      " << toQString(doc.model.bandLabel) << " (code " << im.Header.BandCode << ")\n";
    out << "Version:   " << gbkText(im.Header.Version.clean()) << "\n";
    out << "Mode:      " << (extended ? "extended" : "country") << " (" << im.ChannelMode << ")\n";
    out << "Channels:  " << doc.activeCount() << " active, " << doc.standbyCount() << " standby\n\n";
    out << QString("%1 %2 %3 %4 %5 %6\n")
               .arg("Group", -12)
               .arg("Ch", 3)
               .arg("Receive", -10)
               .arg("Offset", -10)
               .arg("RxTone", -7)
               .arg("TxTone");
    for (int i = 0; i < doc.activeCount(); ++i) {
        const ChannelRecord& r = doc.active()[static_cast<std::size_t>(i)];
        const GroupPosition pos = groupOfChannel(r.Number, im.ChannelMode);
        const QString group = pos.group < 0 ? QString("-") : gbkText(groupLabel(pos.group, im));
        const int inGroup = pos.group < 0 ? r.Number : pos.numberInGroup;
        const std::string rx = storedFrequencyToText(r.RxFrequency.raw(), band).text;
        out << QString("%1 %2 %3 %4 %5 %6\n")
                   .arg(group, -12)
                   .arg(inGroup, 3)
                   .arg(rx.empty() ? QString("-") : toQString(rx), -10)
                   .arg(toQString(storedOffsetToText(r.Offset.raw(), r.OffsetDirection)), -10)
                   .arg(toneName(r.RxTone), -7)
                   .arg(toneName(r.TxTone));
    }
}

int runShow(const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine line("show", "Prints a summary of a data file: model, band, mode and the channel table.");
    QCommandLineParser& parser = line.parser;
    parser.addOption({"json", "Print the whole document as JSON."});
    parser.addPositionalArgument("FILE.dat", "The data file to show.");
    if (const auto status = line.parse(args))
        return *status;
    if (parser.positionalArguments().size() != 1)
        return line.usageError("one data file is expected");
    Document doc;
    if (!openDataFile(parser.positionalArguments().first(), doc, err))
        return 1;
    if (parser.isSet("json"))
        out << toQString(imageSetToJson(doc.working));
    else
        printSummary(out, doc);
    return 0;
}

} // namespace

ZAV_CLI_COMMAND("show", "show FILE.dat [--json]  summary of a data file, or all of it as JSON", runShow);

} // namespace zav::cli
