#pragma once
// Results of reading outside data: a value, or a message for the user saying what was wrong.

#include <optional>
#include <string>
#include <utility>

namespace trvx {

template <class T> struct ParseResult {
    std::optional<T> value;
    std::string error; // set when value is empty; shown to the user as it stands
    std::string where; // what the error concerns (a key, a file), may be empty

    static ParseResult Ok(T v) {
        ParseResult r;
        r.value = std::move(v);
        return r;
    }
    static ParseResult Fail(std::string message, std::string concerning = {}) {
        ParseResult r;
        r.error = std::move(message);
        r.where = std::move(concerning);
        return r;
    }
    bool ok() const { return value.has_value(); }
    explicit operator bool() const { return ok(); }
    T& operator*() { return *value; }
    const T& operator*() const { return *value; }
    T* operator->() { return &*value; }
    const T* operator->() const { return &*value; }
};

// Success or a message, for operations that give nothing back.
struct Status {
    std::string error; // empty on success

    static Status Ok() { return {}; }
    static Status Fail(std::string message) {
        return Status{message.empty() ? std::string("Unspecified error") : std::move(message)};
    }
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

} // namespace trvx
