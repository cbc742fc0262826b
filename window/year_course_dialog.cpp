#include "window/year_course_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The kinds as the list offers them, in the order of CoursePeriod::Kind.
const char *const kind_names[]
    = {"szünetel (nem biztosított)", "ellátás: táppénz, CSED, GYED… (nincs minimum)",
        "mellék: legalább 36 órás állás vagy nappali tagozat (nincs minimum)",
        "nyugdíjas: kiegészítő tevékenység (nincs TB, nincs Szocho)"};

enum Column { from_column, to_column, kind_column };

QDateEdit *date_edit(int year, QDate date, const QString &name, QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    // A day of the years beside it can be typed too, and is refused with
    // its reason rather than silently corrected.
    edit->setDateRange(QDate(year - 1, 1, 1), QDate(year + 1, 12, 31));
    edit->setDisplayFormat(QStringLiteral("yyyy. MM. dd."));
    edit->setCalendarPopup(true);
    edit->setDate(date);
    edit->setAccessibleName(name);
    return edit;
}

} // namespace

YearCourseDialog::YearCourseDialog(int year, const YearCourse &course, QWidget *parent)
    : QDialog(parent)
    , year_(year)
{
    setWindowTitle(QStringLiteral("Az év menete – %1").arg(year));
    auto *intro = new QLabel(
        QStringLiteral("Ha a vállalkozás nem az egész évben működött, vagy egy része alatt "
                       "szünetelt, ellátást kapott, 36 órás állásban volt vagy nyugdíjas "
                       "lett: a TB, a Szocho, a határidők és az értékhatár ezt követik. A "
                       "vállalkozás időszakokon kívüli napjai a törzsadatok „Állásban” "
                       "választását követik."),
        this);
    intro->setWordWrap(true);

    first_ = date_edit(
        year, course_first(course, year), QStringLiteral("A vállalkozás első napja"), this);
    first_->setObjectName(QStringLiteral("Text60"));
    last_ = date_edit(
        year, course_last(course, year), QStringLiteral("A vállalkozás utolsó napja"), this);
    last_->setObjectName(QStringLiteral("Text61"));
    auto *days = new QFormLayout;
    days->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    days->addRow(QStringLiteral("A vállalkozás &első napja az évben:"), first_);
    days->addRow(QStringLiteral("&Utolsó napja az évben:"), last_);

    auto *periods_label = new QLabel(QStringLiteral("&Időszakok a két nap között:"), this);
    periods_ = new QTableWidget(0, 3, this);
    periods_->setObjectName(QStringLiteral("List2"));
    periods_->setAccessibleName(QStringLiteral("Időszakok"));
    periods_->setHorizontalHeaderLabels(
        {QStringLiteral("Ettől"), QStringLiteral("Eddig"), QStringLiteral("Állapot")});
    periods_->horizontalHeader()->setSectionResizeMode(kind_column, QHeaderView::Stretch);
    periods_->verticalHeader()->setVisible(true);
    periods_->setSelectionBehavior(QAbstractItemView::SelectRows);
    periods_->setSelectionMode(QAbstractItemView::SingleSelection);
    periods_->setMinimumWidth(640);
    periods_label->setBuddy(periods_);

    auto *add = new QPushButton(QStringLiteral("Időszak &hozzáadása"), this);
    add->setObjectName(QStringLiteral("Command35"));
    auto *remove = new QPushButton(QStringLiteral("Időszak &törlése"), this);
    remove->setObjectName(QStringLiteral("Command36"));
    remove->setToolTip(QStringLiteral("A szerkesztett sort törli, ha nincs ilyen, az utolsót."));
    // A click leaves the keyboard in the row being edited: that row goes.
    add->setFocusPolicy(Qt::TabFocus);
    remove->setFocusPolicy(Qt::TabFocus);
    // Return takes the course, wherever the focus is.
    add->setAutoDefault(false);
    remove->setAutoDefault(false);
    auto *period_buttons = new QHBoxLayout;
    period_buttons->addWidget(add);
    period_buttons->addWidget(remove);
    period_buttons->addStretch();

    fault_ = new QLabel(this);
    fault_->setObjectName(QStringLiteral("Label33"));
    fault_->setWordWrap(true);
    QFont bold = fault_->font();
    bold.setBold(true);
    fault_->setFont(bold);
    fault_->hide();

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Rendben"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Mégse"), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(days);
    layout->addWidget(periods_label);
    layout->addWidget(periods_);
    layout->addLayout(period_buttons);
    layout->addWidget(fault_);
    layout->addWidget(buttons);

    for (const CoursePeriod &period : course.periods)
        add_period(period);
    // Typing starts at the first day's year, as after a Tab.
    first_->setFocus(Qt::TabFocusReason);
    first_->setSelectedSection(QDateTimeEdit::YearSection);

    connect(add, &QPushButton::clicked, this, [this] {
        // A new period starts where the last one ended, within the business.
        const QDate first = first_->date(), last = last_->date();
        QDate from = first;
        if (const int rows = periods_->rowCount())
            from = std::min(qobject_cast<QDateEdit *>(periods_->cellWidget(rows - 1, to_column))
                                ->date()
                                .addDays(1),
                last);
        add_period({from, std::max(from, last), CoursePeriod::Kind::Benefit});
        periods_->cellWidget(periods_->rowCount() - 1, from_column)->setFocus();
    });
    connect(remove, &QPushButton::clicked, this, &YearCourseDialog::remove_period);
    connect(buttons, &QDialogButtonBox::accepted, this, &YearCourseDialog::take_course);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void YearCourseDialog::add_period(const CoursePeriod &period)
{
    const int row = periods_->rowCount();
    periods_->insertRow(row);
    const QString number = QString::number(row + 1);
    periods_->setCellWidget(row, from_column,
        date_edit(year_, period.from, QStringLiteral("%1. időszak kezdete").arg(number), periods_));
    periods_->setCellWidget(row, to_column,
        date_edit(year_, period.to, QStringLiteral("%1. időszak vége").arg(number), periods_));
    auto *kind = new QComboBox(periods_);
    for (const char *name : kind_names)
        kind->addItem(QString::fromUtf8(name));
    kind->setCurrentIndex(int(period.kind));
    kind->setAccessibleName(QStringLiteral("%1. időszak állapota").arg(number));
    periods_->setCellWidget(row, kind_column, kind);
    periods_->resizeColumnsToContents();
    periods_->horizontalHeader()->setSectionResizeMode(kind_column, QHeaderView::Stretch);
}

