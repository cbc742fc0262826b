#include "evaluation/engine.h"

#include <QTest>

namespace {

MasterData defaults(bool main_employment = true)
{
    return MasterData {200000, 260000, 0.15, 0.185, 0.13, 40, main_employment};
}

MonthlyRevenue every_month(qint32 revenue)
{
    MonthlyRevenue r;
    r.fill(revenue);
    return r;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    // Defaults and 500 000 every month.
    void workedExample_data()
    {
        QTest::addColumn<bool>("mainEmployment");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("szja");
        QTest::addColumn<int>("tb");
        QTest::addColumn<int>("tbBase");
        QTest::addColumn<int>("szocho");
        QTest::addColumn<double>("szochoBase");
        QTest::addColumn<int>("quarter"); // -1: not a quarter end
        QTest::newRow("main 1") << true << 1 << 0 << 48100 << 260000 << 38025 << 292500.0 << -1;
        QTest::newRow("main 3") << true << 3 << 0 << 48100 << 260000 << 38025 << 292500.0 << 0;
        QTest::newRow("main 4") << true << 4 << 0 << 48100 << 260000 << 38025 << 292500.0 << -1;
        QTest::newRow("main 5") << true << 5 << 45000 << 55500 << 300000 << 39000 << 300000.0 << -1;
        QTest::newRow("main 6") << true << 6 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                << 90000;
        QTest::newRow("main 9") << true << 9 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                << 135000;
        QTest::newRow("main 12") << true << 12 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                 << 135000;
        QTest::newRow("side 1") << false << 1 << 0 << 0 << 0 << 0 << 0.0 << -1;
        QTest::newRow("side 4") << false << 4 << 0 << 0 << 0 << 0 << 0.0 << -1;
        QTest::newRow("side 5") << false << 5 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                << -1;
        QTest::newRow("side 6") << false << 6 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                << 90000;
        QTest::newRow("side 12") << false << 12 << 45000 << 55500 << 300000 << 39000 << 300000.0
                                 << 135000;
    }
    void workedExample()
    {
        QFETCH(bool, mainEmployment);
        QFETCH(int, month);
        const auto result = evaluate(defaults(mainEmployment), every_month(500000), month);
        QVERIFY(result);
        QTEST(result->szja_amount, "szja");
        QTEST(result->tb_amount, "tb");
        QTEST(result->tb_base, "tbBase");
        QTEST(result->szocho_amount, "szocho");
        QTEST(result->szocho_base, "szochoBase");
        QFETCH(int, quarter);
        QCOMPARE(result->quarter_szja.has_value(), quarter >= 0);
        if (quarter >= 0)
            QCOMPARE(*result->quarter_szja, quarter);
    }

    // Ties go to the even neighbour: an income of 100 or 300 in side employment.
    void roundingTies_data()
    {
        QTest::addColumn<int>("revenue");
        QTest::addColumn<int>("tb");
        QTest::newRow("18,5 -> 18") << 1200100 << 18;
        QTest::newRow("55,5 -> 56") << 1200300 << 56;
    }
    void roundingTies()
    {
        QFETCH(int, revenue);
        MasterData data = defaults(false);
        data.cost_ratio = 0; // the whole revenue is income
        MonthlyRevenue r {};
        r[0] = revenue;
        const auto result = evaluate(data, r, 1);
        QVERIFY(result);
        QCOMPARE(result->tb_base, revenue - 1200000);
        QTEST(result->tb_amount, "tb");
    }

    void quarterRoundsEachMonth()
    {
        // Incomes of 10 in three months at 15 %: 1,5 each goes to 2, so 6, not 4.
        MasterData data = defaults(false);
        data.cost_ratio = 0;
        MonthlyRevenue r {};
        r[0] = 1200010;
        r[1] = 10;
        r[2] = 10;
        const auto result = evaluate(data, r, 3);
        QVERIFY(result);
        QCOMPARE(result->szja_amount, 2);
        QCOMPARE(result->quarter_szja, std::optional<qint32>(6));
    }

    void costRatio_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::addColumn<int>("tbBase");
        // 3 000 000 revenue in January, side employment, no allowance.
        QTest::newRow("40") << 40 << 1800000;
        QTest::newRow("46 from 45,5") << 46 << 1620000;
        QTest::newRow("44 from 44,5") << 44 << 1680000;
        QTest::newRow("80") << 80 << 600000;
    }
    void costRatio()
    {
        QFETCH(int, ratio);
        MasterData data = defaults(false);
        data.minimum_wage = 0;
        data.cost_ratio = qint16(ratio);
        MonthlyRevenue r {};
        r[0] = 3000000;
        const auto result = evaluate(data, r, 1);
        QVERIFY(result);
        QTEST(result->tb_base, "tbBase");
    }

