// libFuzzer entry for Base64: any text decodes or is refused without reading outside it,
// what decodes encodes back to a text that decodes the same, and any bytes survive the trip.

#include "core/Base64.hpp"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto bytes = Base64::decode(text)) {
        auto again = Base64::decode(Base64::encode(*bytes));
        if (!again || *again != *bytes)
            std::abort();
    }
    auto trip = Base64::decode(Base64::encode(text));
    if (!trip || std::string_view(reinterpret_cast<const char*>(trip->data()), trip->size()) != text)
        std::abort();
    return 0;
}
