#include "window/language.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QMenu>
#include <QTimer>

// The month buttons and the input fields, on a real window.
class TestWindowFields : public QObject {
    Q_OBJECT

    WindowFixture f;

    Ui::fo &ui() { return f.ui(); }
    QLineEdit *january() const { return f.window->revenue_field(1); }
    void press(int month) { QTest::mouseClick(f.window->month_button(month), Qt::LeftButton); }
    void setRevenues(const QString &text)
    {
        for (int month = 1; month <= 12; ++month)
            f.window->revenue_field(month)->setText(text);
    }
    void typeIntoJanuary(const QString &text)
    {
        QTest::mouseClick(january(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), january());
        QTest::keyClicks(january(), text);
    }
    QStringList results()
    {
        return {ui().Text11->text(), ui().Text12->text(), ui().Text13->text(), ui().Text33->text(),
            ui().Text46->text(), ui().Text47->text()};
    }

private slots:
    void initTestCase() { QVERIFY(speak_hungarian(*qApp)); }
    void init()
    {
        // With taxpayer data, so that the export button takes part in the tab order.
        f.open([](FakePlatform &p) {
            put_file(p.folder.filePath("adat2.txt"), QByteArray("x\r\n").repeated(24));
        });
    }
    void cleanup() { f.close(); }

    void tabOrder()
    {
        QStringList expected {"Text2", "Text3", "Text4", "Text5", "Text6", "Combo1"};
        for (int month = 0; month < 12; ++month)
            expected << QStringLiteral("Text%1").arg(14 + month)
                     << QStringLiteral("Command%1").arg(2 + month);
        // The two options are one Tab stop; the arrow keys move between them.
        expected << QStringList {"Text11", "Text12", "Text13", "Command14", "Command19", "Text57",
            "Text58", "Text59", "Text33", "Option1", "Command21"};
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
        // clang-format off
        QTest::newRow("january") << 1 << "januári befizetések" << QStringList {"0", "48 100", "38 025", "0", "260000", "292500"};
        QTest::newRow("june") << 6 << "júniusi befizetések" << QStringList { "45 000", "55 500", "39 000", "90 000", "300000", "300000"};
        QTest::newRow("december") << 12 << "decemberi befizetések" << QStringList {"45 000", "55 500", "39 000", "135 000", "300000", "300000"};
        // clang-format on
    }
    void monthButton()
    {
        QFETCH(int, month);
        QFETCH(QStringList, shown);
        setRevenues("500 000");
        ui().List1->show();
        press(month);
        QCOMPARE(f.window->selected_month(), qint16(month));
        QTEST(ui().Frame1->title(), "caption");
        QCOMPARE(results(), hungarian_blanks(shown));
        QVERIFY(ui().List1->isHidden() && f.window->last_result->amounts);
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
        QVERIFY(window.color(QPalette::Base) != window.color(QPalette::Button));
        QCOMPARE(base(), window.color(QPalette::Button));
        press(6);
        QCOMPARE(base(), window.color(QPalette::Button));
        press(7);
        QCOMPARE(base(), window.color(QPalette::Base));
        QCOMPARE(ui().Text11->palette().color(QPalette::Text), window.color(QPalette::WindowText));
        press(1);
        QCOMPARE(base(), window.color(QPalette::Base));
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
        QCOMPARE(f.window->selected_month(), qint16(6));
        QCOMPARE(ui().Frame1->title(), QStringLiteral("júniusi befizetések"));
        QCOMPARE(ui().Text33->text(), hungarian_blanks("90 000"));
    }

