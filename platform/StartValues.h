#pragma once

#include <cstddef>
#include <tuple>
#include <utility>

namespace platform {

// Remembers the values that a group of globals has when it is constructed and puts them back
// on restore(). Defined at namespace scope in the globals' own source file, after their header,
// it is constructed during static initialisation right after them, so it keeps the values of
// their initialisers; a reset routine then never repeats a default that the header states.
// The globals must be copy-assignable; owning pointers are reset by hand.
template <typename... T> class StartValues {
public:
    explicit StartValues(T&... globals) : m_globals(globals...), m_values(globals...) {}

    void restore() const {
        [this]<std::size_t... I>(std::index_sequence<I...>) {
            ((std::get<I>(m_globals) = std::get<I>(m_values)), ...);
        }
        (std::index_sequence_for<T...>{});
    }

private:
    std::tuple<T&...> m_globals;
    std::tuple<T...> m_values;
};

} // namespace platform
