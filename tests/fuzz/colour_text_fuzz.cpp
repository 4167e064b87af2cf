// libFuzzer target for the colour text reader: any bytes must give either a colour
// whose highest byte is zero or a reported fault, and whatever a colour turns into
// on writing must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "colour/colour_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orvex::ColourTextResult result = orvex::ColorFromText(text);
    if (!result) {
        return 0;
    }
    if ((result.colour & ~orvex::kWhite) != 0) {
        std::abort();
    }
    if (!orvex::ColorFromText(orvex::ColorToText(result.colour))) {
        std::abort();
    }
    return 0;
}
