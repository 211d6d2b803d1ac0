// Drives a fuzz target without libFuzzer: random inputs, then mutations of the files given in
// TRVX_FUZZ_SEEDS (a directory), a fixed number of times. Keeps every target compiled and run
// under the sanitizers of the ordinary build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::mt19937 rng(12345);
    std::vector<std::vector<std::uint8_t>> seeds;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], ec)) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    const int runs = 3000;
    for (int run = 0; run < runs; ++run) {
        std::vector<std::uint8_t> input;
        if (!seeds.empty() && run % 2 == 0) {
            input = seeds[rng() % seeds.size()];
            const int flips = 1 + static_cast<int>(rng() % 8);
            for (int f = 0; f < flips && !input.empty(); ++f)
                input[rng() % input.size()] = static_cast<std::uint8_t>(rng());
            if (rng() % 4 == 0 && !input.empty())
                input.resize(rng() % input.size());
        } else {
            input.resize(rng() % (run < runs / 2 ? 64 : 4096));
            for (auto& b : input)
                b = static_cast<std::uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%d inputs run\n", runs);
    return 0;
}
