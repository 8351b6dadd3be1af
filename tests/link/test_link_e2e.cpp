// End to end: the real Qt serial-port adapter and the transfer engine
// against zavprog-radio-sim on a pseudo-terminal.

#include "engine_harness.h"
#include "sim_process.h"

#include "address_plan.h"
#include "memory_map.h"
#include "packets.h"
#include "qt_link_port.h"
#include "qt_timer_service.h"
#include "sample_document.h"

#include "atomic_file.h"
#include "defaults.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace zav;
using namespace zav::link;
using namespace zav::testing;

namespace {

/// The engine's port, with a look at what is sent.
class WatchedPort : public LinkPort {
public:
    explicit WatchedPort(LinkPort& inner) : inner_(inner) {}
    std::function<void(std::span<const std::uint8_t>)> onWrite;

    [[nodiscard]] bool open() override { return inner_.open(); }
    void close() override { inner_.close(); }
    [[nodiscard]] bool isOpen() const override { return inner_.isOpen(); }
    void setThreshold(int bytes) override { inner_.setThreshold(bytes); }
    void clearBuffers() override { inner_.clearBuffers(); }
    /// onWrite sees the bytes before they leave, so that it can hold the
    /// radio before the radio could read them.
    void write(std::span<const std::uint8_t> bytes) override
    {
        if (onWrite)
            onWrite(bytes);
        inner_.write(bytes);
    }

private:
    LinkPort& inner_;
};

bool IsEndRequest(std::span<const std::uint8_t> bytes)
{
    const Bytes end = buildPacket(Packet::EndRequest, 0, nullptr);
    return std::ranges::equal(bytes, end);
}

/// Port, timers and engine as the programs wire them, with recording
/// prompts, progress and observer.
struct LiveRig {
    Session session;
    LinkSession link;
    QtLinkPort port;
    WatchedPort watched{port};
    QtTimerService timers;
    FakePrompts prompts;
    FakeProgress progress;
    FakeObserver observer;
    std::unique_ptr<TransferEngine> engine;

    explicit LiveRig(const QString& device)
    {
        port.setDeviceName(device);
        session.doc.image().ChannelMode = 0;
        buildNewDocument(session.doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
        engine = std::make_unique<TransferEngine>(TransferServices{watched, timers, prompts, progress, observer}, link,
                                                  TransferContext{session.doc, session.radioPassword, session.versions});
        connectEngine(port, timers, *engine);
    }

    /// Starts a transfer and runs the event loop until it has finished.
    bool run(bool (TransferEngine::*start)())
    {
        const std::size_t before = observer.finished.size();
        QEventLoop loop;
        observer.onFinished = [&] { loop.quit(); };
        if (!((*engine).*start)())
            return false;
        if (observer.finished.size() == before) {
            // Only a hang guard: a full transfer takes well under a second.
            QTimer::singleShot(120000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        observer.onFinished = nullptr;
        return observer.finished.size() > before;
    }
    [[nodiscard]] bool succeeded() const { return !observer.finished.empty() && observer.finished.back().success; }
};

RadioMemory ReadDump(const QString& path)
{
    RadioMemory m{};
    const auto data = readWholeFile(path.toStdString(), kMemoryBytes);
    if (data && data->size() == std::size_t(kMemoryBytes))
        std::copy(data->begin(), data->end(), m.begin());
    return m;
}

/// First address inside the full plan where a and b differ, or -1.
long FirstPlanDifference(const RadioMemory& a, const RadioMemory& b)
{
    for (long block : planBlocks(kFullPlan))
        for (long i = 0; i < kBlockSize; ++i)
            if (a[std::size_t(block + i)] != b[std::size_t(block + i)])
                return block + i;
    return -1;
}

QStringList Args(std::initializer_list<QString> args) { return QStringList(args); }

} // namespace

class TestLinkEndToEnd : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void readAndWriteBothModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("echo");
        QTest::newRow("country, plain cable") << 0 << false;
        QTest::newRow("country, echoing cable") << 0 << true;
        QTest::newRow("extended, plain cable") << 4 << false;
        QTest::newRow("extended, echoing cable") << 4 << true;
    }
    void readAndWriteBothModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, echo);
        // The radio holds the sample configuration in the given mode.
        const QString memoryFile = dir_.filePath(QString("start-%1.bin").arg(mode));
        const Document sample = sim::sampleDocument(static_cast<Int16>(mode));
        RadioMemory start = encodeDocument(sample);
        sim::setRadioHeader(start, "ZAV415", 0, "V300", mode);
        QVERIFY(writeFileAtomically(memoryFile.toStdString(), {start.begin(), start.end()}));
        const QString dump = dir_.filePath(QString("dump-%1-%2.bin").arg(mode).arg(echo));
        QStringList args{"--memory", memoryFile, "--dump", dump};
        if (echo)
            args << "--echo";
        SimProcess sim(args);
        QVERIFY(!sim.device().isEmpty());

