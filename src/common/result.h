#pragma once
// The one answer of a step that can fail outside the calculation: its value,
// or the Problem that stopped it. A Problem's message is German and reaches
// the user as it stands (the caller may put it into a longer text). The
// calculation itself throws the core's errors instead (errors.h).
//
//   Result<std::string> bytes = ReadWholeFile(...);
//   if (!bytes) { show(bytes.problem().message); return; }
//   use(*bytes);

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace hk {

struct Problem {
    std::string message; // German, for the message box
    bool operator==(const Problem&) const = default;
};

// E is Problem unless a failure must say more (a file reader names the line).
template <typename T, typename E = Problem> class [[nodiscard]] Result {
    static_assert(!std::is_same_v<T, E>, "a value and a problem of one type cannot be told apart");

public:
    Result(T value) : held_(std::in_place_index<0>, std::move(value)) {}
    Result(E problem) : held_(std::in_place_index<1>, std::move(problem)) {}

    bool ok() const { return held_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Asking a failed result for its value (or an ok one for its problem) is
    // a fault of the caller: std::bad_variant_access.
    T& value() & { return std::get<0>(held_); }
    const T& value() const& { return std::get<0>(held_); }
    T&& value() && { return std::get<0>(std::move(held_)); }
    const E& problem() const { return std::get<1>(held_); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, E> held_;
};

// A step that gives nothing but may fail: `return {};` is success.
template <typename E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E problem) : problem_(std::move(problem)) {}

    bool ok() const { return !problem_.has_value(); }
    explicit operator bool() const { return ok(); }
    const E& problem() const { return problem_.value(); }

private:
    std::optional<E> problem_;
};

} // namespace hk
