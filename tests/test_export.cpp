#include "window_fixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

QByteArray taxpayer_file(const QByteArray &entry3 = "1")
{
    QByteArray bytes;
    for (int i = 1; i <= 24; ++i)
        bytes += (i == 3 ? entry3 : "v" + QByteArray::number(i)) + "\r\n";
    return bytes;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    WindowFixture f;

    void openOn(QDate today, const QByteArray &taxpayer = taxpayer_file())
    {
        f.open([today, taxpayer](FakePlatform &p) {
            p.date = today;
            write_file(p.folder.filePath("adat2.txt"), taxpayer);
            write_file(p.folder.filePath("atad_pennaro.sh"), "cp felad.imp /tmp/x\n");
        });
    }
    void addTemplate(const QString &name) const
    {
        write_file(f.platform->templates.filePath(name), "template");
    }
    void evaluate(int month, const QString &revenue = "500 000")
    {
        for (int m = 1; m <= month; ++m)
            f.window->revenue_field(m)->setText(revenue);
        QTest::mouseClick(f.window->month_button(month), Qt::LeftButton);
    }
    void exportNow() { QTest::mouseClick(f.ui().Command21, Qt::LeftButton); }
    QString imp() const { return f.path("felad.imp"); }
    bool written() const { return QFileInfo::exists(imp()); }

private slots:
    void cleanup() { f.close(); }

    void noMonthChosen()
    {
        openOn(QDate(2026, 4, 2));
        exportNow();
        QCOMPARE(f.platform->beeps, 1);
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].text, QStringLiteral("Nincs kijelölt hónap!"));
        QCOMPARE(f.platform->messages[0].icon, MessageIcon::Critical);
        QCOMPARE(f.platform->messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(f.ui().Text50->text(), QStringLiteral("Text50"));
        QVERIFY(!written());
        QVERIFY(f.platform->started.isEmpty());
    }

    void staleResultsRefused()
    {
        openOn(QDate(2026, 4, 2));
        addTemplate("NAV_2658_1.enyk");
        evaluate(3);
        f.ui().Text4->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.ui().Text4, Qt::Key_Tab); // leaving it resets the results
        exportNow();
        QCOMPARE(f.platform->beeps, 1);
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].text,
            QStringLiteral("A számítás eredménye nem érvényes. Nyomja meg újra a hónap "
                           "gombját!"));
        QCOMPARE(f.platform->messages[0].icon, MessageIcon::Critical);
        QCOMPARE(f.ui().Text50->text(), QStringLiteral("Text50"));
        QVERIFY(!written());
    }

    void templatePresent_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file") << false;
        QTest::newRow("folder") << true;
    }
    void templatePresent()
    {
        QFETCH(bool, folder);
        openOn(QDate(2026, 4, 2));
        if (folder)
            QVERIFY(QDir(f.platform->templates.path()).mkdir("NAV_2658_abc.enyk"));
        else
            addTemplate("NAV_2658_abc.enyk");
        evaluate(3);
        exportNow();
        QVERIFY(f.platform->messages.isEmpty());
        QCOMPARE(f.ui().Text50->text(), QStringLiteral("20260301"));
        QCOMPARE(f.ui().Text51->text(), QStringLiteral("20260331"));
        const QByteArray bytes = file_bytes(imp());
        QVERIFY(bytes.startsWith("$ny_azon=2658\r\n$sorok_sz\xE1ma=46\r\n"));
        QVERIFY(bytes.contains("\r\n23335=20260301\r\n23336=20260331\r\n"));
        QVERIFY(bytes.endsWith("26401[1]=292500\r\n26400[1]=38025\r\n26413[1]=260000\r\n"
                               "26414[1]=48100\r\n"));
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
        QTest::newRow("other form, Igen") << "NAV_2608_x.enyk" << MessageAnswer::Yes;
    }
    void templateMissing()
    {
        QFETCH(QString, onlyTemplate);
        QFETCH(MessageAnswer, answer);
        openOn(QDate(2026, 7, 1));
        if (!onlyTemplate.isEmpty())
            addTemplate(onlyTemplate);
        evaluate(6);
        f.platform->answers = {answer};
        exportNow();
        QCOMPARE(f.platform->messages.size(), 1);
        QCOMPARE(f.platform->messages[0].text,
            QStringLiteral("Nem látom a 2258 nyomtatvánt? Mehet tovább?"));
        QCOMPARE(f.platform->messages[0].icon, MessageIcon::Question);
        QCOMPARE(f.ui().Text51->text(), QStringLiteral("20260630"));
        const bool yes = answer == MessageAnswer::Yes;
        QCOMPARE(written(), yes);
        QCOMPARE(f.platform->started.size(), yes ? 1 : 0);
    }

    void decemberInJanuary()
    {
        openOn(QDate(2027, 1, 15));
        addTemplate("NAV_2658_december.enyk");
        evaluate(12);
        exportNow();
        QVERIFY(f.platform->messages.isEmpty()); // last year's form is the one
        QCOMPARE(f.ui().Text50->text(), QStringLiteral("20261201"));
        QCOMPARE(f.ui().Text51->text(), QStringLiteral("20261231"));
        QVERIFY(file_bytes(imp()).startsWith("$ny_azon=2658\r\n"));
    }

    void twoExportsLeaveTheSecond()
    {
        openOn(QDate(2026, 8, 3));
        addTemplate("NAV_2658_x.enyk");
        evaluate(7);
        exportNow();
        QVERIFY(file_bytes(imp()).contains("\r\n26414[1]=55500\r\n"));
        f.ui().Option2->setChecked(true);
        evaluate(1);
        exportNow();
        const QByteArray second = file_bytes(imp());
        QVERIFY(second.contains("\r\n23335=20260101\r\n"));
        QVERIFY(second.contains("\r\n26378[1]=26\r\n"));
        QVERIFY(second.endsWith("\r\n26414[1]=0\r\n"));
        QCOMPARE(f.platform->started.size(), 2);
    }

    void writeFailureReported()
    {
        openOn(QDate(2026, 4, 2));
        addTemplate("NAV_2658_x.enyk");
        QVERIFY(QDir(f.platform->folder.path()).mkdir("felad.imp"));
        evaluate(3);
        exportNow();
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(f.platform->messages[0].text.startsWith(
            "A felad.imp nem írható: " + QDir::toNativeSeparators(imp())));
        QCOMPARE(f.platform->messages[0].icon, MessageIcon::Critical);
        QVERIFY(f.platform->started.isEmpty());
    }

    void handOverFailureReported_data()
    {
        QTest::addColumn<bool>("scriptThere");
        QTest::newRow("missing script") << false;
        QTest::newRow("start fails") << true;
    }
    void handOverFailureReported()
    {
        QFETCH(bool, scriptThere);
        openOn(QDate(2026, 4, 2));
        addTemplate("NAV_2658_x.enyk");
        if (!scriptThere)
            QVERIFY(QFile::remove(f.path("atad_pennaro.sh")));
        f.platform->startError = QStringLiteral("nem indítható");
        evaluate(3);
        exportNow();
        QVERIFY(written());
        QCOMPARE(f.platform->messages.size(), 1);
        const QString text = f.platform->messages[0].text;
        QVERIFY2(text.startsWith("A felad.imp elkészült: " + QDir::toNativeSeparators(imp())
                     + ", de az átadás nem indítható: "),
            qPrintable(text));
        QVERIFY(text.contains(scriptThere ? "nem indítható)" : "nincs ilyen fájl)"));
        QCOMPARE(f.platform->started.size(), scriptThere ? 1 : 0);
    }

    void entry3NotANumber()
    {
        openOn(QDate(2026, 4, 2), taxpayer_file("kettő"));
        addTemplate("NAV_2658_x.enyk");
        evaluate(3);
        exportNow();
        QCOMPARE(f.platform->messages.size(), 1);
        QVERIFY(f.platform->messages[0].text.startsWith("Az adat2.txt 3. sora nem szám: „kettő”."));
        QVERIFY(!written());
        QVERIFY(f.platform->started.isEmpty());
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
