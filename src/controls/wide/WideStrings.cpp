#include "controls/wide/WideStrings.h"

#include "controls/wide/WideText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace trvx {
namespace {

const char* const kSortedListError = "Operation not allowed on sorted list";
const char* const kDuplicateError = "String list does not allow duplicates";

[[noreturn]] void indexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

// Simple lower-case mapping of the scripts the captions and names use. The lists compare
// alike on every machine, whatever locale the desktop runs in.
char16_t foldCase(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130)
            return u'i';
        if (c == 0x178)
            return 0xFF;
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper)
            return (c & 1) ? static_cast<char16_t>(c + 1) : c;
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        return static_cast<char16_t>(c | 1);
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

Status writeFileReplacing(const std::filesystem::path& name,
                          const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(name, ec);
    const std::string shown = ec ? name.string() : full.string();
    const std::string temp = name.string() + "." + std::to_string(::getpid()) + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Status::Fail("Cannot create file \"" + shown + "\". " + SystemErrorText(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Status::Fail("Cannot create file \"" + shown + "\". " + SystemErrorText(err));
        }
        done += static_cast<std::size_t>(n);
    }
    // The handle is closed whatever fsync said, then the temporary file replaces the old one.
    const bool synced = ::fsync(fd) == 0;
    int err = errno;
    const bool closed = ::close(fd) == 0;
    if (synced && !closed)
        err = errno;
    if (!synced || !closed || ::rename(temp.c_str(), name.c_str()) != 0) {
        if (synced && closed)
            err = errno;
        ::unlink(temp.c_str());
        return Status::Fail("Cannot create file \"" + shown + "\". " + SystemErrorText(err));
    }
    return Status::Ok();
}

} // namespace

int CompareWideText(std::u16string_view a, std::u16string_view b, bool caseSensitive) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t fa = foldCase(a[i]);
        const char16_t fb = foldCase(b[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    if (caseSensitive) {
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] == b[i])
                continue;
            const bool lowerA = a[i] == foldCase(a[i]);
            const bool lowerB = b[i] == foldCase(b[i]);
            if (lowerA != lowerB)
                return lowerA ? -1 : 1; // lower case first
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

TTextFileCharSet DetectTextFileCharSet(std::span<const std::uint8_t> bytes, std::size_t& pos) {
    const std::size_t left = pos < bytes.size() ? bytes.size() - pos : 0;
    if (left > 1) {
        if (bytes[pos] == 0xFF && bytes[pos + 1] == 0xFE) {
            pos += 2;
            return TTextFileCharSet::tfUtf16;
        }
        if (bytes[pos] == 0xFE && bytes[pos + 1] == 0xFF) {
            pos += 2;
            return TTextFileCharSet::tfUtf16Swapped;
        }
    }
    if (left > 2 && bytes[pos] == 0xEF && bytes[pos + 1] == 0xBB && bytes[pos + 2] == 0xBF) {
        pos += 3;
        return TTextFileCharSet::tfUtf8;
    }
    return TTextFileCharSet::tfAnsi;
}

std::vector<std::u16string> SplitWideLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    const std::size_t end = std::min(text.find(u'\0'), text.size());
    std::size_t i = 0;
    while (i < end) {
        const std::size_t start = i;
        while (i < end && text[i] != u'\r' && text[i] != u'\n' && text[i] != 0x2028)
            ++i;
        lines.emplace_back(text.substr(start, i - start));
        if (i < end && text[i] == u'\r')
            ++i;
        if (i < end && text[i] == u'\n')
            ++i;
        if (i < end && text[i] == 0x2028)
            ++i;
    }
    return lines;
}

// ---- TWideStrings ---------------------------------------------------------------------------

void* TWideStrings::GetObject(int) const {
    return nullptr;
}

void TWideStrings::PutObject(int, void*) {}

void TWideStrings::Put(int index, std::u16string_view text) {
    void* object = GetObject(index);
    const std::u16string copy(text); // text may view the item being deleted
    Delete(index);
    InsertObject(index, copy, object);
}

int TWideStrings::CompareStrings(std::u16string_view a, std::u16string_view b) const {
    return CompareWideText(a, b, false);
}

int TWideStrings::Add(std::u16string_view text) {
    const int index = GetCount();
    Insert(index, text);
    return index;
}

