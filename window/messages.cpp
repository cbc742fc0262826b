#include "window/messages.h"

#include "evaluation/number_text.h"
#include "storage/text_lines.h"
#include "ui_fo.h"

#include <QFileInfo>

namespace {

// A file error as the user reads it, in a message's brackets.
QString reason(std::optional<FileError> error)
{
    switch (error.value_or(FileError::Other)) {
    case FileError::NoPermission:
        return QStringLiteral("nincs hozzá jogosultság");
    case FileError::NoSpace:
        return QStringLiteral("nincs elég hely a lemezen");
    case FileError::Folder:
        return QStringLiteral("ez egy mappa");
    case FileError::NotAFile:
        return QStringLiteral("nem közönséges fájl");
    case FileError::NotFound:
        return QStringLiteral("nem található");
    case FileError::NotText:
        return QStringLiteral("nem szöveges fájl");
    case FileError::Other:
        break;
    }
    return QStringLiteral("ismeretlen fájlhiba");
}

QString without_colon(QString caption)
{
    return caption.remove(u':').trimmed();
}

// The numbers of a problem's lines: "3., 7.".
QString line_numbers(const Problem &p)
{
    QStringList numbers;
    for (const Problem::Line &line : p.lines)
        numbers.append(QStringLiteral("%1.").arg(line.number));
    return numbers.join(QStringLiteral(", "));
}

// A problem's lines with their texts: "2. sor: „2026.szja”, 3. sor: …".
QString quoted_lines(const Problem &p)
{
    QStringList lines;
    for (const Problem::Line &line : p.lines)
        lines.append(QStringLiteral("%1. sor: „%2”").arg(line.number).arg(line.text));
    return lines.join(QStringLiteral(", "));
}

} // namespace

QString month_adjective(int month)
{
    static const char *const adjectives[]
        = {"januári", "februári", "márciusi", "áprilisi", "májusi", "júniusi", "júliusi",
            "augusztusi", "szeptemberi", "októberi", "novemberi", "decemberi"};
    return QString::fromUtf8(adjectives[month - 1]);
}

QString month_name_in(int month)
{
    static const char *const names[] = {"januárban", "februárban", "márciusban", "áprilisban",
        "májusban", "júniusban", "júliusban", "augusztusban", "szeptemberben", "októberben",
        "novemberben", "decemberben"};
    return QString::fromUtf8(names[month - 1]);
}

WindowNames names_on(const Ui::fo &ui)
{
    WindowNames names;
    for (QPushButton *button :
        {ui.Command2, ui.Command3, ui.Command4, ui.Command5, ui.Command6, ui.Command7, ui.Command8,
            ui.Command9, ui.Command10, ui.Command11, ui.Command12, ui.Command13})
        names.months.append(button->text());
    for (QLabel *label : {ui.Label3, ui.Label4, ui.Label5, ui.Label6, ui.Label7, ui.Label22})
        names.master_fields.append(without_colon(label->text()));
    return names;
}

