#include "declaration/import_file.h"
#include "fuzz_input.h"

// felad.imp from any taxpayer lines: its lines keep their order and count,
// each ended by CR LF.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> lines = bytes_of(data, size).split('\n');
    Declaration d {
        TaxpayerLines(31), {2026, "20260301", "20260331"}, 48100, 38025, 260000, 292500, true};
    for (int i = 1; i <= 24 && i <= lines.size(); ++i) {
        QByteArray value = lines[i - 1];
        value.replace('\r', ' '); // a taxpayer line never holds a line end
        d.taxpayer[i] = value;
    }
    d.main_employment = size % 2 == 0;
    const ImportFile file = import_file(d);
    if (file.problem)
        return 0;
    // Every key in its place; only lines 12 to 15 and "26399[1]" may be
    // left out.
    static const char *const keys[] = {"$ny_azon", "$sorok_sz\xE1ma", "$d_lapok_sz\xE1ma",
        "$d_lap1", "8131", "12634", "14361", "14417", "21279", "23299", "23302", "23328", "23303",
        "23304", "23305", "23306", "23307", "23308", "23309", "23310", "23311", "23313", "23314",
        "23335", "23336", "23339", "23853", "24026", "24027", "24029", "24030", "24031", "26378[1]",
        "26380[1]", "26383[1]", "26384[1]", "26385[1]", "26397[1]", "26398[1]", "26399[1]",
        "26473[1]", "26401[1]", "26400[1]", "26413[1]", "26414[1]"};
    QList<QByteArray> written = file.bytes.split('\n');
    MUST(written.takeLast().isEmpty());
    MUST(written.size() >= 40 && written.size() <= 45);
    qsizetype at = 0;
    for (int entry = 12; entry <= 15; ++entry)
        MUST(d.taxpayer[entry].isEmpty()
            != written.contains(keys[entry + 5] + ('=' + d.taxpayer[entry]) + '\r'));
    for (const char *key : keys) {
        const QByteArray line = at < written.size() ? written[at] : QByteArray();
        if (line.startsWith(QByteArray(key) + '=')) {
            MUST(line.endsWith('\r') && line.count('\r') == 1);
            ++at;
        } else {
            static const QList<QByteArray> optional
                = {"23308", "23309", "23310", "23311", "26399[1]"};
            MUST(optional.contains(key));
        }
    }
    MUST(at == written.size());
    return 0;
}
