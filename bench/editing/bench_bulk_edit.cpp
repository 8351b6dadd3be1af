// One value set on all 400 channels of extended mode through the bulk path
// (the desktop's Set for Selected Channels and zavprog-cli set), against
// opening the same data file, in the same run: goal at most 2.

#include "bulk_edits.h"
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
constexpr int kChannels = 400; // every channel the groups of extended mode reach, 521 aside

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

void FillDocument(zav::Document& doc)
{
    doc.image().ChannelMode = zav::kExtendedMode;
    zav::buildNewDocument(doc, std::string(), zav::TemplateVariant::NewDocument);
    for (int i = 0; i < kChannels; ++i) {
        zav::ChannelRecord& r = doc.active()[static_cast<std::size_t>(i)];
        r = zav::ChannelRecord{};
        r.Number = static_cast<zav::Int16>(i + 1);
        std::string digits = std::to_string(2600000 + 500 * i);
        digits.insert(0, 8 - digits.size(), '0');
        r.RxFrequency.assign(digits);
    }
    doc.image().ChannelCount = kChannels;
}

} // namespace

int main()
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "zav_bench_bulk_edit.dat";
    zav::Document doc;
    FillDocument(doc);
    if (!zav::saveDocument(doc, file.string())) {
        std::fprintf(stderr, "bench_bulk_edit: cannot write %s\n", file.string().c_str());
        return 1;
    }
    std::vector<int> numbers(kChannels);
    for (int i = 0; i < kChannels; ++i)
        numbers[static_cast<std::size_t>(i)] = i + 1;
    const zav::ChannelField* tone = zav::findChannelField("receive tone");
    const zav::FieldValue value = *zav::parseFieldValue(*tone, "67.0").value;

    const double open = MedianMicroseconds([&] {
        zav::Document opened;
        (void)zav::openDocument(opened, file.string(), {});
    });
    std::size_t changed = 0;
    const double bulk = MedianMicroseconds([&] {
        zav::Document work = doc; // the desktop works on a copy, as the command line on the file opened
        changed = zav::setChannelValues(work, zav::ChannelWriteEnv{true, 0}, numbers, {value}).changedChannels.size();
    });
    std::filesystem::remove(file);

    std::printf("open of the data file: %.0f us (median of %d)\n", open, kRuns);
    std::printf("receive tone set on %zu channels: %.0f us\n", changed, bulk);
    std::printf("bulk / open = %.2f (goal <= 2)\n", bulk / open);
    return 0;
}
