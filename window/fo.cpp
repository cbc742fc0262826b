#include "window/fo.h"
#include "window/deferred_icon.h"

#include "evaluation/number_text.h"
#include "ui_fo.h"
#include "window/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <functional>
#include <limits>

fo::fo(Platform &platform, QWidget *parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::fo>())
    , platform_(platform)
{
    ui_->setupUi(this);
    prepare_on_load();
    dress_fields();
    connect_handlers();
    // Until the window is shown its frame is not known: the style's title
    // bar and borders stand for it.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    resize(window_size(sizeHint(), minimumSizeHint(), screen()->availableGeometry().size(),
        QMargins(border, title + border, border, border)));
}

// The wrapped captions grow taller as the window narrows: the narrowest
// window is as tall as they then need, and no narrower than its height fits
// the screen, so that nothing is squeezed. Worked out once the window is
// shown, not on the way to it.
QSize fo::least_size() const
{
    const QSize least = minimumSizeHint();
    if (!layout() || !layout()->hasHeightForWidth())
        return least;
    const QRect frame = frameGeometry(), inner = geometry();
    const QSize room = screen()->availableGeometry().size()
        - QSize(frame.width() - inner.width(), frame.height() - inner.height());
    return least_window(
        least, room, [this](int width) { return layout()->totalHeightForWidth(width); });
}

QSize least_window(QSize least, QSize room, const std::function<int(int)> &height_for)
{
    int width = least.width();
    while (height_for(width) > room.height() && width < room.width())
        width += 8;
    return QSize(width, std::max(least.height(), height_for(width)));
}

QSize window_size(QSize wanted, QSize minimum, QSize screen, QMargins frame)
{
    // What the layout wants, where nothing is squeezed; never past the
    // screen, title bar included. A window larger than that would only cost
    // every start a larger picture of itself.
    const QSize room = screen.shrunkBy(frame);
    return wanted.boundedTo(room).expandedTo(minimum);
}

// Once shown, the window's real frame is known: it is kept on the screen.
void fo::fit_to_screen()
{
    const QRect available = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const QMargins margins(geometry().left() - frame.left(), geometry().top() - frame.top(),
        frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    setMinimumSize(least_size());
    const QSize fitted = window_size(size(), minimumSize(), available.size(), margins);
    if (fitted == size() && available.contains(frame))
        return;
    resize(fitted);
    // move() places the frame; its top left corner stays on the screen first.
    const QSize outer = fitted.grownBy(margins);
    move(std::max(available.left(), std::min(frame.left(), available.right() + 1 - outer.width())),
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - outer.height())));
}

// What a form cannot say: system colours, the pictures, widths that follow
// the font, the result fields' own copy.
void fo::dress_fields()
{
    // The cost ratio is typed as it is: nothing completed, nothing added to the list.
    ui_->Combo1->setCompleter(nullptr);

    // System colours that a form cannot name.
    QPalette working = ui_->Text11->palette();
    working.setColor(QPalette::Base, palette().color(QPalette::Button));
    working_text_ = palette().color(QPalette::ButtonText);
    working.setColor(QPalette::Text, working_text_);
    ui_->Text11->setPalette(working);
    // The amounts to pay are green; by palette, so that their menus are not.
    for (QLineEdit *field : {ui_->Text12, ui_->Text13, ui_->Text33}) {
        QPalette green = field->palette();
        green.setColor(QPalette::Base, QColor(0, 255, 0));
        green.setColor(QPalette::Text, Qt::black);
        field->setPalette(green);
    }
    QPalette account = ui_->Text57->palette();
    // Qt has no inactive-title colour; this is the classic Windows one, with
    // dark text on it in a dark scheme too.
    account.setColor(QPalette::Base, QColor(191, 205, 219));
    account.setColor(QPalette::Text, Qt::black);
    for (QLineEdit *field : {ui_->Text57, ui_->Text58, ui_->Text59}) {
        field->setPalette(account);
        // The whole account number shows, whatever the font.
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(field->text()) + 24);
    }
    // A result is copied as bare digits, to paste into a bank's amount
    // field. A cut figure looks right and is wrong: each field is as wide as
    // the widest amount in its own font.
    const QString widest = number_text::grouped(std::numeric_limits<qint32>::min(), 0);
    for (QLineEdit *field : amount_fields()) {
        field->installEventFilter(this);
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
            [this, field](const QPoint &at) { show_field_menu(field, at); });
        const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
        const QMargins margins = field->textMargins();
        // QLineEdit keeps 2 pixels free on either side of its text.
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) + 2 * frame + 4
            + margins.left() + margins.right() + 2);
    }
    // A focused button is pressed with Enter too, not only with Space.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->installEventFilter(this);
    // The revenue ceiling's warning is red.
    QPalette warning = ui_->Label27->palette();
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    ui_->Label27->setPalette(warning);
    // Fusion rings a radio button a shade darker than the window: black on
    // black in a dark scheme, where the ring is drawn from the text's colour.
    const QColor ink = palette().color(QPalette::WindowText);
    if (ink.lightness() > palette().color(QPalette::Window).lightness()) {
        for (QRadioButton *radio : {ui_->Option1, ui_->Option2}) {
            QPalette ringed = radio->palette();
            ringed.setColor(QPalette::Window, ink);
            radio->setPalette(ringed);
        }
    }
    QPalette info = ui_->List1->palette();
    info.setColor(QPalette::Base, palette().color(QPalette::ToolTipBase));
    info.setColor(QPalette::Text, palette().color(QPalette::ToolTipText));
    ui_->List1->setPalette(info);

    // Decoded when first painted, after the window has appeared.
    ui_->Command19->setIcon(deferred_icon(QStringLiteral(":/icons/info.png"), QSize(32, 32)));
    ui_->Command14->setIcon(deferred_icon(QStringLiteral(":/icons/exit.png"), QSize(32, 32)));
}

