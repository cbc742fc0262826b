#include "file_size_limit.h"
#include "window_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QWheelEvent>

namespace {

QByteArray taxpayer_file(const QByteArray &entry3 = "1")
{
    QByteArray bytes;
    for (int i = 1; i <= 24; ++i)
        bytes += (i == 3 ? entry3 : "v" + QByteArray::number(i)) + "\r\n";
    return bytes;
}

const QByteArray empty_lines = QByteArray("\r\n").repeated(12);

} // namespace

// Start-up, the exit and the export, with the files beside the program.
class TestWindowFiles : public QObject {
    Q_OBJECT

    WindowFixture f;

    QStringList revenueTexts() const
    {
        QStringList texts;
        for (int month = 1; month <= 12; ++month)
            texts.append(f.window->revenue_field(month)->text());
        return texts;
    }
    void openWith(const QByteArray &adat, const QByteArray &adat2 = {}, QDate today = {2026, 4, 2})
    {
        f.open([&](FakePlatform &p) {
            p.date = today;
            put_file(p.folder.filePath("adat.txt"), adat);
            if (!adat2.isEmpty()) {
                put_file(p.folder.filePath("adat2.txt"), adat2);
                put_file(p.folder.filePath("atad_pennaro.sh"), "cp felad.imp /tmp/x\n");
            }
        });
    }
    void exitButton() { QTest::mouseClick(f.ui().Command14, Qt::LeftButton); }
    QString shown(const QString &name) const { return QDir::toNativeSeparators(f.path(name)); }

    // Taxpayer data, the hand-over script and a template; `month` evaluated.
    void exportReady(QDate today, int month, const QByteArray &taxpayer = taxpayer_file())
    {
        openWith({}, taxpayer, today);
        addTemplate(QStringLiteral("NAV_%1_1.enyk").arg(today.year() % 100 * 100 + 58));
        for (int m = 1; m <= month; ++m)
            f.window->revenue_field(m)->setText("500 000");
        if (month > 0)
            QTest::mouseClick(f.window->month_button(month), Qt::LeftButton);
    }
    void addTemplate(const QString &name) const
    {
        put_file(f.platform->templates.filePath(name), "template");
    }
    void exportNow() { QTest::mouseClick(f.ui().Command21, Qt::LeftButton); }
    QByteArray imp() const { return file_bytes(f.path("felad.imp")); }
    QString periodFields() const { return f.ui().Text50->text() + '-' + f.ui().Text51->text(); }

private slots:
    void cleanup() { f.close(); }

