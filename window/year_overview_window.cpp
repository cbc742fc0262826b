#include "window/year_overview_window.h"

#include "evaluation/number_text.h"
#include "storage/overview_csv.h"
#include "storage/overview_workbook.h"
#include "storage/text_lines.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPdfWriter>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The columns' captions, made when the overview is first opened, not at
// every start of the program.
const QStringList &headers()
{
    static const QStringList captions
        = {QStringLiteral("Időszak"), QStringLiteral("Bevétel"), QStringLiteral("Jövedelem"),
            QStringLiteral("TB-alap"), QStringLiteral("TB (406)"), QStringLiteral("Szocho-alap"),
            QStringLiteral("Szocho (258)"), QStringLiteral("SZJA havi része"),
            QStringLiteral("SZJA-előleg (103)"), QStringLiteral("Esedékes")};
    return captions;
}
constexpr int szja_part_column = 7, szja_advance_column = 8, due_column = 9;

// What a copy of the cell gives: figures as bare digits, dates as
// yyyy-MM-dd, for a spreadsheet or a web form's field.
constexpr int copied_role = Qt::UserRole;

// A landscape A4 page with 12 mm margins: the PDF's, and the document's
// laid out for it.
QPageLayout page_layout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
        QPageLayout::Millimeter);
}

QString long_date(QDate day)
{
    return QLocale(QLocale::Hungarian).toString(day, QStringLiteral("yyyy. MMMM d."));
}

// A figure with as many decimals as it has, at most three (112,5 % of G).
QString figure(double value)
{
    int decimals = 0;
    while (decimals < 3
        && value * std::pow(10, decimals) != std::floor(value * std::pow(10, decimals)))
        ++decimals;
    return number_text::grouped(value, decimals);
}

// The text with no-break spaces: never parted at the end of a line.
QString unbroken(QString text)
{
    return text.replace(u' ', QChar(0x00A0));
}

// The due dates of a row: one when TB, Szocho and the advance share it.
std::pair<QString, QString> due(const OverviewRow &row)
{
    const QDate contributions = row.contributions_due, szja = row.szja_due;
    if (contributions.isValid() && (!szja.isValid() || szja == contributions))
        return {long_date(contributions), contributions.toString(Qt::ISODate)};
    if (!szja.isValid())
        return {};
    const QString advance = QStringLiteral("SZJA: ") + long_date(szja);
    if (!contributions.isValid())
        return {advance, szja.toString(Qt::ISODate)};
    return {QStringLiteral("TB, Szocho: %1; %2").arg(long_date(contributions), advance),
        contributions.toString(Qt::ISODate) + u' ' + szja.toString(Qt::ISODate)};
}

} // namespace

