#include "window_fixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QMenu>

class TestInputs : public QObject {
    Q_OBJECT

    WindowFixture f;

    QLineEdit *january() const { return f.window->revenue_field(1); }
    void typeIntoJanuary(const QString &text)
    {
        QTest::mouseClick(january(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), january());
        QTest::keyClicks(january(), text);
    }
    void pressMonth(int month) { QTest::mouseClick(f.window->month_button(month), Qt::LeftButton); }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void typingRegroupsWithCaretAtEnd()
    {
        typeIntoJanuary("");
        const QStringList shown {"1", "12", "123", "1 234", "12 345", "123 456", "1 234 567"};
        for (int digit = 1; digit <= 7; ++digit) {
            QTest::keyClick(january(), char('0' + digit));
            QCOMPARE(january()->text(), hungarian_blanks(shown[digit - 1]));
            QCOMPARE(january()->cursorPosition(), january()->text().size());
        }
        january()->setCursorPosition(3); // "1 2|34 567"
        QTest::keyClick(january(), '5');
        QCOMPARE(january()->text(), hungarian_blanks("12 534 567"));
        QCOMPARE(january()->cursorPosition(), january()->text().size());
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
        QTest::newRow("fraction") << "123,45"
                                  << "123,45"
                                  << "123";
        QTest::newRow("fraction, half") << "1234,5"
                                        << "1 234,5"
                                        << "1 235";
        QTest::newRow("trailing comma") << "12345,"
                                        << "12 345,"
                                        << "12 345";
        QTest::newRow("negative half") << "-1234,5"
                                       << "-1 234,5"
                                       << "-1 235";
    }
    void typedTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        typeIntoJanuary(typed);
        QCOMPARE(january()->text(), hungarian_blanks(whileTyping));
        QTest::keyClick(january(), Qt::Key_Tab);
        QCOMPARE(january()->text(), hungarian_blanks(afterLeaving));
    }

    void fractionTypedKeyByKey()
    {
        typeIntoJanuary("");
        const QStringList shown {"1", "12", "123", "1 234", "1 234,", "1 234,5", "1 234,56"};
        for (int i = 0; i < shown.size(); ++i) {
            QTest::keyClick(january(), "1234,56"[i]);
            QCOMPARE(january()->text(), hungarian_blanks(shown[i]));
        }
        pressMonth(1); // the click leaves the field first
        QCOMPARE(january()->text(), hungarian_blanks("1 235"));
        QCOMPARE(f.window->monthly_revenue[0], 1235);
    }

    void pasteRoundsHalfAwayFromZero()
    {
        typeIntoJanuary("");
        QApplication::clipboard()->setText("1234,5");
        QTest::keyClick(january(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(january()->text(), hungarian_blanks("1 234,5"));
        QTest::keyClick(january(), Qt::Key_Tab);
        QCOMPARE(january()->text(), hungarian_blanks("1 235"));
    }

    void notLeftWhenTheWindowIsDeactivatedOrAPopupOpens()
    {
        typeIntoJanuary("12a");
        QMenu menu;
        menu.addAction("x");
        menu.popup(january()->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.close();
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(january()->text(), QStringLiteral("12a"));
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
        QTest::newRow("one decimal") << "Text4"
                                     << "12,345"
                                     << "12,3";
        QTest::newRow("decimal half") << "Text5"
                                      << "18,45"
                                      << "18,5";
        QTest::newRow("small half") << "Text4"
                                    << "0,15"
                                    << "0,2";
        QTest::newRow("negative half") << "Text6"
                                       << "-0,05"
                                       << "-0,1";
        QTest::newRow("no minus zero") << "Text2"
                                       << "-0,4"
                                       << "0";
        QTest::newRow("negative") << "Text5"
                                  << "-2"
                                  << "-2,0";
        QTest::newRow("cost ratio") << "Combo1"
                                    << "45"
                                    << "45,0";
        QTest::newRow("cost ratio not completed") << "Combo1"
                                                  << "8"
                                                  << "8,0";
    }
    void masterDataNormalisedOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        f.window->findChild<QWidget *>(field)->setFocus(Qt::TabFocusReason);
        QWidget *editor = QApplication::focusWidget();
        f.ui().Text12->setText("55 500");
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QFETCH(QString, typed);
        QTest::keyClicks(editor, typed);
        QCOMPARE(f.ui().Text12->text(), QStringLiteral("55 500")); // nothing until it is left
        QTest::keyClick(editor, Qt::Key_Tab);
        const QString text = field == "Combo1" ? f.ui().Combo1->currentText()
                                               : f.window->findChild<QLineEdit *>(field)->text();
        QCOMPARE(text, hungarian_blanks(shown));
        QCOMPARE(f.ui().Text12->text(), QStringLiteral("0"));
    }

    void tabbingThroughResetsTheResults()
    {
        january()->setText("500000");
        pressMonth(1);
        QCOMPARE(f.ui().Text12->text(), hungarian_blanks("48 100"));
        f.ui().Text2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.ui().Text2, Qt::Key_Tab);
        QCOMPARE(f.ui().Text12->text(), QStringLiteral("0"));
        QCOMPARE(f.ui().Text47->text(), QStringLiteral("0"));
        QVERIFY(!f.window->evaluated.has_value());
    }

    void costRatioChosenFromTheList()
    {
        // 3 000 000 in January, side employment, no allowance: the base is the income.
        january()->setText("3000000");
        f.ui().Option2->setChecked(true);
        f.ui().Text2->setText("0");
        QComboBox *combo = f.ui().Combo1;
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QTest::mouseClick(
            combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
        QAbstractItemView *list = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QCOMPARE(combo->currentText(), QStringLiteral("40")); // opening it is no leave
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QCOMPARE(combo->currentText(), QStringLiteral("80"));
        pressMonth(1); // the click leaves the box first
        QCOMPARE(combo->currentText(), QStringLiteral("80,0"));
        QCOMPARE(f.ui().Text46->text(), QStringLiteral("600000"));
    }

    void costRatioListStaysAsItIs()
    {
        QComboBox *combo = f.ui().Combo1;
        combo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(combo, "45");
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(combo->currentText(), QStringLiteral("45"));
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, (QStringList {"40", "80", "90"}));
    }

    void monthButtonSeesTheFieldLeftFirst()
    {
        typeIntoJanuary("12a");
        pressMonth(1);
        QCOMPARE(january()->text(), QString());
        QCOMPARE(f.window->monthly_revenue[0], 0);
        QCOMPARE(f.window->selected_month, qint16(1));
    }

    void employmentChoiceResetsNothing()
    {
        january()->setText("500000");
        pressMonth(1);
        QTest::mouseClick(f.ui().Option2, Qt::LeftButton);
        QVERIFY(f.ui().Option2->isChecked());
        QCOMPARE(f.ui().Text12->text(), hungarian_blanks("48 100"));
    }
};

QTEST_MAIN(TestInputs)
#include "test_inputs.moc"
