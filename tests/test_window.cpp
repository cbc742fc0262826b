#include "window/language.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QTimer>

namespace {

// adat2.txt: "v1" to "v24", entry 3 the declaration's kind.
QByteArray taxpayer_file()
{
    QByteArray bytes;
    for (int i = 1; i <= 24; ++i)
        bytes += (i == 3 ? "1" : "v" + QByteArray::number(i)) + "\r\n";
    return bytes;
}

const QByteArray utf16("\377\3765\0\r\0\n\0", 8);

} // namespace

// The window's wiring, focus and message flows on a fake desktop.
class TestWindow : public QObject {
    Q_OBJECT

    WindowFixture f;

    Ui::fo &ui() { return f.ui(); }
    QLineEdit *january() const { return f.window->revenue_field(1); }

private slots:
    void initTestCase() { QVERIFY(speak_hungarian(*qApp)); }
    void cleanup() { f.close(); }

    void steps_data()
    {
        QTest::addColumn<QString>("steps");
        const QString january = "results = 0 / 48_100 / 38_025 / 0 / 260000 / 292500";
        const QString june = "results = 45_000 / 55_500 / 39_000 / 90_000 / 300000 / 300000";
        // clang-format off
        QTest::newRow("january") << "fill 500 000 ; click Command19 ; press 1 ; month = 1 ; Frame1 = januári befizetések ; " + january + " ; List1 = hidden ; log =";
        QTest::newRow("june") << "fill 500 000 ; press 6 ; Frame1 = júniusi befizetések ; " + june;
        QTest::newRow("december") << QString("fill 500 000 ; press 12 ; Frame1 = decemberi befizetések ; results = 45_000 / 55_500 / 39_000 / 135_000 / 300000 / 300000");
        QTest::newRow("revenue too large") << "fill 500 000 ; press 6 ; set Text16 3 000 000 000 ; press 12 ; log = Túl nagy bevétel: március. Legfeljebb 2 147 483 647 Ft adható meg. ; month = 6 ; Frame1 = júniusi befizetések ; " + june;
        QTest::newRow("a later month too large") << "fill 500 000 ; set Text16 3 000 000 000 ; press 2 ; log = ; " + january;
        QTest::newRow("twelve wages overflow") << QString("fill 500 000 ; press 6 ; set Text2 200 000 000 ; press 6 ; log = A számítás nem végezhető el: túl nagy szám… ; results = 0 / 0 / 0 / 0 / 0 / 0");
        QTest::newRow("wage past 32 bits") << QString("fill 500 000 ; press 6 ; set Text2 3e9 ; press 6 ; log = A számítás nem végezhető el: a(z) „Éves minimálbér bruttó” mezőben… ; Frame1 = júniusi befizetések ; results = 0 / 0 / 0 / 0 / 0 / 0");
        QTest::newRow("the leading number taken") << QString("set Text16 12abc ; press 3 ; taken 3 = 12 ; Text16 = 12abc");
        QTest::newRow("results refuse typing") << QString("fill 500 000 ; press 5 ; type Text11 1 ; type Text12 2 ; type Text13 3 ; key Backspace ; type Text33 4 ; type Text57 5 ; results = 45_000 / 55_500 / 39_000 / 0 / 300000 / 300000 ; Text57 = 10032000-06056353");
        QTest::newRow("typing regroups") << QString("type Text14 1 ; keys 234 ; Text14 = 1_234 ; keys , ; Text14 = 1_234, ; keys 56 ; Text14 = 1_234,56 ; cursor = end ; key Home ; key Right ; key Right ; key Right ; keys 9 ; Text14 = 12_934,56 ; cursor = end ; press 1 ; Text14 = 12_935 ; taken 1 = 12935");
        QTest::newRow("the cursor goes last") << QString("type Text14 12 ; key Home ; key Right ; keys 3 ; Text14 = 132 ; cursor = end");
        QTest::newRow("July's colours stay") << QString("Text11 base = Button ; press 6 ; Text11 base = Button ; press 7 ; Text11 base = Base ; press 1 ; Text11 base = Base");
        QTest::newRow("a revenue that is no number") << QString("type Text14 12a ; key Tab ; Text14 = ; focus = Command2");
        QTest::newRow("a pasted fraction") << QString("clip 1234,5 ; type Text14  ; key Ctrl+V ; Text14 = 1_234,5 ; key Tab ; Text14 = 1_235");
        QTest::newRow("wage left") << "set Text14 500000 ; press 1 ; focus Text2 ; key Ctrl+A ; keys 200000 ; " + january + " ; key Tab ; Text2 = 200_000 ; results = 0 / 0 / 0 / 0 / 0 / 0";
        QTest::newRow("rate left") << "set Text14 500000 ; press 1 ; focus Text4 ; key Ctrl+A ; keys 0,15 ; " + january + " ; key Tab ; Text4 = 0,2 ; results = 0 / 0 / 0 / 0 / 0 / 0";
        QTest::newRow("cost ratio not completed") << QString("set Text14 500000 ; press 1 ; focus Combo1 ; key Ctrl+A ; keys 8 ; key Tab ; Combo1 = 8,0 ; results = 0 / 0 / 0 / 0 / 0 / 0");
        QTest::newRow("a typed ratio stays out of the list") << QString("focus Combo1 ; key Ctrl+A ; keys 45 ; key Return ; Combo1 = 45 ; key Down ; Combo1 = 80");
        QTest::newRow("buttons take Enter") << QString("set Text14 500000 ; focus Command2 ; key Return ; month = 1 ; focus Command19 ; key Num+Enter ; List1 = shown ; click Command19 ; List1 = hidden");
        QTest::newRow("amounts copied as digits") << QString("fill 500 000 ; press 6 ; focus Text33 ; key Ctrl+C ; clipboard = 90000 ; Text33 = 90_000");
        // clang-format on
    }
    void steps()
    {
        QFETCH(QString, steps);
        f.open();
        QCOMPARE(f.run(steps), QString());
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("start"); // adat.txt as the program finds it
        QTest::addColumn<QString>("steps");
        const QString folder = "log = Az adat.txt nem olvasható: <adat.txt> (ez egy mappa). A "
                               "bevételek üresen indulnak. | !Nem sikerült menteni a bevételeket: "
                               "<adat.txt> (ez egy mappa). Kilép mentés nélkül?";
        const QString moved
            = "log = Az adat.txt nem olvasható: <adat.txt> (nem szöveges fájl). Eredeti tartalmát "
              "a program áthelyezte ide: <adat_olvashatatlan_2.txt>. A bevételek üresen indulnak.";
        const QString changed = "?A bevételek változtak. Kilép mentés nélkül?";
        const QString not_read
            = "log = ?Az adat.txt induláskor nem volt olvasható, ezért a program eddig nem írta "
              "felül: <adat.txt>. Felülírja most a bevételekkel?";
        // clang-format off
        QTest::newRow("saved") << "100" << "type Text14 234567 ; type Text25 a ; click Command14 ; log = ; fo = hidden ; adat.txt = 100_234_567\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
        QTest::newRow("folder, Nem") << "folder" << "set Text14 7 ; answer Nem ; click Command14 ; " + folder + " ; fo = shown";
        QTest::newRow("folder, Igen") << "folder" << "set Text14 7 ; answer Igen ; click Command14 ; " + folder + " ; fo = hidden";
#ifdef Q_OS_UNIX
        QTest::newRow("full disk, Nem") << "100" << "set Text14 7 ; answer Nem ; full click Command14 ; log = !Nem sikerült menteni a bevételeket: <adat.txt> (nincs elég hely a lemezen). Kilép mentés nélkül? ; fo = shown ; adat.txt = 100\r\n";
#endif
        QTest::newRow("moved aside, exit button") << "UTF-16" << "set Text14 7 ; click Command14 ; " + moved + " ; fo = hidden ; adat.txt = 7\r\n\r\n… ; adat_olvashatatlan_2.txt = ÿþ5… ; adat_olvashatatlan.txt = earlier";
        QTest::newRow("moved aside, close control") << "UTF-16" << "set Text14 7 ; answer Igen ; close ; " + moved + " | " + changed + " ; fo = hidden ; adat.txt = " + QString("\r\n").repeated(36) + " ; adat_olvashatatlan_2.txt = ÿþ5… ; adat_olvashatatlan.txt = earlier";
        QTest::newRow("not moved, Nem") << "100" << "ask ; set Text14 7 ; answer Nem ; click Command14 ; " + not_read + " ; fo = hidden ; adat.txt = 100\r\n";
        QTest::newRow("not moved, Igen") << "100" << "ask ; set Text14 7 ; answer Igen ; click Command14 ; " + not_read + " ; fo = hidden ; adat.txt = 7\r\n\r\n…";
        QTest::newRow("changed back") << "100" << "set Text14 7 ; set Text14 100 ; close ; log = ; fo = hidden";
        QTest::newRow("changed, Nem") << "100" << "set Text14 7 ; answer Nem ; close ; log = " + changed + " ; fo = shown ; adat.txt = 100\r\n";
        QTest::newRow("changed, Igen") << "100" << "set Text14 7 ; answer Igen ; close ; log = " + changed + " ; fo = hidden ; adat.txt = 100\r\n";
        // clang-format on
    }
    void leaving()
    {
        QFETCH(QString, start);
        if (start == "folder")
            f.open({{"adat.txt/", {}}});
        else // the name for adat.txt's bytes is taken: they go to the next one
            f.open({{"adat.txt", start == "UTF-16" ? utf16 : "100\r\n"},
                {"adat_olvashatatlan.txt", "earlier"}});
        QFETCH(QString, steps);
        QCOMPARE(f.run(steps), QString());
    }

