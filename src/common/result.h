#pragma once
// The one answer of a step that can fail outside the calculation: its value,
// or the Problem that stopped it. A Problem's message is German and reaches
// the user as it stands (the caller may put it into a longer text). The
// calculation itself throws the core's errors instead (errors.h).
//
//   Result<std::string> bytes = ReadWholeFile(...);
//   if (!bytes) { show(bytes.problem().message); return; }
//   use(*bytes);

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace hk {

namespace detail {
// Asking a Result for the side it does not hold is a fault of the program,
// never of the user's input: it ends here, in every build, rather than going
// on with a value that was never made.
[[noreturn]] inline void WrongSide(const char* asked) {
    std::fprintf(stderr, "hkberech: Result::%s() on the other side\n", asked);
    std::abort();
}
} // namespace detail

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

    // Only after checking: value() of a failed result, or problem() of an
    // ok one, ends the program (detail::WrongSide).
    T& value() & { return *valuePtr(); }
    const T& value() const& { return *valuePtr(); }
    T&& value() && { return std::move(*valuePtr()); }
    const E& problem() const {
        if (const E* p = std::get_if<1>(&held_)) {
            return *p;
        }
        detail::WrongSide("problem");
    }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    T* valuePtr() {
        if (T* v = std::get_if<0>(&held_)) {
            return v;
        }
        detail::WrongSide("value");
    }
    const T* valuePtr() const { return const_cast<Result*>(this)->valuePtr(); }

    std::variant<T, E> held_;
};

// A step that gives nothing but may fail: `return {};` is success.
template <typename E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E problem) : problem_(std::move(problem)) {}

    bool ok() const { return !problem_.has_value(); }
    explicit operator bool() const { return ok(); }
    const E& problem() const {
        if (!problem_) {
            detail::WrongSide("problem");
        }
        return *problem_;
    }

private:
    std::optional<E> problem_;
};

} // namespace hk
