#include "transfer_messages.h"

namespace zav::link {

int confirmTextId(TransferKind kind) { return kind == TransferKind::Write ? kTextConfirmWrite : kTextConfirmRead; }

int doneTextId(TransferKind kind) { return 9008 + static_cast<int>(kind); }

std::string wrongModelMessage(const std::string& wrongModelText, const std::string& radioDisplayName)
{
    return wrongModelText + "\r\n" + "Radio is " + radioDisplayName;
}

} // namespace zav::link
