#include "evaluation/engine.h"

#include <QTest>

namespace {

// Defaults, with or without the allowance and the cost ratio.
MasterData data(
    bool main = true, qint32 minimum_wage = 200000, qint16 cost_ratio = 40, qint32 g = 260000)
{
    return MasterData {minimum_wage, g, 0.15, 0.185, 0.13, cost_ratio, main};
}

MonthlyRevenue revenues(std::initializer_list<qint32> months, qint32 rest = 0)
{
    MonthlyRevenue r;
    r.fill(rest);
    std::copy(months.begin(), months.end(), r.begin());
    return r;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void evaluation_data()
    {
        QTest::addColumn<MasterData>("master");
        QTest::addColumn<MonthlyRevenue>("revenue");
        QTest::addColumn<int>("month");
        QTest::addColumn<QList<double>>("expected"); // SZJA, TB, TB base, Szocho, its base, quarter
        const MonthlyRevenue half_million = revenues({}, 500000);
        const QList<double> low {0, 48100, 260000, 38025, 292500};
        const QList<double> high {45000, 55500, 300000, 39000, 300000};
        // clang-format off
        QTest::newRow("main 1") << data() << half_million << 1 << low;
        QTest::newRow("main 3") << data() << half_million << 3 << (low + QList<double> {0});
        QTest::newRow("main 4") << data() << half_million << 4 << low;
        QTest::newRow("main 5") << data() << half_million << 5 << high;
        QTest::newRow("main 6") << data() << half_million << 6 << (high + QList<double> {90000});
        QTest::newRow("main 9") << data() << half_million << 9 << (high + QList<double> {135000});
        QTest::newRow("main 12") << data() << half_million << 12 << (high + QList<double> {135000});
        QTest::newRow("side 4") << data(false) << half_million << 4 << QList<double> {0, 0, 0, 0, 0};
        QTest::newRow("side 6") << data(false) << half_million << 6 << (high + QList<double> {90000});
        // Ties to even: incomes of 100 and 300 at 18,5 %; the quarter rounds each month.
        QTest::newRow("tie down") << data(false, 200000, 0) << revenues({1200100}) << 1 << QList<double> {15, 18, 100, 13, 100};
        QTest::newRow("tie up") << data(false, 200000, 0) << revenues({1200300}) << 1 << QList<double> {45, 56, 300, 39, 300};
        QTest::newRow("quarter of 1,5s") << data(false, 200000, 0) << revenues({1200010, 10, 10}) << 3 << QList<double> {2, 2, 10, 1, 10, 6};
        QTest::newRow("cost ratio 46") << data(false, 0, 46) << revenues({3000000}) << 1 << QList<double> {243000, 299700, 1620000, 210600, 1620000};
        QTest::newRow("cost ratio 44") << data(false, 0, 44) << revenues({3000000}) << 1 << QList<double> {252000, 310800, 1680000, 218400, 1680000};
        // Between G and 112.5 % of G the income is its own Szocho base.
        QTest::newRow("income 270000") << data() << revenues({2450000}) << 1 << QList<double> {40500, 49950, 270000, 35100, 270000};
        // x = 180 000: below G for main employment, above the allowance for side.
        QTest::newRow("allowance, main") << data(true, 20000) << revenues({300000}) << 1 << QList<double> {0, 48100, 260000, 38025, 292500};
        QTest::newRow("allowance, side") << data(false, 20000) << revenues({300000}) << 1 << QList<double> {9000, 11100, 60000, 7800, 60000};
        // At the thresholds: I = G takes the 112.5 % base, x = G pays SZJA.
        QTest::newRow("I = G") << data(true, 200000, 40, 300000) << half_million << 5 << QList<double> {45000, 55500, 300000, 43875, 337500};
        QTest::newRow("x = G") << data(true, 20000, 40, 300000) << revenues({500000}) << 1 << QList<double> {27000, 55500, 300000, 43875, 337500};
        // The threshold is applied month by month within the quarter.
        QTest::newRow("quarter by month") << data(true, 20000) << revenues({250000, 200000, 0}) << 3 << QList<double> {0, 48100, 260000, 38025, 292500, 18000};
        QTest::newRow("month without revenue") << data(false) << revenues({4000000}) << 2 << QList<double> {0, 0, 0, 0, 0};
        // clang-format on
    }
    void evaluation()
    {
        QFETCH(MasterData, master);
        QFETCH(MonthlyRevenue, revenue);
        QFETCH(int, month);
        QFETCH(QList<double>, expected);
        const auto r = evaluate(master, revenue, month);
        QVERIFY(r);
        QCOMPARE((QList<double> {double(r->szja_amount), double(r->tb_amount), double(r->tb_base),
                     double(r->szocho_amount), r->szocho_base}),
            expected.mid(0, 5));
        QCOMPARE(r->quarter_szja.has_value(), month % 3 == 0);
        if (r->quarter_szja)
            QCOMPARE(double(*r->quarter_szja), expected.value(5));
    }

    void szochoBaseWithDecimals()
    {
        MasterData m = data();
        m.guaranteed_minimum = 260001;
        QCOMPARE(evaluate(m, MonthlyRevenue {}, 1)->szocho_base, 292501.125);
    }

    void laterMonthsPlayNoPart()
    {
        MonthlyRevenue r = revenues({}, 500000);
        const auto september = evaluate(data(), r, 9);
        r[11] = 2147000000; // December's sum no longer fits
        QVERIFY(!evaluate(data(), r, 12));
        QCOMPARE(evaluate(data(), r, 9)->quarter_szja, september->quarter_szja);
    }

    void overflow_data()
    {
        QTest::addColumn<MasterData>("master");
        QTest::addColumn<qint32>("revenue");
        MasterData huge_rate = data();
        huge_rate.tb_rate = 1e6;
        // clang-format off
        QTest::newRow("revenue sum") << data() << 1500000000;
        QTest::newRow("twelve wages") << data(true, 200000000) << 1;
        QTest::newRow("product with a rate") << huge_rate << 100000000;
        // clang-format on
    }
    void overflow()
    {
        QFETCH(MasterData, master);
        QFETCH(qint32, revenue);
        QVERIFY(!evaluate(master, revenues({}, revenue), 12));
    }

    void masterDataTexts_data()
    {
        QTest::addColumn<QStringList>("texts"); // wage, G, SZJA, TB, Szocho, cost ratio
        QTest::addColumn<int>("costRatio"); // or -1 - the field that does not read
        const QStringList valid {"200 000", "260 000", "15", "18,5", "13,0", "45,5"};
        // clang-format off
        QTest::newRow("ratio 45,5") << valid << 46;
        QTest::newRow("ratio 44,5") << QStringList(valid).replaceInStrings("45,5", "44,5") << 44;
        QTest::newRow("ratio past 16 bits") << QStringList(valid).replaceInStrings("45,5", "40000") << -1 - int(MasterField::CostRatio);
        QTest::newRow("TB not a number") << QStringList(valid).replaceInStrings("18,5", "abc") << -1 - int(MasterField::Tb);
        QTest::newRow("wage past 32 bits") << QStringList(valid).replaceInStrings( "200 000", "3 000 000 000") << -1 - int(MasterField::MinimumWage);
        // clang-format on
    }
    void masterDataTexts()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, costRatio);
        const auto read
            = read_master_data({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], true});
        if (costRatio >= 0) {
            QCOMPARE(std::get<MasterData>(read).cost_ratio, qint16(costRatio));
            QCOMPARE(std::get<MasterData>(read).szocho_rate, 0.13);
        } else {
            QCOMPARE(int(std::get<MasterField>(read)), -1 - costRatio);
        }
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
