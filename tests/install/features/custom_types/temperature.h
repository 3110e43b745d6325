// The program's own types, as the schema's aliases name them: the traits
// come first, before the runtime's reading and writing code.
#pragma once

#include <bond/core/container_interface.h>
#include <bond/core/exception.h>
#include <bond/core/scalar_interface.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace units {

struct Temperature {
    double kelvin = 0;
    bool operator==(const Temperature&) const = default;
};

}  // namespace units

namespace bond {

template <>
struct aliased_type<units::Temperature> {
    using type = double;
};

template <typename T, std::size_t N>
struct is_list_container<std::array<T, N>> : true_type {};

// A payload with more elements than the array holds is refused.
template <typename T, std::size_t N>
void resize_list(std::array<T, N>&, uint32_t size)
{
    if (size > N) {
        BOND_THROW(CoreException, "a shelf holds " << N << " readings, not " << size);
    }
}

}  // namespace bond

inline void set_aliased_value(units::Temperature& temperature, double celsius)
{
    temperature.kelvin = celsius + 273.15;
}

inline double get_aliased_value(const units::Temperature& temperature)
{
    return temperature.kelvin - 273.15;
}
