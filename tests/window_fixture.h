#pragma once

#include "file_size_limit.h"
#include "platform/platform.h"
#include "ui_fo.h"
#include "window/fo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Logs what the handlers ask of the desktop, "!" before a critical message,
// "i " before a note and "?" before a question, and answers the questions from a list.
class FakePlatform : public Platform {
public:
    MessageAnswer message(const QString &text, MessageIcon icon, MessageButtons buttons) override
    {
        const char *mark = icon == MessageIcon::Critical ? "!"
            : icon == MessageIcon::Information           ? "i "
                                                         : "";
        log << (icon == MessageIcon::Question ? "?" : mark) + text;
        const QWindow *window = QGuiApplication::focusWindow();
        over_window = over_window && window && window->isExposed();
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    void beep() override { log << "beep"; }
    QDate today() const override { return date; }
    QString dataFolder() const override { return folder.path(); }
    std::optional<Problem> dataFolderMoved() const override { return moved; }
    QStringList templateFolders() const override { return {templates.path()}; }
    QString handOverScriptName() const override { return QStringLiteral("atad_pennaro.sh"); }
    void startScript(const QString &path, const QString &in,
        std::function<void(const ScriptEnd &)> ended) override
    {
        log << "start " + QDir::toNativeSeparators(path) + " in " + QDir::toNativeSeparators(in);
        script_ended = ended;
        if (startFails) {
            ScriptEnd end;
            end.started = false;
            ended(end);
        }
    }
    QString chooseSavePath(const QString &title, const QString &, const QString &) override
    {
        log << "save as: " + title;
        return save_path.isEmpty() ? QString() : folder.filePath(save_path);
    }
    bool openFile(const QString &path) override
    {
        log << "open " + QDir::toNativeSeparators(path);
        return opens;
    }

    mutable QStringList log;
    QList<MessageAnswer> answers; // then Nem
    bool over_window = true; // every message came over the shown window
    QDate date {2026, 4, 2};
    QTemporaryDir folder;
    QTemporaryDir templates;
    bool startFails = false;
    std::function<void(const ScriptEnd &)> script_ended; // of the last script started
    std::optional<Problem> moved;
    QString save_path; // beside the program; empty: the save dialog cancelled
    bool opens = true; // a viewer opens what is given to it
};

// "_" between digits in a test's text stands for the no-break blank.
inline QString nb(QString text)
{
    static const QRegularExpression between_digits(QStringLiteral("(?<=\\d)_(?=\\d)"));
    return text.replace(between_digits, QString(QChar(0x00A0)));
}

// Files beside the program: "name/" makes a folder, "name|" a FIFO;
// ":moved" says the program's own folder could not be written and names
// the files left there; ":first start" leaves out the taxpayer sample that
// an earlier start put there; ":no year" the pennaro.ini choosing 2022;
// ":lock not taken" tells the window the folder's lock could not be made;
// ":old files" dates every file 2000-01-01, before the start, and
// {":dated", "<yyyy-MM-dd>"} on that day.
using Files = QList<std::pair<QString, QByteArray>>;

// A fresh, shown and active window on a fake desktop for each test.
struct WindowFixture {
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<fo> window;

