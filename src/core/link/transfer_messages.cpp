#include "transfer_messages.h"

namespace zav::link {

int confirmTextId(TransferKind kind) { return kind == TransferKind::Write ? kTextConfirmWrite : kTextConfirmRead; }

int doneTextId(TransferKind kind)
{
    switch (kind) {
    case TransferKind::Write: return kTextWriteDone;
    case TransferKind::Info: return kTextInfoDone;
    default: return kTextReadDone;
    }
}

int progressCaptionTextId(TransferKind kind) { return kind == TransferKind::Write ? kTextWritingCaption : kTextReadingCaption; }

std::string wrongModelMessage(const std::string& wrongModelText, const std::string& radioDisplayName)
{
    return wrongModelText + "\r\n" + "Radio is " + radioDisplayName;
}

} // namespace zav::link
