#include "EditorHarness.h"
#include "WindowHarness.h"
#include "document/HelpCommand.h"
#include "document/SaveCommand.h"
#include "document/TextEditorCommand.h"
#include "output/WordProcessor.h"
#include "platform/QtPrograms.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Result = TextEditorCommand::Result;

// A word processor that records the arguments of each start, NUL-separated,
// in a file of its own in the folder named by VANTOREL_RECORD_DIR.
const char *const RecordingScript = "#!/bin/sh\n"
                                    "out=\"$VANTOREL_RECORD_DIR/$$\"\n"
                                    "printf '%s\\0' \"$@\" > \"$out.part\"\n"
                                    "mv \"$out.part\" \"$out\"\n";

// An editor in a program folder whose path holds blanks and an accent, with
// real programs: the recording word processor comes first on the path.
struct RealStarts {
    QTemporaryDir base;
    QString folder = base.filePath(QStringLiteral("Dossier du programme é"));
    QString bin = base.filePath(QStringLiteral("bin"));
    QString records = base.filePath(QStringLiteral("records"));
    FakePlatform fake;
    QtPrograms programs;
    Platform platform {fake.dialogs, fake.folders, programs, fake.printer, fake.exports};
    std::unique_ptr<Editor> editor;

    RealStarts()
    {
        QDir().mkpath(folder);
        QDir().mkpath(bin);
        QDir().mkpath(records);
        for (const char *doc : {"vantorel.vtr", "readme.doc"})
            QFile::copy(ProgramFolderFixture::sourceAsset(QStringLiteral("assets/docs/") + doc),
                        folder + QLatin1Char('/') + doc);
        QFile script(bin + QStringLiteral("/lowriter"));
        script.open(QIODevice::WriteOnly);
        script.write(RecordingScript);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (bin + QLatin1Char(':')).toLocal8Bit() + qgetenv("PATH"));
        qputenv("VANTOREL_RECORD_DIR", records.toLocal8Bit());
        editor = std::make_unique<Editor>(platform, folder);
    }

    // The arguments of every start so far, once that many have arrived.
    QList<QStringList> starts(int count) const
    {
        QDir dir(records);
        // A start still writing its record has only a ".part" file: count and
        // read the finished records alone.
        const auto finished = [&] {
            return dir.entryList(QDir::Files, QDir::Time | QDir::Reversed)
                .filter(QRegularExpression(QStringLiteral("^\\d+$")));
        };
        QList<QStringList> all;
        if (!QTest::qWaitFor([&] { return finished().size() >= count; }, 20000))
            return all;
        for (const QString &name : finished()) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::ReadOnly);
            QStringList args = QString::fromLocal8Bit(f.readAll()).split(QChar(0));
            args.removeLast(); // after the last separator
            all.append(args);
        }
        return all;
    }

    QString path(const QString &name) const
    {
        return QDir::toNativeSeparators(folder + QLatin1Char('/') + name);
    }
};

} // namespace

class TestWordProcessor : public QObject
{
    Q_OBJECT

private slots:
    void startUpDocumentOpensWithOneBeep();
    void newProjectDocumentIsMadeFromTemplate();
    void noBreakSpaceNameOpensTheDocumentSaveCarried();
    void helpOpensTheHelpDocument();
    void programChoice_data();
    void programChoice();
    void nothingToStartIsTold();
    void failedStartIsToldWithItsReason();
    void missingTemplateIsTold();
    void nameWithFolderSeparatorWritesNothingOutside();
    void missingHelpDocumentIsTold();
    void otherProjectsDocumentOrTheHelpOpenedAsScenario_data();
    void otherProjectsDocumentOrTheHelpOpenedAsScenario();
    void buttonsStartTheWordProcessor();
};

void TestWordProcessor::startUpDocumentOpensWithOneBeep()
{
    RealStarts r;
    QVERIFY(r.editor->startUp());
    QCOMPARE(TextEditorCommand(*r.editor).run(), Result::OpenedExisting);
    // "New.doc" is the start-up document "new.doc", letter case aside.
    const QList<QStringList> starts = r.starts(1);
    QCOMPARE(starts, QList<QStringList> {{r.path("new.doc")}});
    QVERIFY(r.fake.dialogs.messages.isEmpty());
}

