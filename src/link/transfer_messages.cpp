#include "transfer_messages.h"

#include "text_catalog.h"

namespace zav::link {

int ConfirmTextId(TransferKind kind) { return kind == TransferKind::Write ? kTextConfirmWrite : kTextConfirmRead; }

int DoneTextId(TransferKind kind) { return 9008 + static_cast<int>(kind); }

std::string WrongModelText(const TextCatalog& texts, const std::string& radioDisplayName)
{
    return texts.GetText(kTextWrongModel) + "\r\n" + "Radio is " + radioDisplayName;
}

} // namespace zav::link