QRect overview_geometry(QSize wanted, QSize minimum, QRect beside, QRect available, QMargins frame)
{
    const QSize size = wanted.boundedTo(available.size().shrunkBy(frame)).expandedTo(minimum);
    const QSize outer = size.grownBy(frame);
    const int last_left = available.right() + 1 - outer.width();
    int left = std::clamp(beside.left(), available.left(), std::max(available.left(), last_left));
    if (beside.right() + 1 <= last_left)
        left = beside.right() + 1;
    else if (beside.left() - outer.width() >= available.left())
        left = beside.left() - outer.width();
    const int top = std::clamp(beside.top(), available.top(),
        std::max(available.top(), available.bottom() + 1 - outer.height()));
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

YearOverviewWindow::YearOverviewWindow(Platform &platform, WindowNames names, QWidget *parent)
    : QDialog(parent)
    , platform_(platform)
    , names_(std::move(names))
    , year_(new QComboBox(this))
    , note_(new QLabel(this))
    , table_(new QTableWidget(this))
    , status_(new QLabel(this))
{
    year_->setObjectName(QStringLiteral("Combo3"));
    year_->setAccessibleName(QStringLiteral("Áttekintett adóév"));
    year_->setToolTip(QStringLiteral("Melyik év áttekintése: a használt év a főablak mostani "
                                     "adataival, a többi úgy, ahogy a program elmentette."));
    connect(year_, &QComboBox::activated, this,
        [this](int index) { emit year_chosen(year_->itemData(index).toInt()); });
    auto *year_label = new QLabel(QStringLiteral("&Adóév:"), this);
    year_label->setObjectName(QStringLiteral("Label31"));
    year_label->setBuddy(year_);
    note_->setObjectName(QStringLiteral("Label25"));
    note_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("Table1"));
    table_->setAccessibleName(QStringLiteral("Éves áttekintés táblázata"));
    table_->setColumnCount(int(headers().size()));
    table_->setHorizontalHeaderLabels(headers());
    table_->verticalHeader()->hide();
    // Rows as tall as their text: the year fits on a screen.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->installEventFilter(this);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &YearOverviewWindow::copy_figure);
    status_->setObjectName(QStringLiteral("Label26"));

    auto *buttons = new QDialogButtonBox(this);
    const auto button = [&](const char *name, const QString &text, const QString &tip,
                            void (YearOverviewWindow::*action)()) {
        QPushButton *b = buttons->addButton(text, QDialogButtonBox::ActionRole);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAccessibleName(QString(text).remove(u'&'));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
    };
    button("Command29", QStringLiteral("&Másolás"),
        QStringLiteral("A kijelölt cellák, vagy ha nincs kijelölés, az egész táblázat a "
                       "vágólapra, tabulátorral elválasztva (Ctrl+C)."),
        &YearOverviewWindow::copy_cells);
    button("Command30", QStringLiteral("Mentés &CSV-be…"),
        QStringLiteral("A táblázat CSV-fájlba, amelyet a táblázatkezelő közvetlenül megnyit."),
        &YearOverviewWindow::save_csv);
    button("Command33", QStringLiteral("Mentés &Excel-fájlba…"),
        QStringLiteral("A táblázat Excel-munkafüzetbe (.xlsx), a számok számként, a dátumok "
                       "dátumként: bármely táblázatkezelő kérdés nélkül megnyitja."),
        &YearOverviewWindow::save_workbook);
    button("Command31", QStringLiteral("Mentés &PDF-be…"),
        QStringLiteral("A táblázat egy A4-es oldalon, a törzsadatokkal, nyomtatáshoz."),
        &YearOverviewWindow::save_pdf);
    QPushButton *close
        = buttons->addButton(QStringLiteral("&Bezárás"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("Command32"));
    close->setAccessibleName(QStringLiteral("Bezárás"));
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *year_row = new QHBoxLayout;
    year_row->addWidget(year_label);
    year_row->addWidget(year_);
    year_row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(year_row);
    layout->addWidget(note_);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);
}

QString YearOverviewWindow::why(const Problem &problem) const
{
    return notice_for(problem, names_).text;
}

void YearOverviewWindow::show_content(const OverviewContent &content)
{
    content_ = content;
    setWindowTitle(QStringLiteral("Éves áttekintés – %1").arg(content.year));
    table_->clearSpans();
    table_->setRowCount(int(content.rows.size()));
    QFont sum_font = table_->font();
    sum_font.setBold(true);
    for (int r = 0; r < content.rows.size(); ++r) {
        const OverviewRow &row = content.rows[r];
        QStringList shown {overview_row_name(row)}, copied {overview_row_name(row)};
        if (row.problem) {
            shown << why(*row.problem);
            copied << shown.last();
        } else {
            const std::array<double, 7> figures = row_figures(row);
            for (int i = 0; i < int(figures.size()); ++i) {
                const bool none = !row.insured && contribution_figure(i);
                shown << (!none                          ? figure(figures[i])
                        : i == first_contribution_figure ? not_insured_text()
                                                         : QString());
                copied << (none ? QString() : number_text::plain(figures[i]));
            }
            // An advance under the threshold is not paid yet: it says so.
            shown << (!row.szja_advance     ? QString()
                    : row.szja_carried == 0 ? figure(double(*row.szja_advance))
                                            : QStringLiteral("%1 (%2 átvíve)")
                                                  .arg(figure(double(*row.szja_advance)),
                                                      figure(double(row.szja_carried))));
            copied << (row.szja_advance ? number_text::plain(double(*row.szja_advance))
                                        : QString());
            const auto [long_form, iso] = due(row);
            shown << long_form;
            copied << iso;
        }
        for (int c = 0; c < table_->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(shown.value(c));
            item->setData(copied_role, copied.value(c));
            if (c > 0 && c < due_column)
                item->setTextAlignment(
                    (shown.value(c) == not_insured_text() ? Qt::AlignHCenter : Qt::AlignRight)
                    | Qt::AlignVCenter);
            if (row.kind != OverviewRow::Kind::Month)
                item->setFont(sum_font);
            table_->setItem(r, c, item);
        }
        if (row.problem)
            table_->setSpan(r, 1, 1, table_->columnCount() - 1);
        else if (!row.insured)
            table_->setSpan(r, first_contribution_figure + 1, 1, contribution_figures);
    }
    table_->resizeColumnsToContents();
    show_highlight();
}