        LiveRig rig(sim.device());
        QVERIFY(rig.run(&TransferEngine::startRead));
        QVERIFY(rig.succeeded());
        // An echoing cable answers the first handshake (an echo is expected
        // at first); a plain one needs the second.
        QCOMPARE(rig.link.noEcho, !echo);
        const Document& doc = rig.session.doc;
        QCOMPARE(int(doc.image().ChannelMode), mode);
        QCOMPARE(doc.image().ChannelCount, sample.image().ChannelCount);
        QCOMPARE(doc.image().StandbyChannelCount, sample.image().StandbyChannelCount);
        for (int i = 0; i < sample.activeCount(); ++i) {
            QCOMPARE(doc.active()[std::size_t(i)].Number, sample.active()[std::size_t(i)].Number);
            QCOMPARE(doc.active()[std::size_t(i)].RxFrequency, sample.active()[std::size_t(i)].RxFrequency);
            QCOMPARE(doc.active()[std::size_t(i)].TxTone, sample.active()[std::size_t(i)].TxTone);
        }
        QVERIFY(doc.isUntitled);

        // Writing what was read gives the radio back its own memory.
        QVERIFY(rig.run(&TransferEngine::startWrite));
        QVERIFY(rig.succeeded());
        QVERIFY(sim.waitForEnds(2));
        QCOMPARE(FirstPlanDifference(ReadDump(dump), start), -1L);

