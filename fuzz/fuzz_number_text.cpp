#include "evaluation/number_text.h"
#include "fuzz_input.h"

#include <cmath>

using namespace number_text;

// The number reader: a number it reads is finite, and grouped it reads
// back as the same whole number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = text_of(data, size);
    for (const Kind kind : {Kind::Number, Kind::Forints}) {
        const auto value = read_number(text, kind);
        const double amount = to_amount(text, kind);
        MUST(!value || (std::isfinite(*value) && *value == amount));
        if (const auto whole = value ? whole32(*value) : std::nullopt) {
            MUST(read_whole32(grouped(*whole, 0), kind) == whole);
            MUST(read_number(plain(*whole)) == double(*whole));
            MUST(bare_digits(grouped(*whole, 0)) == QString::number(*whole));
        }
    }
    return 0;
}
