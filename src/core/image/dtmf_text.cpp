// DTMF keys: the document keeps "*" and "#" as typed; radio memory holds
// every key as one hex digit, "*" = E and "#" = F.

#include "codecs.h"

namespace zav {

std::string dtmfToDisplay(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == 'E')
            c = '*';
        else if (c == 'F')
            c = '#';
    }
    return out;
}

std::string dtmfToStored(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '*')
            c = 'E';
        else if (c == '#')
            c = 'F';
    }
    return out;
}

} // namespace zav
