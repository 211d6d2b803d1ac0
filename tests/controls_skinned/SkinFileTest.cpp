// Skin files: the signature check and the entry chain, built by hand.

#include "controls/skinned/SkinFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <unistd.h>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putInt(Bytes& b, std::size_t at, std::int32_t v) {
    if (b.size() < at + 4)
        b.resize(at + 4);
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(std::uint32_t(v) >> (8 * i));
}

struct Entry {
    std::string name;
    std::uint8_t kind;
    Bytes data;
};

// Header, then each entry followed by its data, then the terminating entry. Entry i sits at
// entryOffsets[i].
struct SkinFileImage {
    Bytes bytes;
    std::vector<std::size_t> entryOffsets;
};

SkinFileImage build(const std::vector<Entry>& entries) {
    SkinFileImage f;
    Bytes& b = f.bytes;
    b.resize(kSkinFileHeaderSize);
    std::memcpy(b.data(), "SKINFILE01", 10);
    putInt(b, 12, 24);
    putInt(b, 16, 0x1234);
    putInt(b, 20, 24);
    for (std::size_t i = 0; i <= entries.size(); ++i) {
        const std::size_t at = b.size();
        f.entryOffsets.push_back(at);
        b.resize(at + kSkinFileEntrySize);
        if (i == entries.size())
            break; // the terminating entry: next offset 0
        const Entry& e = entries[i];
        std::memcpy(b.data() + at, e.name.data(), std::min<std::size_t>(e.name.size(), 64));
        b[at + 64] = e.kind;
        putInt(b, at + 65, std::int32_t(at + kSkinFileEntrySize));
        putInt(b, at + 69, std::int32_t(e.data.size()));
        b.insert(b.end(), e.data.begin(), e.data.end());
        putInt(b, at + 73, std::int32_t(b.size()));
    }
    return f;
}

Bytes le32(std::int32_t v) {
    Bytes b;
    putInt(b, 0, v);
    return b;
}