void YearOverviewWindow::show_years(const QList<int> &years, int shown)
{
    year_->clear();
    for (int year : years)
        year_->addItem(QString::number(year), year);
    year_->setCurrentIndex(year_->findData(shown));
}

void YearOverviewWindow::highlight_quarter(int quarter)
{
    quarter_ = quarter;
    show_highlight();
}

void YearOverviewWindow::show_highlight()
{
    const QPalette colours = table_->palette();
    // Light ground, dark ink in any colour scheme.
    const QColor ground(255, 236, 150), ink(Qt::black);
    int first = -1;
    for (int r = 0; r < content_.rows.size(); ++r) {
        const OverviewRow &row = content_.rows[r];
        const bool picked = quarter_ != 0 && row.kind != OverviewRow::Kind::Year
            && (row.kind == OverviewRow::Kind::Quarter ? row.number : quarter_of(row.number))
                == quarter_;
        if (picked && first < 0)
            first = r;
        for (int c = 0; c < table_->columnCount(); ++c) {
            // The return's figures; the advance's columns are not among them.
            const bool in_return = picked && c != szja_part_column && c != szja_advance_column;
            QTableWidgetItem *item = table_->item(r, c);
            item->setBackground(in_return ? QBrush(ground) : QBrush());
            item->setForeground(in_return ? QBrush(ink) : QBrush());
        }
    }
    const QString copy_hint
        = QStringLiteral("Egy számra duplán kattintva kimásolja a számjegyeit.");
    if (content_.problem) {
        note_->setText(why(*content_.problem));
    } else if (first >= 0) {
        const OverviewRow &sum = content_.rows[first + 3];
        // The advance is paid by the 12th and declared by quarter in the
        // annual return (Szja tv. 46. § (10)), not in the quarter's.
        note_->setText(
            QStringLiteral("A %1. év %2 bevallásának adatai (kiemelve): havonként a TB-alap és a "
                           "TB, a Szocho-alap és a Szocho. Esedékes: %3 Gépelje be őket az "
                           "adóhatóság webes nyomtatványkitöltőjébe. A negyedév SZJA-előlege "
                           "(%4 Ft) nem része a bevallásnak: befizetendő; az éves bevallásban "
                           "negyedéves bontásban. %5")
                .arg(QString::number(content_.year), overview_row_name(sum), due(sum).first,
                    figure(double(sum.szja_advance.value_or(0))), copy_hint));
        table_->scrollToItem(table_->item(first + 3, 0));
    } else if (!content_.in_use) {
        note_->setText(QStringLiteral("A %1. év a szabályai szerint, a bevételeivel és "
                                      "törzsadataival, ahogy a program elmentette. %2")
                           .arg(content_.year)
                           .arg(copy_hint));
    } else {
        note_->setText(QStringLiteral("A %1. év szabályai szerint, a főablak mostani adataival; a "
                                      "táblázat minden változásukkor újraszámol. %2")
                           .arg(content_.year)
                           .arg(copy_hint));
    }
}

