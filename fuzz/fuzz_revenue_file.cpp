#include "fuzz_input.h"
#include "storage/revenue_file.h"

// adat.txt as any bytes: twelve texts come back, a value only for a text
// that reads as a number, and a file it cannot read is never replaced
// without its bytes kept.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QDir &dir = scratch();
    const QString path = dir.filePath("adat.txt");
    dir.remove("adat_olvashatatlan.txt");
    put(path, bytes_of(data, size));
    const RevenueFile read = load_revenue_file(path);
    MUST(read.texts.size() == 12);
    for (int i = 0; i < 12; ++i)
        MUST(read.revenue[i] == 0 || !read.texts[i].isEmpty());
    for (const Problem &problem : read.problems) {
        if (problem.what != Problem::What::RevenuesMovedAside)
            continue;
        QFile aside(problem.other_path);
        MUST(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes_of(data, size));
    }
    return 0;
}
