#pragma once

#include "evaluation/engine.h"
#include "platform/platform.h"
#include "storage/taxpayer_file.h"

#include <QWidget>

#include <memory>

namespace Ui {
class fo;
}
class QLineEdit;
class QPushButton;

// The one window. Its fields hold every value and result as text; the
// window-level values below are kept between events.
class fo : public QWidget {
    Q_OBJECT

public:
    explicit fo(Platform &platform, QWidget *parent = nullptr);
    ~fo() override;

    Ui::fo &form() const { return *ui_; }
    Platform &platform() const { return platform_; }
    QLineEdit *revenue_field(int month) const;
    QPushButton *month_button(int month) const;

    // The one place that shows messages to the user.
    MessageAnswer show_notice(const Notice &notice);

    qint16 selected_month = 0; // 0 until the first month command
    bool format_lock = false; // revenue fields keep their text verbatim while set
    MonthlyRevenue monthly_revenue {};
    TaxpayerLines taxpayer_lines = TaxpayerLines(31);
    // What the result fields were evaluated from; nothing while they hold no
    // completed evaluation of `selected_month`.
    std::optional<EvaluationInputs> evaluated;
    // The revenue texts as adat.txt holds them.
    QStringList saved_revenue_texts = QStringList(12, QString());
    // adat.txt could not be read and is still there: ask before replacing it.
    bool ask_before_saving = false;

    // The start-up messages have been shown, over the painted window.
    bool startup_done() const { return activated_ && startup_notices_.isEmpty(); }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The close control does not save, but asks before revenues are lost.
    void closeEvent(QCloseEvent *event) override;

private:
    void month_clicked(int month);
    void Command14_click();
    void Command19_click();
    void Command21_click();
    void show_startup_notices();

    std::unique_ptr<Ui::fo> ui_;
    Platform &platform_;
    bool activated_ = false;
    bool exiting_ = false;
    QList<Notice> startup_notices_;
};
