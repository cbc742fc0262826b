#include "window/command_line.h"

#include "evaluation/year_rules.h"

#include <QCommandLineParser>

namespace {

// Qt's own options, with a value and without: the window's toolkit reads
// them, so they are no errors here. Plain texts, so that nothing is built
// for them before main.
const char *const qt_options_with_value[]
    = {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
        "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "stylesheet",
        "style", "session", "display", "name", "visual", "font", "fn", "background", "bg",
        "foreground", "fg", "button", "btn", "inputstyle", "im", "ncols", "cmap", "dialogs"};
const char *const qt_options[]
    = {"reverse", "widgetcount", "sync", "nograb", "dograb", "qwindowalwaysontop"};

} // namespace

std::optional<CommandLineAnswer> command_line_answer(const QStringList &arguments, bool display)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Kiírja ezt a súgót, és kilép."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Kiírja a program változatát, és kilép."));
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -reverse): left to Qt.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : qt_options_with_value) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("x"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : qt_options) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    // Written here, not by the parser, whose texts would be English where
    // Qt's Hungarian texts are not installed.
    const QString hint = QStringLiteral("A kapcsolók leírása: pennaro --help\n");
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString what = unknown.isEmpty()
            ? QStringLiteral("Hiányzik egy kapcsoló értéke.")
            : QStringLiteral("Ismeretlen kapcsoló: %1%2.")
                  .arg(unknown[0].size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                      unknown[0]);
        return CommandLineAnswer {QStringLiteral("pennaro: ") + what + u'\n' + hint, 2};
    }
    if (!parser.positionalArguments().isEmpty())
        return CommandLineAnswer {QStringLiteral("pennaro: Fölösleges argumentum: %1.\n")
                                      .arg(parser.positionalArguments()[0])
                + hint,
            2};

    const QString name = QStringLiteral("PENNARO " PENNARO_VERSION);
    if (parser.isSet(version))
        return CommandLineAnswer {name + u'\n'};
    if (parser.isSet(help)) {
        QString text = QStringLiteral(
            "Használat: pennaro [kapcsoló]\n\n"
            "%1: TB-járulék, szociális hozzájárulási adó és SZJA-előleg átalányadózó\n"
            "egyéni vállalkozóknak, %2-től %3-ig az adóév szabályai szerint (2023-tól\n"
            "negyedéves alapokkal és bevallással), évenként külön megjegyzett bevételekkel,\n"
            "éves áttekintéssel; 2022-ben a 2258-as bevallás importfájljával. Kapcsoló\n"
            "nélkül megnyitja a program ablakát.\n\n"
            "Kapcsolók:\n")
                           .arg(name)
                           .arg(year_rules::years.front().year)
                           .arg(year_rules::years.back().year);
        for (const QCommandLineOption &option : {help, version})
            text += QStringLiteral("  -%1, --%2  %3\n")
                        .arg(option.names()[0], option.names()[1].leftJustified(8),
                            option.description());
        text += QStringLiteral("\nRészletek: man pennaro, és a program Infó gombja.\n");
        return CommandLineAnswer {text};
    }
    if (!display && !parser.isSet(QStringLiteral("platform")))
        return CommandLineAnswer {
            QStringLiteral("pennaro: Nincs kijelző, amelyen az ablak megnyílhatna (sem DISPLAY, "
                           "sem WAYLAND_DISPLAY nincs beállítva).\n"),
            1};
    return std::nullopt;
}
