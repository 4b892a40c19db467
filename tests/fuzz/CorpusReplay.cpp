// Replays every file of a corpus folder through a fuzz target, as an ordinary test program: the
// inputs the fuzzers have found worth keeping are checked in every build, with or without the
// sanitizers and without a fuzzing runtime. A finding aborts, as it does under the fuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator{argv[1]}) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    // A fixed order, so that a failure names the same input on every machine.
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in{file, std::ios::binary};
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>{in}, std::istreambuf_iterator<char>{}};
        std::fprintf(stderr, "%s\n", file.filename().c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs replayed from %s\n", files.size(), argv[1]);
    // An empty or missing corpus would pass without checking anything.
    return files.empty() ? 1 : 0;
}
