#include "evaluation/number_text.h"
#include "fuzz_input.h"
#include "storage/revenue_file.h"

using number_text::Kind;

// Twelve texts saved and read again: every number reads back the same,
// every other text comes back as it was, but for line ends and what a
// line cannot hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList texts = text_of(data, size).split(u'\n');
    texts.resize(12);
    for (QString &text : texts)
        text.remove(u'\r').remove(QChar(0xFEFF)).remove(QChar(0));
    const QString path = scratch().filePath("adat.txt");
    MUST(!save_revenue_file(path, texts));
    const RevenueFile read = load_revenue_file(path);
    for (const Problem &problem : read.problems)
        MUST(problem.what == Problem::What::BadRevenueLines);
    for (int i = 0; i < 12; ++i) {
        const auto value = number_text::read_whole32(texts[i], Kind::Forints);
        if (value)
            MUST(read.revenue[i] == *value);
        else if (!number_text::read_number(texts[i], Kind::Forints))
            MUST(read.texts[i] == texts[i]);
    }
    return 0;
}