QList<QStringList> YearOverviewWindow::cell_texts() const
{
    QList<QStringList> cells {headers()};
    for (int r = 0; r < table_->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table_->columnCount(); ++c)
            row << table_->item(r, c)->text();
        cells << row;
    }
    return cells;
}

bool YearOverviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copy_cells();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The selected cells, or the whole table with its header when none is: a
// line a row, a tab between the cells.
void YearOverviewWindow::copy_cells()
{
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    int top = 0, bottom = table_->rowCount() - 1, left = 0, right = table_->columnCount() - 1;
    QStringList lines;
    if (ranges.isEmpty()) {
        lines << headers().join(u'\t');
    } else {
        top = left = std::numeric_limits<int>::max();
        bottom = right = -1;
        for (const QTableWidgetSelectionRange &range : ranges) {
            top = std::min(top, range.topRow());
            bottom = std::max(bottom, range.bottomRow());
            left = std::min(left, range.leftColumn());
            right = std::max(right, range.rightColumn());
        }
    }
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) {
            const QTableWidgetItem *item = table_->item(r, c);
            cells << (ranges.isEmpty() || item->isSelected() ? item->data(copied_role).toString()
                                                             : QString());
        }
        lines << cells.join(u'\t');
    }
    QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
    tell(ranges.isEmpty() ? QStringLiteral("Az egész táblázat a vágólapon.")
                          : QStringLiteral("A kijelölt cellák a vágólapon."));
}

// One figure, as the authority's web form takes it.
void YearOverviewWindow::copy_figure(int row, int column)
{
    if (column == 0 || column > due_column || content_.rows.value(row).problem)
        return;
    const QString digits = table_->item(row, column)->data(copied_role).toString();
    if (digits.isEmpty())
        return;
    QApplication::clipboard()->setText(digits);
    tell(QStringLiteral("Vágólapon: %1 (%2, %3)")
             .arg(digits, table_->item(row, 0)->text(), headers()[column]));
}

// Opened again, it has done nothing yet: no line from the last time.
void YearOverviewWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        status_->clear();
    QDialog::showEvent(event);
}

void YearOverviewWindow::tell(const QString &text)
{
    status_->setText(text);
}

void YearOverviewWindow::save_csv()
{
    const QString path = platform_.chooseSavePath(QStringLiteral("Mentés CSV-be"),
        QStringLiteral("pennaro_%1.csv").arg(content_.year), QStringLiteral("CSV-fájl (*.csv)"));
    if (!path.isEmpty())
        save(path, overview_csv(content_.rows, [this](const Problem &p) { return why(p); }));
}

bool YearOverviewWindow::save(const QString &path, const QByteArray &bytes)
{
    // A link the user picked is saved through, as editors do: the file it
    // names is replaced in one step there.
    if (const auto error = write_file(link_target(path), bytes)) {
        Problem problem {Problem::What::OverviewNotSaved, path};
        problem.error = error;
        report(problem);
        return false;
    }
    tell(QStringLiteral("Mentve: %1").arg(shown_path(path)));
    return true;
}

void YearOverviewWindow::report(const Problem &problem)
{
    const Notice notice = notice_for(problem, names_);
    platform_.message(notice.text, notice.icon, notice.buttons);
}

