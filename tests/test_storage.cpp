#include "storage/charset_converter.h"
#include "storage/revenue_file.h"
#include "storage/taxpayer_file.h"
#include "storage/text_lines.h"

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

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void init() { QVERIFY(dir.isValid()); }
    void cleanup()
    {
        // Each test starts with an empty folder.
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines {"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << Lines {"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << Lines {"a", "b"};
        QTest::newRow("no final end") << QByteArray("a\r\nb") << Lines {"a", "b"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n\n") << Lines {"", "", ""};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << Lines {"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << Lines {};
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QTEST(read_lines(buffer, 100).lines, "lines");
    }

    void readingIsBounded()
    {
        QByteArray huge(1 << 20, 'x');
        huge += "\r\nsecond\r\nthird\r\n";
        QBuffer buffer(&huge);
        buffer.open(QIODevice::ReadOnly);
        const TextLines read = read_lines(buffer, 2, 10);
        QCOMPARE(read.lines, (Lines {QByteArray(10, 'x'), "second"}));
        QVERIFY(!read.has_nul);

        QByteArray binary("12\0"
                          "3\r\n",
            6);
        QBuffer binaryBuffer(&binary);
        binaryBuffer.open(QIODevice::ReadOnly);
        QVERIFY(read_lines(binaryBuffer, 12).has_nul);
    }

    void conversion_data()
    {
        QTest::addColumn<Lines>("input");
        QTest::addColumn<Lines>("output");
        QTest::addColumn<QList<int>>("replaced");
        QTest::newRow("ascii") << Lines {"Kiss Anna", "2"} << Lines {"Kiss Anna", "2"}
                               << QList<int> {};
        QTest::newRow("accents shared by both code pages")
            << Lines {"\xC3\xA1\xC3\xA9\xC3\xAD\xC3\xB3\xC3\xB6\xC3\xBA\xC3\xBC\xC3\x81\xC3\x89"}
            << Lines {"\xE1\xE9\xED\xF3\xF6\xFA\xFC\xC1\xC9"} << QList<int> {};
        QTest::newRow("double acute letters")
            << Lines {"K\xC5\x91szegi \xC5\xB0rsula \xC5\x90 \xC5\xB1"}
            << Lines {"K\xF5szegi \xDBrsula \xD5 \xFB"} << QList<int> {};
        QTest::newRow("byte-order mark dropped") << Lines {"\xEF\xBB\xBF"
                                                           "abc",
            "d"} << Lines {"abc", "d"} << QList<int> {};
        QTest::newRow("no byte for the character")
            << Lines {"ok", "\xE2\x82\xAC fine", "\xE2\x88\x9A", "\xF0\x9F\x98\x80x"}
            << Lines {"ok", "\x80 fine", "?", "?x"} << QList<int> {3, 4};
        QTest::newRow("Windows-1250 copied as it is") << Lines {"K\xF5szegi",
            "\xE1rp\xE1"
            "d"}
                                                      << Lines {"K\xF5szegi",
                                                             "\xE1rp\xE1"
                                                             "d"}
                                                      << QList<int> {};
    }
    void conversion()
    {
        QFETCH(Lines, input);
        const ConvertedLines converted = charset_converter(input);
        QTEST(converted.lines, "output");
        QTEST(converted.replaced_lines, "replaced");
    }

    void taxpayerEntries()
    {
        Lines lines {
            "Kiss Anna   ' name", "' only a comment", "  leading kept  ", "tab\t ", "   ", "a'b'c"};
        for (int i = 7; i <= 30; ++i)
            lines.append(QByteArray::number(i));
        const TaxpayerLines entries = taxpayer_entries(lines);
        QCOMPARE(entries.size(), 31);
        QCOMPARE(entries[0], QByteArray());
        QCOMPARE(entries[1], QByteArray("Kiss Anna"));
        QCOMPARE(entries[2], QByteArray());
        QCOMPARE(entries[3], QByteArray("  leading kept"));
        QCOMPARE(entries[4], QByteArray("tab\t"));
        QCOMPARE(entries[5], QByteArray());
        QCOMPARE(entries[6], QByteArray("a"));
        QCOMPARE(entries[24], QByteArray("24"));
        QCOMPARE(entries[25], QByteArray()); // lines after the 24th are not read
    }

    void firstLoadCreatesTheFile()
    {
        const RevenueFile file = load_revenue_file(path("adat.txt"));
        QCOMPARE(file.state, RevenueFile::State::Created);
        QCOMPARE(bytes_of(path("adat.txt")), QByteArray("\r\n").repeated(36));
        QCOMPARE(file.texts, QStringList(12, QString()));
        QCOMPARE(file.revenue, MonthlyRevenue {});
    }

    void loadReadsTextsAndValues()
    {
        write(path("adat.txt"),
            "1\xA0"
            "234\xA0"
            "567\r\n1234,5\r\n\r\nabc\r\n3 000 000 000\n-5\r\n");
        const RevenueFile file = load_revenue_file(path("adat.txt"));
        QCOMPARE(file.state, RevenueFile::State::Loaded);
        QCOMPARE(file.texts.mid(0, 7),
            (QStringList {
                u"1\u00A0234\u00A0567"_qs, "1234,5", "", "abc", "3 000 000 000", "-5", ""}));
        QCOMPARE(file.revenue[0], 1234567);
        QCOMPARE(file.revenue[1], 1234); // half to even
        QCOMPARE(file.revenue[3], 0);
        QCOMPARE(file.revenue[4], 0);
        QCOMPARE(file.revenue[5], -5);
        QCOMPARE(file.bad_months, (QList<int> {4, 5}));
    }

    void utf8LineIsReadAsUtf8()
    {
        write(path("adat.txt"),
            "1\xC2\xA0"
            "000\r\n");
        QCOMPARE(load_revenue_file(path("adat.txt")).revenue[0], 1000);
    }

    void saveThenLoad()
    {
        const QStringList texts {u"1\u00A0234"_qs, "", "-7", "", "", "", "", "", "", "", "", "99"};
        write(path("adat.txt"), QByteArray("\r\n").repeated(36));
        QCOMPARE(save_revenue_file(path("adat.txt"), texts), std::nullopt);
        QCOMPARE(bytes_of(path("adat.txt")),
            QByteArray("1\xA0"
                       "234\r\n\r\n-7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n99\r\n"));
        QCOMPARE(load_revenue_file(path("adat.txt")).texts, texts);
    }

    void unusableFiles()
    {
        QVERIFY(QDir(dir.path()).mkdir("adat.txt"));
        RevenueFile file = load_revenue_file(path("adat.txt"));
        QCOMPARE(file.state, RevenueFile::State::Unreadable);
        QVERIFY(save_revenue_file(path("adat.txt"), QStringList(12, "1")).has_value());
        QVERIFY(QFileInfo(path("adat.txt")).isDir());

        file = load_revenue_file(path("missing/adat.txt"));
        QCOMPARE(file.state, RevenueFile::State::NotCreated);
        QVERIFY(!file.reason.isEmpty());

        write(path("bin.txt"),
            QByteArray("\x7F"
                       "ELF\0\0\0",
                7));
        QCOMPARE(load_revenue_file(path("bin.txt")).state, RevenueFile::State::Unreadable);
    }

    void conversionWritesTheCopy()
    {
        write(path("adat2.txt"), "\xEF\xBB\xBFK\xC5\x91 'x\nB\xC3\xA1la\r\n");
        const Conversion conversion = Command22_click(dir.path());
        QVERIFY(!conversion.read_error && !conversion.copy_error);
        QCOMPARE(bytes_of(path("adat22.txt")), QByteArray("K\xF5 'x\r\nB\xE1la\r\n"));
        QCOMPARE(conversion.lines, (Lines {"K\xF5 'x", "B\xE1la"}));

        // A copy that cannot be written still leaves the lines.
        QFile::remove(path("adat22.txt"));
        QVERIFY(QDir(dir.path()).mkdir("adat22.txt"));
        const Conversion failed = Command22_click(dir.path());
        QVERIFY(failed.copy_error);
        QCOMPARE(failed.lines, conversion.lines);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "test_storage.moc"