void YearCourseDialog::remove_period()
{
    // The row being edited, else the last.
    int row = periods_->rowCount() - 1;
    for (int r = 0; r < periods_->rowCount(); ++r)
        for (int c = 0; c < periods_->columnCount(); ++c)
            if (periods_->cellWidget(r, c)->isAncestorOf(focusWidget())
                || periods_->cellWidget(r, c) == focusWidget())
                row = r;
    if (row >= 0)
        periods_->removeRow(row);
}

YearCourse YearCourseDialog::course() const
{
    YearCourse course {first_->date(), last_->date(), {}};
    for (int r = 0; r < periods_->rowCount(); ++r) {
        const auto date = [&](int column) {
            return qobject_cast<QDateEdit *>(periods_->cellWidget(r, column))->date();
        };
        const auto *kind = qobject_cast<QComboBox *>(periods_->cellWidget(r, kind_column));
        course.periods.append(
            {date(from_column), date(to_column), CoursePeriod::Kind(kind->currentIndex())});
    }
    return course;
}

QString YearCourseDialog::fault_text(const CourseFault &fault) const
{
    using What = CourseFault::What;
    const QString row = QString::number(fault.period + 1);
    switch (fault.what) {
    case What::FirstOutsideYear:
        return QStringLiteral("Az első nap nem a %1. évre esik.").arg(year_);
    case What::LastOutsideYear:
        return QStringLiteral("Az utolsó nap nem a %1. évre esik.").arg(year_);
    case What::LastBeforeFirst:
        return QStringLiteral("Az utolsó nap az első nap előtt van.");
    case What::PeriodReversed:
        return QStringLiteral("A(z) %1. időszak vége a kezdete előtt van.").arg(row);
    case What::PeriodOutside:
        return QStringLiteral("A(z) %1. időszak nem a vállalkozás első és utolsó napja közé "
                              "esik.")
            .arg(row);
    case What::PeriodsOverlap:
        return QStringLiteral("A(z) %1. és a(z) %2. időszak átfedi egymást: egy nap csak egy "
                              "időszakhoz tartozhat.")
            .arg(fault.other + 1)
            .arg(row);
    }
    return {};
}

// A course the year can take closes the dialog; another is refused with its
// reason, and nothing changes.
void YearCourseDialog::take_course()
{
    YearCourse taken = course();
    if (const auto fault = course_fault(taken, year_)) {
        fault_->setText(fault_text(*fault)
            + QStringLiteral(" Javítsa ki, vagy a Mégse gombbal hagyja az év menetét, ahogy "
                             "volt."));
        fault_->show();
        QWidget *at = fault->period < 0
            ? (fault->what == CourseFault::What::FirstOutsideYear ? first_ : last_)
            : periods_->cellWidget(fault->period, from_column);
        at->setFocus();
        return;
    }
    std::stable_sort(taken.periods.begin(), taken.periods.end(),
        [](const CoursePeriod &a, const CoursePeriod &b) { return a.from < b.from; });
    if (whole_year(taken, year_))
        taken = {};
    emit course_chosen(taken);
    accept();
}
