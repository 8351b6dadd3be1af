#include "address_plan.h"

#include <algorithm>

namespace zav::link {

long NextBlockCandidate(long address, long endAddress)
{
    const long candidate = address + 16;
    if (endAddress != kFullPlan.endAddress)
        return candidate;
    if (candidate > 0x6400)
        return candidate;
    if (candidate > 0x619F)
        return 0x6400;
    if (candidate >= 0x4000)
        return candidate;
    if (candidate >= 0x243F)
        return 0x4000;
    return candidate;
}

std::vector<long> PlanBlocks(const AddressPlan& plan)
{
    std::vector<long> blocks;
    for (long a = NextBlockCandidate(plan.startAddress(), plan.endAddress); !WalkEnded(a, plan.endAddress);
         a = NextBlockCandidate(a, plan.endAddress))
        blocks.push_back(a);
    return blocks;
}

bool InPlan(const AddressPlan& plan, long address)
{
    static const std::vector<long> full = PlanBlocks(kFullPlan);
    static const std::vector<long> info = PlanBlocks(kInfoPlan);
    const auto& blocks = plan.endAddress == kFullPlan.endAddress ? full : info;
    return std::binary_search(blocks.begin(), blocks.end(), address);
}

} // namespace zav::link
