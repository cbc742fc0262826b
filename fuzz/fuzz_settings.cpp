#include "evaluation/engine.h"
#include "evaluation/number_text.h"
#include "evaluation/year_rules.h"
#include "fuzz_input.h"
#include "storage/year_choice.h"

// pennaro.ini as any bytes: a year taken is one of the table's, and a kept
// figure taken is one its field takes: a wage above 0, a rate or cost ratio
// of 0 to 100 percent.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QDir &dir = scratch();
    // An unusable file is moved aside: only the one being read is there.
    for (const QString &left : dir.entryList(QDir::Files))
        dir.remove(left);
    put(dir.filePath("pennaro.ini"), bytes_of(data, size));
    const YearChoice choice = read_year_choice(dir.path());
    if (choice.year)
        MUST(year_rules::rules_for(*choice.year).year == *choice.year);
    for (const year_rules::Year &row : year_rules::years) {
        const KeptMasterData kept = read_master_choice(dir.path(), row.year);
        if (!kept.texts)
            continue;
        const MasterDataTexts &texts = *kept.texts;
        for (const QString *wage : {&texts.minimum_wage, &texts.guaranteed_minimum}) {
            const auto value = number_text::read_whole32(*wage, number_text::Kind::Forints);
            MUST(wage->isEmpty() || (value && *value > 0));
        }
        for (const QString *percent : {&texts.szja, &texts.tb, &texts.szocho, &texts.cost_ratio}) {
            const auto value = number_text::read_number(*percent);
            MUST(percent->isEmpty() || (value && *value >= 0 && *value <= 100));
        }
    }
    return 0;
}
