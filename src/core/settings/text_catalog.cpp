#include "text_catalog.h"

#include "ini_file.h"

#include <array>
#include <utility>

namespace zav {

std::string sectionForTextId(int id)
{
    if (id <= 8999)
        return "OTHER";
    if (id >= 32000)
        return "Others";
    static constexpr std::array<const char*, 23> kSections{
        "Msg",      "Menu",    "ToolBar", "Main",     "Model",   "ChannelInfo", "ChannelEdit", "Option",
        "Radio",    "DTMF",    "TestFre", "EMG",      "Local",   "Port",        "Lang",        "About",
        "KeySet",   "ScanSet", "AlertSet", "CHEdit",  "TONETIPS", "GroupName",  "ResetMode",
    };
    return kSections[static_cast<std::size_t>(id / 1000 - 9)];
}

std::string TextCatalog::text(int id) const
{
    if (file_.empty())
        return {};
    return readProfileString(file_, sectionForTextId(id), std::to_string(id), 254);
}

} // namespace zav
