#include "evaluation/number_text.h"

#include <QTest>

#include <limits>

using namespace number_text;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "200000" << true << 200000.0;
        QTest::newRow("ascii blank") << "200 000" << true << 200000.0;
        QTest::newRow("no-break space") << u"1\u00A0234\u00A0567"_qs << true << 1234567.0;
        QTest::newRow("narrow no-break space") << u"1\u202F234"_qs << true << 1234.0;
        QTest::newRow("separator anywhere") << "1 2534" << true << 12534.0;
        QTest::newRow("decimal comma") << "18,5" << true << 18.5;
        QTest::newRow("fraction only") << ",5" << true << 0.5;
        QTest::newRow("surrounding blanks") << "  -12,25 " << true << -12.25;
        QTest::newRow("plus sign") << "+7" << true << 7.0;
        QTest::newRow("exponent") << "1,5E3" << true << 1500.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks") << "   " << false << 0.0;
        QTest::newRow("lone minus") << "-" << false << 0.0;
        QTest::newRow("point") << "18.5" << false << 0.0;
        QTest::newRow("trailing letter") << "12a" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("separator before digits") << " ,5 1" << false << 0.0;
        QTest::newRow("dangling exponent") << "12E" << false << 0.0;
        QTest::newRow("too large for a double") << "1E999" << false << 0.0;
    }
    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const auto result = read_number(text);
        QCOMPARE(result.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*result, value);
    }

    void toAmount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("locale number") << "12,5" << 12.5;
        QTest::newRow("grouped") << u"200\u00A0000"_qs << 200000.0;
        QTest::newRow("percent sign") << "15%" << 15.0;
        QTest::newRow("number then letters") << "12abc" << 12.0;
        QTest::newRow("point") << "1.5" << 1.5;
        QTest::newRow("comma not locale whole") << "12,345x" << 12.0;
        QTest::newRow("blanks skipped") << "1 2.5x" << 12.5;
        QTest::newRow("sign") << "-3.25kg" << -3.25;
        QTest::newRow("exponent E") << "2E3x" << 2000.0;
        QTest::newRow("exponent D") << "2D2x" << 200.0;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0;
        QTest::newRow("octal") << "&o17" << 15.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("huge") << "9e999x" << std::numeric_limits<double>::infinity();
    }
    void toAmount()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(to_amount(text), value);
    }

    void whole_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits32");
        QTest::addColumn<int>("expected32");
        QTest::addColumn<bool>("fits16");
        QTest::newRow("half to even down") << 18.5 << true << 18 << true;
        QTest::newRow("half to even up") << 55.5 << true << 56 << true;
        QTest::newRow("negative half") << -2.5 << true << -2 << true;
        QTest::newRow("1234,5") << 1234.5 << true << 1234 << true;
        QTest::newRow("45,5") << 45.5 << true << 46 << true;
        QTest::newRow("44,5") << 44.5 << true << 44 << true;
        QTest::newRow("largest 32") << 2147483647.0 << true << 2147483647 << false;
        QTest::newRow("rounds past 32") << 2147483647.5 << false << 0 << false;
        QTest::newRow("smallest 32") << -2147483648.0 << true << int(-2147483648LL) << false;
        QTest::newRow("below 32") << -2147483649.0 << false << 0 << false;
        QTest::newRow("largest 16") << 32767.4 << true << 32767 << true;
        QTest::newRow("past 16") << 32767.5 << true << 32768 << false;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << false << 0 << false;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0 << false;
    }
    void whole()
    {
        QFETCH(double, value);
        QFETCH(bool, fits32);
        QFETCH(int, expected32);
        QFETCH(bool, fits16);
        QCOMPARE(whole32(value).has_value(), fits32);
        if (fits32)
            QCOMPARE(*whole32(value), expected32);
        QCOMPARE(whole16(value).has_value(), fits16);
    }

    void writing_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("groupedText");
        QTest::addColumn<QString>("plainText");
        QTest::newRow("thousands") << 45000.0 << 0 << u"45\u00A0000"_qs << "45000";
        QTest::newRow("millions") << -1234567.0 << 0 << u"-1\u00A0234\u00A0567"_qs << "-1234567";
        QTest::newRow("half away from zero") << 1234.5 << 0 << u"1\u00A0235"_qs << "1234,5";
        QTest::newRow("one decimal") << 18.5 << 1 << "18,5"
                                     << "18,5";
        QTest::newRow("padded decimal") << 15.0 << 1 << "15,0"
                                        << "15";
        QTest::newRow("szocho base") << 292501.125 << 0 << u"292\u00A0501"_qs << "292501,125";
        QTest::newRow("negative zero") << -0.0 << 0 << "0"
                                       << "0";
    }
    void writing()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, groupedText);
        QFETCH(QString, plainText);
        QCOMPARE(grouped(value, decimals), groupedText);
        QCOMPARE(plain(value), plainText);
        // What is written reads back as the same number.
        QCOMPARE(read_number(plainText), std::optional<double>(value + 0.0));
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "test_number_text.moc"