    void exporting_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("steps"); // after the twelve revenues are set
        const QString done = "log = today | start <atad_pennaro.sh> in <>";
        const QString refused
            = "log = beep | !A számítás eredménye nem érvényes. Nyomja meg újra a hónap gombját! ; "
              "Text50 = Text50 ; felad.imp = ; press 3 ; click Command21 ; "
            + done;
        const QString not_written = "log = today | !A felad.imp nem írható: <felad.imp> (";
        const QString not_handed = "!A felad.imp elkészült: <felad.imp>, de az átadás nem "
                                   "indítható: <atad_pennaro.sh> (";
        const QString no_template = "log = today | ?Nem látom a 2258 nyomtatvánt? Mehet tovább?";
        const QDate april(2026, 4, 2), july(2026, 7, 1);
        // clang-format off
        QTest::newRow("March") << april << "press 3 ; click Command21 ; " + done + " ; Text50 = 20260301 ; Text51 = 20260331 ; felad.imp = $ny_azon=2658\r\n… ; felad.imp has \r\n23335=20260301\r\n ; felad.imp has \r\n26414[1]=48100\r\n";
        QTest::newRow("December in January") << QDate(2027, 1, 15) << "press 12 ; click Command21 ; " + done + " ; Text51 = 20261231 ; felad.imp = $ny_azon=2658\r\n…";
        QTest::newRow("side, exported again") << april << "press 3 ; click Command21 ; click Option2 ; press 1 ; click Command21 ; " + done + " | today | start <atad_pennaro.sh> in <> ; felad.imp has \r\n23335=20260101\r\n ; felad.imp has \r\n26378[1]=26\r\n";
        QTest::newRow("no month") << april << QString("click Command21 ; log = beep | !Nincs kijelölt hónap! ; felad.imp =");
        QTest::newRow("master data left") << april << "press 3 ; focus Text4 ; key Tab ; click Command21 ; " + refused;
        QTest::newRow("other employment") << april << "press 3 ; click Option2 ; Text12 = 48_100 ; click Command21 ; " + refused;
        QTest::newRow("month's revenue") << april << "press 3 ; type Text16 1 ; click Command21 ; " + refused;
        QTest::newRow("earlier revenue") << april << "press 3 ; type Text14 1 ; click Command21 ; " + refused;
        QTest::newRow("later revenue") << april << "press 3 ; type Text17 1 ; click Command21 ; " + done;
        QTest::newRow("cost ratio by the wheel") << april << "press 3 ; wheel Combo1 ; Combo1 = 80 ; click Command21 ; " + refused;
        QTest::newRow("no template, Nem") << july << "press 6 ; rm templates ; answer Nem ; click Command21 ; " + no_template + " ; Text50 = 20260601 ; felad.imp =";
        QTest::newRow("no template, Igen") << july << "press 6 ; rm templates ; answer Igen ; click Command21 ; " + no_template + " | start <atad_pennaro.sh> in <> ; felad.imp has \r\n26414[1]=55500\r\n";
        QTest::newRow("felad.imp a folder") << april << "press 3 ; mkdir felad.imp ; click Command21 ; " + not_written + "ez egy mappa). A bevallás nem készült el.";
#ifdef Q_OS_UNIX
        QTest::newRow("full disk") << april << "press 3 ; put felad.imp earlier ; full click Command21 ; " + not_written + "nincs elég hely a lemezen). A bevallás nem készült el. ; felad.imp = earlier";
#endif
        QTest::newRow("no script") << april << "press 3 ; rm atad_pennaro.sh ; click Command21 ; log = today | " + not_handed + "nincs ilyen fájl). ; felad.imp has 23335=20260301";
        QTest::newRow("start fails") << april << "press 3 ; fail start ; click Command21 ; " + done + " | " + not_handed + "nem sikerült elindítani).";
        QTest::newRow("entry 3") << april << QString("press 3 ; entry 3 kettő ; click Command21 ; log = today | !Az adat2.txt 3. sora nem szám: „kettő”. A bevallás nem készült el. ; felad.imp =");
        // clang-format on
    }
    void exporting()
    {
        QFETCH(QDate, today);
        f.open(
            {{"adat2.txt", taxpayer_file()}, {"atad_pennaro.sh", "cp felad.imp /tmp/x\n"}}, today);
        f.put(f.platform->templates.filePath("NAV_2658_1.enyk"), "template");
        QFETCH(QString, steps);
        QCOMPARE(f.run("fill 500 000 ; " + steps), QString());
    }

    void tabOrder()
    {
        f.open({{"adat2.txt", taxpayer_file()}}); // the export button takes part
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
        QCOMPARE(f.run("focus Option1 ; key Right ; focus = Option2"), QString());
    }

    void notLeftForAnotherWindowOrAPopup()
    {
        f.open();
        QCOMPARE(f.run("type Text14 12a"), QString());
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

    void costRatioChosenFromTheList()
    {
        f.open();
        // 3 000 000 in January, side employment, no allowance: the base is the income.
        QCOMPARE(f.run("set Text14 3000000 ; click Option2 ; set Text2 0"), QString());
        QComboBox *combo = ui().Combo1;
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        QTest::mouseClick(
            combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
        QAbstractItemView *list = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QCOMPARE(combo->currentText(), QStringLiteral("40")); // opening it is no leave
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        // The click leaves the box first.
        QCOMPARE(f.run("Combo1 = 80 ; press 1 ; Combo1 = 80,0 ; Text46 = 600000"), QString());
    }

    // The context menu's copy, in Hungarian as all of Qt's texts.
    void amountCopiedFromTheMenu()
    {
        f.open();
        QCOMPARE(f.run("fill 500 000 ; press 6"), QString());
        ui().Text12->selectAll();
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *action : menu->actions())
                if (action->text().startsWith(u"&Másolás"))
                    action->trigger();
            menu->close();
        });
        emit ui().Text12->customContextMenuRequested({5, 5});
        QCOMPARE(f.run("clipboard = 55500"), QString());
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
        QFont font = standard;
        font.setPointSize(points > 0 ? points : standard.pointSize());
        QApplication::setFont(font);
        f.open();
        QApplication::setFont(standard);
        const QSize minimum = f.window->minimumSizeHint();
        QVERIFY(minimum.width() <= room.width() && minimum.height() <= room.height());
        f.window->resize(room);
        QApplication::processEvents();
        QList<QWidget *> shown;
        for (QWidget *widget : f.window->findChildren<QWidget *>())
            if (widget->isVisible() && !widget->objectName().startsWith("qt_"))
                shown << widget;
        for (QWidget *a : shown) {
            const QRect at(a->mapTo(f.window.get(), QPoint(0, 0)), a->size());
            QVERIFY2(f.window->rect().contains(at), qPrintable(a->objectName()));
            if (auto *label = qobject_cast<QLabel *>(a); label && !label->wordWrap())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(a->objectName()));
            for (QWidget *b : shown)
                QVERIFY2(a == b || a->parentWidget() != b->parentWidget()
                        || !a->geometry().intersects(b->geometry()),
                    qPrintable(a->objectName() + " " + b->objectName()));
        }
        for (QLineEdit *account : {ui().Text57, ui().Text58, ui().Text59})
            QVERIFY(
                account->width() > account->fontMetrics().horizontalAdvance(account->text()) + 8);
    }

    void starting_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("steps"); // once the window is painted
        const QByteArray saved = "1\xA0"
                                 "234\xA0"
                                 "567\r\n1234,5\r\n\r\n1234567\r\n";
        // clang-format off
        QTest::newRow("an empty folder") << Files {} << "adat.txt = " + QString("\r\n").repeated(36) + " ; entry 1 = ; Command21 = disabled ; click Command21 ; log = ; Text14 = ; Text25 =";
        QTest::newRow("end state") << Files {{"adat.txt", saved}, {"adat2.txt", taxpayer_file()}, {"adat.txt.aB3dE9", "cut short"}} << QString("adat.txt.aB3dE9 = ; month = 0 ; Frame1 = Számítások ; results = 0 / 0 / 0 / 0 / 0 / 0 ; List1 = hidden ; Option1 = checked ; Combo1 = 40 ; Text2 = 200_000 ; Text3 = 260_000 ; Text4 = 15 ; Text5 = 18,5 ; Text6 = 13 ; Text58 = 10032000-06055802 ; focus = Text2 ; Command21 = shown ; entry 24 = v24 ; log =");
        // The saved texts exactly as saved, and their values (the half to even).
        QTest::newRow("saved texts") << Files {{"adat.txt", saved}} << QString("Text14 = 1_234_567 ; Text15 = 1234,5 ; Text16 = ; Text17 = 1234567 ; taken 2 = 1234 ; log =");
        // Each message says what the program does with the data.
        QTest::newRow("adat2.txt a folder") << Files {{"adat2.txt/", {}}} << QString("Command21 = shown ; log = Az adat2.txt nem olvasható: <adat2.txt> (ez egy mappa). A bevallás adatai üresek maradnak.");
        QTest::newRow("adat22.txt a folder") << Files {{"adat2.txt", taxpayer_file()}, {"adat22.txt/", {}}} << QString("entry 24 = v24 ; log = Az adat22.txt nem írható: <adat22.txt> (ez egy mappa). A program a beolvasott adatokkal dolgozik tovább.");
        QTest::newRow("messages") << Files {{"adat.txt", "100\r\n\r\n12abc\r\n9999999999\r\n"}, {"adat2.txt", "x\r\n\xE2\x88\x9A\r\n"}} << QString("Text16 = 12abc ; Text17 = 9999999999 ; log = Az adat.txt egyes soraiban nem érvényes szám áll (<adat.txt>): március („12abc”: a hónap gombja 12 Ft-tal számol), április („9999999999”: túl nagy, a hónap gombja nem fogadja el). Javítsa ki ezeket a bevételeket a mezőkben! | Az adat2.txt csak 2 sort tartalmaz, 24 kellene: <adat2.txt>. A hiányzó adatok üresek maradnak. | Az adat2.txt egyes betűi nem vihetők át…");
        // clang-format on
    }
    void starting()
    {
        QFETCH(Files, files);
        QFETCH(QString, steps);
        f.open(files);
        QVERIFY(f.platform->over_window && !f.window->format_lock && !f.window->isWindowModified());
        QCOMPARE(f.run(steps), QString());
        QFile sample(PENNARO_SOURCE_DIR "/data/adat2.minta.txt"); // shows what adat2.txt holds
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QCOMPARE(f.file("adat2.minta.txt"),
            ui().Command21->isEnabled() ? QByteArray() : sample.readAll());
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
