#pragma once

#include "evaluation/engine.h"
#include "inputs/edit_history.h"
#include "platform/platform.h"
#include "storage/revenue_file.h"
#include "storage/taxpayer_file.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class fo;
}
class QLineEdit;
class QPushButton;
class YearOverviewWindow;
struct OverviewContent;

// The window's first size: what its layout wants, within the screen less
// the frame (title bar and borders), never below its minimum.
QSize window_size(QSize wanted, QSize minimum, QSize screen, QMargins frame);

// The least window for a screen: from the layout's least size, widened
// until the height its wrapped captions need fits the room, if it can.
QSize least_window(QSize least, QSize room, const std::function<int(int)> &height_for);

// The WCAG contrast ratio of two colours, 1 to 21.
double contrast_ratio(const QColor &a, const QColor &b);
// An outdated figure's ink: `ink` greyed as far as it still reads on
// `ground` (4.5:1).
QColor greyed(const QColor &ink, const QColor &ground);

// The one window. Its fields hold every value and result as text; the
// values below are kept between events. The handlers read the fields into
// the core's values, call the core, and write its answers back.
class fo : public QWidget {
    Q_OBJECT

public:
    explicit fo(Platform &platform, QWidget *parent = nullptr);
    ~fo() override;

    Ui::fo &form() const { return *ui_; }
    // The least size at which nothing is squeezed, on this screen.
    QSize least_size() const;
    QLineEdit *revenue_field(int month) const;
    QPushButton *month_button(int month) const;

    // The month of the last month command; 0 until the first one.
    qint16 selected_month() const { return last_result ? qint16(last_result->inputs.month) : 0; }
    // A problem found before the window was shown, told with the start's.
    void note_at_start(const Problem &problem) { startup_problems_.append(problem); }
    // The start-up has finished, its messages shown over the painted window.
    bool startup_done() const { return startup_ == Startup::Done; }

    bool format_lock = false; // revenue fields keep their text verbatim while set
    MonthlyRevenue monthly_revenue {};
    TaxpayerLines taxpayer_lines = TaxpayerLines(31);
    std::optional<MonthResult> last_result;
    // adat.txt could not be read and is still there: ask before replacing it.
    bool ask_before_saving = false;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The one way out: asks before unsaved revenues are lost.
    void closeEvent(QCloseEvent *event) override;

private:
    // The one place that shows messages to the user.
    MessageAnswer show_notice(const Notice &notice);
    MessageAnswer show_problem(const Problem &problem);

    void dress_fields();
    void fit_to_screen();
    void connect_handlers();

    // Start-up (startup.cpp).
    void prepare_on_load();
    void prepare_on_first_show();
    void finish_startup();
    void show_master_data();
    void put_master_texts(const MasterDataTexts &texts);
    std::optional<Problem> put_kept_master(int year);
    MasterDataTexts master_texts_in_fields() const;
    void remember_master_data();
    void put_year_figures(int year);
    void show_year(int year);
    void choose_year(int year);
    int chosen_year() const;
    void tell_new_year(int today_year, std::optional<int> chosen_in);
    void show_course();
    void edit_year_course();
    void show_quarter_totals(const Evaluation &amounts);
    void show_warnings(const std::optional<CeilingExceeded> &exceeded,
        const QList<int> &not_running, bool ratio_of_the_year);
    std::optional<Problem> offer_taxpayer_sample();

    // The month commands (month_command.cpp).
    void evaluate_month(int month);
    void clear_results();
    void reset_results();
    bool results_current() const;
    void show_results_state();
    std::optional<EvaluationInputs> inputs_in_fields(int month) const;
    std::variant<MasterData, MasterField> master_data_in_fields() const;
    std::optional<qint32> revenue_in_field(int month) const;

    // The input fields (input_fields.cpp).
    // True when the field's text was replaced: that change was told too.
    bool regroup_revenue(QLineEdit *field);
    bool show_revenue(QLineEdit *field, const QString &text);
    int month_of(const QObject *field) const; // 0 for no revenue field
    void leave_field(QObject *field);
    void master_field_left();

    // The saved revenues and the exit (saved_revenues.cpp).
    QStringList revenue_texts() const;
    void clear_revenue_fields();
    void put_revenues(const RevenueFile &file);
    void note_revenues_changed();
    void save_and_exit();
    bool may_replace_revenues();
    bool save_revenues();

    // The year at a glance (year_at_a_glance.cpp).
    void open_overview(int quarter);
    void refresh_overview();
    void refresh_overview_years(int left);
    void show_overview_year(int year);
    QList<int> overview_years() const;
    OverviewContent overview_content(int year) const;
    OverviewContent overview_of(const MasterDataTexts &texts, const QStringList &revenues) const;

    // The declaration (export_declaration.cpp).
    void show_export_button();
    void export_declaration();
    std::optional<Problem> write_and_hand_over(const QByteArray &bytes, const QString &period);
    void report_hand_over(const Problem &started, const ScriptEnd &end);

    void toggle_info();
    QList<QLineEdit *> amount_fields() const;
    void copy_digits(const QLineEdit *field);
    void undo_edit(QLineEdit *field, bool redo);
    void show_field_menu(QLineEdit *field, const QPoint &at);
    static void replace_text(QLineEdit *field, const QString &text);

    std::unique_ptr<Ui::fo> ui_;
    Platform &platform_;
    QStringList saved_revenue_texts_ = QStringList(12, QString());
    QByteArray revenue_stamp_; // adat.txt as last read or written
    int year_in_use_ = year_rules::default_year; // whose figures and revenues the fields hold
    YearCourse course_; // the year in use's course, from 2023

    // Shown, then filled from the data files, then painted, then the files
    // nobody waits for and the messages.
    enum class Startup { NotShown, Preparing, Painting, Done };
    Startup startup_ = Startup::NotShown;
    QList<Problem> startup_problems_;
    std::optional<QByteArray> taxpayer_copy_;
    QFileDevice::Permissions taxpayer_mode_; // adat2.txt's, for its copy
    QColor working_text_; // Text11's text colour while its figure is current
    // Label20, Label21, Command21 and its tooltip, Label19, the info list's
    // lines 4 and 15 as the form has them.
    QStringList monthly_captions_;
    bool taxpayer_present_ = false; // adat2.txt was read at the start
    bool year_first_taken_ = false; // the start found no year kept: it took one
    std::optional<MasterDataTexts> remembered_master_; // as last kept or restored
    YearOverviewWindow *overview_ = nullptr; // made when first opened
    bool undoing_ = false; // an undo, a redo or the program is changing a field
    std::array<EditHistory, 12> revenue_history_;
    QPointer<QWidget> focus_before_info_; // where F1 found the focus
};
