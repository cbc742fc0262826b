#pragma once

#include <QList>
#include <QString>

#include <optional>

// Why a data file could not be read or written.
enum class FileError { NoPermission, NoSpace, Folder, NotAFile, NotFound, NotText, Other };

// A master-data field, for saying which one does not read.
enum class MasterField { MinimumWage, GuaranteedMinimum, Szja, Tb, Szocho, CostRatio };

// What went wrong, and where. The core says it; the window alone words it.
struct Problem {
    enum class What {
        RevenueTooLarge, // `month`
        MasterDataNotNumber, // `field`
        MasterDataEmpty, // `field`
        MasterDataOutOfRange, // `field`: a wage not above 0, a percent outside 0-100
        EvaluationOverflow,
        RevenuesNotCreated, // `path`, `error`
        RevenuesUnreadable, // `path`, `error`; left in place
        RevenuesMovedAside, // `path`, `error`; its bytes are at `other_path`
        RevenuesNotSaved, // `path`, `error`
        BadRevenueLines, // `path`, `lines`
        RevenueLinesAfterTwelfth, // `path`, `lines`: the first with text past the twelfth
        TaxpayerUnreadable, // `path`, `error`
        TaxpayerCopyNotWritten, // `path`, `error`
        TaxpayerTooShort, // `path`, `count` lines found
        TaxpayerLettersReplaced, // `path`, `lines` (their numbers)
        TaxpayerLinesCut, // `path`, `lines` longer than the bound (their numbers)
        TaxpayerDoubledLineEnds, // `path`, `lines` ended CR CR LF (their numbers)
        Entry3NotNumber, // `text`
        DeclarationNotWritten, // `path`, `error`
        DeclarationNegative, // an amount is negative; when `count` is 1 `field` made it so
        HandOverNotStarted, // `path` of the declaration, `other_path` of the script
        HandOverFailed, // the same, `count` its exit code, `text` its last error lines
        HandOverCrashed, // the same, `text` its last error lines
        FolderInUse, // `path` of the lock file, `count` the process it names (0: none)
        LockNotTaken, // `path` of the lock file, `error`
        DataFolderMoved, // `path` used, `other_path` the program's, `text` the files left
        YearNotSaved, // `path`, `error`
        YearChoiceUnusable, // `path`, `error` or `text` the line, `count` the year taken
        YearNotChanged, // `path`, `error`: `count`, the year chosen, is not in use
        YearFileNotRemoved, // `path`, `error`: the copy of `count`, the year in use, stays
        YearRevenuesUnreadable, // `path`, `error`: the revenues of `count`
        YearCopyUnreadable, // `path`, `error`, moved to `other_path` if not empty:
                            // adat.txt's revenues of `count` taken instead
        MasterDataNotSaved, // `path`, `error`
        KeptMasterDataUnusable, // `path`, `lines` not used for the year `count`
        TaxpayerSampleWritten, // `path` of the sample, `count` the year in use
        YearTaken, // a first start computes by `count`
        OverviewNotSaved, // `path`, `error`
        WorkbookNotMade, // the xlsxwriter library is missing or failed
        OverviewNotOpened, // `path`: no viewer took it
    };
    // A line of a file, and what becomes of it.
    struct Line {
        int number = 0;
        QString text;
        std::optional<qint32> value;
    };

    explicit Problem(What what, QString path = {})
        : what(what)
        , path(std::move(path))
    {
    }

    What what;
    int month = 0;
    MasterField field = MasterField::MinimumWage;
    QString path;
    std::optional<FileError> error;
    QString other_path;
    QString text;
    int count = 0;
    QList<Line> lines;
};
