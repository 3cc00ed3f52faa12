#include "EditorHarness.h"

#include <QDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void setsStartValuesAndCaption();
    void copiesTemplateFreshAtEveryStart();
    void missingTemplateStopsWithMessage();
    void zeroMembersBehaveAsZero();
};

void TestStartup::setsStartValuesAndCaption()
{
    EditorHarness h;
    QVERIFY(h.started);
    const EditorState &s = h.state();
    QCOMPARE(s.Mode, EditMode::Placement);
    QCOMPARE(s.CurrentTile, 1);
    QCOMPARE(s.GridStep, 13);
    QCOMPARE(s.PrintWidth, 770.0);
    QCOMPARE(s.PrintHeight, qint16(544));
    QCOMPARE(h.editor.projectName(), QStringLiteral("New"));
    const QString expected = QStringLiteral("Vantorel Editor - Fichier actif :")
                             + QDir::toNativeSeparators(h.folder.path() + "/New.bmp");
    QCOMPARE(h.editor.caption(), expected);
    QVERIFY(!h.folder.exists("New.bmp")); // the caption only names it
    QVERIFY(!h.folder.exists("demo.bmp"));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestStartup::copiesTemplateFreshAtEveryStart()
{
    ProgramFolderFixture folder;
    const QByteArray templ = folder.read("vantorel.vtr");
    QVERIFY(!templ.isEmpty());
    {
        FakePlatform fake;
        Editor editor(fake.platform(), folder.path());
        QVERIFY(editor.startUp());
    }
    QCOMPARE(folder.read("new.doc"), templ);

    // Text written into the start-up document is gone at the next start.
    folder.write("new.doc", "notes of the previous run");
    {
        FakePlatform fake;
        Editor editor(fake.platform(), folder.path());
        QVERIFY(editor.startUp());
    }
    QCOMPARE(folder.read("new.doc"), templ);

    // Whatever its letter case, the one document is replaced; no second one.
    QFile::rename(folder.file("new.doc"), folder.file("NEW.DOC"));
    folder.write("NEW.DOC", "old");
    {
        FakePlatform fake;
        Editor editor(fake.platform(), folder.path());
        QVERIFY(editor.startUp());
    }
    QCOMPARE(folder.read("NEW.DOC"), templ);
    QVERIFY(!folder.exists("new.doc"));
}

void TestStartup::missingTemplateStopsWithMessage()
{
    ProgramFolderFixture folder(false);
    FakePlatform fake;
    Editor editor(fake.platform(), folder.path());
    QVERIFY(!editor.startUp());
    QCOMPARE(fake.dialogs.messages.size(), 1);
    const Dialogs::Message &m = fake.dialogs.messages.first();
    QVERIFY(m.text.contains("vantorel.vtr"));
    QVERIFY(m.text.contains("new.doc"));
    QVERIFY(m.text.contains("introuvable"));
    // The folder is named as the user reads it, without a separator after it.
    QVERIFY(m.text.contains("Dossier du programme : " + QDir::toNativeSeparators(folder.path())
                            + "\n"));
    QCOMPARE(m.icon, Dialogs::Icon::Critical);
    QVERIFY(!folder.exists("new.doc"));
}

void TestStartup::zeroMembersBehaveAsZero()
{
    EditorHarness h;
    const EditorState &s = h.state();
    QCOMPARE(s.TileVariants, 0);
    QCOMPARE(s.VariantStep, quint8(0));
    QCOMPARE(s.MarkX, 0);
    QCOMPARE(s.MarkY, 0);
    QCOMPARE(s.SelX1 + s.SelY1 + s.SelX2 + s.SelY2, 0);
    QVERIFY(h.editor.board().undoCopy().isNull());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