    void firstStartInAnEmptyFolder()
    {
        f.open();
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("\r\n").repeated(36));
        QCOMPARE(revenueTexts(), QStringList(12, QString()));
        QVERIFY(!f.ui().Command21->isEnabled());
        QCOMPARE(f.window->taxpayer_lines, TaxpayerLines(31));
        // A sample shows what adat2.txt holds.
        QFile sample(PENNARO_SOURCE_DIR "/data/adat2.minta.txt");
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QCOMPARE(file_bytes(f.path("adat2.minta.txt")), sample.readAll());
        QVERIFY(f.platform->messages.isEmpty());
        exportNow(); // disabled: nothing happens
        QVERIFY(f.platform->messages.isEmpty() && f.platform->beeps == 0);
    }

    void endState()
    {
        f.open([](FakePlatform &p) {
            put_file(p.folder.filePath("adat.txt"),
                "1\xA0"
                "234\xA0"
                "567\r\n1234,5\r\n\r\n1234567\r\n");
            put_file(p.folder.filePath("adat2.txt"), taxpayer_file());
            put_file(p.folder.filePath("adat.txt.aB3dE9"), "a save cut short");
        });
        QVERIFY(!QFileInfo::exists(f.path("adat.txt.aB3dE9")));
        QCOMPARE(f.window->selected_month(), qint16(0));
        QCOMPARE(f.ui().Frame1->title(), QStringLiteral("Számítások"));
        for (QLineEdit *field : {f.ui().Text11, f.ui().Text12, f.ui().Text13, f.ui().Text33})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QVERIFY(f.ui().List1->isHidden() && !f.window->format_lock && f.ui().Option1->isChecked());
        QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("40"));
        const QStringList master {f.ui().Text2->text(), f.ui().Text3->text(), f.ui().Text4->text(),
            f.ui().Text5->text(), f.ui().Text6->text()};
        QCOMPARE(master, hungarian_blanks(QStringList {"200 000", "260 000", "15", "18,5", "13"}));
        QCOMPARE(f.ui().Text58->text(), QStringLiteral("10032000-06055802"));
        QCOMPARE(QApplication::focusWidget(), f.ui().Text2);
        QVERIFY(f.ui().Command21->isEnabled());
        // The saved texts exactly as saved, and their values (the half to even).
        QCOMPARE(revenueTexts().mid(0, 5),
            (QStringList {hungarian_blanks("1 234 567"), "1234,5", "", "1234567", ""}));
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
        QCOMPARE(f.window->monthly_revenue[1], 1234);
        QCOMPARE(f.window->taxpayer_lines[24], QByteArray("v24"));
        QVERIFY(f.platform->messages.isEmpty() && !f.window->isWindowModified());
    }

    void startupMessagesOverTheWindow()
    {
        openWith("100\r\n\r\n12abc\r\n9999999999\r\n", "x\r\n\xE2\x88\x9A\r\n");
        QCOMPARE(revenueTexts().mid(0, 4), (QStringList {"100", "", "12abc", "9999999999"}));
        QCOMPARE(f.platform->messages.size(), 3);
        // Each says what the program does with the data.
        QCOMPARE(f.platform->messages[0].text,
            "Az adat.txt egyes soraiban nem érvényes szám áll (" + shown("adat.txt")
                + "): március („12abc”: a hónap gombja 12 Ft-tal számol), április "
                  "(„9999999999”: túl nagy, a hónap gombja nem fogadja el). Javítsa ki ezeket a "
                  "bevételeket a mezőkben!");
        QVERIFY(f.platform->messages[1].text.startsWith("Az adat2.txt csak 2 sort tartalmaz"));
        QVERIFY(f.platform->messages[2].text.startsWith("Az adat2.txt egyes betűi nem vihetők át"));
        for (const auto &message : f.platform->messages)
            QVERIFY(message.over_window);
        QTest::mouseClick(f.window->month_button(3), Qt::LeftButton);
        QCOMPARE(f.window->monthly_revenue[2], 12);
    }

    void exitSavesAndTheNextStartShowsTheTexts()
    {
        openWith("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n");
        f.window->revenue_field(1)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(1), "234567");
        QVERIFY(f.window->isWindowModified());
        f.window->revenue_field(12)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(12), "a"); // erased when the field is left
        exitButton();
        QVERIFY(!f.window->isVisible() && f.platform->messages.isEmpty());
        const QByteArray saved = "1\xA0"
                                 "234\xA0"
                                 "567\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n\r\n";
        QCOMPARE(file_bytes(f.path("adat.txt")), saved);
        f.close();
        openWith(saved);
        QCOMPARE(f.ui().Text14->text(), hungarian_blanks("1 234 567"));
    }

    void failedSaveAsks_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<MessageAnswer>("answer");
        // clang-format off
        QTest::newRow("folder, Nem") << "folder" << MessageAnswer::No;
        QTest::newRow("folder, Igen") << "folder" << MessageAnswer::Yes;
        QTest::newRow("full disk, Nem") << "full disk" << MessageAnswer::No;
        // clang-format on
    }
    void failedSaveAsks()
    {
        QFETCH(QString, failure);
        QFETCH(MessageAnswer, answer);
        if (failure == "folder")
            f.open([](FakePlatform &p) { QVERIFY(QDir(p.folder.path()).mkdir("adat.txt")); });
        else
            openWith("100\r\n");
        f.platform->messages.clear();
        f.window->revenue_field(3)->setText("123456789");
        f.platform->answers = {answer};
        if (failure == "full disk") {
            FULL_DISK(8);
            exitButton();
        } else {
            exitButton();
        }
        QVERIFY(f.platform->said("Nem sikerült menteni a bevételeket: " + shown("adat.txt")
                + (failure == "folder" ? " (ez egy mappa)." : " (nincs elég hely a lemezen).")
                + " Kilép mentés nélkül?",
            MessageIcon::Critical));
        QCOMPARE(f.window->isVisible(), answer == MessageAnswer::No);
        QCOMPARE(f.window->revenue_field(3)->text(), hungarian_blanks("123 456 789"));
        if (failure == "full disk")
            QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("100\r\n"));
    }

    void unreadableFileIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("exitButton");
        // clang-format off
        QTest::newRow("exit button") << true;
        QTest::newRow("close control") << false;
        // clang-format on
    }
    void unreadableFileIsNeverOverwritten()
    {
        QFETCH(bool, exitButton);
        const QByteArray utf16("\xFF\xFE"
                               "5\0\r\0\n\0",
            8);
        openWith(utf16);
        QVERIFY(f.platform->said("Az adat.txt nem olvasható: " + shown("adat.txt")
            + " (nem szöveges fájl). Eredeti tartalmát a program áthelyezte ide: "
            + shown("adat_olvashatatlan.txt") + ". A bevételek üresen indulnak."));
        f.window->revenue_field(1)->setText("7");
        f.platform->answers = {MessageAnswer::Yes};
        if (exitButton)
            this->exitButton();
        else
            QVERIFY(f.window->close());
        QCOMPARE(file_bytes(f.path("adat_olvashatatlan.txt")), utf16);
        QCOMPARE(file_bytes(f.path("adat.txt")),
            exitButton ? "7" + empty_lines : QByteArray("\r\n").repeated(36));
    }

    void exitAsksBeforeReplacingAFileItCouldNotRead_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        // clang-format off
        QTest::newRow("Nem") << MessageAnswer::No;
        QTest::newRow("Igen") << MessageAnswer::Yes;
        // clang-format on
    }
    void exitAsksBeforeReplacingAFileItCouldNotRead()
    {
        QFETCH(MessageAnswer, answer);
        openWith("100\r\n");
        f.window->ask_before_saving = true; // as when the file could not be moved aside
        f.window->revenue_field(1)->setText("7");
        f.platform->answers = {answer};
        exitButton();
        QVERIFY(
            f.platform->said("Az adat.txt induláskor nem volt olvasható", MessageIcon::Question));
        QVERIFY(!f.window->isVisible());
        QCOMPARE(file_bytes(f.path("adat.txt")),
            answer == MessageAnswer::Yes ? "7" + empty_lines : QByteArray("100\r\n"));
    }

    void closeControlAsksOnlyWhenChanged()
    {
        openWith("100\r\n");
        f.window->revenue_field(2)->setText("200");
        f.window->revenue_field(2)->setText("");
        QVERIFY(f.window->close()); // changed back: nothing to lose
        QVERIFY(f.platform->messages.isEmpty());
        f.close();

        openWith("100\r\n");
        f.window->revenue_field(2)->setText("200");
        f.platform->answers = {MessageAnswer::No, MessageAnswer::Yes};
        QVERIFY(!f.window->close());
        QVERIFY(
            f.platform->said("A bevételek változtak. Kilép mentés nélkül?", MessageIcon::Question));
        QVERIFY(f.window->close());
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("100\r\n")); // never saved
    }

    void exportRefused_data()
    {
        QTest::addColumn<int>("month"); // evaluated before the change
        QTest::addColumn<QString>("change");
        const QString stale = "A számítás eredménye nem érvényes. Nyomja meg újra a hónap gombját!";
        // clang-format off
        QTest::newRow("no month") << 0 << "";
        QTest::newRow("master data left") << 3 << "leave Text4";
        QTest::newRow("other employment") << 3 << "mellék";
        QTest::newRow("month's revenue") << 3 << "revenue 3";
        QTest::newRow("earlier revenue") << 3 << "revenue 1";
        QTest::newRow("cost ratio by the wheel") << 3 << "wheel";
        // clang-format on
    }
    void exportRefused()
    {
        QFETCH(int, month);
        QFETCH(QString, change);
        exportReady(QDate(2026, 4, 2), month);
        if (change == "leave Text4") {
            f.ui().Text4->setFocus(Qt::TabFocusReason);
            QTest::keyClick(f.ui().Text4, Qt::Key_Tab); // leaving it resets the results
        } else if (change == "mellék") {
            QTest::mouseClick(f.ui().Option2, Qt::LeftButton);
        } else if (change.startsWith("revenue")) {
            QLineEdit *field = f.window->revenue_field(change.back().digitValue());
            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClick(field, Qt::Key_1);
        } else if (change == "wheel") {
            QWheelEvent wheel(QPointF(5, 5), f.ui().Combo1->mapToGlobal(QPointF(5, 5)), {},
                QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QVERIFY(QApplication::sendEvent(f.ui().Combo1, &wheel));
            QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("80"));
        }
        exportNow();
        QCOMPARE(f.platform->beeps, 1);
        QVERIFY(
            f.platform->said(month == 0 ? "Nincs kijelölt hónap!"
                                        : "A számítás eredménye nem érvényes. Nyomja meg újra a "
                                          "hónap gombját!",
                MessageIcon::Critical));
        QCOMPARE(periodFields(), QStringLiteral("Text50-Text51"));
        QVERIFY(imp().isEmpty() && f.platform->started.isEmpty());
        if (month > 0) { // the month pressed again makes the results valid
            QTest::mouseClick(f.window->month_button(month), Qt::LeftButton);
            exportNow();
            QVERIFY(!imp().isEmpty());
        }
    }

    void exported_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QByteArray>("last");
        // clang-format off
        QTest::newRow("March") << QDate(2026, 4, 2) << 3 << "20260301-20260331" << QByteArray("26414[1]=48100");
        QTest::newRow("December in January") << QDate(2027, 1, 15) << 12 << "20261201-20261231" << QByteArray("26414[1]=55500");
        // clang-format on
    }
    void exported()
    {
        QFETCH(QDate, today);
        QFETCH(int, month);
        exportReady(today, month);
        addTemplate("NAV_2658_x.enyk"); // the period's year names the form
        if (month < 12)
            f.window->revenue_field(month + 1)->setText("1"); // plays no part
        exportNow();
        QVERIFY(f.platform->messages.isEmpty());
        QTEST(periodFields(), "period");
        QVERIFY(imp().startsWith("$ny_azon=2658\r\n"));
        QVERIFY(imp().contains("\r\n23335=" + f.ui().Text50->text().toLatin1() + "\r\n"));
        QFETCH(QByteArray, last);
        QVERIFY(imp().endsWith("\r\n" + last + "\r\n"));
        QCOMPARE(f.platform->started,
            QStringList {f.path("atad_pennaro.sh") + u'|' + f.platform->folder.path()});
        QCOMPARE(f.platform->today_calls, 1); // the period, the form and its template agree
    }

    void declarationCharacters()
    {
        exportReady(QDate(2026, 8, 3), 7,
            "\xE2\x80\x9EKis\xE2\x80\x9D K\xC5\x91 \xE2\x80\x93 Bt ' \xC3\xA0\r\n"
                + taxpayer_file().mid(4));
        QVERIFY(f.platform->messages.isEmpty()); // the à stands in a comment
        exportNow();
        QVERIFY(imp().contains("\r\n12634=\"Kis\" K\xF5 - Bt\r\n"));
        f.ui().Option2->setChecked(true);
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        exportNow(); // a second export replaces the first
        QVERIFY(imp().contains("\r\n23335=20260101\r\n") && imp().contains("\r\n26378[1]=26\r\n"));
        QCOMPARE(f.platform->started.size(), 2);
    }

    void templateMissing_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        // clang-format off
        QTest::newRow("Nem") << MessageAnswer::No;
        QTest::newRow("Igen") << MessageAnswer::Yes;
        // clang-format on
    }
    void templateMissing()
    {
        QFETCH(MessageAnswer, answer);
        exportReady(QDate(2026, 7, 1), 6);
        QVERIFY(QDir(f.platform->templates.path()).removeRecursively());
        f.platform->answers = {answer};
        exportNow();
        QVERIFY(
            f.platform->said("Nem látom a 2258 nyomtatvánt? Mehet tovább?", MessageIcon::Question));
        QCOMPARE(periodFields(), QStringLiteral("20260601-20260630"));
        const bool yes = answer == MessageAnswer::Yes;
        QCOMPARE(!imp().isEmpty(), yes);
        QCOMPARE(f.platform->started.size(), yes ? 1 : 0);
    }

    void failuresReported_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("started");
        // clang-format off
        QTest::newRow("folder") << "folder" << "A felad.imp nem írható: %1 (ez egy mappa). A bevallás nem készült el." << 0;
        QTest::newRow("full disk") << "full disk" << "A felad.imp nem írható: %1 (nincs elég hely a lemezen). A bevallás nem készült el." << 0;
        QTest::newRow("no script") << "no script" << "A felad.imp elkészült: %1, de az átadás nem indítható: %2 (nincs ilyen fájl)." << 0;
        QTest::newRow("start fails") << "start" << "A felad.imp elkészült: %1, de az átadás nem indítható: %2 " "(nem sikerült elindítani)." << 1;
        QTest::newRow("entry 3") << "entry 3" << "Az adat2.txt 3. sora nem szám: „kettő”. A bevallás nem készült el." << 0;
        // clang-format on
    }
    void failuresReported()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        exportReady(
            QDate(2026, 4, 2), 3, taxpayer_file(failure == "entry 3" ? "kett\xC5\x91" : "1"));
        if (failure == "folder")
            QVERIFY(QDir(f.platform->folder.path()).mkdir("felad.imp"));
        if (failure == "no script")
            QVERIFY(QFile::remove(f.path("atad_pennaro.sh")));
        f.platform->startFails = failure == "start";
        if (failure == "full disk") {
            put_file(f.path("felad.imp"), "earlier");
            FULL_DISK(100);
            exportNow();
        } else {
            exportNow();
        }
        message.replace("%1", shown("felad.imp")).replace("%2", shown("atad_pennaro.sh"));
        QVERIFY2(f.platform->said(message, MessageIcon::Critical),
            qPrintable(f.platform->messages.value(0).text));
        QTEST(int(f.platform->started.size()), "started");
        if (failure == "full disk")
            QCOMPARE(imp(), QByteArray("earlier"));
    }
};

QTEST_MAIN(TestWindowFiles)
#include "test_window_files.moc"
