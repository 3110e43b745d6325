#include <bond/protocol/detail/text.h>

namespace bond::detail {

[[gnu::aligned(64)]] bool WidenUtf16Run(const uint8_t* units, uint32_t size, wchar_t* out) noexcept
{
    return WidenUtf16(units, size, out);
}

}  // namespace bond::detail
