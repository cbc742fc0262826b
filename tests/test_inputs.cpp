#include "window_fixture.h"

#include <QClipboard>
#include <QMenu>

class TestInputs : public QObject {
    Q_OBJECT

    WindowFixture f;

    void focusByMouse(QWidget *widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), widget);
    }
    QLineEdit *january() const { return f.window->revenue_field(1); }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void typingRegroupsWithCaretAtEnd()
    {
        focusByMouse(january());
        const QStringList shown {"1", "12", "123", "1 234", "12 345", "123 456", "1 234 567"};
        for (int digit = 1; digit <= 7; ++digit) {
            QTest::keyClick(january(), char('0' + digit));
            QCOMPARE(january()->text(), hungarian_blanks(shown[digit - 1]));
            QCOMPARE(january()->cursorPosition(), january()->text().size());
            QVERIFY(!january()->hasSelectedText());
        }
    }

    void insertionInTheMiddleRegroups()
    {
        focusByMouse(january());
        QTest::keyClicks(january(), "1234");
        january()->setCursorPosition(3); // "1 2|34"
        QTest::keyClick(january(), '5');
        QCOMPARE(january()->text(), hungarian_blanks("12 534"));
        QCOMPARE(january()->cursorPosition(), january()->text().size());
    }

    void pasteRoundsHalfAwayFromZero()
    {
        focusByMouse(january());
        QApplication::clipboard()->setText("1234,5");
        QTest::keyClick(january(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(january()->text(), hungarian_blanks("1 235"));
    }

    void typedTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("negative") << "-1234"
                                  << "-1 234"
                                  << "-1 234";
        QTest::newRow("letter") << "12a"
                                << "12a"
                                << "";
        QTest::newRow("lone minus") << "-"
                                    << "-"
                                    << "";
        QTest::newRow("out of range") << "3000000000"
                                      << "3 000 000 000"
                                      << "3 000 000 000";
    }
    void typedTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        focusByMouse(january());
        QTest::keyClicks(january(), typed);
        QCOMPARE(january()->text(), hungarian_blanks(whileTyping));
        QTest::keyClick(january(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != january());
        QCOMPARE(january()->text(), hungarian_blanks(afterLeaving));
    }

    void notLeftWhenTheWindowIsDeactivated()
    {
        focusByMouse(january());
        QTest::keyClicks(january(), "12a");
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(january()->text(), QStringLiteral("12a"));
    }

    void notLeftWhenAPopupOpens()
    {
        focusByMouse(january());
        QTest::keyClicks(january(), "-");
        QMenu menu;
        menu.addAction("x");
        menu.popup(january()->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(january()->text(), QStringLiteral("-"));
        menu.close();
        QCOMPARE(january()->text(), QStringLiteral("-"));
    }

    void formatLockKeepsTextsVerbatim()
    {
        f.window->format_lock = true;
        january()->setText("1234567");
        QCOMPARE(january()->text(), QStringLiteral("1234567"));
    }

    void masterDataNormalisedOnLeaving_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("wage grouped") << "Text2"
                                      << "200000"
                                      << "200 000";
        QTest::newRow("rate kept") << "Text5"
                                   << "18,5"
                                   << "18,5";
        QTest::newRow("rate gets a decimal") << "Text4"
                                             << "15"
                                             << "15,0";
        QTest::newRow("point read") << "Text5"
                                    << "18.5"
                                    << "18,5";
        QTest::newRow("letters, wage") << "Text2"
                                       << "abc"
                                       << "0";
        QTest::newRow("letters, rate") << "Text4"
                                       << "abc"
                                       << "0,0";
        QTest::newRow("empty, wage") << "Text3"
                                     << ""
                                     << "0";
        QTest::newRow("empty, rate") << "Text6"
                                     << ""
                                     << "0,0";
        QTest::newRow("leading number, wage") << "Text2"
                                              << "12abc"
                                              << "12";
        QTest::newRow("leading number, rate") << "Text6"
                                              << "12abc"
                                              << "12,0";
        QTest::newRow("rounded to one decimal") << "Text4"
                                                << "12,345"
                                                << "12,3";
        QTest::newRow("wage rounded") << "Text3"
                                      << "260000,5"
                                      << "260 001";
        QTest::newRow("negative rate") << "Text5"
                                       << "-2"
                                       << "-2,0";
        QTest::newRow("cost ratio") << "Combo1"
                                    << "45,5"
                                    << "45,5";
        QTest::newRow("cost ratio letters") << "Combo1"
                                            << "x"
                                            << "0,0";
    }
    void masterDataNormalisedOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QWidget *widget = f.window->findChild<QWidget *>(field);
        widget->setFocus(Qt::TabFocusReason);
        f.ui().Text12->setText("55 500");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(f.ui().Text12->text(), QStringLiteral("55 500")); // nothing until it is left
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString text = field == "Combo1" ? f.ui().Combo1->currentText()
                                               : qobject_cast<QLineEdit *>(widget)->text();
        QCOMPARE(text, hungarian_blanks(shown));
        QCOMPARE(f.ui().Text12->text(), QStringLiteral("0"));
    }

    void tabbingThroughResetsTheResults()
    {
        january()->setText("500000");
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QCOMPARE(f.ui().Text12->text(), hungarian_blanks("48 100"));
        f.ui().Text2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.ui().Text2, Qt::Key_Tab);
        for (QLineEdit *result : {f.ui().Text11, f.ui().Text12, f.ui().Text13, f.ui().Text33,
                 f.ui().Text46, f.ui().Text47})
            QCOMPARE(result->text(), QStringLiteral("0"));
        QVERIFY(!f.window->results_valid);
        QCOMPARE(f.ui().Text2->text(), hungarian_blanks("200 000"));
    }

    void costRatioChosenFromTheList()
    {
        // 3 000 000 in January, side employment: the base is the income.
        january()->setText("3000000");
        f.ui().Option2->setChecked(true);
        f.ui().Combo1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("80"));
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("80,0"));
        QCOMPARE(f.ui().Text46->text(), QStringLiteral("0")); // 600 000 within the allowance
        f.ui().Text2->setText("0");
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QCOMPARE(f.ui().Text46->text(), QStringLiteral("600000"));
    }

    void monthButtonSeesTheFieldLeftFirst()
    {
        focusByMouse(january());
        QTest::keyClicks(january(), "12a");
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QCOMPARE(january()->text(), QString());
        QCOMPARE(f.window->monthly_revenue[0], 0);
        QCOMPARE(f.window->selected_month, qint16(1));
    }

    void employmentChoiceResetsNothing()
    {
        january()->setText("500000");
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QTest::mouseClick(f.ui().Option2, Qt::LeftButton);
        QVERIFY(f.ui().Option2->isChecked());
        QCOMPARE(f.ui().Text12->text(), hungarian_blanks("48 100"));
    }
};

QTEST_MAIN(TestInputs)
#include "test_inputs.moc"
