#include "address_plan.h"

#include <algorithm>

namespace zav::link {

long nextBlockCandidate(long address, long endAddress)
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

std::vector<long> planBlocks(const AddressPlan& plan)
{
    std::vector<long> blocks;
    for (long a = nextBlockCandidate(plan.startAddress(), plan.endAddress); !walkEnded(a, plan.endAddress);
         a = nextBlockCandidate(a, plan.endAddress))
        blocks.push_back(a);
    return blocks;
}

bool inPlan(const AddressPlan& plan, long address)
{
    static const std::vector<long> full = planBlocks(kFullPlan);
    static const std::vector<long> info = planBlocks(kInfoPlan);
    const auto& blocks = plan.endAddress == kFullPlan.endAddress ? full : info;
    return std::binary_search(blocks.begin(), blocks.end(), address);
}

std::vector<long> differingBlocks(const RadioMemory& a, const RadioMemory& b)
{
    std::vector<long> blocks;
    for (long block : planBlocks(kFullPlan)) {
        for (long i = block; i < block + kBlockSize; ++i) {
            if (i >= kHeaderAddress && i < kHeaderAddress + kIdentityHeaderBytes)
                continue;
            if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)]) {
                blocks.push_back(block);
                break;
            }
        }
    }
    return blocks;
}

} // namespace zav::link