class TempFile {
public:
    explicit TempFile(const Bytes& bytes) {
        char name[] = "/tmp/skinfile_test_XXXXXX";
        const int fd = mkstemp(name);
        close(fd);
        path_ = name;
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

TEST(SkinFileTest, Validation) {
    const Bytes good = build({}).bytes;
    struct Case {
        const char* what;
        Bytes bytes;
        bool valid;
    };
    Bytes elevenNonNul = good;
    elevenNonNul[10] = 'X';
    Bytes lowerCase = good;
    lowerCase[0] = 's';
    Bytes shortSig = good;
    shortSig[9] = 0;
    const Case cases[] = {
        {"whole header", Bytes(good.begin(), good.begin() + 24), true},
        {"with entries", good, true},
        {"16 bytes only", Bytes(good.begin(), good.begin() + 16), false},
        {"23 bytes", Bytes(good.begin(), good.begin() + 23), false},
        {"non-NUL eleventh byte", elevenNonNul, false},
        {"lower case", lowerCase, false},
        {"SKINFILE0", shortSig, false},
        {"empty", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ValidateSkinFileBytes(c.bytes), c.valid);
        TempFile file(c.bytes);
        EXPECT_EQ(ValidateSkinFile(file.path()), c.valid);
    }
    EXPECT_FALSE(ValidateSkinFile("/nonexistent/dir/skin.skn"));
    EXPECT_FALSE(ValidateSkinFile("/tmp")); // a directory does not read
}

TEST(SkinFileTest, ReadsEveryKind) {
    const Bytes bmp{'B', 'M', 1, 2, 3};
    const auto file = build({
        {"ButtonImage", 0, bmp},
        {"FormRoundCornerInt", 1, le32(13)},
        {"FormBorderColor", 1, le32(0x00C82C00)},
        {"ButtonTransparentBool", 2, {1}},
        {"Caption", 3, {'h', 'e', 'l', 'l', 'o'}},
        {"Ignored", 7, {1, 2, 3}},
        {"Negative", 1, le32(-1)},
        {std::string(64, 'N'), 2, {200}}, // a name filling all 64 bytes
    });
    TempFile onDisk(file.bytes);
    SkinThemeFileReader reader;
    ASSERT_EQ(reader.loadFromFile(onDisk.path()), std::nullopt);

    ASSERT_NE(reader.bitmap("ButtonImage"), nullptr);
    EXPECT_EQ(*reader.bitmap("buttonimage"), bmp); // names compare without case
    EXPECT_EQ(reader.bitmap("CheckBoxImage"), nullptr);
    EXPECT_EQ(reader.integer("FormRoundCornerInt"), 13);
    EXPECT_EQ(reader.integer("FormBorderColor"), 0x00C82C00);
    EXPECT_EQ(reader.integer("Negative"), -1); // as if missing
    EXPECT_EQ(reader.integer("Missing"), -1);
    EXPECT_EQ(reader.byteValue("ButtonTransparentBool"), 1);
    EXPECT_EQ(reader.byteValue(std::string(64, 'n')), 200);
    EXPECT_EQ(reader.byteValue("Missing"), 0);
    EXPECT_EQ(reader.integer("ButtonTransparentBool"), -1); // lists are separate
    EXPECT_EQ(reader.textLines(), (std::vector<std::string>{"Caption=hello"}));
    EXPECT_EQ(reader.integerLines(),
              (std::vector<std::string>{"FormRoundCornerInt=13", "FormBorderColor=13118464",
                                        "Negative=-1"}));
}

TEST(SkinFileTest, DuplicateNamesFindTheFirst) {
    const auto file = build({{"X", 1, le32(1)}, {"x", 1, le32(2)}, {"B", 0, {1}}, {"B", 0, {2}}});
    SkinThemeFileReader reader;
    ASSERT_EQ(reader.load(file.bytes), std::nullopt);
    EXPECT_EQ(reader.integerLines().size(), 2u);
    EXPECT_EQ(reader.integer("X"), 1);
    EXPECT_EQ(*reader.bitmap("B"), Bytes{1});
}

TEST(SkinFileTest, FirstEntryTerminatingGivesEmptyLists) {
    SkinThemeFileReader reader;
    ASSERT_EQ(reader.load(build({}).bytes), std::nullopt);
    EXPECT_TRUE(reader.bitmaps().empty());
    EXPECT_TRUE(reader.integerLines().empty());
    EXPECT_TRUE(reader.byteLines().empty());
    EXPECT_TRUE(reader.textLines().empty());
}

TEST(SkinFileTest, ShortIntegerAndByteDataFillTheLowBytes) {
    const auto file = build({{"I", 1, {0x34, 0x12}}, {"Z", 1, {}}, {"E", 2, {}}});
    SkinThemeFileReader reader;
    ASSERT_EQ(reader.load(file.bytes), std::nullopt);
    EXPECT_EQ(reader.integer("I"), 0x1234);
    EXPECT_EQ(reader.integer("Z"), 0);
    EXPECT_EQ(reader.byteValue("E"), 0);
}

TEST(SkinFileTest, DamagedFilesAreRefused) {
    const auto good = build({{"A", 1, le32(5)}, {"B", 0, {1, 2, 3}}, {"C", 2, {1}}});
    const std::size_t first = good.entryOffsets[0];
    const std::size_t second = good.entryOffsets[1];
    struct Case {
        const char* what;
        std::size_t at;
        std::int32_t value;
        std::string_view error;
    };
    const Case cases[] = {
        {"first entry past the end", 20, std::int32_t(good.bytes.size()), "Stream read error"},
        {"first entry negative", 20, -5, "Stream read error"},
        {"entry cut by the end", 20, std::int32_t(good.bytes.size() - 10), "Stream read error"},
        {"data offset past the end", first + 65, 100000, "Stream read error"},
        {"data offset negative", first + 65, -1, "Stream read error"},
        {"data size past the end", second + 69, 1000, "Stream read error"},
        {"data size negative", second + 69, -3, "Stream read error"},
        {"data size overflows", second + 69, 0x7FFFFFFF, "Stream read error"},
        {"next entry past the end", first + 73, 1 << 30, "Stream read error"},
        {"chain loops to itself", first + 73, std::int32_t(first), "Skin file entries form a loop"},
        {"chain loops back", second + 73, std::int32_t(first), "Skin file entries form a loop"},
        {"header length short", 12, 16, "Skin file header is damaged"},
        {"header length past the end", 12, 1 << 20, "Skin file header is damaged"},
        {"integer data too long", first + 69, 5, "Skin file entry has a wrong data size"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good.bytes;
        putInt(bytes, c.at, c.value);
        SkinThemeFileReader reader;
        EXPECT_EQ(reader.load(bytes), std::string(c.error));
        EXPECT_TRUE(reader.integerLines().empty());
        EXPECT_TRUE(reader.bitmaps().empty());
    }
    // Data of a kind the reader skips is not looked at.
    Bytes skipped = build({{"Q", 9, {1}}}).bytes;
    putInt(skipped, kSkinFileHeaderSize + 65, -100);
    SkinThemeFileReader reader;
    EXPECT_EQ(reader.load(skipped), std::nullopt);
    // A header longer than 24 bytes is read for its first 24.
    Bytes longHeader = good.bytes;
    putInt(longHeader, 12, 40);
    EXPECT_EQ(reader.load(longHeader), std::nullopt);
    EXPECT_EQ(reader.integer("A"), 5);
    EXPECT_EQ(reader.load(Bytes(good.bytes.begin(), good.bytes.begin() + 20)), "Stream read error");
    EXPECT_EQ(reader.loadFromFile("/nonexistent/skin.skn"), "Cannot open skin file");
}

} // namespace
} // namespace trvx