void TestWordProcessor::newProjectDocumentIsMadeFromTemplate()
{
    RealStarts r;
    QVERIFY(r.editor->startUp());
    r.editor->setProjectName(QStringLiteral(" Carte 1 "));
    QCOMPARE(TextEditorCommand(*r.editor).run(), Result::CreatedFromTemplate);
    QFile made(r.folder + QStringLiteral("/Carte 1.doc"));
    QVERIFY(made.open(QIODevice::ReadOnly));
    QFile model(r.folder + QStringLiteral("/vantorel.vtr"));
    QVERIFY(model.open(QIODevice::ReadOnly));
    QCOMPARE(made.readAll(), model.readAll());

    // The next press finds it.
    QCOMPARE(TextEditorCommand(*r.editor).run(), Result::OpenedExisting);
    const QStringList expected {r.path("Carte 1.doc")};
    QCOMPARE(r.starts(2), (QList<QStringList> {expected, expected}));
}

void TestWordProcessor::noBreakSpaceNameOpensTheDocumentSaveCarried()
{
    // French keyboards type a no-break space: the save keeps it in the name,
    // so the scenario it carried over is under that name, not a trimmed one.
    EditorHarness h;
    h.fake.programs.available = {"lowriter"};
    const QString name = QStringLiteral("\u00a0Plan");
    QCOMPARE(h.save(name), SaveCommand::Result::Saved);

    QCOMPARE(TextEditorCommand(h.editor).run(), Result::OpenedExisting);
    const QString document = QDir::toNativeSeparators(h.folder.file(name + ".doc"));
    QCOMPARE(h.fake.programs.starts.first().arguments, QStringList(document));
    QVERIFY(!h.folder.exists("Plan.doc"));
}

void TestWordProcessor::helpOpensTheHelpDocument()
{
    RealStarts r;
    QVERIFY(r.editor->startUp());
    QVERIFY(HelpCommand(*r.editor).run());
    QCOMPARE(r.starts(1), QList<QStringList> {{r.path("readme.doc")}});
}

void TestWordProcessor::programChoice_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QString>("program");
    QTest::newRow("all") << false << QStringList {"xdg-open", "abiword", "libreoffice", "lowriter"}
                         << "/usr/bin/lowriter";
    QTest::newRow("no writer launcher")
        << false << QStringList {"xdg-open", "libreoffice", "abiword"} << "/usr/bin/libreoffice";
    QTest::newRow("abiword") << false << QStringList {"xdg-open", "abiword"} << "/usr/bin/abiword";
    QTest::newRow("desktop opener") << false << QStringList {"xdg-open"} << "/usr/bin/xdg-open";
    QTest::newRow("none") << false << QStringList {"vi"} << QString();
    QTest::newRow("windows launcher")
        << true << QStringList {"lowriter", "write"} << "/usr/bin/write";
    QTest::newRow("windows without wordpad")
        << true << QStringList {"abiword"} << "/usr/bin/abiword";
}

void TestWordProcessor::programChoice()
{
    QFETCH(bool, windows);
    QFETCH(QStringList, available);
    QFETCH(QString, program);
    EditorHarness h;
    h.fake.programs.available = available;
    const auto host = windows ? WordProcessor::Host::Windows : WordProcessor::Host::Other;
    QCOMPARE(WordProcessor(h.editor.platform(), host).program(), program);
}

void TestWordProcessor::nothingToStartIsTold()
{
    EditorHarness h;
    QCOMPARE(TextEditorCommand(h.editor).run(), Result::Failed);
    QVERIFY(h.fake.programs.starts.isEmpty());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("Aucun traitement de texte"));
    // The editor goes on.
    h.stamp(26, 26);
    QCOMPARE(h.editor.board().map(), h.editor.board().displayed());
}

void TestWordProcessor::failedStartIsToldWithItsReason()
{
    EditorHarness h;
    h.fake.programs.available = {"abiword"};
    h.fake.programs.startSucceeds = false;
    QVERIFY(!HelpCommand(h.editor).run());
    QCOMPARE(h.fake.programs.starts.size(), 1);
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("le programme n'a pas pu démarrer"));
}

void TestWordProcessor::missingTemplateIsTold()
{
    EditorHarness h;
    h.fake.programs.available = {"lowriter"};
    QVERIFY(QFile::remove(h.folder.file("vantorel.vtr")));
    h.editor.setProjectName("Neuf");
    QCOMPARE(TextEditorCommand(h.editor).run(), Result::Failed);
    QVERIFY(h.fake.programs.starts.isEmpty());
    QVERIFY(!h.folder.exists("Neuf.doc"));
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("vantorel.vtr"));
}

