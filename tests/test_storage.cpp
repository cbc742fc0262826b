#include "file_size_limit.h"
#include "storage/charset_converter.h"
#include "storage/data_folder.h"
#include "storage/revenue_file.h"
#include "storage/taxpayer_file.h"
#include "storage/text_lines.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;

namespace {

QByteArray bytes_of(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    static TextLines read(QByteArray bytes, int max_lines = 100, int max_length = 4096)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return read_lines(buffer, max_lines, max_length);
    }

private slots:
    void cleanup()
    {
        for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(dir.filePath(name));
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("lines");
        // clang-format off
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines {"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << Lines {"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << Lines {"a", "b"};
        QTest::newRow("no final end") << QByteArray("a\r\nb") << Lines {"a", "b"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n\n") << Lines {"", "", ""};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << Lines {"a", "", "b"};
        // clang-format on
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QTEST(read(bytes).lines, "lines");
    }

    void readingIsBounded()
    {
        const TextLines lines = read(QByteArray(1 << 20, 'x') + "\r\nsecond\r\nthird\r\n", 2, 10);
        QCOMPARE(lines.lines, (Lines {QByteArray(10, 'x'), "second"}));
        QVERIFY(!lines.has_nul);
        QVERIFY(read(QByteArray("12\0"
                                "3\r\n",
                         6))
                    .has_nul);
        // A cut never splits a character: "ő" is two bytes, "√" three.
        QCOMPARE(read("abc\xC5\x91", 1, 4).lines, Lines {"abc"});
        QCOMPARE(read("ab\xE2\x88\x9A", 1, 4).lines, Lines {"ab"});
        QCOMPARE(read("a\xC5\x91x", 1, 3).lines, Lines {"a\xC5\x91"});
    }

    void taxpayerEntries()
    {
        Lines lines {
            "Kiss Anna   ' name", "' only a comment", "  leading kept  ", "tab\t ", "   ", "a'b'c"};
        for (int i = 7; i <= 30; ++i)
            lines.append(QByteArray::number(i));
        const TaxpayerLines entries = taxpayer_entries(lines);
        QCOMPARE(entries.size(), 31);
        QCOMPARE(entries.mid(0, 8),
            (Lines {"", "Kiss Anna", "", "  leading kept", "tab\t", "", "a", "7"}));
        QCOMPARE(entries[24], QByteArray("24"));
        QCOMPARE(entries[25], QByteArray()); // lines after the 24th are not read
    }

    // Each line is UTF-8 when it is valid UTF-8, else Windows-1250.
    void decodingLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF" "500 000") << "500 000";
        QTest::newRow("BOM, no-break") << QByteArray("\xEF\xBB\xBF" "1\xC2\xA0" "000") << u"1\u00A0000"_qs;
        QTest::newRow("BOM inside") << QByteArray("K\xEF\xBB\xBFis") << "Kis";
        QTest::newRow("UTF-8") << QByteArray("K\xC5\x91szegi") << u"Kőszegi"_qs;
        QTest::newRow("Windows-1250") << QByteArray("K\xF5szegi \xDB 1\xA0" "000 \x84\x94") << u"Kőszegi Ű 1\u00A0000 „”"_qs;
        QTest::newRow("free byte") << QByteArray("\x81") << u"\u0081"_qs;
        // clang-format on
    }
    void decodingLines()
    {
        QFETCH(QByteArray, line);
        QTEST(charset::decode_line(line), "text");
    }

    void tablesRoundTrip()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            QCOMPARE(charset::to_windows1250(charset::from_windows1250(one)), one);
            if (byte < 0x80 || byte >= 0xA0)
                QCOMPARE(charset::to_iso8859_2(charset::from_iso8859_2(one)), one);
        }
        // Where the two differ: Š is 0x8A in one and 0xA9 in the other.
        QCOMPARE(charset::to_windows1250(u"Šą"), QByteArray("\x8A\xB9"));
        QCOMPARE(charset::to_iso8859_2(u"Šą"), QByteArray("\xA9\xB1"));
    }

    // What the form program receives for a character.
    void declarationBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("replaced");
        // clang-format off
        QTest::newRow("Hungarian") << u"ŐőŰűÁáÉéÍíÓóÖöÚúÜü"_qs << QByteArray("\xD5\xF5\xDB\xFB\xC1\xE1\xC9\xE9\xCD\xED\xD3\xF3" "\xD6\xF6\xDA\xFA\xDC\xFC") << false;
        QTest::newRow("quotes") << u"„Kft” “x”"_qs << QByteArray("\"Kft\" \"x\"") << false;
        QTest::newRow("dashes, ellipsis") << u"a–b—c…"_qs << QByteArray("a-b-c...") << false;
        QTest::newRow("no byte") << u"à€ñ"_qs << QByteArray("???") << true;
        QTest::newRow("control") << u"\u0085"_qs << QByteArray("?") << true;
        QTest::newRow("beyond 16 bits") << u"😀"_qs << QByteArray("?") << true;
        // clang-format on
    }
    void declarationBytes()
    {
        QFETCH(QString, text);
        bool replaced = false;
        QTEST(charset::to_iso8859_2(text, &replaced), "bytes");
        QTEST(replaced, "replaced");
    }

    void taxpayerConversion()
    {
        Lines lines(30, "x");
        lines[0] = "\xEF\xBB\xBFK\xC5\x91szegi ' \xC3\xA0"; // à in a comment only
        lines[1] = "\xE0"; // Windows-1250 ŕ, no UTF-8
        lines[4] = "Kis\xEF\xBB\xBF \xC3\xA0"; // a BOM inside, à in the value
        lines[22] = "stray \xFF byte"; // line 23: ˙ in Windows-1250
        lines[24] = "\xC3\xA0"; // past line 24: never written
        const ConvertedLines converted = charset_converter(lines);
        QCOMPARE(converted.lines[0], QByteArray("K\xF5szegi ' ?"));
        QCOMPARE(converted.lines[1], QByteArray("\xE0"));
        QCOMPARE(converted.lines[4], QByteArray("Kis ?"));
        QCOMPARE(converted.lines[22], QByteArray("stray \xFF byte"));
        QCOMPARE(converted.replaced_lines, QList<int> {5});
    }

    void revenueFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("january");
        QTest::addColumn<qint32>("revenue");
        // clang-format off
        QTest::newRow("saved") << QByteArray("1\xA0" "234\r\n") << u"1\u00A0234"_qs << 1234;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF" "500 000\r\n") << "500 000" << 500000;
        QTest::newRow("UTF-8 no-break, BOM") << QByteArray("\xEF\xBB\xBF" "1\xC2\xA0" "000\r\n") << u"1\u00A0000"_qs << 1000;
        QTest::newRow("half to even") << QByteArray("1234,5") << "1234,5" << 1234;
        // clang-format on
    }
    void revenueFile()
    {
        QFETCH(QByteArray, bytes);
        const QString path = dir.filePath("adat.txt");
        put(path, bytes);
        const RevenueFile file = load_revenue_file(path);
        QVERIFY(!file.problem);
        QTEST(file.texts[0], "january");
        QTEST(file.revenue[0], "revenue");
    }

    void savedInOneForm()
    {
        const QString path = dir.filePath("adat.txt");
        QStringList texts(12);
        texts[0] = u"1\u202F234\u2003567"_qs;
        texts[1] = u" -12 345 "_qs;
        texts[2] = u"Kő 12"_qs; // no number: kept as it is
        texts[3] = u"árvíztűrő ✓"_qs;
        QVERIFY(!save_revenue_file(path, texts));
        QCOMPARE(bytes_of(path),
            "1\xA0"
            "234\xA0"
            "567\r\n-12\xA0"
            "345\r\nK\xF5 12\r\n\xE1rv\xEDzt\xFBr\xF5 ?\r\n"
                + QByteArray("\r\n").repeated(8));
        const RevenueFile read = load_revenue_file(path);
        QCOMPARE(read.revenue[0], 1234567);
        QCOMPARE(read.revenue[1], -12345);
        // What a month command takes from a line that is no number.
        texts[2] = "12abc";
        texts[3] = "9999999999";
        QVERIFY(!save_revenue_file(path, texts));
        const QList<Problem::Line> bad = load_revenue_file(path).problem->lines;
        QCOMPARE(bad.size(), 2);
        QVERIFY(bad[0].number == 3 && bad[0].text == "12abc" && bad[0].value == 12);
        QVERIFY(bad[1].number == 4 && !bad[1].value);
    }

    void unreadableFileMovedAside()
    {
        const QString path = dir.filePath("adat.txt");
        const QByteArray utf16("\xFF\xFE"
                               "1\0"
                               "2\0\r\0\n\0",
            10);
        put(path, utf16);
        put(dir.filePath("adat_olvashatatlan.txt"), "earlier");
        const RevenueFile file = load_revenue_file(path);
        QVERIFY(file.problem && file.problem->what == Problem::What::RevenuesMovedAside);
        QVERIFY(file.problem->error == FileError::NotText && !file.ask_before_saving);
        QCOMPARE(file.problem->other_path, dir.filePath("adat_olvashatatlan_2.txt"));
        QCOMPARE(bytes_of(file.problem->other_path), utf16);
        QCOMPARE(bytes_of(dir.filePath("adat_olvashatatlan.txt")), QByteArray("earlier"));
        QCOMPARE(bytes_of(path), QByteArray("\r\n").repeated(36));
    }

    // adat2.txt beside the program: its entries, its copy and what is reported.
    void taxpayerData_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QList<int>>("problems"); // Problem::What, in order
        const auto lines = [](int count) {
            QByteArray bytes;
            for (int i = 1; i <= count; ++i)
                bytes += "value " + QByteArray::number(i) + "\r\n";
            return bytes;
        };
        const QByteArray rest = lines(23);
        const int short_file = int(Problem::What::TaxpayerTooShort);
        const int replaced = int(Problem::What::TaxpayerLettersReplaced);
        // clang-format off
        QTest::newRow("LF endings") << lines(24).replace("\r\n", "\n") << 24 << QByteArray("value 24") << QList<int> {};
        QTest::newRow("30 lines") << lines(30) << 24 << QByteArray("value 24") << QList<int> {};
        QTest::newRow("short") << lines(10) << 10 << QByteArray("value 10") << QList<int> {short_file};
        QTest::newRow("BOM and ő, Ű") << "\xEF\xBB\xBFK\xC5\x91szegi \xC5\xB0rsula ' x\r\n" + rest << 1 << QByteArray("K\xF5szegi \xDBrsula") << QList<int> {};
        QTest::newRow("Windows-1250") << "\xC1rp\xE1" "d \xF5r\r\n" + rest << 1 << QByteArray("\xC1rp\xE1" "d \xF5r") << QList<int> {};
        QTest::newRow("stray byte in line 23") << "K\xC5\x91szegi\r\n" + lines(21) + "\xE9rt\xE9k\r\nx\r\n" << 1 << QByteArray("K\xF5szegi") << QList<int> {};
        QTest::newRow("no byte") << "ok\r\n\xE2\x88\x9A\xF0\x9F\x98\x80" "2\r\n" + lines(22) << 2 << QByteArray("??2") << QList<int> {replaced};
        // clang-format on
    }
    void taxpayerData()
    {
        QFETCH(QByteArray, file);
        put(dir.filePath("adat2.txt"), file);
        const TaxpayerData data = read_taxpayer_data(dir.path());
        QVERIFY(data.present);
        QVERIFY(!write_taxpayer_copy(dir.path(), data.copy));
        QFETCH(int, entry);
        QTEST(data.lines[entry], "value");
        QCOMPARE(data.lines[25], QByteArray());
        QVERIFY(bytes_of(dir.filePath("adat22.txt")).startsWith(data.lines[1] + ' ')
            || bytes_of(dir.filePath("adat22.txt")).startsWith(data.lines[1] + "\r\n"));
        QList<int> problems;
        for (const Problem &problem : data.problems)
            problems << int(problem.what);
        QTEST(problems, "problems");
    }

    void taxpayerProblems()
    {
        QVERIFY(!read_taxpayer_data(dir.path()).present);
        QVERIFY(QDir(dir.path()).mkdir("adat2.txt")); // a folder counts, but cannot be read
        TaxpayerData data = read_taxpayer_data(dir.path());
        QVERIFY(data.present && data.problems.size() == 1);
        QVERIFY(data.problems[0].what == Problem::What::TaxpayerUnreadable);
        QVERIFY(QDir(dir.path()).rmdir("adat2.txt"));
        // A copy that cannot be written: the lines read are still used.
        put(dir.filePath("adat2.txt"), QByteArray("x\r\n").repeated(24));
        QVERIFY(QDir(dir.path()).mkdir("adat22.txt"));
        data = read_taxpayer_data(dir.path());
        QVERIFY(data.problems.isEmpty());
        QCOMPARE(data.lines[24], QByteArray("x"));
        const auto problem = write_taxpayer_copy(dir.path(), data.copy);
        QVERIFY(problem && problem->what == Problem::What::TaxpayerCopyNotWritten);
        QVERIFY(QDir(dir.path()).rmdir("adat22.txt"));
#ifdef Q_OS_UNIX
        // The same bytes are not written again: the file stays the same file.
        const auto inode = [this] {
            struct stat info { };
            stat(QFile::encodeName(dir.filePath("adat22.txt")).constData(), &info);
            return info.st_ino;
        };
        QVERIFY(!write_taxpayer_copy(dir.path(), data.copy));
        const auto first = inode();
        QVERIFY(!write_taxpayer_copy(dir.path(), data.copy));
        QCOMPARE(inode(), first);
        QVERIFY(!write_taxpayer_copy(dir.path(), data.copy + "y\r\n"));
        QVERIFY(inode() != first);
        QCOMPARE(bytes_of(dir.filePath("adat22.txt")), data.copy + "y\r\n");
#endif
    }

    void fullDiskKeepsTheOldFile()
    {
        const QString path = dir.filePath("adat.txt");
        put(path, "old\r\n");
        std::optional<FileError> error;
        {
            FULL_DISK(8);
            error = write_lines(path, Lines(12, "123 456"));
        }
        QCOMPARE(error, FileError::NoSpace);
        QCOMPARE(bytes_of(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {"adat.txt"});
    }

    void fileErrors()
    {
        QCOMPARE(write_file(dir.filePath("no/such/folder/x"), "x"), FileError::NotFound);
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QCOMPARE(write_file(dir.filePath("folder"), "x"), FileError::Folder);
        QFile missing(dir.filePath("missing"));
        QCOMPARE(open_for_reading(missing), FileError::NotFound);
        QVERIFY(QDir(dir.path()).rmdir("folder"));
    }

    // Installed (<prefix>/bin beside <prefix>/share/pennaro): the user's
    // folder; a copy of its own: beside itself, unless it cannot write there.
    void dataFolder()
    {
        const QString user = dir.filePath("user/pennaro");
        QVERIFY(QDir(dir.path()).mkpath("usr/bin") && QDir(dir.path()).mkpath("usr/share/pennaro"));
        QCOMPARE(choose_data_folder(dir.filePath("usr/bin"), user), user);
        QVERIFY(QFileInfo(user).isDir());
        QVERIFY(QDir(dir.path()).mkpath("portable/bin"));
        QCOMPARE(
            choose_data_folder(dir.filePath("portable/bin"), user), dir.filePath("portable/bin"));
        QCOMPARE(choose_data_folder(dir.filePath("usr/share"), user), dir.filePath("usr/share"));
        // A folder no one can write into, root included: one below a file.
        put(dir.filePath("file"), "x");
        QCOMPARE(choose_data_folder(dir.filePath("file/bin"), user), user);
        for (const char *sub : {"usr", "portable", "user"})
            QVERIFY(QDir(dir.filePath(sub)).removeRecursively());
    }

    // The sample shipped with the program: 24 lines, each only a comment.
    void taxpayerSample()
    {
        QFile sample(QStringLiteral(PENNARO_SOURCE_DIR "/data/adat2.minta.txt"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const Lines lines = read_lines(sample, 1000).lines;
        QCOMPARE(lines.size(), 24);
        for (const QByteArray &line : lines)
            QVERIFY2(line.startsWith("' ") && line.size() > 10, line.constData());
        QCOMPARE(taxpayer_entries(lines), TaxpayerLines(31));
    }

    void leftoverCopiesRemoved()
    {
        const QStringList names {"adat.txt.Ab12Cd", "felad.imp.000000", "adat.txt.Ab12C",
            "adat.txt.Ab12Cd7", "adat.txt.Ab-2Cd", "adat_olvashatatlan.txt", "adat.txt"};
        for (const QString &name : names)
            put(dir.filePath(name), "x");
        remove_leftover_copies(dir.path(), {"adat.txt", "adat22.txt", "felad.imp"});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
            (QStringList {"adat.txt", "adat.txt.Ab-2Cd", "adat.txt.Ab12C", "adat.txt.Ab12Cd7",
                "adat_olvashatatlan.txt"}));
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "test_storage.moc"
