#include "declaration/hand_over.h"
#include "declaration/import_file.h"
#include "declaration/period.h"

#include <QDir>
#include <QTemporaryDir>

#include <QTest>

namespace {

// Taxpayer entries "v1" ... "v24", entry 3 the number 1; March 2026's figures.
Declaration march_2026()
{
    Declaration d;
    d.taxpayer = TaxpayerLines(31);
    for (int i = 1; i <= 24; ++i)
        d.taxpayer[i] = "v" + QByteArray::number(i);
    d.taxpayer[3] = "1";
    d.period = {2026, "20260301", "20260331"};
    d.tb_amount = 48100;
    d.szocho_amount = 38025;
    d.tb_base = 260000;
    d.szocho_base = 292500;
    return d;
}

// The declaration line by line, as the form program expects it.
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
        // clang-format off
        QTest::newRow("March") << 3 << QDate(2026, 4, 2) << "20260301" << "20260331";
        QTest::newRow("October") << 10 << QDate(2026, 11, 5) << "20261001" << "20261031";
        QTest::newRow("December") << 12 << QDate(2026, 12, 6) << "20261201" << "20261231";
        QTest::newRow("February 2026") << 2 << QDate(2026, 3, 1) << "20260201" << "20260228";
        QTest::newRow("February 2028") << 2 << QDate(2028, 3, 10) << "20280201" << "20280229";
        QTest::newRow("December in January") << 12 << QDate(2027, 1, 15) << "20261201" << "20261231";
        QTest::newRow("later than today") << 11 << QDate(2026, 5, 20) << "20251101" << "20251130";
        QTest::newRow("this month") << 5 << QDate(2026, 5, 20) << "20260501" << "20260531";
        // clang-format on
    }
    void period()
    {
        QFETCH(int, month);
        QFETCH(QDate, today);
        const Period p = declaration_period(month, today);
        QCOMPARE(p.year, p.first.left(4).toInt());
        QTEST(p.first, "first");
        QTEST(p.last, "last");
    }

    void dateHelpers()
    {
        QCOMPARE(last_day_of_month(QDate(2024, 2, 10)), QDate(2024, 2, 29));
        QCOMPARE(last_day_of_month(QDate(2026, 12, 31)), QDate(2026, 12, 31));
        QCOMPARE(strip_date_separators("2026.03.31."), QStringLiteral("20260331"));
        QCOMPARE(strip_date_separators("2026-03-31"), QStringLiteral("20260331"));
        QCOMPARE(form_year(2105), QStringLiteral("05"));
    }

    void wholeFile_data()
    {
        QTest::addColumn<bool>("main");
        QTest::addColumn<QList<int>>("empty");
        QTest::addColumn<QByteArray>("entry3");
        QTest::addColumn<int>("lineCount");
        // clang-format off
        QTest::newRow("main") << true << QList<int> {} << QByteArray("1") << 44;
        QTest::newRow("side") << false << QList<int> {} << QByteArray("1") << 44;
        QTest::newRow("12-15 empty") << true << QList<int> {12, 13, 14, 15} << QByteArray("1") << 40;
        QTest::newRow("13 empty") << true << QList<int> {13} << QByteArray("1") << 43;
        QTest::newRow("entry 3 is 2") << true << QList<int> {} << QByteArray("2") << 45;
        QTest::newRow("12-15 empty, 3 is 2") << false << QList<int> {12, 13, 14, 15} << QByteArray(" 2") << 41;
        // clang-format on
    }
    void wholeFile()
    {
        QFETCH(bool, main);
        QFETCH(QList<int>, empty);
        QFETCH(QByteArray, entry3);
        Declaration d = march_2026();
        d.main_employment = main;
        for (int entry : empty)
            d.taxpayer[entry].clear();
        d.taxpayer[3] = entry3;
        const ImportFile file = import_file(d);
        QVERIFY(!file.problem);
        QTEST(int(file.bytes.count("\r\n")), "lineCount");
        QCOMPARE(file.bytes,
            expected_file(main, entry3.trimmed() == "2", empty)
                .replace("21279=1", "21279=" + entry3));
    }

    // The Szocho base made whole, and the entry 3 that refuses the declaration.
    void numbersAndRefusals_data()
    {
        QTest::addColumn<QByteArray>("entry3");
        QTest::addColumn<double>("szochoBase");
        QTest::addColumn<QString>("outcome"); // the line written, or entry 3 as shown
        // clang-format off
        QTest::newRow("fraction") << QByteArray("1") << 292501.125 << "26401[1]=292501";
        QTest::newRow("half to even") << QByteArray("1") << 292504.5 << "26401[1]=292504";
        QTest::newRow("negative") << QByteArray("1") << -12.0 << "26401[1]=-12";
        QTest::newRow("entry 3 text") << QByteArray("k\xF5") << 0.0 << "kő";
        QTest::newRow("entry 3 empty") << QByteArray() << 0.0 << "";
        // clang-format on
    }
    void numbersAndRefusals()
    {
        QFETCH(QByteArray, entry3);
        QFETCH(double, szochoBase);
        QFETCH(QString, outcome);
        Declaration d = march_2026();
        d.taxpayer[3] = entry3;
        d.szocho_base = szochoBase;
        const ImportFile file = import_file(d);
        if (outcome.startsWith("26401"))
            QVERIFY(!file.problem && file.bytes.contains("\r\n" + outcome.toLatin1() + "\r\n"));
        else
            QVERIFY(file.problem && file.problem->what == Problem::What::Entry3NotNumber
                && file.problem->text == outcome && file.bytes.isEmpty());
    }

    void templateFound_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("found");
        // clang-format off
        QTest::newRow("file") << "NAV_2658_abc.enyk" << true;
        QTest::newRow("folder") << "NAV_2658_x.enyk/" << true;
        QTest::newRow("last year's") << "NAV_2558_x.enyk" << false;
        QTest::newRow("another form") << "NAV_2608_x.enyk" << false;
        // clang-format on
    }
    void templateFound()
    {
        QFETCH(QString, entry);
        QTemporaryDir empty, folder;
        if (entry.endsWith('/')) {
            QVERIFY(QDir(folder.path()).mkdir(entry));
        } else {
            QFile file(folder.filePath(entry));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QTEST(form_template_found({empty.path(), folder.path()}, 2026), "found");
    }

    // cmd takes the path as it is, whatever the program's folder is called.
    void handOverCommandLine_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("arguments");
        // clang-format off
        QTest::newRow("plain") << "C:/pennaro/atad_pennaro.bat" << "/d /v:off /s /c \"\"C:/pennaro/atad_pennaro.bat\"\"";
        QTest::newRow("blanks, brackets, ampersand") << "C:/Program Files (x86)/Kis & Nagy/atad_pennaro.bat" << "/d /v:off /s /c \"\"C:/Program Files (x86)/Kis & Nagy/atad_pennaro.bat\"\"";
        QTest::newRow("caret, percent") << "D:/a^b/100%/x%PATH%y/atad_pennaro.bat" << "/d /v:off /s /c \"\"D:/a^b/100%%cd:~,%/" "x%%cd:~,%PATH%%cd:~,%y/atad_pennaro.bat\"\"";
        // clang-format on
    }
    void handOverCommandLine()
    {
        QFETCH(QString, path);
        QFETCH(QString, arguments);
        QCOMPARE(cmd_arguments(path), QDir::toNativeSeparators(arguments));
    }

    void valuesPassThrough()
    {
        Declaration d = march_2026();
        d.period.year = 2025; // the form of the period's year
        d.taxpayer[1] = "K\xF5szegi \xDBrsula";
        d.taxpayer[2] = "\xE1\xE9\xED\xF3\xF6\xFA\xFC";
        d.taxpayer[12] = "  a=b";
        const QByteArray bytes = import_file(d).bytes;
        QVERIFY(bytes.startsWith("$ny_azon=2558\r\n"));
        QVERIFY(bytes.contains("\r\n12634=K\xF5szegi \xDBrsula\r\n"));
        QVERIFY(bytes.contains("\r\n14361=\xE1\xE9\xED\xF3\xF6\xFA\xFC\r\n"));
        QVERIFY(bytes.contains("\r\n23308=  a=b\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDeclaration)
#include "test_declaration.moc"