    void open(const Files &files = {}, QDate today = {2026, 4, 2})
    {
        platform = std::make_unique<FakePlatform>();
        platform->date = today;
        // An earlier start left the taxpayer sample, unless this is the first.
        if (!files.contains({":first start", {}}))
            put("adat2.minta.txt", "sample");
        // An earlier start chose 2022, unless the row says otherwise.
        if (std::none_of(files.begin(), files.end(),
                [](const auto &file) { return file.first.section(u'/', 0, 0) == "pennaro.ini"; })
            && !files.contains({":no year", {}}))
            put("pennaro.ini", "adoev=2022\r\n");
        for (const auto &[name, bytes] : files) {
            if (name.startsWith(u':') && name != ":moved")
                continue;
            if (name == ":moved") { // the program's own folder could not be written
                platform->moved = Problem {Problem::What::DataFolderMoved, platform->folder.path()};
                platform->moved->other_path = QStringLiteral("/opt/pennaro");
                platform->moved->text = QString::fromUtf8(bytes);
                continue;
            }
#ifdef Q_OS_UNIX
            if (name.endsWith(u'|')) {
                QVERIFY(mkfifo(QFile::encodeName(path(name.chopped(1))).constData(), 0644) == 0);
                continue;
            }
#endif
            name.endsWith(u'/') ? void(QDir(platform->folder.path()).mkdir(name))
                                : put(name, bytes);
        }
        const auto dated = std::find_if(
            files.begin(), files.end(), [](const auto &file) { return file.first == ":dated"; });
        if (dated != files.end() || files.contains({":old files", {}}))
            for (const QString &name : QDir(platform->folder.path()).entryList(QDir::Files)) {
                QFile file(path(name));
                const QDate day = dated != files.end()
                    ? QDate::fromString(QString::fromLatin1(dated->second), Qt::ISODate)
                    : QDate(2000, 1, 1);
                QVERIFY(file.open(QIODevice::Append)
                    && file.setFileTime(
                        QDateTime(day, QTime(0, 0), Qt::UTC), QFile::FileModificationTime));
            }
        std::optional<Problem> lock;
        if (files.contains({":lock not taken", {}})) {
            lock = Problem {Problem::What::LockNotTaken, path("pennaro.lock")};
            lock->error = FileError::NoSpace;
        }
        start(lock);
    }
    // A new window on the same folder, as the program started again.
    void start(const std::optional<Problem> &at_start = std::nullopt)
    {
        window = std::make_unique<fo>(*platform);
        if (at_start)
            window->note_at_start(*at_start);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The start-up messages come once the window is painted.
        for (int i = 0; i < 100 && !window->startup_done(); ++i)
            QCoreApplication::processEvents();
        QVERIFY(window->startup_done());
    }
    void close()
    {
        window.reset();
        platform.reset();
    }
    Ui::fo &ui() const
    {
        return window->form();
    }
    QString path(const QString &name) const
    {
        return platform->folder.filePath(name);
    }
    QByteArray file(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile file(QDir(platform->folder.path()).absoluteFilePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Runs the steps, " ; " between them, as a user would; returns the first
    // check that fails. A check is "<what> = <shown>", "<what> has <part>" or
    // "<what> lacks <part>":
    // what a widget shows, a file's bytes or one of the names in shown(); in
    // <shown>, "_" is the no-break blank, "<name>" a path beside the program,
    // "<>" its folder, and a final "…" stands for any rest.
    QString run(const QString &script)
    {
        static const QRegularExpression check(QStringLiteral("^(.+?) (=|has|lacks)(?: (.*))?$"),
            QRegularExpression::DotMatchesEverythingOption);
        for (const QString &step : script.split(QStringLiteral(" ; "))) {
            const auto is = check.match(step);
            if (!is.hasMatch()) {
                if (const QString failed = act(step); !failed.isEmpty())
                    return failed;
                continue;
            }
            const QString seen = shown(is.captured(1));
            // Messages hold no "<" or ">" of their own.
            const QString folder = QDir::toNativeSeparators(platform->folder.path());
            const QString expected = nb(is.captured(3))
                                         .replace(QStringLiteral("<>"), folder)
                                         .replace(u'<', folder + QDir::separator())
                                         .remove(u'>');
            if (is.captured(2) == "lacks"     ? seen.contains(expected)
                    : is.captured(2) == "has" ? !seen.contains(expected)
                    : expected.endsWith(u'…') ? !seen.startsWith(expected.chopped(1))
                                              : seen != expected) {
                qDebug().noquote() << "seen whole:" << seen; // QCOMPARE cuts it short
                return step + QStringLiteral("\n   seen: ") + seen;
            }
        }
        return {};
    }

private:
    QWidget *widget(const QString &name) const
    {
        if (name == "fo")
            return window.get();
        // A dialog closed and not deleted yet leaves its widgets behind: the
        // shown one of that name counts.
        const QList<QWidget *> named = window->findChildren<QWidget *>(name);
        for (QWidget *candidate : named)
            if (candidate->isVisible())
                return candidate;
        return named.value(0);
    }

    // What a check reads: "log" (then cleared), "tab order" (from the focus
    // round to it), "files", "focus", "cursor" (at the end or inside), "clipboard",
    // "taken <month>", "entry <n>", "Table1 <row>" (the overview's row, " / "
    // between its cells), "Table1 <row> ground" (its highlighted columns), "List1 line <n>",
    // "<widget> base" (the window's Base or Button colour), "<widget> ink" (its text colour),
    // "<button> caption",
    // "<widget> tip", a file's bytes, or a widget's text, title or state.
    QString shown(const QString &what) const
    {
        const QString n = what.section(u' ', 1);
        if (what == "log")
            return std::exchange(platform->log, {}).join(QStringLiteral(" | "));
        if (what == "tab order") {
            QStringList order;
            for (QWidget *first = QApplication::focusWidget(), *at = first;
                 order.isEmpty() || (at != first && order.size() < 100);
                 at = QApplication::focusWidget()) {
                // The cost-ratio box's line edit takes the focus for it.
                order << (at->objectName().isEmpty() ? at->parentWidget() : at)->objectName();
                QTest::keyClick(at, Qt::Key_Tab);
            }
            return order.join(u' ');
        }
        if (what == "files") // beside the program
            return QDir(platform->folder.path()).entryList(QDir::Files, QDir::Name).join(u' ');
        if (what == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QStringLiteral("nowhere");
        if (const auto *line = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            what == "cursor")
            return line->cursorPosition() == line->text().size() ? "end" : "inside";
        if (what == "clipboard")
            return QApplication::clipboard()->text();
        if (what.startsWith("taken "))
            return QString::number(window->monthly_revenue[n.toInt() - 1]);
        if (what.startsWith("Table1 ") && what.endsWith(" ground")) { // its highlighted columns
            const auto *table = window->findChild<QTableWidget *>(QStringLiteral("Table1"));
            for (int r = 0; table && r < table->rowCount(); ++r) {
                if (table->item(r, 0)->text() != n.chopped(7))
                    continue;
                QStringList highlighted;
                for (int c = 0; c < table->columnCount(); ++c)
                    if (table->item(r, c)->background().style() != Qt::NoBrush)
                        highlighted << table->horizontalHeaderItem(c)->text();
                return QStringLiteral("highlighted: ") + highlighted.join(u' ');
            }
            return QStringLiteral("no such row");
        }
        if (what.startsWith("Table1 ")) { // the overview's row of that name
            const auto *table = window->findChild<QTableWidget *>(QStringLiteral("Table1"));
            for (int r = 0; table && r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << table->item(r, c)->text();
                if (cells[0] == n)
                    return cells.mid(1).join(QStringLiteral(" / ")).trimmed();
            }
            return QStringLiteral("no such row");
        }
        if (what.startsWith("List1 line ")) // the info list's
            return window->form().List1->item(what.section(u' ', 2).toInt() - 1)->text();
        if (what.startsWith("entry "))
            return QString::fromLatin1(window->taxpayer_lines[n.toInt()]);
        if (what.endsWith(" time")) // a file's, in UTC
            return QFileInfo(path(what.chopped(5))).lastModified().toUTC().toString(Qt::ISODate);
        if (what.endsWith(" tip"))
            return widget(what.chopped(4))->toolTip();
        if (what.endsWith(" caption"))
            return qobject_cast<QAbstractButton *>(widget(what.chopped(8)))->text();
        if (what.endsWith(" ink"))
            return widget(what.chopped(4))->palette().color(QPalette::Text).name();
        if (what.endsWith(" base")) {
            const QColor base = widget(what.chopped(5))->palette().color(QPalette::Base);
            return base == window->palette().color(QPalette::Base)  ? "Base"
                : base == window->palette().color(QPalette::Button) ? "Button"
                                                                    : base.name();
        }
        if (what.contains(u'.'))
            return QString::fromLatin1(file(what));
        const QWidget *shown = widget(what);
        if (!shown)
            return QStringLiteral("no such widget");
        if (auto *line = qobject_cast<const QLineEdit *>(shown))
            return line->text();
        if (auto *date = qobject_cast<const QDateEdit *>(shown))
            return date->date().toString(Qt::ISODate);
        if (auto *periods = qobject_cast<const QTableWidget *>(shown);
            periods && what == "List2") { // the course's periods: "<from> <to> <kind>"
            QStringList rows;
            for (int r = 0; r < periods->rowCount(); ++r)
                rows
                    << QStringLiteral("%1 %2 %3")
                           .arg(qobject_cast<QDateEdit *>(periods->cellWidget(r, 0))
                                    ->date()
                                    .toString(Qt::ISODate),
                               qobject_cast<QDateEdit *>(periods->cellWidget(r, 1))
                                   ->date()
                                   .toString(Qt::ISODate),
                               qobject_cast<QComboBox *>(periods->cellWidget(r, 2))->currentText());
            return rows.join(QStringLiteral(" | "));
        }
        if (auto *combo = qobject_cast<const QComboBox *>(shown))
            return combo->currentText();
        if (auto *group = qobject_cast<const QGroupBox *>(shown))
            return group->title();
        if (auto *label = qobject_cast<const QLabel *>(shown))
            return label->isVisible() ? label->text() : "hidden";
        if (auto *option = qobject_cast<const QRadioButton *>(shown))
            return option->isChecked() ? "checked" : "unchecked";
        return !shown->isVisible() ? "hidden" : shown->isEnabled() ? "shown" : "disabled";
    }

    // A user's step: "fill <text>" (the twelve revenues), "set <field>
    // <text>" (as the program sets it), "type <field> <keys>" (a click into
    // it, End, the keys), "keys <keys>", "key <key>" (Tab, Ctrl+V,
    // Num+Enter), "focus", "click", "wheel" or "open <widget>" (a box's
    // list), "menu <field> <action>" (its context menu), "press <month>",
    // "close" (the close control), "answer Igen|Nem|Mentés|Kilépés|Mégse", "fail start", "clip
    // <text>", "rm templates", "write <file> <text>" (as another program),
    // "script ends <code> <error output>", "doubleclick <row>|<column>" (a
    // cell of the overview), "save as <name>" (what the save
    // dialog answers), "full <step>" on a full disk, "restart" (a new window
    // on the folder, as after an exit or a kill) and "clock <yyyy-MM-dd>".
    // Returns why it could not be taken.
    QString act(const QString &step)
    {
        const QString verb = step.section(u' ', 0, 0), name = step.section(u' ', 1, 1);
        const QString rest = step.section(u' ', 2), all = step.section(u' ', 1);
        QWidget *target = widget(name);
        if (!target
            && QStringList {"set", "type", "focus", "click", "wheel", "open", "menu"}.contains(
                verb))
            return QStringLiteral("no such widget: ") + step;
        if (verb == "fill")
            for (int month = 1; month <= 12; ++month)
                window->revenue_field(month)->setText(all);
        else if (verb == "set")
            qobject_cast<QLineEdit *>(target)->setText(rest);
        else if (verb == "type") {
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::keyClick(target, Qt::Key_End);
            QTest::keyClicks(target, rest);
        } else if (verb == "keys")
            QTest::keyClicks(QApplication::focusWidget(), all);
        else if (verb == "key") {
            const auto key = QKeySequence::fromString(name, QKeySequence::PortableText)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        } else if (verb == "focus") {
            if (QApplication::activeWindow() != target->window()) { // the overview's, say
                QApplication::setActiveWindow(target->window());
                if (!QTest::qWaitForWindowActive(target->window()))
                    return QStringLiteral("not active: ") + step;
            }
            target->setFocus(Qt::TabFocusReason);
        } else if (verb == "click")
            QTest::mouseClick(target, Qt::LeftButton);
        else if (verb == "press")
            QTest::mouseClick(window->month_button(name.toInt()), Qt::LeftButton);
        else if (verb == "wheel") {
            QWheelEvent down(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120),
                Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &down);
        } else if (verb == "open") { // the box's list, by its arrow
            auto *combo = qobject_cast<QComboBox *>(target);
            QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
            QTest::mouseClick(combo, Qt::LeftButton, {}, {combo->width() - 6, combo->height() / 2});
            if (!QTest::qWaitForWindowExposed(combo->view()->window()))
                return QStringLiteral("no list: ") + step;
        } else if (verb == "menu") { // the field's own menu, an action chosen
            QTimer::singleShot(0, [rest] {
                QWidget *menu = QApplication::activePopupWidget();
                for (QAction *action : menu ? menu->actions() : QList<QAction *>())
                    if (action->text().remove(u'&').startsWith(rest))
                        action->trigger();
                if (menu)
                    menu->close();
            });
            emit qobject_cast<QLineEdit *>(target)->customContextMenuRequested({5, 5});
        } else if (verb == "close")
            window->close();
        else if (verb == "answer") {
            static const QHash<QString, MessageAnswer> answers {{"Igen", MessageAnswer::Yes},
                {"Nem", MessageAnswer::No}, {"Mentés", MessageAnswer::Save},
                {"Kilépés", MessageAnswer::Discard}, {"Mégse", MessageAnswer::Cancel}};
            platform->answers << answers.value(name);
        } else if (verb == "save") // "save as <name>": the save dialog's answer
            platform->save_path = step.section(u' ', 2);
        else if (verb == "fail")
            platform->startFails = true;
        else if (verb == "write") // as another program would
            put(name, rest.toUtf8());
        else if (verb == "script") {
            // "script ends <code> [<error output>]", "script says <output>"
            const QStringList words = all.split(u' ');
            ScriptEnd end;
            if (name == "says")
                end.output = words.mid(1).join(u' ');
            else
                end.exit_code = words.value(1).toInt();
            end.error_output = name == "says" ? QString() : words.mid(2).join(u' ');
            platform->script_ended(end);
        } else if (verb == "clip")
            QApplication::clipboard()->setText(all);
        else if (verb == "doubleclick") { // "doubleclick <row name>|<column>" in the overview
            const auto *table = window->findChild<QTableWidget *>(QStringLiteral("Table1"));
            const QString row_name = all.section(u'|', 0, 0);
            for (int r = 0; table && r < table->rowCount(); ++r)
                if (table->item(r, 0)->text() == row_name) {
                    QTableWidgetItem *item = table->item(r, all.section(u'|', 1).toInt());
                    const_cast<QTableWidget *>(table)->scrollToItem(item);
                    const QRect cell = table->visualItemRect(item);
                    // A first click, then the second of the double click.
                    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
                    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
                    return {};
                }
            return QStringLiteral("no such row: ") + step;
        } else if (verb == "restart") { // killed, or left, and started again
            start();
            if (QTest::currentTestFailed())
                return QStringLiteral("not started: ") + step;
        } else if (verb == "clock")
            platform->date = QDate::fromString(name, Qt::ISODate);
        else if (step == "rm templates")
            QDir(platform->templates.path()).removeRecursively();
#ifdef Q_OS_UNIX
        else if (verb == "full") {
            const FileSizeLimit full_disk(8);
            return act(all);
        }
#endif
        else
            return QStringLiteral("no such step: ") + step;
        return {};
    }
};