int TWideStrings::AddObject(std::u16string_view text, void* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TWideStrings::AddStrings(const TWideStrings& other) {
    BeginUpdate();
    const int n = other.GetCount();
    for (int i = 0; i < n; ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TWideStrings::InsertObject(int index, std::u16string_view text, void* object) {
    Insert(index, text);
    PutObject(index, object);
}

void TWideStrings::Exchange(int i, int j) {
    BeginUpdate();
    const std::u16string textI = Get(i);
    void* objectI = GetObject(i);
    Put(i, Get(j));
    PutObject(i, GetObject(j));
    Put(j, textI);
    PutObject(j, objectI);
    EndUpdate();
}

void TWideStrings::Move(int from, int to) {
    if (from == to)
        return;
    BeginUpdate();
    const std::u16string text = Get(from);
    void* object = GetObject(from);
    Delete(from);
    InsertObject(to, text, object);
    EndUpdate();
}

int TWideStrings::IndexOf(std::u16string_view text) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (CompareStrings(Get(i), text) == 0)
            return i;
    return -1;
}

int TWideStrings::IndexOfPairName(std::u16string_view name) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        const std::u16string item = Get(i);
        const std::size_t sep = item.find(PairSeparator());
        if (sep != std::u16string::npos &&
            CompareStrings(std::u16string_view(item).substr(0, sep), name) == 0)
            return i;
    }
    return -1;
}

int TWideStrings::IndexOfObject(const void* object) const {
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::u16string TWideStrings::GetTextStr() const {
    std::u16string text;
    const int n = GetCount();
    for (int i = 0; i < n; ++i) {
        text += Get(i);
        text += u"\r\n";
    }
    return text;
}

void TWideStrings::SetTextStr(std::u16string_view text) {
    std::vector<std::u16string> lines = SplitWideLines(text);
    UpdateScope update(*this);
    Clear();
    for (const std::u16string& line : lines)
        Add(line);
}

Status TWideStrings::SetTextFromOutside(std::u16string_view text) {
    // The list may refuse what a file holds (duplicates in a sorted list); that is a failed
    // load, and the list keeps the items it had.
    std::vector<std::pair<std::u16string, void*>> before;
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        before.emplace_back(Get(i), GetObject(i));
    try {
        SetTextStr(text);
        return Status::Ok();
    } catch (const EStringListError& error) {
        UpdateScope update(*this);
        Clear();
        for (const auto& [item, object] : before) {
            try {
                AddObject(item, object);
            } catch (const EStringListError&) {
                // Only a list whose policy changed after it was filled refuses its own items.
            }
        }
        return Status::Fail(error.what());
    }
}

Status TWideStrings::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    return SetTextFromOutside(Utf16FromLittleEndianBytes(bytes));
}

