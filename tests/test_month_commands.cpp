#include "window_fixture.h"

class TestMonthCommands : public QObject {
    Q_OBJECT

    WindowFixture f;

    Ui::fo &ui() { return f.ui(); }
    void press(int month) { QTest::mouseClick(f.window->month_button(month), Qt::LeftButton); }
    void setRevenues(const QString &text)
    {
        for (int month = 1; month <= 12; ++month)
            f.window->revenue_field(month)->setText(text);
    }

private slots:
    void init()
    {
        // With taxpayer data, so that the export button takes part in the tab order.
        f.open([](FakePlatform &p) {
            put_file(p.folder.filePath("adat2.txt"), QByteArray("x\r\n").repeated(24));
        });
    }
    void cleanup() { f.close(); }

    void everyNamedWidgetExists()
    {
        const std::pair<const char *, QList<int>> kinds[]
            = {{"QLabel", {1, 3, 4, 5, 6, 7, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22}},
                {"QPushButton", {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 19, 21}},
                {"QLineEdit",
                    {2, 3, 4, 5, 6, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 33,
                        46, 47, 50, 51, 57, 58, 59}},
                {"QGroupBox", {1, 2, 3}}};
        const char *prefix[] = {"Label", "Command", "Text", "Frame"};
        for (int k = 0; k < 4; ++k)
            for (int n : kinds[k].second) {
                const QString name = prefix[k] + QString::number(n);
                auto *widget = f.window->findChild<QWidget *>(name);
                QVERIFY2(widget && widget->inherits(kinds[k].first), qPrintable(name));
            }
        QVERIFY(ui().Option1->inherits("QRadioButton") && ui().Option2->inherits("QRadioButton"));
        QVERIFY(ui().Combo1->isEditable());
        QCOMPARE(ui().List1->count(), 24);
        QCOMPARE(f.window->objectName(), QStringLiteral("fo"));
    }

    void tabOrder()
    {
        QStringList expected {"Text2", "Text3", "Text4", "Text5", "Text6", "Combo1"};
        for (int month = 0; month < 12; ++month)
            expected << QStringLiteral("Text%1").arg(14 + month)
                     << QStringLiteral("Command%1").arg(2 + month);
        // The two options are one Tab stop; the arrow keys move between them.
        expected << "Text11"
                 << "Text12"
                 << "Text13"
                 << "Command14"
                 << "Command19"
                 << "Text57"
                 << "Text58"
                 << "Text59"
                 << "Text33"
                 << "Option1"
                 << "Command21";
        QStringList walked;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            walked << (focus->objectName().isEmpty() ? focus->parentWidget() : focus)->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        ui().Option1->setFocus();
        QTest::keyClick(ui().Option1, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), ui().Option2);
    }

    void monthButton_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("shown"); // Text11, 12, 13, 33, 46, 47
        QTest::newRow("january") << 1 << "januári befizetések"
                                 << QStringList {"0", "48 100", "38 025", "0", "260000", "292500"};
        QTest::newRow("march") << 3 << "márciusi befizetések"
                               << QStringList {"0", "48 100", "38 025", "0", "260000", "292500"};
        QTest::newRow("may") << 5 << "májusi befizetések"
                             << QStringList {"45 000", "55 500", "39 000", "0", "300000", "300000"};
        QTest::newRow("june") << 6 << "júniusi befizetések"
                              << QStringList {
                                     "45 000", "55 500", "39 000", "90 000", "300000", "300000"};
        QTest::newRow("december") << 12 << "decemberi befizetések"
                                  << QStringList {"45 000", "55 500", "39 000", "135 000", "300000",
                                         "300000"};
    }
    void monthButton()
    {
        QFETCH(int, month);
        QFETCH(QStringList, shown);
        setRevenues("500 000");
        ui().List1->show();
        press(month);
        QCOMPARE(f.window->selected_month, qint16(month));
        QTEST(ui().Frame1->title(), "caption");
        const QStringList texts {ui().Text11->text(), ui().Text12->text(), ui().Text13->text(),
            ui().Text33->text(), ui().Text46->text(), ui().Text47->text()};
        QCOMPARE(texts, hungarian_blanks(shown));
        QVERIFY(ui().List1->isHidden());
        QVERIFY(f.window->evaluated.has_value());
        QVERIFY(f.platform->messages.isEmpty());
    }

    void takesOnlyTheMonthsUpToTheButton()
    {
        f.window->revenue_field(1)->setText("1 234 567");
        f.window->revenue_field(5)->setText("999");
        press(4);
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
        QCOMPARE(f.window->monthly_revenue[4], 0);
        press(5);
        QCOMPARE(f.window->monthly_revenue[4], 999);
    }

    void julyColoursStay()
    {
        const QPalette window = f.window->palette();
        const auto base = [this] { return ui().Text11->palette().color(QPalette::Base); };
        QCOMPARE(base(), window.color(QPalette::Button));
        press(6);
        QCOMPARE(base(), window.color(QPalette::Button));
        press(7);
        QCOMPARE(base(), window.color(QPalette::Base));
        QCOMPARE(ui().Text11->palette().color(QPalette::Text), window.color(QPalette::WindowText));
        press(1);
        QCOMPARE(base(), window.color(QPalette::Base));
        QVERIFY(window.color(QPalette::Base) != window.color(QPalette::Button));
    }

    void resultFieldsRefuseTyping()
    {
        setRevenues("500 000");
        press(5);
        for (QLineEdit *field : {ui().Text11, ui().Text12, ui().Text13, ui().Text33, ui().Text57}) {
            const QString shown = field->text();
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(field, "12");
            QTest::keyClick(field, Qt::Key_Backspace);
            QCOMPARE(field->text(), shown);
        }
        QCOMPARE(ui().Text12->text(), hungarian_blanks("55 500"));
    }

    void revenueOutOfRangeRefused()
    {
        setRevenues("500 000");
        press(6);
        f.window->revenue_field(3)->setText("3 000 000 000");
        press(12);
        QVERIFY(
            f.platform->said("Túl nagy bevétel: március. Legfeljebb 2 147 483 647 Ft adható meg."));
        // Nothing changed: June's results stay.
        QCOMPARE(f.window->selected_month, qint16(6));
        QCOMPARE(ui().Frame1->title(), QStringLiteral("júniusi befizetések"));
        QCOMPARE(ui().Text33->text(), hungarian_blanks("90 000"));
        QCOMPARE(f.window->monthly_revenue[2], 500000);
    }

    void evaluationFailureLeavesZeros()
    {
        setRevenues("500 000");
        press(6);
        ui().Text2->setText("200 000 000"); // twelve of it do not fit
        press(6);
        QVERIFY(f.platform->said("A számítás nem végezhető el: túl nagy vagy hibás szám"));
        for (QLineEdit *field : {ui().Text11, ui().Text12, ui().Text13, ui().Text33, ui().Text46})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QVERIFY(!f.window->evaluated.has_value());
    }
};

QTEST_MAIN(TestMonthCommands)
#include "test_month_commands.moc"
