#include "window/command_line.h"

#include <QCommandLineParser>

std::optional<QString> command_line_answer(const QStringList &arguments)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Kiírja ezt a súgót, és kilép."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Kiírja a program változatát, és kilép."));
    QCommandLineParser parser;
    // Qt's own options (-platform, -style …) are left to Qt.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    parser.parse(arguments);

    const QString name = QStringLiteral("PENNARO " PENNARO_VERSION);
    if (parser.isSet(version))
        return name + u'\n';
    if (!parser.isSet(help))
        return std::nullopt;
    // Written here, not by the parser, whose headings would be English
    // where Qt's Hungarian texts are not installed.
    QString text = QStringLiteral(
        "Használat: pennaro [kapcsoló]\n\n"
        "%1: havi TB-járulék, szociális hozzájárulási adó és SZJA-előleg átalányadózó\n"
        "egyéni vállalkozóknak, a 2258-as bevallás importfájljával. Kapcsoló nélkül\n"
        "megnyitja a program ablakát.\n\n"
        "Kapcsolók:\n")
                       .arg(name);
    for (const QCommandLineOption &option : {help, version})
        text += QStringLiteral("  -%1, --%2  %3\n")
                    .arg(option.names()[0], option.names()[1].leftJustified(8),
                        option.description());
    text += QStringLiteral("\nRészletek: man pennaro, és a program Infó gombja.\n");
    return text;
}
