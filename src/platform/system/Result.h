#pragma once
#include <QString>
#include <optional>
#include <utility>

namespace fendle {

// What a reader or writer answers: a value, or the message saying why not.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result failure(QString message) {
        Result r;
        r.error_ = std::move(message);
        return r;
    }
    template <typename U>
    static Result failure(const Result<U>& other) { return failure(other.error()); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

private:
    Result() = default;
    std::optional<T> value_;
    QString error_;
};

// A result without a value.
struct Done {};
using Status = Result<Done>;
inline Status succeeded() { return Status(Done{}); }

}  // namespace fendle