        // A changed document arrives as encoded, with the radio's header.
        rig.session.doc.active()[0].RxFrequency.assign("02999000");
        rig.session.doc.image().Header.Model.assign("XYZ");
        QVERIFY(rig.run(&TransferEngine::startWrite));
        QVERIFY(rig.succeeded());
        QVERIFY(sim.waitForEnds(3));
        RadioMemory expected = encodeDocument(rig.session.doc);
        std::copy_n(start.begin() + kHeaderAddress, kIdentityHeaderBytes, expected.begin() + kHeaderAddress);
        QCOMPARE(FirstPlanDifference(ReadDump(dump), expected), -1L);
        QCOMPARE(rig.prompts.asked.count("9008"), 0);
    }

    void radioHeldAtTheEndRequest()
    {
        // A loaded machine can keep the radio's process from running for
        // longer than the reply time-out; when that happens at the end
        // request, the program counts the write as done before the radio
        // has even read the request. The radio's memory is looked at once
        // the radio says it handled the end request.
        const QString dump = dir_.filePath("held.bin");
        SimProcess sim({"--dump", dump, "--echo"});
        QVERIFY(!sim.device().isEmpty());
        LiveRig rig(sim.device());
        QVERIFY(rig.run(&TransferEngine::startRead));
        QVERIFY(rig.succeeded());
        rig.session.doc.active()[0].RxFrequency.assign("02999000");
        rig.watched.onWrite = [&](std::span<const std::uint8_t> bytes) {
            if (IsEndRequest(bytes))
                sim.pause();
        };
        QVERIFY(rig.run(&TransferEngine::startWrite));
        rig.watched.onWrite = nullptr;
        QVERIFY(rig.succeeded());
        sim.resume();
        QVERIFY(sim.waitForEnds(2));
        // What the engine sent is what the radio keeps.
        QCOMPARE(FirstPlanDifference(ReadDump(dump), rig.engine->radioMemory()), -1L);
    }

    void faultyRadioStillCompletes_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::newRow("lost replies") << Args({"--lose", "0.004", "--seed", "7"});
        QTest::newRow("repeat requests") << Args({"--repeat", "3", "--repeat-every", "97"});
        QTest::newRow("bad checksums") << Args({"--bad-checksum", "0.004", "--seed", "3", "--echo"});
    }
    void faultyRadioStillCompletes()
    {
        QFETCH(QStringList, simArgs);
        const QString dump = dir_.filePath("faulty-" + QString::number(qHash(simArgs.join(' '))) + ".bin");
        SimProcess sim(simArgs + QStringList{"--dump", dump});
        QVERIFY(!sim.device().isEmpty());
        LiveRig rig(sim.device());
        QVERIFY(rig.run(&TransferEngine::startRead));
        QVERIFY(rig.succeeded());
        const RadioMemory read = rig.engine->radioMemory();
        QVERIFY(rig.run(&TransferEngine::startWrite));
        QVERIFY(rig.succeeded());
        QVERIFY(sim.waitForEnds(2));
        QCOMPARE(FirstPlanDifference(ReadDump(dump), read), -1L);
        QCOMPARE(rig.prompts.asked.count("9008"), 0);
    }

    void password_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("success");
        QTest::newRow("held right") << "k9" << "" << true;
        QTest::newRow("typed right") << "" << "k9" << true;
        QTest::newRow("typed wrong") << "" << "K9" << false;
        QTest::newRow("none typed") << "" << "" << false;
    }
    void password()
    {
        QFETCH(QString, held);
        QFETCH(QString, typed);
        QFETCH(bool, success);
        SimProcess sim({"--password", "k9", "--echo"});
        LiveRig rig(sim.device());
        rig.session.radioPassword = held.toStdString();
        rig.prompts.onPasswordDialog = [&] { rig.session.radioPassword = typed.toStdString(); };
        QVERIFY(rig.run(&TransferEngine::startRead));
        QCOMPARE(rig.succeeded(), success);
        QCOMPARE(rig.prompts.asked.contains("failure"), !success);
        QCOMPARE(rig.prompts.asked.contains("password"), held.isEmpty());
    }

    void radioChecks_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("asked");
        QTest::newRow("wrong model") << Args({"--model", "KD1415", "--band-byte", "2"}) << false << "9012:ZAV415E";
        QTest::newRow("related band") << Args({"--band-byte", "2"}) << true << "9014";
        QTest::newRow("other band") << Args({"--band-byte", "16"}) << true << "9030";
        QTest::newRow("other version") << Args({"--radio-version", "V210"}) << false << "version:V210";
    }
    void radioChecks()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(bool, write);
        QFETCH(QString, asked);
        const QString dump = dir_.filePath("checks.bin");
        const QString memoryFile = dir_.filePath("checks-start.bin");
        const RadioMemory start = sim::sampleMemory();
        QVERIFY(writeFileAtomically(memoryFile.toStdString(), {start.begin(), start.end()}));
        QFile::remove(dump);
        SimProcess sim(simArgs + QStringList{"--dump", dump, "--memory", memoryFile});
        LiveRig rig(sim.device());
        const ImageSet before = rig.session.doc.working;
        QVERIFY(rig.run(write ? &TransferEngine::startWrite : &TransferEngine::startRead));
        QVERIFY(!rig.succeeded());
        QVERIFY(rig.prompts.asked.contains(asked));
        QVERIFY(rig.session.doc.working.Settings == before.Settings);
        // The radio got the end request and no data block: its memory is
        // as it was, but for the header the options set.
        QVERIFY(sim.waitForEnds(1));
        RadioMemory after = ReadDump(dump);
        std::copy_n(start.begin() + kHeaderAddress, 16, after.begin() + kHeaderAddress);
        QCOMPARE(FirstPlanDifference(after, start), -1L);
    }

    void infoRead()
    {
        SimProcess sim({"--password", "pw"});
        LiveRig rig(sim.device());
        QVERIFY(rig.run(&TransferEngine::startInfoRead));
        QVERIFY(rig.succeeded());
        QCOMPARE(rig.engine->radioInfo().SerialNumber.clean(), std::string("41507"));
        QCOMPARE(rig.engine->radioInfo().InfoModel, std::string("ZAV415"));
        QVERIFY(!rig.prompts.asked.contains("password"));
    }

    void radioVanishingMidTransferFailsCleanly()
    {
        auto sim = std::make_unique<SimProcess>(QStringList{"--echo"});
        LiveRig rig(sim->device());
        const ImageSet before = rig.session.doc.working;
        rig.progress.percents.clear();
        bool killed = false;
        // Kill the radio when the read is a fifth done; answer 9008 with Cancel.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!killed && !rig.progress.percents.empty() && rig.progress.percents.back() >= 20) {
                killed = true;
                sim->kill();
            }
        });
        poll.start(1);
        QVERIFY(rig.run(&TransferEngine::startRead));
        QVERIFY(killed);
        QVERIFY(!rig.succeeded());
        QVERIFY(rig.prompts.asked.contains("9008"));
        QVERIFY(!rig.port.isOpen());
        QVERIFY(!rig.engine->busy());
        QVERIFY(rig.session.doc.working.Settings == before.Settings);
        QVERIFY(rig.session.doc.working.ActiveChannels == before.ActiveChannels);
    }

    void portThatCannotBeOpened()
    {
        LiveRig rig(dir_.filePath("no-such-device"));
        QVERIFY(rig.run(&TransferEngine::startRead));
        QCOMPARE(rig.prompts.asked, QStringList({"9003"}));
        QVERIFY(!rig.observer.finished.back().started);
    }
};

QTEST_GUILESS_MAIN(TestLinkEndToEnd)
#include "test_link_e2e.moc"