Notice notice_for(const Problem &p, const WindowNames &names)
{
    using What = Problem::What;
    const QString path = shown_path(p.path);
    const QString other = shown_path(p.other_path);
    // adat.txt, or the file of another year.
    const QString file_name = QFileInfo(p.path).fileName();
    const auto critical = [](const QString &text) { return Notice {text, MessageIcon::Critical}; };
    switch (p.what) {
    case What::RevenueTooLarge:
        return {QStringLiteral("Túl nagy bevétel: %1. Legfeljebb 2 147 483 647 Ft adható meg.")
                    .arg(names.months.value(p.month - 1))};
    case What::DeclarationNegative:
        return {QStringLiteral("A bevallás nem készül el: negatív összeg kerülne bele%1. Javítsa "
                               "ki, és nyomja meg újra a hónap gombját!")
                    .arg(p.count == 1 ? QStringLiteral(" a(z) „%1” mező miatt")
                                            .arg(names.master_fields.value(int(p.field)))
                                      : QString()),
            MessageIcon::Critical};
    case What::MasterDataEmpty:
        return {QStringLiteral("A számítás nem végezhető el: a(z) „%1” mező üres.")
                    .arg(names.master_fields.value(int(p.field)))};
    case What::MasterDataOutOfRange:
        return {QStringLiteral("A számítás nem végezhető el: a(z) „%1” mezőben %2 kell "
                               "állnia.")
                    .arg(names.master_fields.value(int(p.field)),
                        p.field <= MasterField::GuaranteedMinimum
                            ? QStringLiteral("0 Ft-nál nagyobb bérnek")
                            : QStringLiteral("0 és 100 % közötti értéknek"))};
    case What::MasterDataNotNumber:
        return {QStringLiteral("A számítás nem végezhető el: a(z) „%1” mezőben nem szám vagy túl "
                               "nagy szám áll.")
                    .arg(names.master_fields.value(int(p.field)))};
    case What::EvaluationOverflow:
        return {QStringLiteral("A számítás nem végezhető el: túl nagy szám a bevételekben vagy a "
                               "törzsadatokban.")};
    case What::RevenuesNotCreated:
        return {
            QStringLiteral("Az adat.txt nem hozható létre: %1 (%2).").arg(path, reason(p.error))};
    case What::RevenuesUnreadable:
        return {QStringLiteral("Az %1 nem olvasható: %2 (%3). A bevételek üresen indulnak%4.")
                    .arg(file_name, path, reason(p.error),
                        p.error == FileError::Folder
                            ? QString()
                            : QStringLiteral("; kilépéskor a program megkérdezi, felülírja-e"))};
    case What::RevenuesMovedAside:
        return {QStringLiteral("Az %1 nem olvasható: %2 (%3). Eredeti tartalmát a program "
                               "áthelyezte ide: %4. A bevételek üresen indulnak.")
                    .arg(file_name, path, reason(p.error), other)};
    case What::RevenuesNotSaved:
        return {QStringLiteral("Nem sikerült menteni a bevételeket: %1 (%2). Kilép mentés nélkül?")
                    .arg(path, reason(p.error)),
            MessageIcon::Critical, MessageButtons::YesNo};
    case What::BadRevenueLines: {
        // What a month command will make of each line, so the user knows.
        QStringList lines;
        for (const Problem::Line &line : p.lines)
            lines.append(
                QStringLiteral("%1 („%2”: %3)")
                    .arg(names.months.value(line.number - 1), line.text,
                        line.value ? QStringLiteral("a hónap gombja %1 Ft-tal számol")
                                         .arg(number_text::grouped(*line.value, 0))
                                   : QStringLiteral("túl nagy, a hónap gombja nem fogadja el")));
        return {QStringLiteral("Az %1 egyes soraiban nem érvényes szám áll (%2): %3. "
                               "Javítsa ki ezeket a bevételeket a mezőkben!")
                    .arg(file_name, path, lines.join(QStringLiteral(", ")))};
    }
    case What::RevenueLinesAfterTwelfth:
        return {QStringLiteral("Az %1 a 12. sora után is tartalmaz szöveget (%2): %3. A program "
                               "csak az első 12 sort olvassa, és kilépéskor csak azokat menti; "
                               "ha ezek kellenek, írja őket a hónapok mezőibe.")
                    .arg(file_name, path, quoted_lines(p))};
    case What::TaxpayerUnreadable:
        return {QStringLiteral("Az adat2.txt nem olvasható: %1 (%2). A bevallás adatai üresek "
                               "maradnak.")
                    .arg(path, reason(p.error))};
    case What::TaxpayerCopyNotWritten:
        return {QStringLiteral("Az adat22.txt nem írható: %1 (%2). A program a beolvasott "
                               "adatokkal dolgozik tovább.")
                    .arg(path, reason(p.error))};
    case What::TaxpayerTooShort:
        return {QStringLiteral("Az adat2.txt csak %1 sort tartalmaz, 24 kellene: %2. A hiányzó "
                               "adatok üresek maradnak.")
                    .arg(p.count)
                    .arg(path)};
    case What::TaxpayerLettersReplaced:
        return {QStringLiteral("Az adat2.txt egyes betűi nem vihetők át a bevallásba, helyettük "
                               "„?” áll (%1): %2 sor.")
                    .arg(path, line_numbers(p))};
    case What::TaxpayerLinesCut:
        return {QStringLiteral("Az adat2.txt egyes sorai 4096 bájtnál hosszabbak, a program "
                               "levágta a végüket (%1): %2 sor.")
                    .arg(path, line_numbers(p))};
    case What::TaxpayerDoubledLineEnds:
        return {QStringLiteral("Az adat2.txt egyes soraiban dupla sorvég (CR CR LF) áll, a "
                               "program egy sorvégnek vette (%1): %2 sor.")
                    .arg(path, line_numbers(p)),
            MessageIcon::Information};
    case What::Entry3NotNumber:
        return critical(
            QStringLiteral("Az adat2.txt 3. sora nem szám: „%1”. A bevallás nem készült el.")
                .arg(p.text));
    case What::DeclarationNotWritten:
        return critical(
            QStringLiteral("A felad.imp nem írható: %1 (%2). A bevallás nem készült el.")
                .arg(path, reason(p.error)));
    case What::HandOverNotStarted: {
        const QString why = p.error == FileError::NotFound
            ? QStringLiteral("az első sorában megnevezett értelmező nem található: %1").arg(p.text)
            : p.error == FileError::NoPermission ? reason(p.error)
                                                 : QStringLiteral("a rendszer nem indította el");
        return critical(
            QStringLiteral("A felad.imp elkészült: %1, de az átadás nem indítható: %2 (%3).")
                .arg(path, other, why));
    }
    case What::HandOverFailed:
    case What::HandOverCrashed: {
        const QString how = p.what == What::HandOverCrashed
            ? QStringLiteral("összeomlott")
            : QStringLiteral("hibával állt le (kilépési kód: %1)").arg(p.count);
        const QString lines = p.text.isEmpty()
            ? QString()
            : QStringLiteral(" Hibakimenetének utolsó sorai:\n%1").arg(p.text);
        return critical(QStringLiteral("A felad.imp elkészült: %1, de az átadó szkript %2: %3.%4")
                            .arg(path, how, other, lines));
    }
    case What::DataFolderMoved:
        return {QStringLiteral("A program mappája nem írható: %1, ezért az adatait ebben a "
                               "mappában tartja: %2. Az ott maradt fájlokat (%3) nem használja; "
                               "másolja át őket ide, ha azokkal akar dolgozni.")
                    .arg(other, path, p.text),
            MessageIcon::Information};
    case What::TaxpayerSampleWritten:
        return {
            QStringLiteral("A program a %1. év szabályaival számol; az évet az „Adóév:” mezőben "
                           "választhatja. A bevallás (2258) a vállalkozó adataiból készül, "
                           "ezek mintáját a program ide tette: %2. Írja be soronként az "
                           "adatokat az aposztróf elé, mentse a fájlt adat2.txt néven "
                           "ugyanebbe a mappába (UTF-8 kódolással), majd indítsa újra a "
                           "programot: a bevallás gombja azután működik.")
                .arg(p.count)
                .arg(path),
            MessageIcon::Information};
    case What::YearTaken:
        return {QStringLiteral("A program a %1. év szabályaival számol; az évet az „Adóév:” "
                               "mezőben választhatja.")
                    .arg(p.count),
            MessageIcon::Information};
    case What::YearNotSaved:
        return {QStringLiteral("Az adóév választása nem menthető: %1 (%2). A következő "
                               "induláskor a program nem ezzel az évvel indul.")
                    .arg(path, reason(p.error))};
    case What::YearChoiceUnusable:
        return {QStringLiteral("A választott adóév nem olvasható ki: %1 (%2).%4 A program a %3. év "
                               "szabályaival indul; az évet az „Adóév:” mezőben választhatja.")
                    .arg(path,
                        p.error ? reason(p.error)
                                : QStringLiteral("„%1”: nincs ilyen adóév").arg(p.text))
                    .arg(p.count)
                    .arg(p.other_path.isEmpty()
                            ? QString()
                            : QStringLiteral(" Eredeti tartalmát a program áthelyezte ide: %1.")
                                  .arg(other))};
    case What::YearNotChanged:
        return critical(
            QStringLiteral("A %1. év nem választható ki, mert ez a fájl nem írható vagy "
                           "nem olvasható: %2 (%3). A program az eddigi évvel dolgozik "
                           "tovább; egyik év bevételei sem vesztek el.")
                .arg(p.count)
                .arg(path, reason(p.error)));
    case What::YearFileNotRemoved:
        return critical(
            QStringLiteral("Az %2 nem törölhető: %3 (%4). A %1. év bevételeit a program az "
                           "adat.txt-be mentette, de a következő induláskor ebből a fájlból "
                           "olvasná őket: törölje kézzel!")
                .arg(p.count)
                .arg(file_name, path, reason(p.error)));
    case What::YearRevenuesUnreadable:
        return {QStringLiteral("A %1. év bevételei nem olvashatók: %2 (%3).")
                    .arg(p.count)
                    .arg(path, reason(p.error))};
    case What::YearCopyUnreadable:
        return {QStringLiteral("A %1. év bevételeinek legutóbbi példánya nem olvasható: %2 (%3).%4 "
                               "A program az adat.txt-ben mentett bevételekkel indul.")
                    .arg(p.count)
                    .arg(path, reason(p.error),
                        p.other_path.isEmpty()
                            ? QString()
                            : QStringLiteral(" Eredeti tartalmát a program áthelyezte ide: %1.")
                                  .arg(other))};
    case What::MasterDataNotSaved:
        return {QStringLiteral("A törzsadatok nem menthetők: %1 (%2). A következő induláskor a "
                               "program az év táblázatbeli számaival indul.")
                    .arg(path, reason(p.error))};
    case What::KeptMasterDataUnusable:
        return {QStringLiteral("A pennaro.ini a %1. év törzsadatai közt nem használható sort "
                               "tartalmaz (%2): %3. Ezek helyett a program az év táblázatbeli "
                               "számaival számol.")
                    .arg(p.count)
                    .arg(path, quoted_lines(p))};
    case What::OverviewNotSaved:
        return critical(
            QStringLiteral("Az áttekintés nem menthető: %1 (%2).").arg(path, reason(p.error)));
    case What::WorkbookNotMade:
        return critical(QStringLiteral("Az Excel-fájl nem készült el: a program nem találja vagy "
                                       "nem tudja használni az xlsxwriter könyvtárat. A CSV-mentés "
                                       "továbbra is működik."));
    case What::OverviewNotOpened:
        return {
            QStringLiteral("A PDF elkészült, de nincs program, amely megnyitná: %1.").arg(path)};
    case What::LockNotTaken:
        return {QStringLiteral("A program nem tudja lefoglalni az adatmappáját: %1 (%2). Ha "
                               "egyszerre két példány fut, ügyeljen, hogy csak az egyikben "
                               "dolgozzon; kilépéskor a program megkérdezi, ha az adat.txt közben "
                               "megváltozott.")
                    .arg(path, reason(p.error))};
    case What::FolderInUse:
        // Told only when no PENNARO window answered for the folder: the
        // process may have just ended, or be another program.
        return critical(
            QStringLiteral("Az adatmappát (%1) %2 tartja lefoglalva, de nem válaszol úgy, "
                           "ahogy egy futó PENNARO ablaka. Egyszerre csak egy példány "
                           "dolgozhat a mappával, ezért ez a példány most kilép. Ha az előző "
                           "PENNARO épp most ért véget, várjon néhány másodpercet, és indítsa "
                           "újra; ha az a folyamat még fut, zárja be, és indítsa újra a "
                           "programot.")
                .arg(shown_path(QFileInfo(p.path).path()),
                    p.count > 0 ? QStringLiteral("a(z) %1 számú folyamat").arg(p.count)
                                : QStringLiteral("egy másik folyamat")));
    }
    return {};
}
