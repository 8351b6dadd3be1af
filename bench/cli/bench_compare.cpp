// zavprog-cli compare against zavprog-cli read, both with one paced virtual
// radio (9600-baud time on the line, answered on the microsecond): a compare
// is a read and a comparison, so it should cost no more than the read.
// Goal: time ratio at most 1.02. Each is run twice and the faster run
// counts, so that a moment of load on a shared machine does not decide.

#include "sim_process.h"

#include "data_file.h"
#include "sample_document.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace zav;

namespace {

constexpr int kRuns = 2;
constexpr int kTimeoutMs = 5 * 60 * 1000;

/// Seconds of one zavprog-cli run against a fresh paced radio; -1 when it
/// did not end as expected.
double Timed(const QStringList& args, int expectedExit)
{
    testing::SimProcess radio({"--paced", "--exact-timing"});
    if (radio.device().isEmpty())
        return -1;
    QStringList withPort = args;
    withPort << "--port" << radio.device() << "--no-backup";
    QProcess cli;
    cli.setProgram(QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR", ZAV_DEFAULT_PROGRAM_DIR)).filePath("zavprog-cli"));
    cli.setArguments(withPort);
    cli.setStandardInputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    cli.start();
    cli.waitForFinished(kTimeoutMs);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != expectedExit) {
        std::fprintf(stderr, "%s", cli.readAllStandardError().constData());
        return -1;
    }
    return seconds;
}

double Best(const QStringList& args, int expectedExit)
{
    double best = -1;
    for (int i = 0; i < kRuns; ++i) {
        const double s = Timed(args, expectedExit);
        if (s < 0)
            return -1;
        best = best < 0 ? s : std::min(best, s);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("ZAV_PROGRAM_DIR"))
        qputenv("ZAV_PROGRAM_DIR", ZAV_DEFAULT_PROGRAM_DIR); // where the virtual radio is too
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Document doc = sim::sampleDocument(0);
    const QString file = dir.filePath("sample.dat");
    if (!saveDocument(doc, file.toStdString()))
        return 1;
    std::printf("compare against read, one paced virtual radio at 9600 baud (best of %d)\n", kRuns);
    const double read = Best({"read", "-o", dir.filePath("read.dat")}, 0);
    const double compare = Best({"compare", file}, 0);
    if (read < 0 || compare < 0)
        return 1;
    std::printf("read:    %6.2f s\ncompare: %6.2f s\n", read, compare);
    std::printf("time ratio compare / read: %.3f (goal <= 1.02)\n", compare / read);
    return 0;
}
