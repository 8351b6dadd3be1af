// The transfer engine against a virtual radio in process, with a fake port
// and timers fired by hand: handshakes and echo, retries and error prompts,
// repeat requests, model/band/version checks, the password, progress, and
// what a read or write does (and does not do) to the document.

#include "address_plan.h"
#include "engine_harness.h"

#include "memory_map.h"
#include "sample_document.h"

#include "defaults.h"

#include <QTest>

using namespace zav;
using namespace zav::link;
using namespace zav::testing;

namespace {

constexpr std::uint8_t kR = 'R';
constexpr std::uint8_t kW = 'W';

/// A radio in country mode holding the sample configuration.
RadioMemory Memory(const std::string& model = "ZAV415", int band = 0, const std::string& version = "V300", int mode = 0)
{
    RadioMemory m = sim::sampleMemory();
    sim::setRadioHeader(m, model, band, version, mode);
    return m;
}

InfoBlock Info(const std::string& password = "")
{
    InfoBlock info = sim::sampleInfoBlock();
    sim::setRadioPassword(info, password);
    return info;
}

void UseNewDocument(Harness& h)
{
    h.session.doc.image().ChannelMode = 0;
    buildNewDocument(h.session.doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
}

bool IsPacket(const Bytes& b, const char* text)
{
    return b == Bytes(text, text + std::strlen(text));
}

int CountHandshakes(const FakePort& port)
{
    int n = 0;
    for (const Bytes& b : port.sent)
        n += IsPacket(b, "PROGRAM");
    return n;
}

int CountEnds(const FakePort& port)
{
    int n = 0;
    for (const Bytes& b : port.sent)
        n += IsPacket(b, "END");
    return n;
}

bool IsRead(const Bytes& b, int address) { return b.size() == 4 && b[0] == kR && b[1] * 256 + b[2] == address; }

} // namespace

class TestTransferEngine : public QObject {
    Q_OBJECT
private slots:
    void readFillsTheDocument_data()
    {
        QTest::addColumn<int>("radioMode");
        QTest::addColumn<bool>("echo");
        QTest::newRow("country mode, echoing cable") << 0 << true;
        QTest::newRow("extended mode, echoing cable") << 4 << true;
        QTest::newRow("country mode, plain cable") << 0 << false;
    }
    void readFillsTheDocument()
    {
        QFETCH(int, radioMode);
        QFETCH(bool, echo);
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory("ZAV415", 0, "V300", radioMode), Info(), {.echo = echo});
        h.observer.onFinished = [&] {
            // The document is replaced before the window is told.
            QCOMPARE(int(h.session.doc.image().ChannelMode), radioMode);
        };
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());

        QCOMPARE(h.prompts.asked, QStringList({"confirm:9004", "done:9009"}));
        QCOMPARE(int(h.observer.finished.size()), 1);
        QVERIFY(h.observer.finished[0].success);
        QVERIFY(!h.engine->busy());
        QCOMPARE(h.engine->kind(), TransferKind::Idle);
        QVERIFY(!h.port.isOpen());
        QCOMPARE(h.link.noEcho, !echo);
        // The memory holds what the radio holds inside the plan.
        for (long a = 0; a < kMemoryBytes; ++a)
            if ((a <= 0x243F || (a >= 0x4000 && a <= 0x619F) || a >= 0x6400))
                QCOMPARE(h.engine->radioMemory()[std::size_t(a)], h.radio->memory()[std::size_t(a)]);

