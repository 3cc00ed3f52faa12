#include "FakePlatform.h"
#include "ProgramFolderFixture.h"
#include "app/ProgramFolderCheck.h"
#include "app/ProgramFolderLock.h"
#include "document/Editor.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

// The start-up check of the program folder, against folders where creating a
// file really succeeds or really fails.
class TestProgramFolderCheck : public QObject
{
    Q_OBJECT

private slots:
    void writableFolderPassesAndKeepsNothing_data();
    void writableFolderPassesAndKeepsNothing();
    void unwritableFolderStopsWithInstallAdvice_data();
    void unwritableFolderStopsWithInstallAdvice();
};

namespace {

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

enum class Refusal { ThroughAFile, Vanished, ReadOnly };

} // namespace

void TestProgramFolderCheck::writableFolderPassesAndKeepsNothing_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::newRow("plain name") << QString();
    QTest::newRow("accent, space and quote") << QStringLiteral("Plans d'été");
}

void TestProgramFolderCheck::writableFolderPassesAndKeepsNothing()
{
    QFETCH(QString, subfolder);
    ProgramFolderFixture fixture;
    const QString path = subfolder.isEmpty() ? fixture.path() : fixture.file(subfolder);
    QVERIFY(QDir().mkpath(path));
    const QStringList before = everything(path);

    FakePlatform fake;
    Editor editor(fake.platform(), path);
    QVERIFY(ProgramFolderCheck::writable(editor));
    QVERIFY(fake.dialogs.messages.isEmpty());
    // The probe file is gone, hidden name or not.
    QCOMPARE(everything(path), before);
}

void TestProgramFolderCheck::unwritableFolderStopsWithInstallAdvice_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("reason");
    QTest::newRow("path through a file")
        << Refusal::ThroughAFile << QStringLiteral("le chemin ne mène pas à un dossier");
    QTest::newRow("folder removed")
        << Refusal::Vanished << QStringLiteral("fichier ou dossier introuvable");
    QTest::newRow("read-only folder") << Refusal::ReadOnly << QStringLiteral("accès refusé");
}

void TestProgramFolderCheck::unwritableFolderStopsWithInstallAdvice()
{
    QFETCH(Refusal, refusal);
    QFETCH(QString, reason);
    ProgramFolderFixture fixture;
    QString path;
    switch (refusal) {
    case Refusal::ThroughAFile:
        path = fixture.file(QStringLiteral("vantorel.vtr"));
        break;
    case Refusal::Vanished:
        path = fixture.file(QStringLiteral("supprimé"));
        break;
    case Refusal::ReadOnly:
        if (geteuid() == 0)
            QSKIP("file modes do not stop the superuser; tst_install runs the installed "
                  "editor as another user for that");
        path = fixture.file(QStringLiteral("lecture seule"));
        QVERIFY(QDir().mkpath(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
        break;
    }

    FakePlatform fake;
    Editor editor(fake.platform(), path);
    // The lock cannot be made there either; the check below says why.
    QVERIFY(ProgramFolderLock(path).take(editor));
    QVERIFY(fake.dialogs.messages.isEmpty());
    const bool passed = ProgramFolderCheck::writable(editor);
    if (refusal == Refusal::ReadOnly)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!passed);

    QCOMPARE(fake.dialogs.messages.size(), 1);
    const Dialogs::Message &box = fake.dialogs.messages.first();
    QCOMPARE(box.title, QStringLiteral("Installation de Vantorel Editor"));
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    QVERIFY2(box.text.startsWith(
                 QStringLiteral("Le dossier du programme n'est pas accessible en écriture :\n")
                 + QDir::toNativeSeparators(path) + QLatin1Char('\n')),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("Raison : ") + reason), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("cmake --install build --prefix ~/.local")),
             qPrintable(box.text));
}

QTEST_MAIN(TestProgramFolderCheck)
#include "tst_programfoldercheck.moc"
