#pragma once

// zavprog-cli run as a user runs it, for the command-line tests: its exit
// status and what it printed.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QString ProgramDir() { return qEnvironmentVariable("ZAV_PROGRAM_DIR"); }

/// Runs zavprog-cli in workDir; exit code -1 when it did not end normally.
Run Cli(const QStringList& args, const QString& workDir)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(ProgramDir() + "/zavprog-cli", args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace
