#include "CommandLine.h"

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

    if (!parser.parse(arguments))
        return refusal(arguments, parser.errorText());
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