    void evaluationFailureLeavesZeros_data()
    {
        QTest::addColumn<QString>("wage");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("twelve wages overflow") << "200 000 000" << "A számítás nem végezhető el: túl nagy szám";
        QTest::newRow("wage past 32 bits") << "3e9" << "A számítás nem végezhető el: a(z) „Éves minimálbér bruttó” mezőben";
        // clang-format on
    }
    void evaluationFailureLeavesZeros()
    {
        setRevenues("500 000");
        press(6);
        QFETCH(QString, wage);
        ui().Text2->setText(wage);
        press(6);
        QFETCH(QString, message);
        QVERIFY2(f.platform->said(message), qPrintable(f.platform->messages.value(0).text));
        QCOMPARE(results(), QStringList(6, "0"));
        QVERIFY(!f.window->last_result->amounts);
    }

    void typingKeyByKey_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("shown"); // after each key
        // clang-format off
        QTest::newRow("digits") << "1234567" << QStringList { "1", "12", "123", "1 234", "12 345", "123 456", "1 234 567"};
        QTest::newRow("fraction") << "1234,56" << QStringList {"1", "12", "123", "1 234", "1 234,", "1 234,5", "1 234,56"};
        // clang-format on
    }
    void typingKeyByKey()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, shown);
        typeIntoJanuary("");
        for (int i = 0; i < keys.size(); ++i) {
            QTest::keyClick(january(), keys[i].toLatin1());
            QCOMPARE(january()->text(), hungarian_blanks(shown[i]));
            QCOMPARE(january()->cursorPosition(), january()->text().size());
        }
        january()->setCursorPosition(3); // a digit in the middle regroups too
        QTest::keyClick(january(), '9');
        QCOMPARE(january()->cursorPosition(), january()->text().size());
        press(1); // the click leaves the field first: the fraction is rounded
        QCOMPARE(january()->text(), hungarian_blanks(keys == "1234567" ? "12 934 567" : "12 935"));
        QCOMPARE(f.window->monthly_revenue[0], keys == "1234567" ? 12934567 : 12935);
    }

    void leavingARevenueField()
    {
        typeIntoJanuary("12a");
        QTest::keyClick(january(), Qt::Key_Tab);
        QCOMPARE(january()->text(), QString());
        QApplication::clipboard()->setText("1234,5");
        january()->setFocus(Qt::MouseFocusReason);
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
        // clang-format off
        QTest::newRow("wage") << "Text2" << "200000" << "200 000";
        QTest::newRow("rate") << "Text4" << "0,15" << "0,2";
        QTest::newRow("cost ratio not completed") << "Combo1" << "8" << "8,0";
        // clang-format on
    }
    void masterDataNormalisedOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        f.window->findChild<QWidget *>(field)->setFocus(Qt::TabFocusReason);
        QWidget *editor = QApplication::focusWidget();
        ui().Text12->setText("55 500");
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QFETCH(QString, typed);
        QTest::keyClicks(editor, typed);
        QCOMPARE(ui().Text12->text(), QStringLiteral("55 500")); // nothing until it is left
        QTest::keyClick(editor, Qt::Key_Tab);
        const QString text = field == "Combo1" ? ui().Combo1->currentText()
                                               : f.window->findChild<QLineEdit *>(field)->text();
        QCOMPARE(text, hungarian_blanks(shown));
        QCOMPARE(ui().Text12->text(), QStringLiteral("0"));
    }

    void tabbingThroughResetsTheResults()
    {
        january()->setText("500000");
        press(1);
        QCOMPARE(ui().Text12->text(), hungarian_blanks("48 100"));
        ui().Text2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui().Text2, Qt::Key_Tab);
        QCOMPARE(results(), QStringList(6, "0"));
        QVERIFY(!f.window->last_result->amounts);
    }

    void costRatioChosenFromTheList()
    {
        // 3 000 000 in January, side employment, no allowance: the base is the income.
        january()->setText("3000000");
        ui().Option2->setChecked(true);
        ui().Text2->setText("0");
        QComboBox *combo = ui().Combo1;
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
        press(1); // the click leaves the box first
        QCOMPARE(combo->currentText(), QStringLiteral("80,0"));
        QCOMPARE(ui().Text46->text(), QStringLiteral("600000"));
    }

    void costRatioListStaysAsItIs()
    {
        QComboBox *combo = ui().Combo1;
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

    void employmentChoiceResetsNothing()
    {
        january()->setText("500000");
        press(1);
        QTest::mouseClick(ui().Option2, Qt::LeftButton);
        QVERIFY(ui().Option2->isChecked());
        QCOMPARE(ui().Text12->text(), hungarian_blanks("48 100"));
    }

    void enterPressesAFocusedButton()
    {
        january()->setText("500000");
        f.window->month_button(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.window->month_button(1), Qt::Key_Return);
        QCOMPARE(f.window->selected_month(), qint16(1));
        ui().Command19->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui().Command19, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(ui().List1->isVisible());
    }

    void amountsCopiedAsDigits()
    {
        setRevenues("500 000");
        press(6);
        QApplication::clipboard()->clear();
        ui().Text33->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui().Text33, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("90000"));
        QCOMPARE(ui().Text33->text(), hungarian_blanks("90 000"));
        // The context menu's copy, in Hungarian as all of Qt's texts.
        ui().Text12->selectAll();
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction *copy = nullptr;
            for (QAction *action : menu->actions())
                if (action->text().startsWith(u"&Másolás"))
                    copy = action;
            QVERIFY(copy);
            copy->trigger();
            menu->close();
        });
        emit ui().Text12->customContextMenuRequested({5, 5});
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("55500"));
    }

    // Every field lies inside the window and none covers another, at the
    // smallest screens the program is used on.
    void fitsTheScreen_data()
    {
        QTest::addColumn<QSize>("room"); // the screen less the title bar and a panel
        QTest::addColumn<int>("points"); // the application font
        QTest::newRow("1024x768") << QSize(1024, 700) << 0;
        QTest::newRow("1366x768 at 125 %") << QSize(1092, 560) << 0;
        QTest::newRow("1024x768, 12 pt") << QSize(1024, 700) << 12;
    }
    void fitsTheScreen()
    {
        QFETCH(QSize, room);
        QFETCH(int, points);
        const QFont standard = QApplication::font();
        if (points > 0) {
            QFont font = standard;
            font.setPointSize(points);
            QApplication::setFont(font);
            f.close();
            init();
        }
        const QSize minimum = f.window->minimumSizeHint();
        QVERIFY2(minimum.width() <= room.width() && minimum.height() <= room.height(),
            qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
        f.window->resize(room);
        QApplication::processEvents();
        const QRect window = f.window->rect();
        QList<QWidget *> shown;
        for (QWidget *widget : f.window->findChildren<QWidget *>())
            if (widget->isVisible() && !widget->objectName().isEmpty()
                && widget->objectName() != "List1" && !widget->objectName().startsWith("qt_"))
                shown << widget;
        for (QWidget *a : shown) {
            const QRect at(a->mapTo(f.window.get(), QPoint(0, 0)), a->size());
            QVERIFY2(window.contains(at), qPrintable(a->objectName()));
            if (auto *label = qobject_cast<QLabel *>(a); label && !label->wordWrap())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(a->objectName()));
            for (QWidget *b : shown)
                if (a != b && a->parentWidget() == b->parentWidget())
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                        qPrintable(a->objectName() + " " + b->objectName()));
        }
        for (QLineEdit *account : {ui().Text57, ui().Text58, ui().Text59})
            QVERIFY(
                account->width() > account->fontMetrics().horizontalAdvance(account->text()) + 8);
        QApplication::setFont(standard);
    }

    void infoToggles()
    {
        QTest::mouseClick(ui().Command19, Qt::LeftButton);
        QVERIFY(ui().List1->isVisible());
        QTest::mouseClick(ui().Command19, Qt::LeftButton);
        QVERIFY(ui().List1->isHidden());
    }
};

QTEST_MAIN(TestWindowFields)
#include "test_window_fields.moc"
