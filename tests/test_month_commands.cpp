#include "window_fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const QString nbsp(QChar(0x00A0));

} // namespace

class TestMonthCommands : public QObject {
    Q_OBJECT

    WindowFixture f;
    FakePlatform *platform = nullptr;
    fo *window = nullptr;

    Ui::fo &ui() { return window->form(); }
    void press(int month) { QTest::mouseClick(window->month_button(month), Qt::LeftButton); }
    void setRevenues(const QString &text)
    {
        for (int month = 1; month <= 12; ++month)
            window->revenue_field(month)->setText(text);
    }

private slots:
    void init()
    {
        // With taxpayer data, so that the export button is enabled.
        f.open([](FakePlatform &p) {
            write_file(p.folder.filePath("adat2.txt"), QByteArray("x\r\n").repeated(24));
        });
        platform = f.platform.get();
        window = f.window.get();
    }
    void cleanup() { f.close(); }

    void everyNamedWidgetExists()
    {
        auto count = [this](const char *kind, const QString &name) {
            return window->findChild<QObject *>(name)
                && window->findChild<QObject *>(name)->inherits(kind);
        };
        QCOMPARE(window->objectName(), QStringLiteral("fo"));
        for (int n : {1, 3, 4, 5, 6, 7, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22})
            QVERIFY2(
                count("QLabel", QStringLiteral("Label%1").arg(n)), qPrintable(QString::number(n)));
        for (int n = 2; n <= 14; ++n)
            QVERIFY(count("QPushButton", QStringLiteral("Command%1").arg(n)));
        for (int n : {19, 21})
            QVERIFY(count("QPushButton", QStringLiteral("Command%1").arg(n)));
        for (int n : {2, 3, 4, 5, 6, 11, 12, 13, 33, 46, 47, 50, 51, 57, 58, 59})
            QVERIFY(count("QLineEdit", QStringLiteral("Text%1").arg(n)));
        for (int n = 14; n <= 25; ++n)
            QVERIFY(count("QLineEdit", QStringLiteral("Text%1").arg(n)));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(count("QGroupBox", QStringLiteral("Frame%1").arg(n)));
        QVERIFY(count("QRadioButton", "Option1") && count("QRadioButton", "Option2"));
        QVERIFY(count("QComboBox", "Combo1"));
        QVERIFY(count("QListWidget", "List1"));
        QCOMPARE(ui().List1->count(), 24);
    }

