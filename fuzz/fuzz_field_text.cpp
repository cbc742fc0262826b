#include "fuzz_input.h"
#include "inputs/field_text.h"

using namespace number_text;

// The field texts: regrouping twice changes nothing, a revenue left is
// empty or a number, a master-data field left always reads as a number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = text_of(data, size);
    const QString once = regrouped_revenue(text);
    MUST(regrouped_revenue(once) == once);
    const QString left = revenue_on_leaving(text);
    MUST(left.isEmpty() || read_number(left, Kind::Forints));
    for (int decimals : {0, 1})
        for (const Kind kind : {Kind::Number, Kind::Forints})
            MUST(read_number(normalised_master(text, decimals, kind)));
    return 0;
}
