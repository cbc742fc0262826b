#include "file_size_limit.h"
#include "window_fixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

QByteArray taxpayer_file(int lines)
{
    QByteArray bytes;
    for (int i = 1; i <= lines; ++i)
        bytes += "value " + QByteArray::number(i) + "\r\n";
    return bytes;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    WindowFixture f;

    QStringList revenueTexts() const
    {
        QStringList texts;
        for (int month = 1; month <= 12; ++month)
            texts.append(f.window->revenue_field(month)->text());
        return texts;
    }
    void openWith(const QByteArray &adat, const QByteArray &adat2 = {})
    {
        f.open([&](FakePlatform &p) {
            put_file(p.folder.filePath("adat.txt"), adat);
            if (!adat2.isEmpty())
                put_file(p.folder.filePath("adat2.txt"), adat2);
        });
    }
    void exitButton() { QTest::mouseClick(f.ui().Command14, Qt::LeftButton); }

private slots:
    void cleanup() { f.close(); }

    void firstStartInAnEmptyFolder()
    {
        f.open();
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("\r\n").repeated(36));
        QCOMPARE(revenueTexts(), QStringList(12, QString()));
        QCOMPARE(f.window->monthly_revenue, MonthlyRevenue {});
        QVERIFY(!f.ui().Command21->isEnabled());
        QCOMPARE(f.window->taxpayer_lines, TaxpayerLines(31));
        QVERIFY(f.platform->messages.isEmpty());
    }

    void endState()
    {
        f.open([](FakePlatform &p) {
            put_file(p.folder.filePath("adat.txt"),
                "1\xA0"
                "234\xA0"
                "567\r\n1234,5\r\n\r\n1234567\r\n");
            put_file(p.folder.filePath("adat2.txt"), taxpayer_file(24));
            put_file(p.folder.filePath("adat.txt.aB3dE9"), "a save cut short");
            put_file(p.folder.filePath("felad.imp.Zz0000"), "a save cut short");
        });
        QVERIFY(!QFileInfo::exists(f.path("adat.txt.aB3dE9")));
        QVERIFY(!QFileInfo::exists(f.path("felad.imp.Zz0000")));
        QCOMPARE(f.window->selected_month, qint16(0));
        QCOMPARE(f.ui().Frame1->title(), QStringLiteral("Számítások"));
        for (QLineEdit *field : {f.ui().Text11, f.ui().Text12, f.ui().Text13, f.ui().Text33})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QVERIFY(f.ui().List1->isHidden() && !f.window->format_lock && f.ui().Option1->isChecked());
        QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("40"));
        const QStringList master {f.ui().Text2->text(), f.ui().Text3->text(), f.ui().Text4->text(),
            f.ui().Text5->text(), f.ui().Text6->text()};
        QCOMPARE(master, hungarian_blanks(QStringList {"200 000", "260 000", "15", "18,5", "13"}));
        QCOMPARE(QApplication::focusWidget(), f.ui().Text2);
        QVERIFY(f.ui().Command21->isEnabled());
        // The saved texts exactly as saved, and their values (the half to even).
        QCOMPARE(revenueTexts().mid(0, 5),
            (QStringList {hungarian_blanks("1 234 567"), "1234,5", "", "1234567", ""}));
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
        QCOMPARE(f.window->monthly_revenue[1], 1234);
        QCOMPARE(f.window->taxpayer_lines[24], QByteArray("value 24"));
        QVERIFY(f.platform->messages.isEmpty());
        // The first keystroke formats a field; a month button evaluates what was loaded.
        f.ui().Text17->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(f.ui().Text17, Qt::Key_End);
        QTest::keyClick(f.ui().Text17, Qt::Key_Backspace);
        QCOMPARE(f.ui().Text17->text(), hungarian_blanks("123 456"));
        QTest::mouseClick(f.window->month_button(1), Qt::LeftButton);
        QCOMPARE(f.ui().Text46->text(), QStringLiteral("260000")); // within the allowance
    }

    void badLinesReportedAndKept()
    {
        openWith("100\r\n\r\n12abc\r\n9999999999\r\n");
        QCOMPARE(revenueTexts().mid(0, 4), (QStringList {"100", "", "12abc", "9999999999"}));
        QCOMPARE(f.window->monthly_revenue[0], 100);
        QCOMPARE(f.window->monthly_revenue[2], 0);
        // The message says what a month command will make of each line.
        QVERIFY(f.platform->said("Az adat.txt egyes soraiban nem érvényes szám áll ("));
        QVERIFY2(f.platform->messages[0].text.endsWith(
                     "): március („12abc”: a hónap gombja 12 Ft-tal számol), április "
                     "(„9999999999”: túl nagy, a hónap gombja nem fogadja el). Javítsa ki ezeket "
                     "a bevételeket a mezőkben!"),
            qPrintable(f.platform->messages[0].text));
        QVERIFY(f.platform->messages[0].over_window);
        QTest::mouseClick(f.window->month_button(3), Qt::LeftButton);
        QCOMPARE(f.window->monthly_revenue[2], 12);
    }

    void byteOrderMarkIsUtf8()
    {
        openWith("\xEF\xBB\xBF"
                 "500\xC2\xA0"
                 "000\r\n1\xC2\xA0"
                 "000\r\n");
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(revenueTexts().mid(0, 2), hungarian_blanks(QStringList {"500 000", "1 000"}));
        QCOMPARE(f.window->monthly_revenue[0], 500000);
        exitButton();
        QCOMPARE(file_bytes(f.path("adat.txt")),
            "500\xA0"
            "000\r\n1\xA0"
            "000\r\n"
                + QByteArray("\r\n").repeated(10));
    }

    void unreadableFileIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("exitButton");
        QTest::newRow("exit button") << true;
        QTest::newRow("close control") << false;
    }
    void unreadableFileIsNeverOverwritten()
    {
        QFETCH(bool, exitButton);
        const QByteArray utf16("\xFF\xFE"
                               "5\0\r\0\n\0",
            8);
        openWith(utf16);
        const QString aside = f.path("adat_olvashatatlan.txt");
        QVERIFY(f.platform->said(
            "Az adat.txt nem olvasható: " + QDir::toNativeSeparators(f.path("adat.txt"))
            + " (nem szöveges fájl). Eredeti tartalmát a program áthelyezte ide: "
            + QDir::toNativeSeparators(aside) + ". A bevételek üresen indulnak."));
        f.window->revenue_field(1)->setText("7");
        f.platform->answers = {MessageAnswer::Yes};
        if (exitButton)
            this->exitButton();
        else
            QVERIFY(f.window->close());
        QCOMPARE(file_bytes(aside), utf16);
        QCOMPARE(file_bytes(f.path("adat.txt")),
            exitButton ? "7" + QByteArray("\r\n").repeated(12) : QByteArray("\r\n").repeated(36));
    }

    void exitAsksBeforeReplacingAFileItCouldNotRead_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Nem") << MessageAnswer::No;
        QTest::newRow("Igen") << MessageAnswer::Yes;
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
        QCOMPARE(f.platform->quits, 1);
        QCOMPARE(file_bytes(f.path("adat.txt")),
            answer == MessageAnswer::Yes ? "7" + QByteArray("\r\n").repeated(12)
                                         : QByteArray("100\r\n"));
    }

    void fullDiskKeepsTheSavedRevenues()
    {
        openWith("100\r\n");
        f.window->revenue_field(1)->setText("123456789");
        {
            FULL_DISK(8);
            exitButton();
        }
        QVERIFY(f.platform->said("Nem sikerült menteni a bevételeket: "
                + QDir::toNativeSeparators(f.path("adat.txt")) + " (nincs elég hely a lemezen).",
            MessageIcon::Critical));
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("100\r\n"));
        QCOMPARE(QDir(f.platform->folder.path()).entryList(QDir::Files), QStringList {"adat.txt"});
    }

    void exitSavesAndTheNextStartShowsTheTexts()
    {
        openWith("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n");
        f.window->revenue_field(1)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(1), "234567");
        f.window->revenue_field(12)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(12), "a"); // erased when the field is left
        exitButton();
        QCOMPARE(f.platform->quits, 1);
        QVERIFY(f.platform->messages.isEmpty());
        const QByteArray saved = "1\xA0"
                                 "234\xA0"
                                 "567\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"
                                 "9\r\n10\r\n11\r\n\r\n";
        QCOMPARE(file_bytes(f.path("adat.txt")), saved);

        f.close();
        openWith(saved);
        QCOMPARE(f.ui().Text14->text(), hungarian_blanks("1 234 567"));
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
    }

    void failedSaveKeepsTheProgramOpen_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Nem") << MessageAnswer::No;
        QTest::newRow("Igen") << MessageAnswer::Yes;
    }
    void failedSaveKeepsTheProgramOpen()
    {
        QFETCH(MessageAnswer, answer);
        f.open([](FakePlatform &p) { QVERIFY(QDir(p.folder.path()).mkdir("adat.txt")); });
        QVERIFY(f.platform->said("Az adat.txt nem olvasható: "));
        f.window->revenue_field(3)->setText("5");
        f.platform->answers = {answer};
        exitButton();
        QCOMPARE(f.platform->messages.size(), 2);
        const auto &asked = f.platform->messages[1];
        QVERIFY(asked.text.startsWith("Nem sikerült menteni a bevételeket: "
            + QDir::toNativeSeparators(f.path("adat.txt")) + " ("));
        QVERIFY(asked.text.endsWith("). Kilép mentés nélkül?"));
        QVERIFY(asked.icon == MessageIcon::Critical && asked.buttons == MessageButtons::YesNo);
        const bool leave = answer == MessageAnswer::Yes;
        QCOMPARE(f.platform->quits, leave ? 1 : 0);
        QCOMPARE(f.window->isVisible(), !leave);
        QCOMPARE(f.window->revenue_field(3)->text(), QStringLiteral("5"));
        QVERIFY(QFileInfo(f.path("adat.txt")).isDir());
    }

    void unreadableRevenueFiles()
    {
        openWith(QByteArray("\x7F"
                            "ELF\0\0\0",
            7));
        QVERIFY(f.platform->said("Az adat.txt nem olvasható: "));
        QVERIFY(f.platform->messages[0].text.contains("(nem szöveges fájl)"));
        QCOMPARE(revenueTexts(), QStringList(12, QString()));
        f.close();
        f.open([](FakePlatform &p) { p.folder.remove(); });
        QVERIFY(f.platform->said("Az adat.txt nem hozható létre: "));
    }

    void closeControlAsksOnlyWhenChanged()
    {
        openWith("100\r\n");
        QVERIFY(f.window->close());
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

    void taxpayerData_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("copy"); // the first line of adat22.txt
        QTest::addColumn<int>("entry");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("message"); // how the one message starts, if any
        const QByteArray rest = taxpayer_file(23);
        QTest::newRow("LF endings")
            << taxpayer_file(24).replace("\r\n", "\n") << QByteArray("value 1") << 24
            << QByteArray("value 24") << QString();
        QTest::newRow("30 lines") << taxpayer_file(30) << QByteArray("value 1") << 24
                                  << QByteArray("value 24") << QString();
        QTest::newRow("short") << taxpayer_file(10) << QByteArray("value 1") << 10
                               << QByteArray("value 10")
                               << "Az adat2.txt csak 10 sort tartalmaz, 24 kellene";
        QTest::newRow("BOM and ő, Ű") << "\xEF\xBB\xBFK\xC5\x91szegi \xC5\xB0rsula ' x\r\n" + rest
                                      << QByteArray("K\xF5szegi \xDBrsula ' x") << 1
                                      << QByteArray("K\xF5szegi \xDBrsula") << QString();
        QTest::newRow("Ő, ű, á") << "\xC5\x90\xC5\xB1\xC3\xA1\r\n" + rest
                                 << QByteArray("\xD5\xFB\xE1") << 1 << QByteArray("\xD5\xFB\xE1")
                                 << QString();
        QTest::newRow("Windows-1250") << "\xC1rp\xE1"
                                         "d \xF5r\r\n"
                + rest
                                      << QByteArray("\xC1rp\xE1"
                                                    "d \xF5r")
                                      << 1
                                      << QByteArray("\xC1rp\xE1"
                                                    "d \xF5r")
                                      << QString();
        QTest::newRow("stray byte in line 23")
            << "K\xC5\x91szegi\r\n" + taxpayer_file(21) + "\xE9rt\xE9k\r\nx\r\n"
            << QByteArray("K\xF5szegi") << 23 << QByteArray("\xE9rt\xE9k") << QString();
        QTest::newRow("quotes, dash, comment")
            << "\xE2\x80\x9EKis\xE2\x80\x9D Kft \xE2\x80\x93 ' \xC3\xA0\r\n" + rest
            << QByteArray("\"Kis\" Kft - ' ?") << 1 << QByteArray("\"Kis\" Kft -") << QString();
        QTest::newRow("no byte") << "ok\r\n\xE2\x88\x9A\xF0\x9F\x98\x80"
                                    "2\r\n"
                + taxpayer_file(22)
                                 << QByteArray("ok") << 2 << QByteArray("??2")
                                 << "Az adat2.txt egyes betűi nem vihetők át";
    }
    void taxpayerData()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        openWith("", file);
        QVERIFY(f.ui().Command21->isEnabled());
        QTEST(file_bytes(f.path("adat22.txt")).split('\r').first(), "copy");
        QFETCH(int, entry);
        QTEST(f.window->taxpayer_lines[entry], "value");
        QCOMPARE(f.window->taxpayer_lines[25], QByteArray());
        if (message.isEmpty())
            QVERIFY(f.platform->messages.isEmpty());
        else
            QVERIFY2(f.platform->said(message), qPrintable(f.platform->messages.value(0).text));
    }

    void taxpayerProblems()
    {
        // A folder of that name enables the export, but nothing can be read.
        f.open([](FakePlatform &p) { QVERIFY(QDir(p.folder.path()).mkdir("adat2.txt")); });
        QVERIFY(f.ui().Command21->isEnabled());
        QVERIFY(f.platform->said("Az adat2.txt nem olvasható: "));
        f.close();
        // A copy that cannot be written: the lines read are still used.
        f.open([](FakePlatform &p) {
            put_file(p.folder.filePath("adat2.txt"), taxpayer_file(24));
            QVERIFY(QDir(p.folder.path()).mkdir("adat22.txt"));
        });
        QVERIFY(f.platform->said("Az adat22.txt nem írható: "));
        QCOMPARE(f.window->taxpayer_lines[1], QByteArray("value 1"));
    }

    void infoToggles()
    {
        f.open();
        QTest::mouseClick(f.ui().Command19, Qt::LeftButton);
        QVERIFY(f.ui().List1->isVisible());
        QTest::mouseClick(f.ui().Command19, Qt::LeftButton);
        QVERIFY(f.ui().List1->isHidden());
        QTest::mouseClick(f.ui().Command19, Qt::LeftButton);
        QTest::mouseClick(f.window->month_button(2), Qt::LeftButton);
        QVERIFY(f.ui().List1->isHidden());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
