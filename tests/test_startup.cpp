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
    // Opens the window on a folder that already holds `files`.
    void openWith(const QList<std::pair<QString, QByteArray>> &files)
    {
        f.open([&files](FakePlatform &p) {
            for (const auto &[name, bytes] : files)
                write_file(p.folder.filePath(name), bytes);
        });
    }
    void restart()
    {
        // The next run, in the same program folder.
        auto folder = std::move(f.platform->folder);
        f.window.reset();
        f.open([&folder](FakePlatform &p) {
            for (const QString &name : QDir(folder.path()).entryList(QDir::Files))
                write_file(p.folder.filePath(name), file_bytes(folder.filePath(name)));
        });
    }

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
        openWith({{"adat.txt", "1234567\r\n"}, {"adat2.txt", taxpayer_file(24)}});
        QCOMPARE(f.window->selected_month, qint16(0));
        QCOMPARE(f.ui().Frame1->title(), QStringLiteral("Számítások"));
        for (QLineEdit *field : {f.ui().Text11, f.ui().Text12, f.ui().Text13, f.ui().Text33})
            QCOMPARE(field->text(), QStringLiteral("0"));
        QVERIFY(f.ui().List1->isHidden());
        QVERIFY(!f.window->format_lock);
        QCOMPARE(f.ui().Combo1->currentText(), QStringLiteral("40"));
        QVERIFY(f.ui().Option1->isChecked());
        QVERIFY(f.ui().Command21->isEnabled());
        QCOMPARE(f.ui().Text14->text(), QStringLiteral("1234567")); // not reformatted
        QCOMPARE(f.window->taxpayer_lines[24], QByteArray("value 24"));
        QVERIFY(f.platform->messages.isEmpty());
    }

    void savedRevenuesLoadVerbatim()
    {
        openWith({{"adat.txt",
            "1\xA0"
            "234\xA0"
            "567\r\n1234,5\r\n\r\n500000\r\n"}});
        QCOMPARE(revenueTexts().mid(0, 4),
            (QStringList {hungarian_blanks("1 234 567"), "1234,5", "", "500000"}));
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
        QCOMPARE(f.window->monthly_revenue[1], 1234);
        // The first keystroke formats the field.
        f.ui().Text15->setFocus(Qt::MouseFocusReason);
        f.ui().Text15->end(false);
        QTest::keyClick(f.ui().Text15, Qt::Key_Backspace);
        QCOMPARE(f.ui().Text15->text(), hungarian_blanks("1 234"));
        // A month button evaluates the loaded revenues.
        f.ui().Text14->setText("500000");
        f.ui().Text15->setText("500000");
        f.ui().Text16->setText("500000");
        for (int month = 5; month <= 12; ++month)
            f.window->revenue_field(month)->setText("500000");
        QTest::mouseClick(f.window->month_button(6), Qt::LeftButton);
        QCOMPARE(f.ui().Text33->text(), hungarian_blanks("90 000"));
    }

    void badLinesReportedAndKept()
    {
        openWith({{"adat.txt", "100\r\n\r\nabc\r\n9999999999\r\n"}});
        QCOMPARE(f.ui().Text16->text(), QStringLiteral("abc"));
        QCOMPARE(f.ui().Text17->text(), QStringLiteral("9999999999"));
        QCOMPARE(f.window->monthly_revenue[0], 100);
        QCOMPARE(f.window->monthly_revenue[2], 0);
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(f.platform->messages[0].text.contains("március, április"));
        QVERIFY(
            f.platform->messages[0].text.contains(QDir::toNativeSeparators(f.path("adat.txt"))));
    }

    void exitSavesAndTheNextStartShowsTheTexts()
    {
        f.open();
        f.window->revenue_field(1)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(1), "1234567");
        f.window->revenue_field(12)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f.window->revenue_field(12), "12a"); // erased when the field is left
        QTest::mouseClick(f.ui().Command14, Qt::LeftButton);
        QCOMPARE(f.platform->quits, 1);
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(file_bytes(f.path("adat.txt")),
            "1\xA0"
            "234\xA0"
            "567\r\n"
                + QByteArray("\r\n").repeated(11));

        restart();
        QCOMPARE(f.ui().Text14->text(), hungarian_blanks("1 234 567"));
        QCOMPARE(f.window->monthly_revenue[0], 1234567);
    }

    void failedSaveKeepsTheProgramOpen_data()
    {
        QTest::addColumn<bool>("leave");
        QTest::newRow("Nem") << false;
        QTest::newRow("Igen") << true;
    }
    void failedSaveKeepsTheProgramOpen()
    {
        QFETCH(bool, leave);
        f.open([](FakePlatform &p) { QVERIFY(QDir(p.folder.path()).mkdir("adat.txt")); });
        QCOMPARE(f.platform->messages.size(), 1); // the load could not read it either
        f.window->revenue_field(3)->setText("5");
        f.platform->answers = {leave ? MessageAnswer::Yes : MessageAnswer::No};
        QTest::mouseClick(f.ui().Command14, Qt::LeftButton);
        QCOMPARE(f.platform->messages.size(), 2);
        const auto &asked = f.platform->messages[1];
        QVERIFY(asked.text.startsWith("Nem sikerült menteni a bevételeket: "));
        QVERIFY(asked.text.endsWith("Kilép mentés nélkül?"));
        QCOMPARE(asked.icon, MessageIcon::Critical);
        QCOMPARE(asked.buttons, MessageButtons::YesNo);
        QCOMPARE(f.platform->quits, leave ? 1 : 0);
        QCOMPARE(f.window->isVisible(), !leave);
        QCOMPARE(f.window->revenue_field(3)->text(), QStringLiteral("5"));
        QVERIFY(QFileInfo(f.path("adat.txt")).isDir());
    }

    void saveReplacesAnExistingFile()
    {
        openWith({{"adat.txt",
            "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n"}});
        f.window->revenue_field(1)->setText("");
        QTest::mouseClick(f.ui().Command14, Qt::LeftButton);
        QCOMPARE(file_bytes(f.path("adat.txt")),
            QByteArray("\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n"));
    }

    void closeControlAsksOnlyWhenChanged()
    {
        openWith({{"adat.txt", "100\r\n"}});
        QVERIFY(f.window->close());
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("100\r\n"));

        f.close();
        openWith({{"adat.txt", "100\r\n"}});
        f.window->revenue_field(2)->setText("200");
        f.platform->answers = {MessageAnswer::No};
        QVERIFY(!f.window->close());
        QCOMPARE(f.platform->messages.last().text,
            QStringLiteral("A bevételek változtak. Kilép mentés nélkül?"));
        QCOMPARE(f.platform->messages.last().icon, MessageIcon::Question);
        QVERIFY(f.window->isVisible());
        f.platform->answers = {MessageAnswer::Yes};
        QVERIFY(f.window->close());
        QCOMPARE(file_bytes(f.path("adat.txt")), QByteArray("100\r\n")); // never saved
    }

    void taxpayerData_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("message"); // the start of the one message, or none
        QTest::newRow("LF endings")
            << taxpayer_file(24).replace("\r\n", "\n") << 24 << QByteArray("value 24") << QString();
        QTest::newRow("30 lines") << taxpayer_file(30) << 24 << QByteArray("value 24") << QString();
        QTest::newRow("short file") << taxpayer_file(10) << 10 << QByteArray("value 10")
                                    << "Az adat2.txt csak 10 sort tartalmaz, 24 kellene";
        QTest::newRow("UTF-8 with BOM and accents")
            << "\xEF\xBB\xBFK\xC5\x91szegi \xC5\xB0rsula ' name\r\n" + taxpayer_file(23) << 1
            << QByteArray("K\xF5szegi \xDBrsula") << QString();
        QTest::newRow("capitals") << "\xC5\x90\xC5\xB1\xC3\xA1\r\n" + taxpayer_file(23) << 1
                                  << QByteArray("\xD5\xFB\xE1") << QString();
        QTest::newRow("Windows-1250") << "\xC1rp\xE1"
                                         "d \xF5r\r\n"
                + taxpayer_file(23) << 1
                                      << QByteArray("\xC1rp\xE1"
                                                    "d \xF5r")
                                      << QString();
        QTest::newRow("no byte") << "\xE2\x88\x9A"
                                    "2\r\n"
                + taxpayer_file(23)
                                 << 1 << QByteArray("?2") << "Az adat2.txt egyes betűi";
    }
    void taxpayerData()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, entry);
        QFETCH(QString, message);
        openWith({{"adat2.txt", file}});
        QVERIFY(f.ui().Command21->isEnabled());
        QTEST(f.window->taxpayer_lines[entry], "value");
        QCOMPARE(f.window->taxpayer_lines.size(), 31);
        QCOMPARE(f.window->taxpayer_lines[25], QByteArray());
        QVERIFY(QFileInfo::exists(f.path("adat22.txt")));
        QCOMPARE(f.platform->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(f.platform->messages[0].text.startsWith(message),
                qPrintable(f.platform->messages[0].text));
    }

    void taxpayerFolderCounts()
    {
        f.open([](FakePlatform &p) { QVERIFY(QDir(p.folder.path()).mkdir("adat2.txt")); });
        QVERIFY(f.ui().Command21->isEnabled());
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(f.platform->messages[0].text.startsWith("Az adat2.txt nem olvasható"));
        QCOMPARE(f.window->taxpayer_lines, TaxpayerLines(31));
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
