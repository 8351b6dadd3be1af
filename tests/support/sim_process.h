#pragma once

// zavprog-radio-sim started for a test: the virtual radio on its own
// pseudo-terminal, killed when the object goes away.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zav::testing {

class SimProcess {
public:
    /// Starts the simulator with args; device() is empty when it failed.
    explicit SimProcess(const QStringList& args)
    {
        const QString dir = qEnvironmentVariable("ZAV_PROGRAM_DIR", QCoreApplication::applicationDirPath());
        process_.setProgram(QDir(dir).filePath("zavprog-radio-sim"));
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(10000))
            return;
        // The first line is the device to open.
        while (!process_.canReadLine() && process_.state() == QProcess::Running)
            process_.waitForReadyRead(10000);
        device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~SimProcess() { kill(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] QString device() const { return device_; }
    void kill()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

private:
    QProcess process_;
    QString device_;
};

} // namespace zav::testing
