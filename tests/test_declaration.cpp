#include "declaration/import_file.h"
#include "declaration/period.h"

#include <QTest>

namespace {

// Taxpayer entries 1..23 as "v1" ... "v23", entry 3 the number `entry3`.
TaxpayerLines taxpayer(const QByteArray &entry3 = "1")
{
    TaxpayerLines lines(31);
    for (int i = 1; i <= 24; ++i)
        lines[i] = "v" + QByteArray::number(i);
    lines[3] = entry3;
    return lines;
}

Declaration march_2026()
{
    Declaration d;
    d.year = 2026;
    d.taxpayer = taxpayer();
    d.period_first = "20260301";
    d.period_last = "20260331";
    d.tb_amount = u"48\u00A0100"_qs;
    d.szocho_amount = u"38\u00A0025"_qs;
    d.tb_base = "260000";
    d.szocho_base = "292500";
    return d;
}

// The declaration's lines, one by one as the form program expects them.
QByteArray expected_file(
    bool main_employment, bool with_26399 = false, const QList<int> &left_out = {})
{
    QList<QByteArray> lines {"$ny_azon=2658", "$sorok_sz\xE1ma=46", "$d_lapok_sz\xE1ma=1",
        "$d_lap1=01-01,1", "8131=HU", "12634=v1", "14361=v2", "14417=X", "21279=1", "23299=v4",
        "23302=v5", "23328=v6", "23303=v7", "23304=v8", "23305=v9", "23306=v10", "23307=v11"};
    const char *optional_lines[] = {"23308=v12", "23309=v13", "23310=v14", "23311=v15"};
    for (int entry = 12; entry <= 15; ++entry)
        if (!left_out.contains(entry))
            lines << optional_lines[entry - 12];
    lines << "23313=v16"
          << "23314=v17"
          << "23335=20260301"
          << "23336=20260331"
          << "23339=H"
          << "23853=v18"
          << "24026=v19"
          << "24027=v20"
          << "24029=v21"
          << "24030=v22"
          << "24031=v23" << (main_employment ? "26378[1]=21" : "26378[1]=26") << "26380[1]=1"
          << "26383[1]=0"
          << "26384[1]=20260301"
          << "26385[1]=20260331"
          << "26397[1]=I"
          << "26398[1]=N";
    if (with_26399)
        lines << "26399[1]=N";
    lines << "26473[1]=N"
          << "26401[1]=292500"
          << "26400[1]=38025"
          << "26413[1]=260000"
          << "26414[1]=48100";
    return lines.join("\r\n") + "\r\n";
}

} // namespace

