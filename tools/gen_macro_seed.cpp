// Writes the seed of the macro library file: 100 empty records of 272 bytes, all zero but one
// byte 0xFF inside the body of record 98, as the program has always shipped it.
#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_macro_seed OUTPUT\n");
        return 2;
    }
    constexpr std::size_t kRecords = 100;
    constexpr std::size_t kRecordSize = 272;
    constexpr std::size_t kMarkOffset = 26913;
    std::vector<char> seed(kRecords * kRecordSize, 0);
    seed[kMarkOffset] = static_cast<char>(0xFF);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(seed.data(), static_cast<std::streamsize>(seed.size()));
    if (!out) {
        std::fprintf(stderr, "gen_macro_seed: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