void fo::connect_handlers()
{
    for (int month = 1; month <= 12; ++month) {
        connect(month_button(month), &QPushButton::clicked, this,
            [this, month] { evaluate_month(month); });
        QLineEdit *field = revenue_field(month);
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            // A regrouped text raised a change of its own, which did the rest.
            if (regroup_revenue(field))
                return;
            note_revenues_changed();
            show_results_state();
            refresh_overview();
        });
        field->installEventFilter(this);
        // Its own undo, which does not regroup what it brings back.
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this,
            [this, field](const QPoint &at) { show_field_menu(field, at); });
    }
    // The master-data fields report their focus-out here too; a change of
    // any input may outdate the results.
    const auto inputs_changed = [this] {
        show_results_state();
        refresh_overview();
    };
    for (QLineEdit *field : {ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5, ui_->Text6}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, inputs_changed);
    }
    ui_->Combo1->installEventFilter(this);
    connect(ui_->Combo1, &QComboBox::currentTextChanged, this, inputs_changed);
    connect(ui_->Option1, &QRadioButton::toggled, this, inputs_changed);
    // What the user sets among the master data is kept (from 2023).
    for (QRadioButton *option : {ui_->Option1, ui_->Option2})
        connect(option, &QRadioButton::clicked, this, &fo::remember_master_data);
    connect(ui_->Combo1, &QComboBox::activated, this, &fo::remember_master_data);
    connect(ui_->Combo2, &QComboBox::activated, this,
        [this](int index) { choose_year(ui_->Combo2->itemData(index).toInt()); });
    connect(ui_->Command14, &QPushButton::clicked, this, &fo::save_and_exit);
    connect(ui_->Command19, &QPushButton::clicked, this, &fo::toggle_info);
    // The keys every desktop program answers: F1 for the help, Ctrl+Q to
    // leave as the exit button does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
        &fo::toggle_info);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
        &fo::save_and_exit);
    connect(ui_->Command21, &QPushButton::clicked, this, &fo::export_declaration);
    connect(ui_->Command28, &QPushButton::clicked, this, [this] { open_overview(0); });
    connect(ui_->Command34, &QPushButton::clicked, this, &fo::edit_year_course);
    // Access keys to the declaration (Alt+B), the overview (Alt+T) and the
    // year's course (Alt+M), far from the field by field Tab; pressed at
    // once, not animated.
    for (const auto &[key, button] : {std::pair {Qt::Key_B, ui_->Command21},
             {Qt::Key_T, ui_->Command28}, {Qt::Key_M, ui_->Command34}})
        connect(new QShortcut(QKeySequence(Qt::ALT | key), this), &QShortcut::activated, button,
            [button] {
                if (button->isEnabled() && !button->isHidden())
                    button->click();
            });
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

MessageAnswer fo::show_problem(const Problem &problem)
{
    return show_notice(notice_for(problem, names_on(*ui_)));
}

