#include "evaluation/number_text.h"
#include "inputs/field_text.h"

#include <QTest>

#include <limits>

using namespace number_text;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Whether a text is a Hungarian number, and what to_amount makes of it.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("amount");
        const double inf = std::numeric_limits<double>::infinity();
        // clang-format off
        QTest::newRow("plain") << "200000" << true << 200000.0;
        QTest::newRow("ascii blank") << " 200 000 " << true << 200000.0;
        QTest::newRow("no-break") << u"1\u00A0234\u00A0567"_qs << true << 1234567.0;
        QTest::newRow("narrow no-break") << u"1\u202F234"_qs << true << 1234.0;
        QTest::newRow("lax grouping") << "1 2534" << true << 12534.0;
        QTest::newRow("em space") << u"1\u2003234"_qs << true << 1234.0;
        QTest::newRow("comma") << "-12,25" << true << -12.25;
        QTest::newRow("fraction only") << ",5" << true << 0.5;
        QTest::newRow("exponent") << "+1,5E3" << true << 1500.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("lone minus") << "-" << false << 0.0;
        QTest::newRow("percent") << "15%" << false << 15.0;
        QTest::newRow("point") << "1.5" << false << 1.5;
        QTest::newRow("leading number") << "12,345x" << false << 12.0;
        QTest::newRow("blanks skipped") << "- 1 2.5x" << false << -12.5;
        QTest::newRow("separator first") << " ,5 1" << false << 0.0;
        QTest::newRow("exponent D") << "2D2x" << false << 200.0;
        QTest::newRow("dangling exponent") << "12E" << false << 12.0;
        QTest::newRow("hexadecimal") << "&HFF" << false << 255.0;
        QTest::newRow("octal") << "&o17" << false << 15.0;
        QTest::newRow("too large") << "9E999" << false << inf;
        // clang-format on
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, amount);
        QCOMPARE(read_number(text).has_value(), isNumber);
        QCOMPARE(to_amount(text), amount);
    }

    void whole_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<std::optional<qint32>>("w32");
        QTest::addColumn<bool>("fits16");
        // clang-format off
        QTest::newRow("18,5") << 18.5 << std::optional<qint32>(18) << true;
        QTest::newRow("55,5") << 55.5 << std::optional<qint32>(56) << true;
        QTest::newRow("-2,5") << -2.5 << std::optional<qint32>(-2) << true;
        QTest::newRow("largest") << 2147483647.0 << std::optional<qint32>(2147483647) << false;
        QTest::newRow("rounds past") << 2147483647.5 << std::optional<qint32>() << false;
        QTest::newRow("smallest") << -2147483648.0 << std::optional<qint32>(-2147483647 - 1) << false;
        QTest::newRow("below") << -2147483649.0 << std::optional<qint32>() << false;
        QTest::newRow("16-bit edge") << 32767.4 << std::optional<qint32>(32767) << true;
        QTest::newRow("past 16 bits") << 32767.5 << std::optional<qint32>(32768) << false;
        QTest::newRow("nan") << std::nan("") << std::optional<qint32>() << false;
        // clang-format on
    }
    void whole()
    {
        QFETCH(double, value);
        QTEST(whole32(value), "w32");
        QTEST(whole16(value).has_value(), "fits16");
    }

    void writing_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("groupedText");
        QTest::addColumn<QString>("plainText");
        // clang-format off
        QTest::newRow("grouped") << -1234567.0 << 0 << u"-1\u00A0234\u00A0567"_qs << "-1234567";
        QTest::newRow("half away") << 1234.5 << 0 << u"1\u00A0235"_qs << "1234,5";
        QTest::newRow("decimal") << 15.0 << 1 << "15,0" << "15";
        QTest::newRow("szocho base") << 292501.125 << 0 << u"292\u00A0501"_qs << "292501,125";
        QTest::newRow("negative zero") << -0.0 << 0 << "0" << "0";
        // The decimal number is rounded, not its binary neighbour.
        QTest::newRow("18,45") << 18.45 << 1 << "18,5" << "18,45";
        QTest::newRow("0,15") << 0.15 << 1 << "0,2" << "0,15";
        QTest::newRow("12,345") << 12.345 << 1 << "12,3" << "12,345";
        QTest::newRow("-0,05") << -0.05 << 1 << "-0,1" << "-0,05";
        QTest::newRow("-0,4 whole") << -0.4 << 0 << "0" << "-0,4";
        QTest::newRow("-0,04") << -0.04 << 1 << "0,0" << "-0,04";
        QTest::newRow("carry") << 999.95 << 1 << u"1\u00A0000,0"_qs << "999,95";
        // clang-format on
    }
    void writing()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(grouped(value, decimals), "groupedText");
        QTEST(plain(value), "plainText");
    }

    // A revenue field's text while typed and once left.
    void revenueTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        // clang-format off
        QTest::newRow("grouped") << "1234567" << u"1\u00A0234\u00A0567"_qs << "1234567";
        QTest::newRow("inserted digit") << "1 2534" << u"12\u00A0534"_qs << "1 2534";
        QTest::newRow("negative") << "-1234" << u"-1\u00A0234"_qs << "-1234";
        QTest::newRow("letter") << "12a" << "12a" << "";
        QTest::newRow("lone minus") << "-" << "-" << "";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("out of range") << "3000000000" << u"3\u00A0000\u00A0000\u00A0000"_qs << "3000000000";
        QTest::newRow("fraction") << "123,45" << "123,45" << "123";
        QTest::newRow("fraction, half") << "1234,5" << u"1\u00A0234,5"_qs << u"1\u00A0235"_qs;
        QTest::newRow("trailing comma") << "12345," << u"12\u00A0345,"_qs << u"12\u00A0345"_qs;
        QTest::newRow("negative half") << "-1234,5" << u"-1\u00A0234,5"_qs << u"-1\u00A0235"_qs;
        // clang-format on
    }
    void revenueTexts()
    {
        QFETCH(QString, typed);
        QTEST(regrouped_revenue(typed), "whileTyping");
        QTEST(revenue_on_leaving(typed), "afterLeaving");
    }

    // A master-data field's text once left, with its number of decimals.
    void masterTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("wage grouped") << "200000" << 0 << u"200\u00A0000"_qs;
        QTest::newRow("rate kept") << "18,5" << 1 << "18,5";
        QTest::newRow("rate gets a decimal") << "15" << 1 << "15,0";
        QTest::newRow("point read") << "18.5" << 1 << "18,5";
        QTest::newRow("letters, wage") << "abc" << 0 << "0";
        QTest::newRow("empty, rate") << "" << 1 << "0,0";
        QTest::newRow("leading number") << "12abc" << 1 << "12,0";
        QTest::newRow("one decimal") << "12,345" << 1 << "12,3";
        QTest::newRow("decimal half") << "18,45" << 1 << "18,5";
        QTest::newRow("small half") << "0,15" << 1 << "0,2";
        QTest::newRow("negative half") << "-0,05" << 1 << "-0,1";
        QTest::newRow("no minus zero") << "-0,4" << 0 << "0";
        QTest::newRow("negative") << "-2" << 1 << "-2,0";
        QTest::newRow("too large") << "1e999" << 0 << "0";
        // clang-format on
    }
    void masterTexts()
    {
        QFETCH(QString, typed);
        QFETCH(int, decimals);
        QTEST(normalised_master(typed, decimals), "shown");
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