void TestWordProcessor::nameWithFolderSeparatorWritesNothingOutside()
{
    EditorHarness h;
    h.fake.programs.available = {"lowriter"};
    QDir(h.folder.path()).mkdir("sous");
    h.editor.setProjectName("../hors");
    QCOMPARE(TextEditorCommand(h.editor).run(), Result::Failed);
    h.editor.setProjectName("sous/x");
    QCOMPARE(TextEditorCommand(h.editor).run(), Result::Failed);
    QVERIFY(!QFile::exists(h.folder.path() + "/../hors.doc"));
    QVERIFY(!QFile::exists(h.folder.path() + "/sous/x.doc"));
    QVERIFY(h.fake.programs.starts.isEmpty());
    QCOMPARE(h.fake.dialogs.messages.size(), 2);
}

void TestWordProcessor::missingHelpDocumentIsTold()
{
    EditorHarness h;
    h.fake.programs.available = {"lowriter"};
    QVERIFY(QFile::remove(h.folder.file("readme.doc")));
    QVERIFY(!HelpCommand(h.editor).run());
    QVERIFY(h.fake.programs.starts.isEmpty());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("readme.doc"));
}

void TestWordProcessor::buttonsStartTheWordProcessor()
{
    WindowHarness w;
    w.fake.programs.available = {"lowriter"};
    QTest::mouseClick(w.window.Command3, Qt::LeftButton);
    QTest::mouseClick(w.window.Command4, Qt::LeftButton);
    QTest::mouseClick(w.window.Command4, Qt::LeftButton);
    const QString doc = QDir::toNativeSeparators(w.folder.file("new.doc"));
    const QString help = QDir::toNativeSeparators(w.folder.file("readme.doc"));
    QCOMPARE(w.fake.programs.starts.size(), 3);
    QCOMPARE(w.fake.programs.starts.at(0).arguments, QStringList {doc});
    QCOMPARE(w.fake.programs.starts.at(1).arguments, QStringList {help});
    QCOMPARE(w.fake.programs.starts.at(2).arguments, QStringList {help});
}

void TestWordProcessor::otherProjectsDocumentOrTheHelpOpenedAsScenario_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<bool>("fromElsewhere");
    QTest::addColumn<bool>("documentBeside"); // project + ".doc" beside the map
    QTest::addColumn<QString>("told"); // empty when the document opens

    QTest::newRow("map of another folder, its document beside it")
        << "donjon" << true << true << QString();
    // The program folder's "donjon.doc" is another project's scenario.
    QTest::newRow("map of another folder, no document beside it")
        << "donjon" << true << false << "a été ouverte depuis un autre dossier";
    // There the delivered help document lies beside the map.
    QTest::newRow("help document's name, program folder")
        << "README" << false << false << "porte le nom du document d'aide";
    QTest::newRow("help document's name, another folder")
        << " readme" << true << true << "porte le nom du document d'aide";
}

void TestWordProcessor::otherProjectsDocumentOrTheHelpOpenedAsScenario()
{
    QFETCH(QString, project);
    QFETCH(bool, fromElsewhere);
    QFETCH(bool, documentBeside);
    QFETCH(QString, told);
    EditorHarness h;
    h.fake.programs.available = {"lowriter"};
    ProgramFolderFixture elsewhere(false);
    h.folder.write("donjon.doc", "le scénario d'un autre projet");
    const ProgramFolderFixture &beside = fromElsewhere ? elsewhere : h.folder;
    const QString document = TextEditorCommand::documentName(project);
    if (documentBeside)
        beside.write(document, "le scénario de la carte");
    h.editor.setProject(project, beside.path());
    const auto files = h.folder.snapshot();
    const auto theirs = elsewhere.snapshot();

    QCOMPARE(TextEditorCommand(h.editor).run(),
             told.isEmpty() ? Result::OpenedExisting : Result::Failed);
    QCOMPARE(h.folder.snapshot(), files);
    QCOMPARE(elsewhere.snapshot(), theirs);
    if (told.isEmpty()) {
        QVERIFY(h.fake.dialogs.messages.isEmpty());
        QCOMPARE(h.fake.programs.starts.size(), 1);
        QCOMPARE(h.fake.programs.starts.first().arguments,
                 QStringList {QDir::toNativeSeparators(elsewhere.file(document))});
        return;
    }
    QVERIFY(h.fake.programs.starts.isEmpty());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY2(h.fake.dialogs.messages.first().text.contains(told),
             qPrintable(h.fake.dialogs.messages.first().text));
}

QTEST_MAIN(TestWordProcessor)
#include "tst_wordprocessor.moc"
