#include "fuzz_input.h"
#include "storage/taxpayer_file.h"

// adat2.txt as any bytes: no converted line, nor any entry, holds CR, LF
// or a C1 byte, which the form program would take for something else.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QDir &dir = scratch();
    put(dir.filePath("adat2.txt"), bytes_of(data, size));
    const TaxpayerData read = read_taxpayer_data(dir.path());
    MUST(read.present && read.lines.size() == 31);
    const auto clean = [](const QByteArray &bytes) {
        for (const char c : bytes)
            if (c == '\r' || c == '\n' || (uchar(c) >= 0x80 && uchar(c) < 0xA0))
                return false;
        return true;
    };
    for (const QByteArray &entry : read.lines)
        MUST(clean(entry));
    for (const QByteArray &line : read.copy.value_or(QByteArray()).split('\n'))
        MUST(clean(line.endsWith('\r') ? line.chopped(1) : line));
    return 0;
}