    void startState()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("PENNARO ver.:1.03"));
        QCOMPARE(window->selected_month, qint16(0));
        QVERIFY(!window->format_lock);
        QVERIFY(ui().List1->isHidden());
        QVERIFY(ui().Option1->isChecked());
        QCOMPARE(ui().Combo1->currentText(), QStringLiteral("40"));
        QCOMPARE(ui().Frame1->title(), QStringLiteral("Számítások"));
        for (QLineEdit *field : {ui().Text11, ui().Text12, ui().Text13, ui().Text33})
            QCOMPARE(field->text(), QStringLiteral("0"));
        const QStringList shown {ui().Text2->text(), ui().Text3->text(), ui().Text4->text(),
            ui().Text5->text(), ui().Text6->text()};
        QCOMPARE(
            shown, (QStringList {"200" + nbsp + "000", "260" + nbsp + "000", "15", "18,5", "13"}));
        QCOMPARE(QApplication::focusWidget(), ui().Text2);
    }

    void tabOrder()
    {
        QStringList expected {"Text2", "Text3", "Text4", "Text5", "Text6", "Combo1"};
        for (int month = 0; month < 12; ++month)
            expected << QStringLiteral("Text%1").arg(14 + month)
                     << QStringLiteral("Command%1").arg(2 + month);
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
        // The two options are one Tab stop; the arrow keys move between them.
        QStringList walked;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            // An editable combo box gives the focus to its line edit.
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            walked << (focus ? focus->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected);
        ui().Option1->setFocus();
        QTest::keyClick(ui().Option1, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), ui().Option2);
    }

    void resultsAreReadOnlyForTheUser()
    {
        for (QLineEdit *field : {ui().Text11, ui().Text12, ui().Text13, ui().Text33, ui().Text57,
                 ui().Text58, ui().Text59}) {
            field->setFocus();
            QTest::keyClicks(field, "7");
            QVERIFY(!field->text().contains('7'));
        }
    }

    void monthButton_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("szja");
        QTest::addColumn<QString>("tb");
        QTest::addColumn<QString>("szocho");
        QTest::addColumn<QString>("quarter");
        QTest::addColumn<QString>("tbBase");
        QTest::addColumn<QString>("szochoBase");
        QTest::newRow("january") << 1 << "januári befizetések"
                                 << "0"
                                 << "48 100"
                                 << "38 025"
                                 << "0"
                                 << "260000"
                                 << "292500";
        QTest::newRow("march") << 3 << "márciusi befizetések"
                               << "0"
                               << "48 100"
                               << "38 025"
                               << "0"
                               << "260000"
                               << "292500";
        QTest::newRow("may") << 5 << "májusi befizetések"
                             << "45 000"
                             << "55 500"
                             << "39 000"
                             << "0"
                             << "300000"
                             << "300000";
        QTest::newRow("june") << 6 << "júniusi befizetések"
                              << "45 000"
                              << "55 500"
                              << "39 000"
                              << "90 000"
                              << "300000"
                              << "300000";
        QTest::newRow("december") << 12 << "decemberi befizetések"
                                  << "45 000"
                                  << "55 500"
                                  << "39 000"
                                  << "135 000"
                                  << "300000"
                                  << "300000";
    }
    void monthButton()
    {
        QFETCH(int, month);
        setRevenues("500 000");
        ui().List1->show();
        press(month);
        QCOMPARE(window->selected_month, qint16(month));
        QTEST(ui().Frame1->title(), "caption");
        auto shown = [](QLineEdit *field) { return field->text().replace(QChar(0x00A0), u' '); };
        QVERIFY(!ui().Text12->text().contains(u' ')); // the Hungarian blank, not a space
        QTEST(shown(ui().Text11), "szja");
        QTEST(shown(ui().Text12), "tb");
        QTEST(shown(ui().Text13), "szocho");
        QTEST(shown(ui().Text33), "quarter");
        QTEST(ui().Text46->text(), "tbBase");
        QTEST(ui().Text47->text(), "szochoBase");
        QVERIFY(ui().List1->isHidden());
        QVERIFY(window->results_valid);
        QVERIFY(platform->messages.isEmpty());
    }

    void takesOnlyTheMonthsUpToTheButton()
    {
        window->revenue_field(1)->setText("1 234 567");
        window->revenue_field(5)->setText("999");
        press(4);
        QCOMPARE(window->monthly_revenue[0], 1234567);
        QCOMPARE(window->monthly_revenue[4], 0);
        press(5);
        QCOMPARE(window->monthly_revenue[4], 999);
    }

    void julyColoursStay()
    {
        const QColor before = ui().Text11->palette().color(QPalette::Base);
        press(7);
        const QColor july = ui().Text11->palette().color(QPalette::Base);
        QCOMPARE(july, window->palette().color(QPalette::Window));
        QCOMPARE(ui().Text11->palette().color(QPalette::Text),
            window->palette().color(QPalette::WindowText));
        press(1);
        QCOMPARE(ui().Text11->palette().color(QPalette::Base), july);
        Q_UNUSED(before);
    }

    void revenueOutOfRangeRefused()
    {
        setRevenues("500 000");
        press(6);
        window->revenue_field(3)->setText("3 000 000 000");
        press(12);
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages[0].text,
            QStringLiteral("Túl nagy bevétel: március. Legfeljebb 2 147 483 647 Ft adható meg."));
        QCOMPARE(platform->messages[0].icon, MessageIcon::Warning);
        // Nothing changed: June's results and month stay.
        QCOMPARE(window->selected_month, qint16(6));
        QCOMPARE(ui().Frame1->title(), QStringLiteral("júniusi befizetések"));
        QCOMPARE(ui().Text33->text(), "90" + nbsp + "000");
        QCOMPARE(window->monthly_revenue[2], 500000);
    }

    void evaluationFailureLeavesZeros()
    {
        setRevenues("500 000");
        press(6);
        ui().Text2->setText("200 000 000"); // twelve of it do not fit
        press(6);
        QCOMPARE(platform->messages.size(), 1);
        QVERIFY(platform->messages[0].text.startsWith("A számítás nem végezhető el"));
        for (QLineEdit *field :
            {ui().Text11, ui().Text12, ui().Text13, ui().Text33, ui().Text46, ui().Text47})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QVERIFY(!window->results_valid);
    }
};

QTEST_MAIN(TestMonthCommands)
#include "test_month_commands.moc"
