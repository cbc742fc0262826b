#include "storage/charset_converter.h"

#include <array>

namespace charset {

namespace {

using UpperHalf = std::array<char16_t, 128>;

// Bytes 0x80 to 0xFF. The five bytes Windows-1250 leaves free keep their
// C1 code points, as Windows itself reads them.
constexpr UpperHalf windows1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

constexpr UpperHalf iso8859_2 = {
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, //
    0x0088, 0x0089, 0x008A, 0x008B, 0x008C, 0x008D, 0x008E, 0x008F, //
    0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097, //
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F, //
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, //
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B, //
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7, //
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

QString decode(QByteArrayView bytes, const UpperHalf &table)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += QChar(b < 0x80 ? char16_t(b) : table[b - 0x80]);
    }
    return text;
}

// The byte of `c` in the table's code page; 0 when it has none. `first` is
// the lowest upper-half byte that may be written.
char encode(char16_t c, const UpperHalf &table, int first = 0x80)
{
    if (c < 0x80)
        return char(c);
    for (int i = first - 0x80; i < 128; ++i)
        if (table[i] == c)
            return char(0x80 + i);
    return 0;
}

} // namespace

QString decode_line(QByteArrayView line)
{
    // Walks the bytes as UTF-8, counting the valid multi-byte sequences.
    QString text;
    text.reserve(line.size());
    int sequences = 0;
    bool invalid = false;
    for (qsizetype i = 0; i < line.size();) {
        const auto byte = [&line](qsizetype at) { return uchar(line[at]); };
        const uchar lead = byte(i);
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        // The length and the range of the second byte, which excludes
        // overlong forms, surrogates and code points past U+10FFFF.
        int length = 0;
        uchar low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        bool valid
            = length > 0 && i + length <= line.size() && byte(i + 1) >= low && byte(i + 1) <= high;
        for (int k = 2; valid && k < length; ++k)
            valid = byte(i + k) >= 0x80 && byte(i + k) <= 0xBF;
        if (!valid) {
            text += QChar(QChar::ReplacementCharacter);
            invalid = true;
            ++i;
            continue;
        }
        text += QString::fromUtf8(line.sliced(i, length));
        ++sequences;
        i += length;
    }
    if (invalid && sequences == 0)
        text = from_windows1250(line);
    text.remove(QChar(0xFEFF));
    return text;
}

QString from_windows1250(QByteArrayView bytes)
{
    return decode(bytes, windows1250);
}

QByteArray to_windows1250(QStringView text, bool *replaced)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char byte = encode(text[i].unicode(), windows1250);
        if (byte != 0 || text[i].isNull()) {
            bytes += byte;
            continue;
        }
        bytes += '?';
        if (replaced)
            *replaced = true;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one "?" for a character beyond 16 bits
    }
    return bytes;
}

QString from_iso8859_2(QByteArrayView bytes)
{
    return decode(bytes, iso8859_2);
}

QByteArray to_iso8859_2(QStringView text, bool *replaced)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\u201C': // “ ” „ ‟ « »
        case u'\u201D':
        case u'\u201E':
        case u'\u201F':
            bytes += '"';
            continue;
        case u'\u2010': // the hyphens and dashes
        case u'\u2011':
        case u'\u2012':
        case u'\u2013':
        case u'\u2014':
        case u'\u2015':
        case u'\u2212':
            bytes += '-';
            continue;
        case u'\u2026':
            bytes += "...";
            continue;
        default:
            break;
        }
        // 0x80 to 0x9F are control characters there, never written.
        const char byte = encode(c, iso8859_2, 0xA0);
        if (byte != 0 || c == 0) {
            bytes += byte;
            continue;
        }
        bytes += '?';
        if (replaced)
            *replaced = true;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return bytes;
}

void drop_split_character(QByteArray &line)
{
    // Step back over continuation bytes to the lead byte of the last character.
    qsizetype lead = line.size();
    while (lead > 0 && line.size() - lead < 4 && (uchar(line[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead == 0)
        return;
    const uchar first = uchar(line[lead - 1]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (first >= 0xC0 && line.size() - (lead - 1) < length)
        line.truncate(lead - 1);
}

} // namespace charset

ConvertedLines charset_converter(const QList<QByteArray> &lines)
{
    ConvertedLines result;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString text = charset::decode_line(lines[n]);
        // The value ends at the first apostrophe; only it reaches the declaration.
        const qsizetype comment = text.indexOf(u'\'');
        const QStringView value = comment < 0 ? QStringView(text) : QStringView(text).left(comment);
        bool replaced = false;
        QByteArray bytes = charset::to_iso8859_2(value, &replaced);
        if (comment >= 0)
            bytes += charset::to_iso8859_2(QStringView(text).mid(comment));
        result.lines.append(bytes);
        if (replaced && n < 23)
            result.replaced_lines.append(int(n + 1));
    }
    return result;
}
