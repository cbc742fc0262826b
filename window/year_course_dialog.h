#pragma once

#include "evaluation/year_course.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QTableWidget;

// Edits the year's course: the business's first and last day in the year,
// and the periods between them that were not main employment. A course the
// year cannot take is refused with its reason, the dialog left open.
class YearCourseDialog : public QDialog {
    Q_OBJECT

public:
    YearCourseDialog(int year, const YearCourse &course, QWidget *parent);

    // The course as the dialog holds it, its periods in order; the default
    // course for the whole year.
    YearCourse course() const;

signals:
    void course_chosen(const YearCourse &course);

private:
    void add_period(const CoursePeriod &period);
    void remove_period();
    void take_course();
    QString fault_text(const CourseFault &fault) const;

    int year_;
    QDateEdit *first_;
    QDateEdit *last_;
    QTableWidget *periods_;
    QLabel *fault_;
};
