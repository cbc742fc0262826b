#include "window_fixture.h"

#include "file_size_limit.h"

#include <QDir>
#include <QFileInfo>
#include <QWheelEvent>

class TestExport : public QObject {
    Q_OBJECT

    WindowFixture f;

    // Taxpayer data and the hand-over script beside the program; `month` evaluated.
    void exportReady(QDate today, int month, const QByteArray &entry3 = "1")
    {
        f.open([&](FakePlatform &p) {
            p.date = today;
            QByteArray taxpayer;
            for (int i = 1; i <= 24; ++i)
                taxpayer += (i == 3 ? entry3 : "v" + QByteArray::number(i)) + "\r\n";
            put_file(p.folder.filePath("adat2.txt"), taxpayer);
            put_file(p.folder.filePath("atad_pennaro.sh"), "cp felad.imp /tmp/x\n");
        });
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
    QString imp() const { return f.path("felad.imp"); }
    QString periodFields() const { return f.ui().Text50->text() + '-' + f.ui().Text51->text(); }

private slots:
    void cleanup() { f.close(); }

    void refusedBeforeAnything_data()
    {
        QTest::addColumn<int>("month"); // evaluated before the change
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        const QString stale = "A számítás eredménye nem érvényes. Nyomja meg újra a hónap gombját!";
        QTest::newRow("no month") << 0 << ""
                                  << "Nincs kijelölt hónap!";
        QTest::newRow("master data left") << 3 << "leave Text4" << stale;
        QTest::newRow("other employment") << 3 << "mellék" << stale;
        QTest::newRow("month's revenue") << 3 << "revenue 3" << stale;
        QTest::newRow("earlier revenue") << 3 << "revenue 1" << stale;
        QTest::newRow("cost ratio by the wheel") << 3 << "wheel" << stale;
    }
    void refusedBeforeAnything()
    {
        QFETCH(int, month);
        QFETCH(QString, change);
        QFETCH(QString, message);
        exportReady(QDate(2026, 4, 2), month);
        addTemplate("NAV_2658_1.enyk");
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
        QVERIFY(f.platform->messages.isEmpty());
        exportNow();
        QCOMPARE(f.platform->beeps, 1);
        QVERIFY(f.platform->said(message, MessageIcon::Critical));
        QCOMPARE(periodFields(), QStringLiteral("Text50-Text51"));
        QVERIFY(!QFileInfo::exists(imp()) && f.platform->started.isEmpty());
        // The month pressed again makes the results valid.
        if (month > 0) {
            QTest::mouseClick(f.window->month_button(month), Qt::LeftButton);
            exportNow();
            QVERIFY(QFileInfo::exists(imp()));
        }
    }

    void laterRevenueLeavesTheResultsValid()
    {
        exportReady(QDate(2026, 4, 2), 3);
        addTemplate("NAV_2658_1.enyk");
        f.window->revenue_field(4)->setText("1");
        exportNow();
        QVERIFY(f.platform->messages.isEmpty());
        QVERIFY(file_bytes(imp()).endsWith("26414[1]=48100\r\n"));
        QCOMPARE(f.platform->today_calls, 1); // the period, the form and its template agree
    }

    void templatePresent_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("asFolder");
        QTest::addColumn<QString>("period");
        QTest::newRow("file") << QDate(2026, 4, 2) << 3 << false << "20260301-20260331";
        QTest::newRow("folder") << QDate(2026, 4, 2) << 3 << true << "20260301-20260331";
        QTest::newRow("December in January")
            << QDate(2027, 1, 15) << 12 << false << "20261201-20261231";
    }
    void templatePresent()
    {
        QFETCH(QDate, today);
        QFETCH(int, month);
        exportReady(today, month);
        QFETCH(bool, asFolder);
        if (asFolder)
            QVERIFY(QDir(f.platform->templates.path()).mkdir("NAV_2658_abc.enyk"));
        else
            addTemplate("NAV_2658_abc.enyk");
        exportNow();
        QVERIFY(f.platform->messages.isEmpty());
        QTEST(periodFields(), "period");
        const QByteArray bytes = file_bytes(imp());
        QVERIFY(bytes.startsWith("$ny_azon=2658\r\n"));
        QVERIFY(bytes.contains("\r\n23335=" + f.ui().Text50->text().toLatin1() + "\r\n"));
        QVERIFY(bytes.endsWith(month == 3 ? "26414[1]=48100\r\n" : "26414[1]=55500\r\n"));
        QCOMPARE(f.platform->started,
            QStringList {f.path("atad_pennaro.sh") + u'|' + f.platform->folder.path()});
    }

