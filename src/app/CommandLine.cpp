#include "CommandLine.h"

#include "document/Editor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>

const QString CommandLine::Version = QStringLiteral(VANTOREL_VERSION);

namespace {

// QCommandLineParser writes the head of its help and its error messages in
// English; these are its texts in French, looked up while it reads the line.
class ParserFrench : public QTranslator
{
public:
    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char * /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        static const struct {
            const char *english;
            const char *french;
        } texts[] = {
            {"Usage: %1", "Utilisation : %1"},
            {"Options:", "Options :"},
            {"Arguments:", "Arguments :"},
            {"Unknown option '%1'.", "Option « %1 » inconnue."},
            {"Unknown options: %1.", "Options inconnues : %1."},
            {"Missing value after '%1'.", "Valeur manquante après « %1 »."},
            {"Unexpected value after '%1'.", "Valeur inattendue après « %1 »."},
        };
        for (const auto &text : texts)
            if (qstrcmp(sourceText, text.english) == 0)
                return QString::fromUtf8(text.french);
        return {};
    }
};

// Keeps the French texts installed while the parser writes.
class InstalledFrench
{
public:
    InstalledFrench() { QCoreApplication::installTranslator(&french_); }
    ~InstalledFrench() { QCoreApplication::removeTranslator(&french_); }
    InstalledFrench(const InstalledFrench &) = delete;
    InstalledFrench &operator=(const InstalledFrench &) = delete;

private:
    ParserFrench french_;
};

CommandLine::Outcome ending(int status, const QString &output, const QString &errors = {})
{
    return {false, {}, status, output, errors};
}

CommandLine::Outcome refusal(const QStringList &arguments, const QString &reason)
{
    const QString program = QFileInfo(arguments.value(0)).fileName();
    return ending(1, {},
                  QStringLiteral("%1 : %2\nTapez « %3 --help » pour l'aide.\n")
                      .arg(QCoreApplication::applicationName(), reason, program));
}

// An argument read as options that rather names a map: a file that exists,
// or a bitmap's name.
QString fileTakenForOption(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument.size() > 1 && argument.startsWith(QLatin1Char('-'))
            && (argument.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)
                || QFileInfo(argument).isFile()))
            return argument;
    }
    return {};
}

} // namespace

CommandLine::Outcome CommandLine::read(const QStringList &arguments)
{
    const InstalledFrench french;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Dessine les plans d'un jeu de plateau à tuiles sur une grille de cases carrées.\n"
        "Sans fichier, l'éditeur s'ouvre sur le projet « New » ; avec un fichier, il ouvre "
        "ce plan comme le bouton OPEN."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide, puis quitte."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version, puis quitte."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("fichier"),
        QStringLiteral("Le plan à ouvrir, une image BMP d'un dossier quelconque."),
        QStringLiteral("[fichier]"));

    if (!parser.parse(arguments)) {
        const QString file = fileTakenForOption(arguments);
        if (!file.isEmpty())
            return refusal(
                arguments,
                QStringLiteral("%1\nSi « %2 » est le nom du plan à ouvrir, mettez « -- » "
                               "devant : %3 -- %2")
                    .arg(parser.errorText(), file, QFileInfo(arguments.value(0)).fileName()));
        return refusal(arguments, parser.errorText());
    }
    if (parser.isSet(version))
        return ending(0,
                      QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(), Version));
    if (parser.isSet(help))
        return ending(0, parser.helpText());

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refusal(arguments,
                       QStringLiteral("Un seul plan s'ouvre à la fois, et %1 fichiers sont donnés.")
                           .arg(files.size()));
    Outcome outcome;
    if (!files.isEmpty()) {
        if (files.first().isEmpty())
            return refusal(arguments, QStringLiteral("Le nom du fichier à ouvrir est vide."));
        outcome.file = files.first();
    }
    return outcome;
}

int CommandLine::answer(const Outcome &outcome)
{
    std::fputs(outcome.output.toLocal8Bit().constData(), stdout);
    std::fputs(outcome.errors.toLocal8Bit().constData(), stderr);
    std::fflush(stdout);
    return outcome.status;
}

std::optional<int> CommandLine::answerWithoutDisplay(int argc, char *argv[])
{
    // A core application reaches no window system; it leaves Qt's own
    // options, such as -platform, on the line, so anything but an answer is
    // read again by the application object.
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(Editor::ProgramName);
    const QStringList arguments = QCoreApplication::arguments();
    const Outcome outcome = read(arguments);
    if (outcome.starts)
        return std::nullopt;
    // A refusal may be of Qt's own options, which only the application object
    // reads; without any display it could not even start, so the message is
    // given here.
    const bool noDisplay
        = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
          && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
          && !arguments.join(QLatin1Char(' ')).contains(QLatin1String("-platform"));
    if (outcome.status != 0 && !noDisplay)
        return std::nullopt;
    return answer(outcome);
}
