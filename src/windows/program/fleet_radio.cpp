#include "fleet_radio.h"

#include "memory_map.h"
#include "power_on_texts.h"

#include <QDateTime>

#include <algorithm>

namespace zav {

using link::TransferKind;

FleetRadio::FleetRadio(const QString& device, const Document& document, const std::string& password,
                       const VersionRecords& versions, QObject* parent)
    : QObject(parent), device_(device), document_(document), own_(document), port_(device)
{
    engine_ = std::make_unique<link::TransferEngine>(link::TransferServices{port_, timers_, *this, *this, *this},
                                                     linkSession_,
                                                     link::TransferContext{own_, password, versions});
    link::connectEngine(port_, timers_, *engine_);
}

FleetRadio::~FleetRadio()
{
    if (engine_->busy())
        engine_->cancel();
    port_.close();
}

bool FleetRadio::start(const FleetPolicy& policy)
{
    if (engine_->busy())
        return false;
    policy_ = policy;
    retriesUsed_ = 0;
    percent_ = 0;
    identityKnown_ = false;
    stopped_ = false;
    failure_ = {};
    outcome_ = {};
    comparison_ = {};
    startedMs_ = QDateTime::currentMSecsSinceEpoch();
    // A read replaces what the engine works on: always a fresh copy.
    own_ = powerOnText_.empty() ? document_ : withPowerOnText(document_, powerOnText_);
    if (policy.job != FleetJob::Write) {
        phase_ = Phase::Reading;
        emit changed();
        return engine_->startRead();
    }
    std::shared_ptr<const link::RadioMemory> sent = memory_;
    if (sent && !powerOnText_.empty()) {
        // A clone keeps the source's memory, but for this radio's text.
        auto own = std::make_shared<link::RadioMemory>(*sent);
        const link::RadioMemory text = link::encodeDocument(own_);
        std::copy_n(text.begin() + link::mem::PowerOnText, 16, own->begin() + link::mem::PowerOnText);
        sent = own;
    } else if (!sent && !powerOnText_.empty()) {
        sent = std::make_shared<link::RadioMemory>(link::encodeDocument(own_));
    }
    engine_->setMemoryToWrite(sent);
    // Each radio's own record of what it gets, from the document it is sent.
    written_ = describeWritten(own_);
    phase_ = Phase::Writing;
    engine_->setVerifyAfterWrite(policy.verify);
    engine_->setReadBeforeWrite(policy.readBefore);
    emit changed();
    return engine_->startWrite();
}

void FleetRadio::stop()
{
    if (!engine_->busy())
        return;
    stopped_ = true;
    engine_->cancel();
}

void FleetRadio::fail(int textId, const QString& argument)
{
    // The first reason is the one that counts: a refused band is followed
    // by the end of the transfer, which says nothing new.
    if (failure_.textId == 0)
        failure_ = {textId, argument};
}

void FleetRadio::learnIdentity()
{
    if (identityKnown_ || engine_->identity().modelName.empty())
        return;
    identityKnown_ = true;
    emit changed();
}

// --- questions, answered from the policy ---------------------------------------

void FleetRadio::portFailed() { fail(kTextFleetPortFailed); }

bool FleetRadio::askRetry(TransferKind)
{
    // A radio just plugged in may still be switching on: its handshake is
    // tried again for a while before it counts as silent.
    const link::TransferStep step = engine_->step();
    const bool handshaking = step == link::TransferStep::Handshake || step == link::TransferStep::Idle;
    if (policy_.answerWithinMs > 0 && handshaking &&
        QDateTime::currentMSecsSinceEpoch() - startedMs_ < policy_.answerWithinMs)
        return true;
    if (retriesUsed_ < policy_.retries) {
        ++retriesUsed_;
        return true;
    }
    fail(kTextFleetNoAnswer);
    return false;
}

void FleetRadio::wrongModel(const std::string& radioDisplayName)
{
    learnIdentity();
    fail(kTextFleetWrongModel, QString::fromStdString(radioDisplayName));
}

bool FleetRadio::askOtherBand()
{
    learnIdentity();
    if (!policy_.allowOtherBand)
        fail(kTextFleetOtherBand);
    return policy_.allowOtherBand;
}

void FleetRadio::bandRefused()
{
    learnIdentity();
    fail(kTextFleetBandRefused);
}

bool FleetRadio::askOtherVersion(const std::string& radioVersion)
{
    learnIdentity();
    // Starting another program version is the single write's business.
    fail(kTextFleetOtherVersion, QString::fromStdString(radioVersion));
    return false;
}

void FleetRadio::passwordFailure()
{
    learnIdentity(); // the radio said who it is before the password step
    fail(kTextFleetPassword);
}

void FleetRadio::verificationFailed(const std::vector<long>& blocks)
{
    fail(kTextFleetMismatch, QString::number(blocks.size()));
}

// --- progress -------------------------------------------------------------------

void FleetRadio::showProgress(TransferKind)
{
    percent_ = 0;
    emit changed();
}

void FleetRadio::setPercent(int percent)
{
    learnIdentity();
    if (percent == percent_)
        return;
    percent_ = percent;
    emit changed();
}

void FleetRadio::showVerification()
{
    phase_ = Phase::Verifying;
    percent_ = 0;
    emit changed();
}

void FleetRadio::transferFinished(const link::TransferOutcome& outcome)
{
    outcome_ = outcome;
    phase_ = Phase::Done;
    if (outcome.success && policy_.job == FleetJob::Compare) {
        const Document expected = powerOnText_.empty() ? document_ : withPowerOnText(document_, powerOnText_);
        comparison_ = memory_ ? compareMemories(expected, *memory_, engine_->radioMemory())
                              : compareWithRadio(expected, engine_->radioMemory());
    }
    if (!outcome.success) {
        if (stopped_)
            fail(kTextFleetStopped);
        fail(kTextFleetNoAnswer); // nothing more specific was said
    }
    port_.close();
    emit changed();
    emit finished();
}

} // namespace zav