    void templateMissing_data()
    {
        QTest::addColumn<QString>("onlyTemplate");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("none, Nem") << QString() << MessageAnswer::No;
        QTest::newRow("none, Igen") << QString() << MessageAnswer::Yes;
        QTest::newRow("last year's, Nem") << "NAV_2558_x.enyk" << MessageAnswer::No;
        QTest::newRow("another form, Igen") << "NAV_2608_x.enyk" << MessageAnswer::Yes;
    }
    void templateMissing()
    {
        QFETCH(QString, onlyTemplate);
        QFETCH(MessageAnswer, answer);
        exportReady(QDate(2026, 7, 1), 6);
        if (!onlyTemplate.isEmpty())
            addTemplate(onlyTemplate);
        f.platform->answers = {answer};
        exportNow();
        QVERIFY(
            f.platform->said("Nem látom a 2258 nyomtatvánt? Mehet tovább?", MessageIcon::Question));
        QCOMPARE(periodFields(), QStringLiteral("20260601-20260630"));
        const bool yes = answer == MessageAnswer::Yes;
        QCOMPARE(QFileInfo::exists(imp()), yes);
        QCOMPARE(f.platform->started.size(), yes ? 1 : 0);
    }

    void twoExportsLeaveTheSecond()
    {
        exportReady(QDate(2026, 8, 3), 7);
        addTemplate("NAV_2658_x.enyk");
        exportNow();
        QVERIFY(file_bytes(imp()).contains("\r\n26414[1]=55500\r\n"));
        f.ui().Option2->setChecked(true);
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        exportNow();
        const QByteArray second = file_bytes(imp());
        QVERIFY(second.contains("\r\n23335=20260101\r\n"));
        QVERIFY(second.contains("\r\n26378[1]=26\r\n"));
        QVERIFY(second.endsWith("\r\n26414[1]=0\r\n"));
        QCOMPARE(f.platform->started.size(), 2);
    }

    void failuresReported_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("written");
        QTest::addColumn<int>("started");
        QTest::newRow("file not written") << "folder"
                                          << "A felad.imp nem írható: %1 (" << false << 0;
        QTest::newRow("no script") << "no script"
                                   << "A felad.imp elkészült: %1, de az átadás nem indítható: %2 "
                                      "(nincs ilyen fájl)."
                                   << true << 0;
        QTest::newRow("start fails") << "start"
                                     << "A felad.imp elkészült: %1, de az átadás nem "
                                        "indítható: %2 (nem sikerült elindítani)."
                                     << true << 1;
        QTest::newRow("full disk") << "full disk"
                                   << "A felad.imp nem írható: %1 (nincs elég hely a lemezen). A "
                                      "bevallás nem készült el."
                                   << true << 0;
        QTest::newRow("entry 3") << "entry 3"
                                 << "Az adat2.txt 3. sora nem szám: „kettő”." << false << 0;
    }
    void failuresReported()
    {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        exportReady(QDate(2026, 4, 2), 3, failure == "entry 3" ? "kett\xC5\x91" : "1");
        addTemplate("NAV_2658_x.enyk");
        if (failure == "folder")
            QVERIFY(QDir(f.platform->folder.path()).mkdir("felad.imp"));
        if (failure == "no script")
            QVERIFY(QFile::remove(f.path("atad_pennaro.sh")));
        if (failure == "start")
            f.platform->startFails = true;
        if (failure == "full disk") {
            put_file(imp(), "earlier");
            FULL_DISK(100);
            exportNow();
        } else {
            exportNow();
        }
        if (message.contains("%1"))
            message = message.arg(QDir::toNativeSeparators(imp()),
                QDir::toNativeSeparators(f.path("atad_pennaro.sh")));
        QVERIFY2(f.platform->said(message, MessageIcon::Critical),
            qPrintable(f.platform->messages.value(0).text));
        QTEST(QFileInfo(imp()).isFile(), "written");
        QTEST(int(f.platform->started.size()), "started");
        if (failure == "full disk")
            QCOMPARE(file_bytes(imp()), QByteArray("earlier"));
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