std::vector<std::uint8_t> TWideStrings::SaveToBytes() const {
    const std::u16string text = GetTextStr();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

Status TWideStrings::LoadFromFile(const std::filesystem::path& name) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(name, ec);
    const std::string shown = ec ? name.string() : full.string();
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return Status::Fail("Cannot open file \"" + shown + "\". " + SystemErrorText(errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror(file) != 0;
    const int err = errno;
    std::fclose(file);
    if (failed)
        return Status::Fail("Cannot open file \"" + shown + "\". " + SystemErrorText(err));
    return LoadFromBytes(bytes);
}

Status TWideStrings::SaveToFile(const std::filesystem::path& name) const {
    return writeFileReplacing(name, SaveToBytes());
}

void TWideStrings::Assign(const TWideStrings& source) {
    if (&source == this)
        return;
    BeginUpdate();
    Clear();
    delimiter_ = source.delimiter_;
    quote_ = source.quote_;
    pairSeparator_ = source.pairSeparator_;
    const int n = source.GetCount();
    for (int i = 0; i < n; ++i)
        AddObject(source.Get(i), source.GetObject(i));
    EndUpdate();
}

bool TWideStrings::Equals(const TWideStrings& other) const {
    const int n = GetCount();
    if (n != other.GetCount())
        return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

void TWideStrings::BeginUpdate() {
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

// ---- TUniStrings ----------------------------------------------------------------------------

Status TUniStrings::LoadFromBytesMarked(std::span<const std::uint8_t> bytes, bool withMark) {
    std::size_t pos = 0;
    const TTextFileCharSet charSet =
        withMark ? DetectTextFileCharSet(bytes, pos) : TTextFileCharSet::tfUtf16;
    const std::span<const std::uint8_t> rest = bytes.subspan(pos);
    std::u16string text;
    switch (charSet) {
    case TTextFileCharSet::tfUtf16:
        text = Utf16FromLittleEndianBytes(rest);
        break;
    case TTextFileCharSet::tfUtf16Swapped:
        text = Utf16FromLittleEndianBytes(rest);
        for (char16_t& c : text)
            c = static_cast<char16_t>((c >> 8) | (c << 8));
        break;
    case TTextFileCharSet::tfUtf8:
    case TTextFileCharSet::tfAnsi:
        text =
            Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
        break;
    }
    Status status;
    {
        UpdateScope update(*this);
        status = SetTextFromOutside(text);
    }
    if (withMark && status.ok())
        lastLoadCharSet_ = charSet;
    return status;
}

std::vector<std::uint8_t> TUniStrings::SaveToBytesMarked(bool withMark) const {
    std::vector<std::uint8_t> bytes;
    if (withMark) {
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
    }
    const std::vector<std::uint8_t> text = TWideStrings::SaveToBytes();
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

// ---- TUniStringList -------------------------------------------------------------------------

TUniStringList::~TUniStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    items_.clear();
}

void TUniStringList::checkIndex(int index) const {
    if (index < 0 || index >= GetCount())
        indexError(index);
}

std::u16string TUniStringList::Get(int index) const {
    checkIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void* TUniStringList::GetObject(int index) const {
    checkIndex(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TUniStringList::PutObject(int index, void* object) {
    checkIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TUniStringList::Put(int index, std::u16string_view text) {
    if (sorted_)
        throw EStringListError(kSortedListError);
    checkIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].text = std::u16string(text);
    Changed();
}

void TUniStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
    Changed();
}

void TUniStringList::Delete(int index) {
    checkIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TUniStringList::Insert(int index, std::u16string_view text) {
    InsertObject(index, text, nullptr);
}

void TUniStringList::InsertObject(int index, std::u16string_view text, void* object) {
    if (sorted_)
        throw EStringListError(kSortedListError);
    if (index < 0 || index > GetCount())
        indexError(index);
    InsertItem(index, text, object);
}

void TUniStringList::grow() {
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + delta);
}

void TUniStringList::SetCapacity(int capacity) {
    capacity_ = std::max(capacity, GetCount());
    items_.reserve(static_cast<std::size_t>(capacity_));
}

void TUniStringList::InsertItem(int index, std::u16string_view text, void* object) {
    Changing();
    if (GetCount() == capacity_)
        grow();
    items_.insert(items_.begin() + index, Item{std::u16string(text), object});
    Changed();
}

int TUniStringList::Add(std::u16string_view text) {
    return AddObject(text, nullptr);
}

int TUniStringList::AddObject(std::u16string_view text, void* object) {
    int index = GetCount();
    if (sorted_ && Find(text, index)) {
        if (duplicates_ == DuplicatePolicy::dpIgnore)
            return index;
        if (duplicates_ == DuplicatePolicy::dpError)
            throw EStringListError(kDuplicateError);
    }
    InsertItem(index, text, object);
    return index;
}

void TUniStringList::Exchange(int i, int j) {
    checkIndex(i);
    checkIndex(j);
    Changing();
    std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
    Changed();
}

int TUniStringList::CompareStrings(std::u16string_view a, std::u16string_view b) const {
    return CompareWideText(a, b, caseSensitive_);
}

bool TUniStringList::Find(std::u16string_view text, int& index) const {
    bool found = false;
    int low = 0;
    int high = GetCount() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = CompareStrings(items_[static_cast<std::size_t>(middle)].text, text);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != DuplicatePolicy::dpAccept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

int TUniStringList::IndexOf(std::u16string_view text) const {
    if (!sorted_)
        return TWideStrings::IndexOf(text);
    int index = -1;
    return Find(text, index) ? index : -1;
}

int TUniStringList::IndexOfPairName(std::u16string_view name) const {
    if (!sorted_)
        return TWideStrings::IndexOfPairName(name);
    std::u16string probe(name);
    probe += PairSeparator();
    int index = -1;
    Find(probe, index);
    if (index < GetCount()) {
        const std::u16string_view item = items_[static_cast<std::size_t>(index)].text;
        if (item.size() >= probe.size() && CompareStrings(item.substr(0, probe.size()), probe) == 0)
            return index;
    }
    return -1;
}

void TUniStringList::Sort() {
    CustomSort([](const TUniStringList& list, int i, int j) {
        return list.CompareStrings(list.items_[static_cast<std::size_t>(i)].text,
                                   list.items_[static_cast<std::size_t>(j)].text);
    });
}

void TUniStringList::CustomSort(const CompareFunction& compare) {
    if (sorted_ || GetCount() < 2)
        return;
    Changing();
    quickSort(0, GetCount() - 1, compare);
    Changed();
}

void TUniStringList::quickSort(int low, int high, const CompareFunction& compare) {
    int i = 0;
    do {
        i = low;
        int j = high;
        int pivot = (low + high) / 2;
        do {
            // The bounds only matter for a compare function that is not a consistent order.
            while (i < high && compare(*this, i, pivot) < 0)
                ++i;
            while (j > low && compare(*this, j, pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]);
                if (pivot == i)
                    pivot = j;
                else if (pivot == j)
                    pivot = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (low < j)
            quickSort(low, j, compare);
        low = i;
    } while (i < high);
}

void TUniStringList::SetSorted(bool sorted) {
    if (sorted == sorted_)
        return;
    if (sorted)
        Sort();
    sorted_ = sorted;
}

void TUniStringList::SetCaseSensitive(bool value) {
    if (value == caseSensitive_)
        return;
    caseSensitive_ = value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

void TUniStringList::SetUpdateState(bool updating) {
    updating_ = updating;
    if (updating)
        Changing();
    else
        Changed();
}

void TUniStringList::Changed() {
    if (!updating_ && OnChange)
        OnChange(*this);
}

void TUniStringList::Changing() {
    if (!updating_ && OnChanging)
        OnChanging(*this);
}

} // namespace trvx
