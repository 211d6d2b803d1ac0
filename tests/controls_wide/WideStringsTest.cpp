#include "controls/wide/WideStrings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace trvx {
namespace {

std::vector<std::u16string> itemsOf(const TWideStrings& list) {
    std::vector<std::u16string> items;
    for (int i = 0; i < list.GetCount(); ++i)
        items.push_back(list.Get(i));
    return items;
}

template <class F> std::string errorOf(F&& f) {
    try {
        f();
    } catch (const EStringListError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(WideLines, SplitAtLineBreaks) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {u"", {}},
        {u"one\r\ntwo\r\n", {u"one", u"two"}},
        {u"one\n\rtwo", {u"one", u"", u"two"}}, // LF then CR: the CR starts an empty line
        {u"one\u2028two", {u"one", u"two"}},
        {u"one\r\n\u2028two", {u"one", u"two"}}, // CR, LF, U+2028 skipped in that order
        {u"one\r\rtwo", {u"one", u"", u"two"}},
        {u"last", {u"last"}},
        {u"\r\n", {u""}},
        {std::u16string(u"a\0b", 3), {u"a"}}, // a NUL ends the text
    };
    for (const Case& c : cases) {
        TUniStringList list;
        list.SetTextStr(c.text);
        EXPECT_EQ(itemsOf(list), c.lines);
        EXPECT_EQ(SplitWideLines(c.text), c.lines);
    }
}

TEST(WideLines, TextOfItemsEndsEveryLine) {
    TUniStringList list;
    EXPECT_EQ(list.GetTextStr(), u"");
    list.Add(u"a");
    list.Add(u"\u010D");
    EXPECT_EQ(list.GetTextStr(), u"a\r\n\u010D\r\n");
}

TEST(UniStringList, IndexErrorsNameTheBadIndex) {
    TUniStringList list;
    list.Add(u"a");
    list.Add(u"b");
    struct Case {
        std::function<void()> call;
        std::string message;
    };
    const Case cases[] = {
        {[&] { list.Get(-1); }, "List index out of bounds (-1)"},
        {[&] { list.Get(2); }, "List index out of bounds (2)"},
        {[&] { list.Put(2, u"x"); }, "List index out of bounds (2)"},
        {[&] { list.GetObject(5); }, "List index out of bounds (5)"},
        {[&] { list.PutObject(-3, nullptr); }, "List index out of bounds (-3)"},
        {[&] { list.Delete(2); }, "List index out of bounds (2)"},
        {[&] { list.Exchange(0, 9); }, "List index out of bounds (9)"},
        {[&] { list.Exchange(7, 9); }, "List index out of bounds (7)"},
        {[&] { list.Insert(3, u"x"); }, "List index out of bounds (3)"},
        {[&] { list.Insert(-1, u"x"); }, "List index out of bounds (-1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.message);
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{u"a", u"b"})); // nothing changed
    list.Insert(2, u"c");                                                // Count is allowed
    EXPECT_EQ(list.Get(2), u"c");
}

TEST(UniStringList, PutKeepsTheObject) {
    TUniStringList list;
    int tag = 0;
    list.AddObject(u"old", &tag);
    list.Put(0, u"new");
    EXPECT_EQ(list.Get(0), u"new");
    EXPECT_EQ(list.GetObject(0), &tag);
}

TEST(UniStringList, MoveAndExchangeCarryObjects) {
    TUniStringList list;
    int a = 0, b = 0, c = 0;
    list.AddObject(u"a", &a);
    list.AddObject(u"b", &b);
    list.AddObject(u"c", &c);
    list.Move(0, 2);
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{u"b", u"c", u"a"}));
    EXPECT_EQ(list.GetObject(2), &a);
    list.Exchange(0, 1);
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{u"c", u"b", u"a"}));
    EXPECT_EQ(list.GetObject(0), &c);
    EXPECT_EQ(list.IndexOfObject(&b), 1);
}