void fo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The rest of the start-up runs once, when the window is first shown:
    // queued, so that the window appears first and then shows the data.
    if (startup_ != Startup::NotShown)
        return;
    startup_ = Startup::Preparing;
    QMetaObject::invokeMethod(this, &fo::prepare_on_first_show, Qt::QueuedConnection);
}

void fo::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (startup_ == Startup::Painting)
        QMetaObject::invokeMethod(this, &fo::finish_startup, Qt::QueuedConnection);
}

void fo::closeEvent(QCloseEvent *event)
{
    if (isWindowModified()) {
        const MessageAnswer answer
            = show_notice({QStringLiteral("A bevételek változtak. Menti őket kilépés előtt?"),
                MessageIcon::Question, MessageButtons::SaveDiscardCancel});
        if (answer == MessageAnswer::Cancel
            || (answer == MessageAnswer::Save && !save_revenues())) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

bool fo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QPushButton *>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
        auto *field = qobject_cast<QLineEdit *>(watched);
        // Enter in a revenue field presses its month's button, as leaving
        // the field for it would.
        if (const int month = month_of(watched);
            month && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            leave_field(field);
            month_button(month)->click();
            return true;
        }
        if (field && amount_fields().contains(field) && key->matches(QKeySequence::Copy)) {
            copy_digits(field);
            return true;
        }
        if (field && (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))) {
            undo_edit(field, key->matches(QKeySequence::Redo));
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // A field is left only for another control of this window. Another
        // application, a message box or a popup (a context menu, the combo's
        // list) takes the focus only for a while.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::MenuBarFocusReason && next && next->window() == this)
            leave_field(watched);
    }
    return QWidget::eventFilter(watched, event);
}

QList<QLineEdit *> fo::amount_fields() const
{
    return {ui_->Text11, ui_->Text12, ui_->Text13, ui_->Text33};
}

// An outdated figure is not copied: a beep says so.
void fo::copy_digits(const QLineEdit *field)
{
    if (!results_current()) {
        platform_.beep();
        return;
    }
    const QString text = field->hasSelectedText() ? field->selectedText() : field->text();
    QGuiApplication::clipboard()->setText(number_text::bare_digits(text));
}

// Undoes or redoes one edit, the program's own too. A revenue field keeps
// its own history: the first undo brings back what the user typed before
// the program regrouped it, not regrouped again.
void fo::undo_edit(QLineEdit *field, bool redo)
{
    if (const int month = month_of(field)) {
        EditHistory &history = revenue_history_[month - 1];
        if (const auto text = redo ? history.redo() : history.undo())
            show_revenue(field, *text);
        return;
    }
    undoing_ = true;
    redo ? field->redo() : field->undo();
    undoing_ = false;
}

// The field's own menu: a result's copy gives the bare digits, a revenue's
// undo brings back what was typed.
void fo::show_field_menu(QLineEdit *field, const QPoint &at)
{
    std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    // The line edit names its actions only by their (translated) texts.
    const auto named = [](const QAction *action, const char *text) {
        return action->text().startsWith(QCoreApplication::translate("QLineEdit", text));
    };
    for (QAction *action : menu->actions()) {
        std::function<void()> instead;
        if (named(action, "&Copy") && amount_fields().contains(field))
            instead = [this, field] { copy_digits(field); };
        else if (named(action, "&Undo"))
            instead = [this, field] { undo_edit(field, false); };
        else if (named(action, "&Redo"))
            instead = [this, field] { undo_edit(field, true); };
        if (!instead)
            continue;
        action->disconnect();
        if (amount_fields().contains(field) || month_of(field))
            action->setEnabled(true);
        connect(action, &QAction::triggered, this, instead);
    }
    menu->exec(field->mapToGlobal(at));
}

// The program's own change of a text, undone with Ctrl+Z like a typed one.
void fo::replace_text(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    field->selectAll();
    field->insert(text);
}

// The info list takes the focus when shown, so that it can be read with
// the arrow keys.
void fo::toggle_info()
{
    if (ui_->List1->isHidden()) {
        focus_before_info_ = QApplication::focusWidget();
        ui_->List1->show();
        ui_->List1->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Hidden again, the focus goes back where it was, not to the next field.
    const bool had_focus = ui_->List1->hasFocus();
    ui_->List1->hide();
    if (had_focus && focus_before_info_ && focus_before_info_->isVisible())
        focus_before_info_->setFocus(Qt::OtherFocusReason);
}
