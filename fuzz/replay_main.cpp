// Replays fuzz inputs without libFuzzer, so that every input that once
// found a fault keeps being tried by the ordinary test run. Each argument is
// an input file or a folder of them; every file goes once through the
// target's LLVMFuzzerTestOneInput, in name order. A target reports a fault
// by crashing or aborting, which fails the run. A folder that does not
// exist is skipped (a fuzzer's kept corpus appears only after it ran), but
// a run that found no input at all fails: its seeds went missing.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> InputsOf(const fs::path& place)
{
    std::error_code error;
    if (fs::is_regular_file(place, error))
        return {place};
    std::vector<fs::path> files;
    if (!fs::is_directory(place, error)) {
        std::printf("skipped (not there): %s\n", place.c_str());
        return files;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(place, error))
        if (entry.is_regular_file(error))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i)
        for (const fs::path& file : InputsOf(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            if (!in) {
                std::printf("cannot read %s\n", file.c_str());
                return 1;
            }
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            // Named before it runs: a crash leaves the culprit as the last line.
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            // An empty input still gets a valid pointer, as under libFuzzer.
            static const std::uint8_t none = 0;
            LLVMFuzzerTestOneInput(bytes.empty() ? &none : reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