    void costRatioReadAsWholePercent()
    {
        MasterDataTexts texts {"200 000", "260 000", "15", "18,5", "13", "45,5", true};
        QCOMPARE(read_master_data(texts)->cost_ratio, qint16(46));
        texts.cost_ratio = "44,5";
        QCOMPARE(read_master_data(texts)->cost_ratio, qint16(44));
        texts.szocho = "13,0";
        QCOMPARE(read_master_data(texts)->szocho_rate, 0.13);
        texts.tb = "abc";
        QVERIFY(!read_master_data(texts));
        texts.tb = "18,5";
        texts.cost_ratio = "40000";
        QVERIFY(!read_master_data(texts));
    }

    void incomeBetweenGAndSzochoFloor()
    {
        // An income of 270 000 is its own Szocho base, below 112.5 % of G.
        MonthlyRevenue r {};
        r[0] = 2450000; // 1 470 000 income before the allowance
        const auto result = evaluate(defaults(), r, 1);
        QVERIFY(result);
        QCOMPARE(result->szocho_base, 270000.0);
        QCOMPARE(result->szocho_amount, 35100);
        QCOMPARE(result->tb_base, 270000);
    }

    void smallAllowance()
    {
        MasterData data = defaults();
        data.minimum_wage = 20000;
        MonthlyRevenue r {};
        r[0] = 300000;
        auto result = evaluate(data, r, 1);
        QVERIFY(result);
        QCOMPARE(result->szja_amount, 0); // 180 000 is below G
        data.main_employment = false;
        result = evaluate(data, r, 1);
        QVERIFY(result);
        QCOMPARE(result->szja_amount, 9000);
        QCOMPARE(result->tb_base, 60000);
    }

    void szochoBaseWithDecimals()
    {
        MasterData data = defaults();
        data.guaranteed_minimum = 260001;
        const auto result = evaluate(data, MonthlyRevenue {}, 1);
        QVERIFY(result);
        QCOMPARE(result->szocho_base, 292501.125);
    }

    void laterMonthsDoNotCarryOver()
    {
        // March after December equals March on its own: only the months up to it count.
        MonthlyRevenue r = every_month(500000);
        const auto march = evaluate(defaults(), r, 3);
        r[11] = 2147000000; // the year's sum no longer fits
        QVERIFY(evaluate(defaults(), r, 12) == std::nullopt);
        const auto again = evaluate(defaults(), r, 3);
        QVERIFY(march && again);
        QCOMPARE(again->quarter_szja, march->quarter_szja);
        QCOMPARE(again->tb_amount, march->tb_amount);
    }

    void monthWithoutRevenueCarriesNothing()
    {
        MonthlyRevenue r {};
        r[0] = 4000000; // 2 400 000 income, 1 200 000 above the allowance
        const auto result = evaluate(defaults(false), r, 2);
        QVERIFY(result);
        QCOMPARE(result->tb_base, 0);
        QCOMPARE(result->tb_amount, 0);
    }

    void overflow_data()
    {
        QTest::addColumn<int>("minimumWage");
        QTest::addColumn<int>("revenue");
        QTest::addColumn<double>("tbRate");
        QTest::newRow("revenue sum") << 200000 << 1500000000 << 0.185;
        QTest::newRow("twelve wages") << 200000000 << 1 << 0.185;
        QTest::newRow("product with rate") << 200000 << 100000000 << 1e6;
    }
    void overflow()
    {
        QFETCH(int, minimumWage);
        QFETCH(int, revenue);
        QFETCH(double, tbRate);
        MasterData data = defaults();
        data.minimum_wage = minimumWage;
        data.tb_rate = tbRate;
        QVERIFY(!evaluate(data, every_month(revenue), 12));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