TEST(UniStringList, SortedListsAndDuplicates) {
    int first = 1, second = 2;
    TUniStringList list;
    list.SetSorted(true);
    for (const char16_t* s : {u"pear", u"Apple", u"fig"})
        list.Add(s);
    list.AddObject(u"apple", &first);
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{u"Apple", u"fig", u"pear"}));

    // dpIgnore: the index of the equal item, nothing added.
    EXPECT_EQ(list.Add(u"FIG"), 1);
    EXPECT_EQ(list.GetCount(), 3);

    // dpError: refused, nothing added.
    list.SetDuplicates(DuplicatePolicy::dpError);
    EXPECT_EQ(errorOf([&] { list.Add(u"pear"); }), "String list does not allow duplicates");
    EXPECT_EQ(list.GetCount(), 3);

    // dpAccept: the new text goes before the equal ones already there.
    list.SetDuplicates(DuplicatePolicy::dpAccept);
    list.AddObject(u"fig", &first);
    list.AddObject(u"Fig", &second);
    EXPECT_EQ(itemsOf(list),
              (std::vector<std::u16string>{u"Apple", u"Fig", u"fig", u"fig", u"pear"}));
    EXPECT_EQ(list.GetObject(1), &second);
    EXPECT_EQ(list.GetObject(2), &first);

    int index = -1;
    EXPECT_TRUE(list.Find(u"FIG", index));
    EXPECT_EQ(index, 1); // first equal item with dpAccept
    EXPECT_FALSE(list.Find(u"grape", index));
    EXPECT_EQ(index, 4); // where it belongs
    EXPECT_EQ(list.IndexOf(u"grape"), -1);
    EXPECT_EQ(list.IndexOf(u"PEAR"), 4);

    EXPECT_EQ(errorOf([&] { list.Insert(0, u"x"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(errorOf([&] { list.Put(0, u"x"); }), "Operation not allowed on sorted list");
}

TEST(UniStringList, SortIgnoresCaseUnlessAskedAndKnowsCzechLetters) {
    TUniStringList list;
    for (const char16_t* s : {u"\u010Daj", u"b", u"C", u"a", u"B", u"\u010Cas"})
        list.Add(s);
    list.Sort();
    const auto items = itemsOf(list);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0], u"a");
    EXPECT_EQ(CompareWideText(items[1], u"b", false), 0);
    EXPECT_EQ(CompareWideText(items[2], u"b", false), 0);
    EXPECT_EQ(items[3], u"C");
    EXPECT_EQ(items[4], u"\u010Daj"); // č and Č sort together, after the plain letters
    EXPECT_EQ(items[5], u"\u010Cas");
    EXPECT_EQ(list.IndexOf(u"\u010CAJ"), 4);

    list.SetCaseSensitive(true);
    list.Sort();
    EXPECT_EQ(itemsOf(list),
              (std::vector<std::u16string>{u"a", u"b", u"B", u"C", u"\u010Daj", u"\u010Cas"}));
    EXPECT_EQ(list.IndexOf(u"\u010CAJ"), -1);
}

TEST(UniStringList, CompareIsAnOrder) {
    const std::u16string texts[] = {u"",       u"a",  u"A",  u"\u0130", u"I",      u"i", u"\u00C9",
                                    u"\u00E9", u"ab", u"aB", u"\u0416", u"\u0436", u"z"};
    for (bool cs : {false, true}) {
        for (const auto& x : texts)
            for (const auto& y : texts) {
                EXPECT_EQ(CompareWideText(x, y, cs), -CompareWideText(y, x, cs));
                for (const auto& z : texts)
                    if (CompareWideText(x, y, cs) <= 0 && CompareWideText(y, z, cs) <= 0) {
                        EXPECT_LE(CompareWideText(x, z, cs), 0);
                    }
            }
    }
}

TEST(UniStringList, PairNamesSortedAndUnsorted) {
    for (bool sorted : {false, true}) {
        TUniStringList list;
        list.SetSorted(sorted);
        list.Add(u"Width=10");
        list.Add(u"Left=3");
        list.Add(u"Leftover");
        const int left = list.IndexOfPairName(u"LEFT");
        ASSERT_GE(left, 0);
        EXPECT_EQ(list.Get(left), u"Left=3");
        EXPECT_EQ(list.IndexOfPairName(u"Height"), -1);
        EXPECT_EQ(list.IndexOfPairName(u"Leftover"), -1);
    }
}

TEST(UniStringList, NotificationsWaitForTheEndOfAnUpdate) {
    TUniStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TUniStringList&) { ++changing; };
    list.OnChange = [&](TUniStringList&) { ++changed; };
    list.Add(u"a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    // A bulk change runs inside an update: one OnChange at its end, no OnChanging.
    list.SetTextStr(u"x\r\ny\r\nz");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 2);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(u"w");
    list.EndUpdate();
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changed, 3);
}