        const Document expected = sim::sampleDocument(static_cast<Int16>(radioMode));
        const Document& doc = h.session.doc;
        QCOMPARE(doc.documentPath, std::string("new.dat"));
        QVERIFY(doc.isUntitled);
        QCOMPARE(doc.image().ChannelCount, expected.image().ChannelCount);
        QCOMPARE(doc.image().GroupNames, expected.image().GroupNames);
        for (int i = 0; i < expected.activeCount(); ++i)
            QCOMPARE(doc.active()[std::size_t(i)].RxFrequency, expected.active()[std::size_t(i)].RxFrequency);
    }

    void echoExpectationFlipsOnHandshakeTimeouts()
    {
        Harness h;
        h.connectRadio(Memory(), Info(), {.echo = false});
        QVERIFY(!h.link.noEcho);
        QVERIFY(h.engine->startInfoRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        // One time-out while an echo was expected, then the plain cable worked.
        QCOMPARE(CountHandshakes(h.port), 2);
        QVERIFY(h.link.noEcho);
        // The next transfer starts with what worked.
        h.port.sent.clear();
        QVERIFY(h.engine->startInfoRead());
        QCOMPARE(h.port.threshold, 3);
        QVERIFY(h.run());
        QCOMPARE(CountHandshakes(h.port), 1);
    }

    void fourHandshakeTimeoutsAskToRetry_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("read") << int(TransferKind::Read);
        QTest::newRow("write") << int(TransferKind::Write);
    }
    void fourHandshakeTimeoutsAskToRetry()
    {
        QFETCH(int, kind);
        Harness h;
        UseNewDocument(h);
        const Document before = h.session.doc;
        h.prompts.answers = {true, true, false}; // confirm, OK to the first 9008, Cancel to the second
        QVERIFY(kind == int(TransferKind::Read) ? h.engine->startRead() : h.engine->startWrite());
        QVERIFY(h.run());
        QCOMPARE(h.prompts.asked.count("9008"), 2);
        QCOMPARE(CountHandshakes(h.port), 8);
        QVERIFY(!h.observer.finished.back().success);
        QCOMPARE(CountEnds(h.port), 1);
        // Eight time-outs flipped the echo expectation back to where it was.
        QVERIFY(!h.link.noEcho);
        QVERIFY(h.session.doc.working.Settings == before.working.Settings);
        QVERIFY(h.session.doc.working.ActiveChannels == before.working.ActiveChannels);
        QCOMPARE(h.session.doc.isUntitled, before.isUntitled);
    }

    void passwordRequestRetriesStartAtZero()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        h.loseReply = [](const Bytes& p) { return IsRead(p, 0x3F20); };
        h.prompts.answers = {true, true, false};
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        // First loss: 9008 at once. After OK: sent once and resent twice.
        QCOMPARE(h.prompts.asked.count("9008"), 2);
        QCOMPARE(h.port.countRead(0x3F20), 1 + 3);
        QCOMPARE(h.link.passwordRetries, 3); // set again by the last prompt
        QVERIFY(!h.observer.finished.back().success);
    }

    void lostBlocksAreResentThreeTimes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("losses");
        QTest::addColumn<int>("sends");
        QTest::addColumn<bool>("prompted");
        QTest::newRow("read, lost three times") << int(TransferKind::Read) << 3 << 4 << false;
        QTest::newRow("read, lost four times") << int(TransferKind::Read) << 4 << 4 << true;
        QTest::newRow("write, lost three times") << int(TransferKind::Write) << 3 << 4 << false;
        QTest::newRow("write, lost four times") << int(TransferKind::Write) << 4 << 4 << true;
    }
    void lostBlocksAreResentThreeTimes()
    {
        QFETCH(int, kind);
        QFETCH(int, losses);
        QFETCH(int, sends);
        QFETCH(bool, prompted);
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        const int block = 0x4120;
        int lost = 0;
        h.loseReply = [&](const Bytes& p) {
            const bool target = p.size() >= 4 && (p[0] == kR || p[0] == kW) && p[1] * 256 + p[2] == block;
            return target && lost++ < losses;
        };
        h.prompts.answers = {true, false};
        QVERIFY(kind == int(TransferKind::Read) ? h.engine->startRead() : h.engine->startWrite());
        QVERIFY(h.run());
        const int sent = kind == int(TransferKind::Read) ? h.port.countRead(block) : h.port.countWrite(block);
        QCOMPARE(sent, sends);
        QCOMPARE(h.prompts.asked.contains("9008"), prompted);
        QCOMPARE(h.observer.finished.back().success, !prompted);
        QCOMPARE(h.engine->blockRetries(block), 0);
        QCOMPARE(h.engine->blockRetries(block + 16), 3);
    }

    void restartAfterThePromptKeepsExhaustedRetries()
    {
        // OK at 9008 starts over from the first block; the block that used
        // up its resends has none left and brings the prompt at its next loss.
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        int lost = 0;
        h.loseReply = [&](const Bytes& p) { return IsRead(p, 0x0200) && lost++ < 5; };
        h.prompts.answers = {true, true, false};
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QCOMPARE(h.prompts.asked.count("9008"), 2);
        QCOMPARE(h.port.countRead(0x0000), 2);
        QCOMPARE(h.port.countRead(0x0200), 5);
        // The prompt's OK put the bar back to 0.
        QVERIFY(std::find(h.progress.percents.begin(), h.progress.percents.end(), 0) != h.progress.percents.end());
    }

    void repeatRequestsDoNotUseRetries()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true, .repeatFirst = 5});
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        QCOMPARE(h.port.countWrite(0x0000), 6);
        QCOMPARE(h.engine->blockRetries(0x0000), 3);
        QCOMPARE(h.prompts.asked, QStringList({"confirm:9005", "done:9010"}));
    }

    void verifiedWrite_data()
    {
        QTest::addColumn<long>("corrupt");
        QTest::addColumn<QString>("asked");
        QTest::newRow("radio keeps every byte") << -1L << "done:9010";
        QTest::newRow("one byte of a channel block") << 0x0213L << "verify:210";
        QTest::newRow("one byte of the settings") << 0x2175L << "verify:2170";
    }
    void verifiedWrite()
    {
        QFETCH(long, corrupt);
        QFETCH(QString, asked);
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true, .corruptAddress = corrupt});
        h.engine->setVerifyAfterWrite(true);
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        const link::TransferOutcome& outcome = h.observer.finished.back();
        QCOMPARE(outcome.kind, TransferKind::Write);
        QVERIFY(outcome.verified);
        QCOMPARE(h.prompts.asked, QStringList({"confirm:9005", asked}));
        QCOMPARE(outcome.success, asked.startsWith("done"));
        // Every block was written once and read back once.
        QCOMPARE(h.port.countWrite(0x0200), 1);
        QCOMPARE(h.port.countRead(0x0200), 1);
        QCOMPARE(h.port.count('R') >= int(link::planBlocks(link::kFullPlan).size()), true);
        // The bar counted the read-back from 0 again.
        const auto marker = std::find(h.progress.percents.begin(), h.progress.percents.end(), -1);
        QVERIFY(marker != h.progress.percents.end());
        QVERIFY(std::find(marker, h.progress.percents.end(), 100) != h.progress.percents.end());
    }

    void tenRepeatsInARowCountAsALoss()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = false, .repeatFirst = 12});
        h.link.noEcho = true;
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        QCOMPARE(h.port.countWrite(0x0000), 13);
        QCOMPARE(h.engine->blockRetries(0x0000), 2);
    }

    void repeatRequestOutsideWriteBlocksIsIgnored()
    {
        // A radio answering 0x0A to the end request of a read: ignored, the
        // time-out after the end request completes the read.
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        bool answered = false;
        h.loseReply = [&](const Bytes& p) {
            if (IsPacket(p, "END") && !answered) {
                answered = true;
                h.engine->onBytesReceived(Bytes{'E', 'N', 'D', 0x0A});
                return true;
            }
            return false;
        };
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        QCOMPARE(CountEnds(h.port), 1);
    }

    void unansweredEndRequestStillCompletes()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        h.loseReply = [](const Bytes& p) { return IsPacket(p, "END"); };
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        QVERIFY(h.prompts.asked.contains("done:9009"));
    }

    void modelBandAndVersionChecks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QList<bool>>("answers"); // after the confirmation
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("success");
        const int read = int(TransferKind::Read);
        const int write = int(TransferKind::Write);
        QTest::newRow("FM variant reported") << read << "ZAV415" << 1 << "V300" << QList<bool>{}
                                             << QStringList{"9012:ZAV415FM"} << false;
        QTest::newRow("other model, variant 2") << write << "KD1415" << 2 << "V300" << QList<bool>{}
                                                << QStringList{"9012:ZAV415E"} << false;
        QTest::newRow("read ignores the band") << read << "ZAV415" << 2 << "V300" << QList<bool>{}
                                               << QStringList{"done:9009"} << true;
        QTest::newRow("write, same band group, OK") << write << "ZAV415" << 2 << "V300" << QList<bool>{true}
                                                    << QStringList{"9014", "done:9010"} << true;
        QTest::newRow("write, same band group, Cancel") << write << "ZAV415" << 7 << "V300" << QList<bool>{false}
                                                        << QStringList{"9014"} << false;
        QTest::newRow("write, other band group") << write << "ZAV415" << 8 << "V300" << QList<bool>{}
                                                 << QStringList{"9030"} << false;
        QTest::newRow("other version, No") << read << "ZAV415" << 0 << "V210" << QList<bool>{false}
                                           << QStringList{"version:V210"} << false;
    }
    void modelBandAndVersionChecks()
    {
        QFETCH(int, kind);
        QFETCH(QString, model);
        QFETCH(int, band);
        QFETCH(QString, version);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, success);
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(model.toStdString(), band, version.toStdString()), Info(), {.echo = true});
        h.prompts.answers = {true};
        for (bool a : answers)
            h.prompts.answers.push_back(a);
        QVERIFY(kind == int(TransferKind::Read) ? h.engine->startRead() : h.engine->startWrite());
        QVERIFY(h.run());
        QStringList got = h.prompts.asked;
        got.removeFirst(); // the confirmation
        QCOMPARE(got, asked);
        QCOMPARE(h.observer.finished.back().success, success);
        if (!success) {
            // The radio got the end request before any data block.
            QCOMPARE(CountEnds(h.port), 1);
            QCOMPARE(h.port.countRead(0x0000) + h.port.countWrite(0x0000), 0);
            QCOMPARE(h.radio->blocksWritten(), 0L);
        }
    }

    void versionPairsDecideCompatibility()
    {
        Harness h;
        UseNewDocument(h);
        h.session.versions.pairs = {"V300", "V300", "V300", "V210"};
        h.connectRadio(Memory("ZAV415", 0, "V210"), Info(), {.echo = true});
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
    }

    void yesToTheVersionQuestionEndsTheTransferFirst()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory("ZAV415", 0, "V400"), Info(), {.echo = true});
        h.prompts.answers = {true, true};
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        const TransferOutcome& o = h.observer.finished.back();
        QVERIFY(!o.success);
        QVERIFY(o.otherVersionRequested);
        QCOMPARE(o.radioVersion, std::string("V400"));
        QCOMPARE(CountEnds(h.port), 1);
        QVERIFY(!h.port.isOpen());
    }

    void password_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("typed"); // "-" : the dialog is cancelled
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("success");
        QTest::newRow("no password") << "" << "" << "-" << QStringList{} << true;
        QTest::newRow("held password matches") << "ab12" << "ab12" << "-" << QStringList{} << true;
        QTest::newRow("two characters match") << "ab" << "ab" << "-" << QStringList{} << true;
        QTest::newRow("typed right") << "ab12" << "" << "ab12" << QStringList{"password"} << true;
        QTest::newRow("typed wrong") << "ab12" << "" << "zz" << QStringList{"password", "failure"} << false;
        QTest::newRow("case matters") << "ab12" << "" << "AB12" << QStringList{"password", "failure"} << false;
        QTest::newRow("cancelled") << "ab12" << "" << "-" << QStringList{"password", "failure"} << false;
    }
    void password()
    {
        QFETCH(QString, radio);
        QFETCH(QString, held);
        QFETCH(QString, typed);
        QFETCH(QStringList, asked);
        QFETCH(bool, success);
        for (int kind : {int(TransferKind::Read), int(TransferKind::Write)}) {
            Harness h;
            UseNewDocument(h);
            h.session.radioPassword = held.toStdString();
            h.connectRadio(Memory(), Info(radio.toStdString()), {.echo = true});
            h.prompts.onPasswordDialog = [&] {
                QVERIFY(!h.timers.isRunning(TimerId::Reply)); // the radio waits while the user types
                if (typed != "-")
                    h.session.radioPassword = typed.toStdString();
            };
            QVERIFY(kind == int(TransferKind::Read) ? h.engine->startRead() : h.engine->startWrite());
            QVERIFY(h.run());
            QStringList got = h.prompts.asked.filter(QRegularExpression("^(password|failure)$"));
            QCOMPARE(got, asked);
            QCOMPARE(h.observer.finished.back().success, success);
            if (!success) {
                QCOMPARE(h.radio->blocksWritten(), 0L);
                QCOMPARE(h.port.countRead(0x0000), 0);
            } else if (typed != "-") {
                // Held for the run: the next transfer asks nothing.
                h.prompts.asked.clear();
                QVERIFY(h.engine->startRead());
                QVERIFY(h.run());
                QVERIFY(!h.prompts.asked.contains("password"));
            }
        }
    }

    void progressJumpsOverTheGaps_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("read") << int(TransferKind::Read);
        QTest::newRow("write") << int(TransferKind::Write);
    }
    void progressJumpsOverTheGaps()
    {
        QFETCH(int, kind);
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        QVERIFY(kind == int(TransferKind::Read) ? h.engine->startRead() : h.engine->startWrite());
        if (kind == int(TransferKind::Write))
            QVERIFY(h.fire(TimerId::WaitSaveData)); // the editors' 100 ms
        QVERIFY(h.progress.shown);
        QVERIFY(h.run());
        const auto& p = h.progress.percents;
        QVERIFY(std::is_sorted(p.begin(), p.end()));
        const auto at36 = std::find(p.begin(), p.end(), 36);
        QVERIFY(at36 != p.end());
        QCOMPARE(*(at36 + 1), 64);
        QCOMPARE(p.back(), 100);
        QCOMPARE(int(std::count(p.begin(), p.end(), 100)), 1);
        QVERIFY(!h.progress.shown);
    }

    void writeSendsTheEncodedDocumentWithTheRadioHeader()
    {
        Harness h;
        h.session.doc = sim::sampleDocument(kExtendedMode);
        h.session.doc.image().Header.Model.assign("OTHER");
        const ImageSet before = h.session.doc.working;
        RadioMemory radioMemory;
        radioMemory.fill(0x00);
        sim::setRadioHeader(radioMemory, "ZAV415", 0, "V300", 4);
        h.connectRadio(radioMemory, Info(), {.echo = true});
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);

        RadioMemory expected = encodeDocument(h.session.doc);
        std::copy_n(radioMemory.begin() + kHeaderAddress, kIdentityHeaderBytes, expected.begin() + kHeaderAddress);
        for (long a : {0x0000L, 0x21F0L, 0x2430L, 0x4000L, 0x6190L, 0x6430L})
            for (int i = 0; i < 16; ++i)
                QCOMPARE(h.radio->memory()[std::size_t(a + i)], expected[std::size_t(a + i)]);
        // The gaps are never written.
        QCOMPARE(int(h.radio->memory()[0x2440]), 0x00);
        QCOMPARE(int(h.radio->memory()[0x61A0]), 0x00);
        QCOMPARE(h.radio->blocksWritten(), 1122L);
        // The document did not change.
        QVERIFY(h.session.doc.working.Settings == before.Settings);
        QVERIFY(h.session.doc.working.ActiveChannels == before.ActiveChannels);
    }

    void portAndConfirmationFailuresStartNothing()
    {
        {
            Harness h;
            h.port.openFails = true;
            QVERIFY(h.engine->startRead());
            QCOMPARE(h.prompts.asked, QStringList({"9003"}));
            QCOMPARE(int(h.observer.finished.size()), 1);
            QVERIFY(!h.observer.finished[0].started);
            QVERIFY(!h.engine->busy());
            QVERIFY(h.port.sent.empty());
        }
        {
            Harness h;
            h.connectRadio(Memory(), Info(), {.echo = true});
            const RadioMemory before = h.engine->radioMemory();
            h.prompts.answers = {false};
            QVERIFY(h.engine->startRead());
            QVERIFY(!h.port.isOpen());
            QVERIFY(h.port.sent.empty());
            QVERIFY(h.engine->radioMemory() == before);
            QVERIFY(!h.observer.finished.back().started);
            QVERIFY(!h.progress.shown);
        }
        {
            Harness h;
            h.prompts.answers = {false};
            QVERIFY(h.engine->startWrite());
            QVERIFY(h.run());
            QCOMPARE(h.prompts.asked, QStringList({"confirm:9005"}));
            QVERIFY(h.port.sent.empty());
        }
    }

    void cancelledWriteLeavesTheMemoryAsItWas()
    {
        // A read leaves the radio's bytes in the memory: neither the 0xFF
        // fill nor the encoded document, so either would show.
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        const RadioMemory before = h.engine->radioMemory();
        RadioMemory erased;
        erased.fill(0xFF);
        QVERIFY(before != erased);
        QVERIFY(before != encodeDocument(h.session.doc));

        h.port.sent.clear();
        h.prompts.asked.clear();
        h.prompts.answers = {false};
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QCOMPARE(h.prompts.asked, QStringList({"confirm:9005"}));
        QVERIFY(h.engine->radioMemory() == before);
        QVERIFY(h.port.sent.empty());
        QVERIFY(!h.port.isOpen());
        QVERIFY(!h.observer.finished.back().started);
        QVERIFY(!h.engine->busy());
    }

    void oneTransferAtATime()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info(), {.echo = true});
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.engine->busy());
        QVERIFY(!h.engine->startRead());
        QVERIFY(!h.engine->startInfoRead());
        QVERIFY(h.run());
        QVERIFY(!h.engine->busy());
        QVERIFY(h.engine->startInfoRead());
    }

    void cancelSendsTheEndRequest()
    {
        Harness h;
        UseNewDocument(h);
        const ImageSet before = h.session.doc.working;
        h.connectRadio(Memory(), Info(), {.echo = true});
        QVERIFY(h.engine->startRead());
        h.run(40); // a few blocks in
        QCOMPARE(h.engine->kind(), TransferKind::Read);
        QCOMPARE(h.engine->step(), TransferStep::Blocks);
        h.engine->cancel();
        QVERIFY(h.run());
        QVERIFY(!h.observer.finished.back().success);
        QCOMPARE(CountEnds(h.port), 1);
        QVERIFY(!h.port.isOpen());
        QVERIFY(!h.progress.shown);
        QVERIFY(h.session.doc.working.Settings == before.Settings);
    }

    void cancelDuringAPromptEndsAfterIt()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory("ZAV415", 3), Info(), {.echo = true});
        h.prompts.answers = {true, true}; // confirm, OK to 9014 ...
        h.prompts.duringPrompt = [&] {
            if (h.prompts.asked.back() == "9014")
                h.engine->cancel();        // ... but the window was closed meanwhile
        };
        QVERIFY(h.engine->startWrite());
        QVERIFY(h.run());
        QVERIFY(!h.observer.finished.back().success);
        QCOMPARE(h.radio->blocksWritten(), 0L);
    }

    void framesArrivingDuringAPromptAreNotHandled()
    {
        Harness h;
        UseNewDocument(h);
        h.connectRadio(Memory(), Info("pw"), {.echo = true});
        h.prompts.onPasswordDialog = [&] {
            const TransferStep step = h.engine->step();
            h.engine->onBytesReceived(Bytes(40, 0x06));
            h.engine->onTimer(TimerId::Reply);
            QCOMPARE(h.engine->step(), step);
            h.session.radioPassword = "pw";
        };
        QVERIFY(h.engine->startRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
    }

    void infoReadFillsTheRecord()
    {
        Harness h;
        h.connectRadio(Memory(), Info("pw"), {.echo = true});
        const Document before = h.session.doc;
        QVERIFY(h.engine->startInfoRead());
        QVERIFY(h.run());
        QVERIFY(h.observer.finished.back().success);
        QCOMPARE(int(h.observer.ending.size()), 1);
        QCOMPARE(h.port.countRead(0x3F00), 1);
        QCOMPARE(h.port.countRead(0x3FF0), 1);
        QCOMPARE(h.port.count(kR), 16); // no password step
        QVERIFY(h.prompts.asked.isEmpty());
        QVERIFY(h.progress.percents.empty() && h.progress.shows == 0);
        const RadioInfo& info = h.engine->radioInfo();
        QCOMPARE(info.InfoModel, std::string("ZAV415"));
        QCOMPARE(info.SerialNumber.clean(), std::string("41507"));
        QCOMPARE(info.InfoVersion, std::string("V3.00"));
        QCOMPARE(info.Handler.clean(), std::string("K. Weber"));
        QCOMPARE(h.session.doc.isUntitled, before.isUntitled);
        QVERIFY(h.session.doc.working.Settings == before.working.Settings);
    }

    void infoRetryStartsTheWalkAgain()
    {
        Harness h;
        h.connectRadio(Memory(), Info(), {.echo = true});
        int lost = 0;
        h.loseReply = [&](const Bytes& p) { return IsRead(p, 0x3F80) && lost++ < 1; };
        h.prompts.answers = {true};
        QVERIFY(h.engine->startInfoRead());
        QVERIFY(h.run());
        QCOMPARE(h.prompts.asked, QStringList({"9008"}));
        QCOMPARE(h.port.countRead(0x3F00), 2);
        QVERIFY(h.observer.finished.back().success);
    }

    void infoHandshakeTriesAreNotResetByRetry()
    {
        Harness h; // no radio at all
        h.prompts.answers = {true, false};
        QVERIFY(h.engine->startInfoRead());
        QVERIFY(h.run());
        QCOMPARE(h.prompts.asked, QStringList({"9008", "9008"}));
        // Four handshakes, then a single one after Retry.
        QCOMPARE(CountHandshakes(h.port), 5);
    }
};

QTEST_APPLESS_MAIN(TestTransferEngine)
#include "test_transfer_engine.moc"
