#include "storage/charset_converter.h"

#include "storage/text_lines.h"

#include <QHash>
#include <QStringDecoder>

namespace {

// Unicode to Windows-1252 bytes, with the four Hungarian letters it lacks.
const QHash<char16_t, char> &single_bytes()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        QStringDecoder decoder("windows-1252");
        for (int byte = 0; byte < 256; ++byte) {
            const QString decoded = decoder.decode(QByteArray(1, char(byte)));
            if (decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter)
                t.insert(decoded[0].unicode(), char(byte));
        }
        t.insert(u'ő', char(0xF5));
        t.insert(u'Ő', char(0xD5));
        t.insert(u'ű', char(0xFB));
        t.insert(u'Ű', char(0xDB));
        return t;
    }();
    return table;
}

} // namespace

ConvertedLines charset_converter(QList<QByteArray> lines)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (!lines.isEmpty() && lines.first().startsWith(bom))
        lines.first().remove(0, bom.size());

    ConvertedLines result;
    if (!is_utf8(lines)) {
        result.lines = lines;
        return result;
    }
    const auto &table = single_bytes();
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString text = QString::fromUtf8(lines[n]);
        QByteArray out;
        out.reserve(text.size());
        bool replaced = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto byte = table.constFind(text[i].unicode());
            if (byte != table.cend()) {
                out.append(*byte);
                continue;
            }
            // A character beyond the 16-bit range is one "?", not two.
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            out.append('?');
            replaced = true;
        }
        result.lines.append(out);
        if (replaced)
            result.replaced_lines.append(int(n + 1));
    }
    return result;
}
