#pragma once

// zavprog-radio-sim started for a test: the virtual radio on its own
// pseudo-terminal, killed when the object goes away.
//
// A transfer that ends on the program's side has not always ended on the
// radio's: the program counts an unanswered end request as done after a
// short time-out, and a busy machine can keep the radio's process waiting
// longer than that. A test that looks at the radio's memory (--dump) waits
// for the radio to say it handled the end request first (waitForEnds).

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <signal.h>

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

    /// Waits until the radio has handled its count-th end request since it
    /// started, its memory on disk (--dump); false when it ended first.
    /// The long guard only keeps a broken radio from hanging the test.
    bool waitForEnds(int count)
    {
        constexpr int kGuardMs = 120000;
        QDeadlineTimer guard(kGuardMs);
        for (;;) {
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine().trimmed();
                if (line.startsWith("end "))
                    ends_ = line.mid(4).toInt();
            }
            if (ends_ >= count)
                return true;
            if (process_.state() != QProcess::Running || guard.hasExpired())
                return false;
            process_.waitForReadyRead(1000);
        }
    }

    /// Holds and lets go the radio's process, as a loaded machine may.
    void pause() { ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP); }
    void resume() { ::kill(static_cast<pid_t>(process_.processId()), SIGCONT); }
    void kill()
    {
        if (process_.state() != QProcess::NotRunning) {
            resume();
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

private:
    QProcess process_;
    QString device_;
    int ends_ = 0;
};

} // namespace zav::testing
