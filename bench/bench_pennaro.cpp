// The work after the start: an evaluation, a month click, the import file.
#include "../tests/window_fixture.h"
#include "declaration/import_file.h"
#include "evaluation/year_overview.h"
#include "storage/text_lines.h"
#include "window/fo.h"

#include <QPushButton>
#include <QTest>

class BenchPennaro : public QObject {
    Q_OBJECT

private slots:
    void evaluateDecember()
    {
        const MasterData data {200000, 260000, 0.15, 0.185, 0.13, 40, true};
        MonthlyRevenue revenue;
        revenue.fill(500000);
        QBENCHMARK
        {
            const auto result = evaluate(data, revenue, 12);
            QVERIFY(result);
        }
    }

    void yearOverview()
    {
        const MasterData data {322800, 373200, 0.15, 0.185, 0.13, 45, true, 2026};
        RevenueFields revenue;
        revenue.fill(850000);
        QBENCHMARK
        {
            QCOMPARE(year_overview(data, revenue).size(), 17);
        }
    }

    void monthClick()
    {
        FakePlatform platform;
        fo window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QBENCHMARK
        {
            QTest::mouseClick(window.month_button(12), Qt::LeftButton);
        }
    }

    void importFile()
    {
        Declaration declaration {
            TaxpayerLines(31), {2026, "20261201", "20261231"}, 55500, 39000, 300000, 300000, true};
        for (int i = 1; i <= 24; ++i)
            declaration.taxpayer[i] = "K\xF5szegi " + QByteArray::number(i);
        declaration.taxpayer[3] = "1";
        QTemporaryDir folder;
        const QString path = folder.filePath("felad.imp");
        QBENCHMARK
        {
            QVERIFY(!write_file(path, import_file(declaration).bytes));
        }
    }
};

QTEST_MAIN(BenchPennaro)
#include "bench_pennaro.moc"
