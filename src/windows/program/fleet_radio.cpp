#include "fleet_radio.h"

namespace zav {

using link::TransferKind;

FleetRadio::FleetRadio(const QString& device, Document& document, const std::string& password,
                       const VersionRecords& versions, QObject* parent)
    : QObject(parent), device_(device), document_(document), port_(device)
{
    engine_ = std::make_unique<link::TransferEngine>(link::TransferServices{port_, timers_, *this, *this, *this},
                                                     linkSession_,
                                                     link::TransferContext{document, password, versions});
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
    // Each radio's own record of what it gets, from the document it is sent.
    written_ = describeWritten(document_);
    phase_ = Phase::Writing;
    engine_->setVerifyAfterWrite(policy.verify);
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
