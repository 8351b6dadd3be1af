// How long the check before a write takes for a full document (521 channels
// in both tables) against opening the same data file, in the same run.
// Both are what a write command does before it touches a port, and the
// check runs again before every write from the desktop: goal at most 2.

#include "config_check.h"
#include "data_file.h"
#include "defaults.h"
#include "document.h"
#include "version_records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 31;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class Fn>
double MedianMicroseconds(Fn fn)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

/// Every slot of both tables used, frequencies on the raster inside the band.
void FillDocument(zav::Document& doc)
{
    zav::buildNewDocument(doc, std::string(), zav::TemplateVariant::NewDocument);
    for (bool standby : {false, true}) {
        zav::ChannelTable& table = standby ? doc.standby() : doc.active();
        for (int i = 0; i < zav::kChannelSlots; ++i) {
            zav::ChannelRecord& r = table[static_cast<std::size_t>(i)];
            r = zav::ChannelRecord{};
            r.Number = static_cast<zav::Int16>(i + 1);
            std::string digits = std::to_string(2561500 + 500 * (i % 800));
            digits.insert(0, 8 - digits.size(), '0');
            r.RxFrequency.assign(digits);
            r.RxTone = static_cast<zav::Int16>(i % 265);
            r.TxTone = r.RxTone;
        }
        (standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount) = zav::kChannelSlots;
    }
}

} // namespace

int main()
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "zav_bench_config_check.dat";
    zav::Document doc;
    FillDocument(doc);
    if (!zav::saveDocument(doc, file.string())) {
        std::fprintf(stderr, "bench_config_check: cannot write %s\n", file.string().c_str());
        return 1;
    }

    std::size_t findings = 0;
    const double open = MedianMicroseconds([&] {
        zav::Document opened;
        (void)zav::openDocument(opened, file.string(), {});
    });
    const double check = MedianMicroseconds([&] { findings = zav::checkConfiguration(doc).size(); });
    std::filesystem::remove(file);

    std::printf("open of the data file: %.0f us (median of %d)\n", open, kRuns);
    std::printf("check of 2 x 521 channels: %.0f us, %zu findings\n", check, findings);
    std::printf("check / open = %.2f (goal <= 2)\n", check / open);
    return 0;
}
