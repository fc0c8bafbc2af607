#pragma once

#include <type_traits>
#include <utility>
#include <variant>

namespace korvel {

// The error of a failed call, wrapped so that a Result tells it from a value even
// where both have the same type: `return Failure{FieldError{field, "empty"}};`.
template <typename E> struct Failure { E error; };
template <typename E> Failure(E) -> Failure<E>;

template <typename T> inline constexpr bool kIsFailure = false;
template <typename E> inline constexpr bool kIsFailure<Failure<E>> = true;

// What a Result of `T` takes as its value: what makes a `T`, except a Failure or
// another Result, which are not values.
template <typename U, typename T, typename Self>
concept ResultValue = std::is_constructible_v<T, U&&> && !kIsFailure<std::remove_cvref_t<U>> &&
                      !std::is_same_v<std::remove_cvref_t<U>, Self>;

// What a call that can fail returns: its value, or the error that says why there
// is none. True when it holds the value. The interface is the part of
// std::expected that the program uses, so that one can replace the other.
// value() and error() on the wrong side throw std::bad_variant_access.
template <typename T, typename E> class Result {
public:
    using value_type = T;
    using error_type = E;

    template <ResultValue<T, Result> U = T>
    Result(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}

    template <typename G>
    Result(Failure<G> failure) : state_(std::in_place_index<1>, std::move(failure.error)) {}

    bool has_value() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }

    E& error() & { return std::get<1>(state_); }
    const E& error() const& { return std::get<1>(state_); }
    E&& error() && { return std::get<1>(std::move(state_)); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, E> state_;
};

// What a call that does something and can fail returns: nothing when it worked
// (`return {};`), otherwise the error.
template <typename E> class Result<void, E> {
public:
    using value_type = void;
    using error_type = E;

    Result() = default;

    template <typename G>
    Result(Failure<G> failure) : state_(std::in_place_index<1>, std::move(failure.error)) {}

    bool has_value() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    void value() const { (void)std::get<0>(state_); }

    E& error() & { return std::get<1>(state_); }
    const E& error() const& { return std::get<1>(state_); }
    E&& error() && { return std::get<1>(std::move(state_)); }

private:
    std::variant<std::monostate, E> state_;
};

} // namespace korvel
