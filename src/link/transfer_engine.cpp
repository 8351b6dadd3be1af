#include "transfer_engine.h"

namespace zav::link {

struct TransferEngine::State {
    RadioMemory memory{};
    InfoBlock info{};
    RadioIdentity identity;
    RadioInfo radioInfo;
};

TransferEngine::TransferEngine(TransferServices, LinkSession&, Session&) : d_(std::make_unique<State>()) {}
TransferEngine::~TransferEngine() = default;
bool TransferEngine::startRead() { return false; }
bool TransferEngine::startWrite() { return false; }
bool TransferEngine::startInfoRead() { return false; }
void TransferEngine::cancel() {}
void TransferEngine::onBytesReceived(std::span<const std::uint8_t>) {}
void TransferEngine::onTimer(TimerId) {}
bool TransferEngine::busy() const { return false; }
TransferKind TransferEngine::kind() const { return TransferKind::Idle; }
int TransferEngine::readStep() const { return 0; }
int TransferEngine::writeStep() const { return 0; }
bool TransferEngine::transferActive() const { return false; }
int TransferEngine::handshakeTries() const { return 0; }
long TransferEngine::blockAddress() const { return 0; }
int TransferEngine::lastPercent() const { return 0; }
int TransferEngine::blockRetries(long) const { return -1; }
const RadioMemory& TransferEngine::radioMemory() const { return d_->memory; }
const InfoBlock& TransferEngine::infoBlock() const { return d_->info; }
const RadioIdentity& TransferEngine::identity() const { return d_->identity; }
const RadioInfo& TransferEngine::radioInfo() const { return d_->radioInfo; }

} // namespace zav::link
