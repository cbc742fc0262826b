#include "storage/taxpayer_file.h"
#include "storage/text_lines.h"

#include <QBuffer>
#include <QTest>

using Lines = QList<QByteArray>;

class TestStorage : public QObject {
    Q_OBJECT

    static TextLines read(QByteArray bytes, int max_lines = 100, int max_length = 4096)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return read_lines(buffer, max_lines, max_length);
    }

private slots:
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
};

QTEST_GUILESS_MAIN(TestStorage)
#include "test_storage.moc"