TEST(UniStringList, CapacityGrowsInSteps) {
    TUniStringList list;
    std::vector<int> capacities;
    for (int i = 0; i < 100; ++i) {
        list.Add(u"x");
        if (capacities.empty() || capacities.back() != list.GetCapacity())
            capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    list.Clear();
    EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(UniStringList, AssignAndEquals) {
    TUniStringList a, b;
    int tag = 0;
    a.AddObject(u"\u4E2D", &tag);
    a.Add(u"x");
    a.SetPairSeparator(u':');
    b.Add(u"old");
    b.Assign(a);
    EXPECT_TRUE(b.Equals(a));
    EXPECT_EQ(b.GetObject(0), &tag);
    EXPECT_EQ(b.PairSeparator(), u':');
    b.Put(1, u"X");
    EXPECT_FALSE(b.Equals(a)); // code unit for code unit
}

// ---- file forms ---------------------------------------------------------------------------

struct LoadCase {
    std::vector<std::uint8_t> bytes;
    TTextFileCharSet charSet;
    std::vector<std::u16string> items;
};

TEST(UniStringsFiles, ByteOrderMarksChooseTheDecoding) {
    const LoadCase cases[] = {
        {{0xFF, 0xFE, 'a', 0, 0x0D, 0x01, '\r', 0, '\n', 0, 'b', 0},
         TTextFileCharSet::tfUtf16,
         {u"a\u010D", u"b"}},
        {{0xFE, 0xFF, 0, 'a', 0x4E, 0x2D, 0, '\n', 0, 'b'},
         TTextFileCharSet::tfUtf16Swapped,
         {u"a\u4E2D", u"b"}},
        {{0xEF, 0xBB, 0xBF, 0xC5, 0xBE, '\n', 'z'}, TTextFileCharSet::tfUtf8, {u"\u017E", u"z"}},
        {{'a', 'b'}, TTextFileCharSet::tfAnsi, {u"ab"}}, // 2 bytes, no mark: 8-bit text
        {{0xC4, 0x8D, '\r', '\n'}, TTextFileCharSet::tfAnsi, {u"\u010D"}},
        {{0xFF, 0xFE, 'a', 0, 'b'}, TTextFileCharSet::tfUtf16, {u"a"}}, // odd byte ignored
        {{0xFF, 0xFE, 'a'}, TTextFileCharSet::tfUtf16, {}},
        {{0xFF}, TTextFileCharSet::tfAnsi, {u"\uFFFD"}},
        {{}, TTextFileCharSet::tfAnsi, {}},
    };
    for (const LoadCase& c : cases) {
        TUniStringList list;
        list.Add(u"stale");
        ASSERT_TRUE(list.LoadFromBytes(c.bytes).ok());
        EXPECT_EQ(list.LastLoadCharSet(), c.charSet);
        EXPECT_EQ(itemsOf(list), c.items);
    }
}

TEST(UniStringsFiles, WithoutMarkTheBytesAreUtf16) {
    TUniStringList list;
    const std::vector<std::uint8_t> bytes = {0xEF, 0xBB, 'a', 0};
    ASSERT_TRUE(list.LoadFromBytesMarked(bytes, false).ok());
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{std::u16string{0xBBEF, u'a'}}));
    EXPECT_EQ(list.SaveToBytesMarked(false),
              (std::vector<std::uint8_t>{0xEF, 0xBB, 'a', 0, '\r', 0, '\n', 0}));
}

TEST(UniStringsFiles, DuplicatesASortedListRefusesAreAnErrorNotAThrow) {
    // A file is outside data: a policy the list enforces must come back as a failed load.
    TUniStringList list;
    list.SetSorted(true);
    list.SetDuplicates(DuplicatePolicy::dpError);
    list.Add(u"kept");
    const std::vector<std::uint8_t> bytes = {'b', '\n', 'a', '\n', 'b', '\n'};
    Status status;
    EXPECT_NO_THROW(status = list.LoadFromBytes(bytes));
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.error, "String list does not allow duplicates");
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(itemsOf(list), (std::vector<std::u16string>{u"kept"}));

    int changes = 0;
    list.OnChange = [&](TUniStringList&) { ++changes; };
    list.Add(u"new");
    EXPECT_EQ(changes, 1); // not stuck in an update
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("trvx_wide_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

using UniStringsFileIo = TempDir;

TEST_F(UniStringsFileIo, SavedFilesCarryTheMarkAndLoadBack) {
    TUniStringList list;
    list.Add(u"P\u0159\u00EDli\u0161");
    list.Add(u"\u8FDE\u53D1");
    const auto path = dir_ / "list.txt";
    ASSERT_TRUE(list.SaveToFile(path).ok());

    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes.size(), 2u + 2u * list.GetTextStr().size());

    TUniStringList loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path).ok());
    EXPECT_TRUE(loaded.Equals(list));
    EXPECT_EQ(loaded.LastLoadCharSet(), TTextFileCharSet::tfUtf16);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1); // no temp left
}

TEST_F(UniStringsFileIo, FileErrorsSayWhichFileAndWhy) {
    TUniStringList list;
    list.Add(u"keep");
    const Status open = list.LoadFromFile(dir_ / "missing.txt");
    EXPECT_EQ(open.error, "Cannot open file \"" + (dir_ / "missing.txt").string() +
                              "\". No such file or directory");
    EXPECT_EQ(list.Get(0), u"keep");

    const Status create = list.SaveToFile(dir_ / "no" / "such.txt");
    EXPECT_EQ(create.error, "Cannot create file \"" + (dir_ / "no" / "such.txt").string() +
                                "\". No such file or directory");
}

} // namespace
} // namespace trvx
