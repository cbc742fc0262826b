#include "window/fo.h"

#include "declaration/export.h"
#include "declaration/period.h"
#include "evaluation/month_commands.h"
#include "inputs/handlers.h"
#include "storage/commands.h"
#include "storage/text_lines.h"
#include "ui_fo.h"
#include "window/startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QStyle>

fo::fo(Platform &platform, QWidget *parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::fo>())
    , platform_(platform)
{
    ui_->setupUi(this);
    // The cost ratio is typed as it is: nothing completed, nothing added to the list.
    ui_->Combo1->setCompleter(nullptr);

    // System colours that a form cannot name.
    QPalette working = ui_->Text11->palette();
    working.setColor(QPalette::Base, palette().color(QPalette::Button));
    ui_->Text11->setPalette(working);
    QPalette account = ui_->Text57->palette();
    // Qt has no inactive-title colour; this is the classic Windows one.
    account.setColor(QPalette::Base, QColor(191, 205, 219));
    for (QLineEdit *field : {ui_->Text57, ui_->Text58, ui_->Text59})
        field->setPalette(account);
    QPalette info = ui_->List1->palette();
    info.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    info.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    ui_->List1->setPalette(info);

    ui_->Command19->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    ui_->Command14->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    for (int month = 1; month <= 12; ++month)
        connect(month_button(month), &QPushButton::clicked, this,
            [this, month] { month_clicked(month); });

    connect(ui_->Command14, &QPushButton::clicked, this, &fo::Command14_click);
    connect(ui_->Command19, &QPushButton::clicked, this, &fo::Command19_click);
    connect(ui_->Command21, &QPushButton::clicked, this, &fo::Command21_click);
    connect_inputs(*this);
    // Fields with a leave step report their focus-out here.
    for (QWidget *field : std::initializer_list<QWidget *> {
             ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5, ui_->Text6, ui_->Combo1})
        field->installEventFilter(this);
    for (int month = 1; month <= 12; ++month)
        revenue_field(month)->installEventFilter(this);

    Load(*this);
}

fo::~fo() = default;

QLineEdit *fo::revenue_field(int month) const
{
    QLineEdit *const fields[] = {ui_->Text14, ui_->Text15, ui_->Text16, ui_->Text17, ui_->Text18,
        ui_->Text19, ui_->Text20, ui_->Text21, ui_->Text22, ui_->Text23, ui_->Text24, ui_->Text25};
    return fields[month - 1];
}

QPushButton *fo::month_button(int month) const
{
    QPushButton *const buttons[] = {ui_->Command2, ui_->Command3, ui_->Command4, ui_->Command5,
        ui_->Command6, ui_->Command7, ui_->Command8, ui_->Command9, ui_->Command10, ui_->Command11,
        ui_->Command12, ui_->Command13};
    return buttons[month - 1];
}

MessageAnswer fo::show_notice(const Notice &notice)
{
    if (notice.beep)
        platform_.beep();
    return platform_.message(notice.text, notice.icon, notice.buttons);
}

void fo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Activate runs once, when the window is first shown.
    if (activated_)
        return;
    activated_ = true;
    startup_notices_ = Activate(*this);
}

void fo::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // A box over a window not yet drawn would stand on an empty area.
    if (!startup_notices_.isEmpty())
        QMetaObject::invokeMethod(this, &fo::show_startup_notices, Qt::QueuedConnection);
}

void fo::show_startup_notices()
{
    const QList<Notice> notices = std::exchange(startup_notices_, {});
    for (const Notice &notice : notices)
        show_notice(notice);
}

void fo::closeEvent(QCloseEvent *event)
{
    if (!exiting_ && revenues_changed(*this)
        && show_notice({QStringLiteral("A bevételek változtak. Kilép mentés nélkül?"),
               MessageIcon::Question, MessageButtons::YesNo})
            != MessageAnswer::Yes) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool fo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // A field is left only for another control of this window. Another
        // application, a message box or a popup (a context menu, the combo's
        // list) takes the focus only for a while.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::MenuBarFocusReason && next && next->window() == this)
            leave_field(*this, watched);
    }
    return QWidget::eventFilter(watched, event);
}

void fo::month_clicked(int month)
{
    if (const auto notice = month_command(*this, month))
        show_notice(*notice);
}

// Exit: saves the revenues, then ends the program at once.
void fo::Command14_click()
{
    const bool save = !ask_before_saving
        || show_notice(
               {QStringLiteral("Az adat.txt induláskor nem volt olvasható, ezért a program "
                               "eddig nem írta felül: %1. Felülírja most a bevételekkel?")
                       .arg(shown_path(platform_.programFolder() + QStringLiteral("/adat.txt"))),
                   MessageIcon::Question, MessageButtons::YesNo})
            == MessageAnswer::Yes;
    if (save) {
        if (const auto failure = Command17_click(*this)) {
            if (show_notice(*failure) != MessageAnswer::Yes)
                return;
        }
    }
    exiting_ = true;
    close();
    platform_.quit();
}

// Info: shows or hides the info list.
void fo::Command19_click()
{
    ui_->List1->setVisible(ui_->List1->isHidden());
}

// Export: the chosen month's declaration to the form program.
void fo::Command21_click()
{
    if (const auto refusal = export_refusal(*this)) {
        show_notice(*refusal);
        return;
    }
    // One date for the period, the form's year and its template.
    const QDate today = platform_.today();
    Command26_click(*this, today);
    // Built before anything is asked or written, so a refusal leaves no trace.
    const Declaration declaration = declaration_of(*this, today);
    const ImportFile file = import_file(declaration);
    if (!file.problem.isEmpty()) {
        show_notice(
            {file.problem + QStringLiteral(" A bevallás nem készült el."), MessageIcon::Critical});
        return;
    }
    if (!form_template_found(platform_, declaration.year)
        && show_notice({QStringLiteral("Nem látom a 2258 nyomtatvánt? Mehet tovább?"),
               MessageIcon::Question, MessageButtons::YesNo})
            != MessageAnswer::Yes)
        return;
    if (const auto failure = Command25_click(*this, file.bytes))
        show_notice(*failure);
}