std::unique_ptr<QTextDocument> YearOverviewWindow::document() const
{
    // A line breaks only between two master figures, before the "·" that
    // parts them, never inside "Állásban: fő".
    QStringList master = content_.master_data.split(QStringLiteral(" · "));
    for (QString &item : master)
        item = unbroken(item);
    QString html = QStringLiteral("<h3>Éves áttekintés – %1</h3><p>%2</p>"
                                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">")
                       .arg(content_.year)
                       .arg(master.join(QStringLiteral(" ·\u00A0")).toHtmlEscaped());
    QList<QStringList> cells = cell_texts();
    // A row's name and a date each on one line; two due dates may part
    // after the ";" between them.
    for (int r = 1; r < cells.size(); ++r)
        for (int c : {0, due_column})
            cells[r][c]
                = unbroken(cells[r][c]).replace(QStringLiteral(";\u00A0"), QStringLiteral("; "));
    for (int r = 0; r < cells.size(); ++r) {
        const bool sum = r > 0 && content_.rows[r - 1].kind != OverviewRow::Kind::Month;
        html += QStringLiteral("<tr>");
        // A row that cannot be computed says why across its figures; a month
        // with no day insured, across its four TB and Szocho figures.
        const bool problem = r > 0 && content_.rows[r - 1].problem;
        const bool uninsured = r > 0 && !problem && !content_.rows[r - 1].insured;
        constexpr int contributions = first_contribution_figure + 1;
        for (int c = 0; c < cells[r].size(); ++c) {
            if (problem && c > 1)
                break;
            if (uninsured && c > contributions && c < contributions + contribution_figures)
                continue;
            const int span = problem && c == 1    ? due_column
                : uninsured && c == contributions ? contribution_figures
                                                  : 1;
            const bool spans = span > 1;
            const QString cell
                = (sum || r == 0 ? QStringLiteral("<b>%1</b>") : QStringLiteral("%1"))
                      .arg(cells[r][c].toHtmlEscaped());
            html += QStringLiteral("<td%1%2>%3</td>")
                        .arg(uninsured && spans ? QStringLiteral(" align=\"center\"")
                                : c > 0 && c < due_column && !spans
                                ? QStringLiteral(" align=\"right\"")
                                : QString(),
                            spans ? QStringLiteral(" colspan=\"%1\"").arg(span) : QString(), cell);
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><p>Készült: %1</p>").arg(long_date(platform_.today()));
    auto page = std::make_unique<QTextDocument>();
    // Lines part at spaces only, never inside a word or a date.
    QTextOption wrapping = page->defaultTextOption();
    wrapping.setWrapMode(QTextOption::WordWrap);
    page->setDefaultTextOption(wrapping);
    page->setHtml(html);
    // The page less its margins, in points: the largest type that keeps the
    // year on it, in height and in width.
    page->setPageSize(page_layout().paintRect(QPageLayout::Point).size());
    QFont font = page->defaultFont();
    for (double points = 10; points >= 5; points -= 0.5) {
        font.setPointSizeF(points);
        page->setDefaultFont(font);
        if (page->pageCount() == 1 && page->idealWidth() <= page->pageSize().width())
            break;
    }
    return page;
}

void YearOverviewWindow::save_workbook()
{
    const QString path = platform_.chooseSavePath(QStringLiteral("Mentés Excel-fájlba"),
        QStringLiteral("pennaro_%1.xlsx").arg(content_.year),
        QStringLiteral("Excel-munkafüzet (*.xlsx)"));
    if (path.isEmpty())
        return;
    const auto made = overview_workbook({content_.year, content_.master_data, platform_.today()},
        content_.rows, [this](const Problem &p) { return why(p); });
    if (const auto *problem = std::get_if<Problem>(&made))
        report(*problem);
    else
        save(path, std::get<QByteArray>(made));
}

void YearOverviewWindow::save_pdf()
{
    const QString path = platform_.chooseSavePath(QStringLiteral("Mentés PDF-be"),
        QStringLiteral("pennaro_%1.pdf").arg(content_.year), QStringLiteral("PDF-fájl (*.pdf)"));
    if (path.isEmpty())
        return;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(page_layout());
        pdf.setTitle(windowTitle());
        pdf.setCreator(QStringLiteral("PENNARO"));
        document()->print(&pdf);
    }
    if (!save(path, bytes))
        return;
    if (platform_.message(QStringLiteral("A PDF elkészült: %1. Megnyitja a PDF-nézőben (onnan "
                                         "nyomtatható)?")
                              .arg(shown_path(path)),
            MessageIcon::Question, MessageButtons::YesNo)
            == MessageAnswer::Yes
        && !platform_.openFile(path))
        report(Problem {Problem::What::OverviewNotOpened, path});
}
