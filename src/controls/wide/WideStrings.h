#pragma once
// Lists of UTF-16 strings: the item lists of the wide list box and combo box derive from
// TUniStrings; TUniStringList keeps its items itself, optionally sorted.
//
// Index and policy errors are programming errors of the caller and throw EStringListError with
// the class library's messages; reading files (outside data) reports errors as a Status.

#include "controls/wide/ParseResult.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class EStringListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the text of a file was stored, found from its byte-order mark.
enum class TTextFileCharSet : std::uint8_t {
    tfAnsi = 0,         // no mark: the program's 8-bit text (UTF-8 on Linux)
    tfUtf16 = 1,        // FF FE
    tfUtf16Swapped = 2, // FE FF
    tfUtf8 = 3,         // EF BB BF
};

// Finds the byte-order mark at pos and moves pos past it; pos stays for tfAnsi.
TTextFileCharSet DetectTextFileCharSet(std::span<const std::uint8_t> bytes, std::size_t& pos);

// Splits a text into lines: a line ends at CR, LF or U+2028; after it one CR, then one LF, then
// one U+2028 are skipped. A NUL ends the text.
std::vector<std::u16string> SplitWideLines(std::u16string_view text);

class TWideStrings {
public:
    virtual ~TWideStrings() = default;
    TWideStrings() = default;
    TWideStrings(const TWideStrings&) = delete;
    TWideStrings& operator=(const TWideStrings&) = delete;

    // Abstract item access.
    virtual std::u16string Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Insert(int index, std::u16string_view text) = 0;

    virtual void* GetObject(int index) const;
    virtual void PutObject(int index, void* object);
    virtual void Put(int index, std::u16string_view text);
    virtual int GetCapacity() const { return GetCount(); }
    virtual void SetCapacity(int) {}
    virtual int CompareStrings(std::u16string_view a, std::u16string_view b) const;

    virtual int Add(std::u16string_view text);
    virtual int AddObject(std::u16string_view text, void* object);
    void AddStrings(const TWideStrings& other);
    virtual void InsertObject(int index, std::u16string_view text, void* object);
    virtual void Exchange(int i, int j);
    virtual void Move(int from, int to);
    virtual int IndexOf(std::u16string_view text) const;
    virtual int IndexOfPairName(std::u16string_view name) const;
    virtual int IndexOfObject(const void* object) const;

    // Every item followed by CR LF; an empty list gives an empty text.
    virtual std::u16string GetTextStr() const;
    // Clears the list and adds the lines of the text (see SplitWideLines).
    virtual void SetTextStr(std::u16string_view text);

    // The rest of the bytes as raw little-endian UTF-16, no mark handling.
    virtual Status LoadFromBytes(std::span<const std::uint8_t> bytes);
    virtual std::vector<std::uint8_t> SaveToBytes() const;
    Status LoadFromFile(const std::filesystem::path& name);
    // Writes a temporary file and renames it over the old one.
    Status SaveToFile(const std::filesystem::path& name) const;

    // Clears this list and copies the other's items, objects and special characters.
    void Assign(const TWideStrings& source);
    bool Equals(const TWideStrings& other) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    char16_t ListDelimiter() const { return delimiter_; }
    char16_t QuoteMark() const { return quote_; }
    char16_t PairSeparator() const { return pairSeparator_; }
    void SetListDelimiter(char16_t c) { delimiter_ = c; }
    void SetQuoteMark(char16_t c) { quote_ = c; }
    void SetPairSeparator(char16_t c) { pairSeparator_ = c; }

protected:
    virtual void SetUpdateState(bool) {}

    // BeginUpdate now, EndUpdate when the scope ends, also by an exception.
    class UpdateScope {
    public:
        explicit UpdateScope(TWideStrings& list) : list_(list) { list_.BeginUpdate(); }
        ~UpdateScope() { list_.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;

    private:
        TWideStrings& list_;
    };

    // SetTextStr for text read from outside: a refusal by the list gives a failed status and
    // leaves the items as they were.
    Status SetTextFromOutside(std::u16string_view text);

private:
    char16_t delimiter_ = u',';
    char16_t quote_ = u'"';
    char16_t pairSeparator_ = u'=';
    int updateCount_ = 0;
};

// Wide list whose files and streams carry a byte-order mark.
class TUniStrings : public TWideStrings {
public:
    // Detects the mark (when asked for; else UTF-16 LE) and sets the text; sets LastLoadCharSet.
    Status LoadFromBytesMarked(std::span<const std::uint8_t> bytes, bool withMark);
    // Mark FF FE when asked for, then the text as UTF-16 LE.
    std::vector<std::uint8_t> SaveToBytesMarked(bool withMark) const;

    Status LoadFromBytes(std::span<const std::uint8_t> bytes) override {
        return LoadFromBytesMarked(bytes, true);
    }
    std::vector<std::uint8_t> SaveToBytes() const override { return SaveToBytesMarked(true); }

    TTextFileCharSet LastLoadCharSet() const { return lastLoadCharSet_; }

private:
    TTextFileCharSet lastLoadCharSet_ = TTextFileCharSet::tfUtf16;
};

enum class DuplicatePolicy : std::uint8_t { dpIgnore = 0, dpAccept = 1, dpError = 2 };

class TUniStringList : public TUniStrings {
public:
    using Notify = std::function<void(TUniStringList&)>;
    using CompareFunction = std::function<int(const TUniStringList&, int, int)>;

    TUniStringList() = default;
    ~TUniStringList() override;

    std::u16string Get(int index) const override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, std::u16string_view text) override;
    void InsertObject(int index, std::u16string_view text, void* object) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Put(int index, std::u16string_view text) override;
    int GetCapacity() const override { return capacity_; }
    void SetCapacity(int capacity) override;
    int CompareStrings(std::u16string_view a, std::u16string_view b) const override;

    int Add(std::u16string_view text) override;
    int AddObject(std::u16string_view text, void* object) override;
    void Exchange(int i, int j) override;
    int IndexOf(std::u16string_view text) const override;
    int IndexOfPairName(std::u16string_view name) const override;

    // Binary search; true when found. index: with dpAccept the first equal item or where the
    // text belongs; otherwise the equal item met first.
    bool Find(std::u16string_view text, int& index) const;
    void Sort();
    void CustomSort(const CompareFunction& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    DuplicatePolicy Duplicates() const { return duplicates_; }
    void SetDuplicates(DuplicatePolicy policy) { duplicates_ = policy; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    Notify OnChange;
    Notify OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int index, std::u16string_view text, void* object);

private:
    struct Item {
        std::u16string text;
        void* object = nullptr;
    };
    void checkIndex(int index) const;
    void grow();
    void quickSort(int low, int high, const CompareFunction& compare);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool updating_ = false;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    DuplicatePolicy duplicates_ = DuplicatePolicy::dpIgnore;
};

// Locale-independent comparison of UTF-16 texts the way the lists sort: letters compare by
// their lower-case forms (Latin, Greek, Cyrillic); when caseSensitive and the texts differ only
// in case, the first position that differs puts lower case first.
int CompareWideText(std::u16string_view a, std::u16string_view b, bool caseSensitive);

} // namespace trvx
