#pragma once

#include "evaluation/year_overview.h"
#include "platform/platform.h"
#include "window/messages.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTextDocument;

// What the overview shows: the year's rows by the master data, or why
// there are none.
struct OverviewContent {
    int year = 0;
    bool in_use = true; // by the main window's fields, else as saved
    QString master_data; // the master data as the fields show them, for the page
    std::optional<Problem> problem; // the master data do not read
    QList<OverviewRow> rows;
};

// Where the overview opens: beside the main window's frame (`beside`) where
// the screen has room, else over it; never past the screen, title bar
// included, and never under its least size. The client area's geometry.
QRect overview_geometry(QSize wanted, QSize minimum, QRect beside, QRect available, QMargins frame);

// The year at a glance, beside the main window: each month as its button
// shows it, the quarters and the year, to copy, save as CSV or PDF. The
// year in use follows the fields: the main window gives it new content at
// every change. Another year, chosen above the table, is shown as saved.
class YearOverviewWindow : public QDialog {
    Q_OBJECT

public:
    YearOverviewWindow(Platform &platform, WindowNames names, QWidget *parent);

    void show_content(const OverviewContent &content);
    // The years to choose from, `shown` chosen.
    void show_years(const QList<int> &years, int shown);
    int shown_year() const { return content_.year; }
    // The rows of the quarter's return picked out, with its due date; 0
    // for none.
    void highlight_quarter(int quarter);

    // What the table's cells show, the header row first, the year's rows
    // below it.
    QList<QStringList> cell_texts() const;
    // The page the PDF prints.
    std::unique_ptr<QTextDocument> document() const;

signals:
    // The user chose a year to look at.
    void year_chosen(int year);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString why(const Problem &problem) const;
    void show_highlight();
    void copy_cells();
    void copy_figure(int row, int column);
    void save_csv();
    void save_workbook();
    void save_pdf();
    // Writes a saved file and says so under the table; false, told in a
    // box, when it cannot be written.
    bool save(const QString &path, const QByteArray &bytes);
    void report(const Problem &problem);
    // A line under the table: what was copied or saved.
    void tell(const QString &text);

    Platform &platform_;
    WindowNames names_;
    OverviewContent content_;
    int quarter_ = 0;
    QComboBox *year_;
    QLabel *note_;
    QTableWidget *table_;
    QLabel *status_;
};