class TestDeclaration : public QObject {
    Q_OBJECT

private slots:
    void period_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("March 2026") << 3 << QDate(2026, 4, 2) << "20260301"
                                    << "20260331";
        QTest::newRow("October") << 10 << QDate(2026, 11, 5) << "20261001"
                                 << "20261031";
        QTest::newRow("December in December") << 12 << QDate(2026, 12, 6) << "20261201"
                                              << "20261231";
        QTest::newRow("February 2026") << 2 << QDate(2026, 3, 1) << "20260201"
                                       << "20260228";
        QTest::newRow("February 2028") << 2 << QDate(2028, 3, 10) << "20280201"
                                       << "20280229";
        QTest::newRow("December in January") << 12 << QDate(2027, 1, 15) << "20261201"
                                             << "20261231";
        QTest::newRow("a month later than today's") << 11 << QDate(2026, 5, 20) << "20251101"
                                                    << "20251130";
        QTest::newRow("the current month") << 5 << QDate(2026, 5, 20) << "20260501"
                                           << "20260531";
    }
    void period()
    {
        QFETCH(int, month);
        QFETCH(QDate, today);
        const Period p = declaration_period(month, today);
        QTEST(p.first, "first");
        QTEST(p.last, "last");
    }

    void dateHelpers()
    {
        QCOMPARE(last_day_of_month(QDate(2024, 2, 10)), QDate(2024, 2, 29));
        QCOMPARE(last_day_of_month(QDate(2026, 12, 31)), QDate(2026, 12, 31));
        QCOMPARE(strip_date_separators("2026.03.31."), QStringLiteral("20260331"));
        QCOMPARE(strip_date_separators("2026-03-31"), QStringLiteral("20260331"));
        QCOMPARE(strip_date_separators("20260331"), QStringLiteral("20260331"));
        QCOMPARE(form_year(2026), QStringLiteral("26"));
        QCOMPARE(form_year(2105), QStringLiteral("05"));
    }

    void wholeFile()
    {
        Declaration d = march_2026();
        QCOMPARE(import_file(d).bytes, expected_file(true));
        QVERIFY(import_file(d).problem.isEmpty());
        d.main_employment = false;
        QCOMPARE(import_file(d).bytes, expected_file(false));
    }

    void conditionalLines_data()
    {
        QTest::addColumn<QList<int>>("empty");
        QTest::addColumn<QByteArray>("entry3");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("all present") << QList<int> {} << QByteArray("1") << 44;
        QTest::newRow("entries 12-15 empty")
            << QList<int> {12, 13, 14, 15} << QByteArray("1") << 40;
        QTest::newRow("only 13 empty") << QList<int> {13} << QByteArray("1") << 43;
        QTest::newRow("entry 3 is 2") << QList<int> {} << QByteArray("2") << 45;
        QTest::newRow("12-15 empty and 3 is 2")
            << QList<int> {12, 13, 14, 15} << QByteArray(" 2") << 41;
    }
    void conditionalLines()
    {
        QFETCH(QList<int>, empty);
        QFETCH(QByteArray, entry3);
        QFETCH(int, lineCount);
        Declaration d = march_2026();
        for (int entry : empty)
            d.taxpayer[entry].clear();
        d.taxpayer[3] = entry3;
        const QByteArray bytes = import_file(d).bytes;
        QCOMPARE(bytes.count("\r\n"), lineCount);
        QByteArray expected = expected_file(true, entry3.trimmed() == "2", empty);
        expected.replace("21279=1", "21279=" + entry3);
        QCOMPARE(bytes, expected);
    }

    void resultNumbers_data()
    {
        QTest::addColumn<QString>("szochoBase");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("whole") << "292500" << QByteArray("26401[1]=292500");
        QTest::newRow("fraction") << "292501,125" << QByteArray("26401[1]=292501");
        QTest::newRow("half to even") << "292504,5" << QByteArray("26401[1]=292504");
        QTest::newRow("grouped") << u"1\u00A0292\u00A0500"_qs << QByteArray("26401[1]=1292500");
        QTest::newRow("negative") << "-12" << QByteArray("26401[1]=-12");
    }
    void resultNumbers()
    {
        QFETCH(QString, szochoBase);
        QFETCH(QByteArray, line);
        Declaration d = march_2026();
        d.szocho_base = szochoBase;
        QVERIFY(import_file(d).bytes.contains("\r\n" + line + "\r\n"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("entry3");
        QTest::addColumn<QString>("tbAmount");
        QTest::addColumn<QString>("problem");
        QTest::newRow("entry 3 text") << QByteArray("abc") << "0"
                                      << "Az adat2.txt 3. sora nem szám: „abc”.";
        QTest::newRow("entry 3 empty") << QByteArray() << "0"
                                       << "Az adat2.txt 3. sora nem szám: „”.";
        QTest::newRow("result not a number") << QByteArray("1") << "x"
                                             << "A számítás eredménye nem szám: a TB („x”).";
        QTest::newRow("result out of range") << QByteArray("1") << "3 000 000 000"
                                             << "A számítás eredménye nem szám: a TB "
                                                "(„3 000 000 000”).";
    }
    void refusals()
    {
        QFETCH(QByteArray, entry3);
        QFETCH(QString, tbAmount);
        Declaration d = march_2026();
        d.taxpayer[3] = entry3;
        d.tb_amount = tbAmount;
        const ImportFile file = import_file(d);
        QTEST(file.problem, "problem");
        QVERIFY(file.bytes.isEmpty());
    }

    void taxpayerBytesPassThrough()
    {
        Declaration d = march_2026();
        d.taxpayer[1] = "K\xF5szegi \xDBrsula";
        d.taxpayer[2] = "\xE1\xE9\xED\xF3\xF6\xFA\xFC";
        d.taxpayer[12] = "  a=b";
        const QByteArray bytes = import_file(d).bytes;
        QVERIFY(bytes.contains("\r\n12634=K\xF5szegi \xDBrsula\r\n"));
        QVERIFY(bytes.contains("\r\n14361=\xE1\xE9\xED\xF3\xF6\xFA\xFC\r\n"));
        QVERIFY(bytes.contains("\r\n23308=  a=b\r\n"));
    }

    void formYearFollowsThePeriod()
    {
        Declaration d = march_2026();
        d.year = 2025;
        QVERIFY(import_file(d).bytes.startsWith("$ny_azon=2558\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDeclaration)
#include "test_declaration.moc"
