#include "EditorHarness.h"
#include "document/ExitCommand.h"
#include "document/UnsavedMapGuard.h"

#include <QtTest>

namespace {

enum class Dropping { ByOpen, ByExit };

bool drop(Editor &editor, Dropping how)
{
    return how == Dropping::ByOpen ? UnsavedMapGuard::mayDropMap(editor)
                                   : ExitCommand(editor).run();
}

} // namespace

class TestUnsavedMap : public QObject
{
    Q_OBJECT

private slots:
    void unsavedMapAsksBeforeItGoes_data();
    void unsavedMapAsksBeforeItGoes();
    void savedMapGoesWithoutTheQuestion();
};

void TestUnsavedMap::unsavedMapAsksBeforeItGoes_data()
{
    QTest::addColumn<Dropping>("how");
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::addColumn<QString>("typed"); // the name typed at the save's prompt
    QTest::addColumn<bool>("goesOn");
    for (const Dropping how : {Dropping::ByOpen, Dropping::ByExit}) {
        const char *by = how == Dropping::ByOpen ? "OPEN" : "EXIT";
        QTest::addRow("%s, Enregistrer", by) << how << Dialogs::Answer::Save << "carte" << true;
        QTest::addRow("%s, Enregistrer then the prompt cancelled", by)
            << how << Dialogs::Answer::Save << "" << false;
        QTest::addRow("%s, Ne pas enregistrer", by)
            << how << Dialogs::Answer::Discard << "" << true;
        QTest::addRow("%s, Annuler or Escape", by) << how << Dialogs::Answer::Cancel << "" << false;
    }
}

void TestUnsavedMap::unsavedMapAsksBeforeItGoes()
{
    QFETCH(Dropping, how);
    QFETCH(Dialogs::Answer, answer);
    QFETCH(QString, typed);
    QFETCH(bool, goesOn);
    EditorHarness h;
    h.editor.setProjectName(QStringLiteral("donjon"));
    h.stamp(40, 40);
    const QImage map = h.editor.board().map();
    const auto files = h.folder.snapshot();
    h.fake.dialogs.answers.enqueue(answer);
    if (!typed.isEmpty())
        h.fake.dialogs.promptAnswers.enqueue(typed);

    QCOMPARE(drop(h.editor, how), goesOn);
    const Dialogs::Message asked = h.fake.dialogs.messages.first();
    QVERIFY(asked.text.contains(QStringLiteral("« donjon »")));
    QCOMPARE(asked.buttons, Dialogs::Buttons::SaveDiscardCancel);
    QCOMPARE(asked.defaultButton, Dialogs::Answer::Save);
    QCOMPARE(h.fake.dialogs.prompts.size(), answer == Dialogs::Answer::Save ? 1 : 0);
    QCOMPARE(h.editor.board().map(), map);
    if (typed.isEmpty()) {
        QCOMPARE(h.folder.snapshot(), files);
        QVERIFY(!h.editor.mapSaved());
    } else {
        QCOMPARE(h.folder.image("carte.bmp"), map);
        QVERIFY(h.editor.mapSaved());
    }
}

void TestUnsavedMap::savedMapGoesWithoutTheQuestion()
{
    EditorHarness h;
    QVERIFY(UnsavedMapGuard::mayDropMap(h.editor)); // the blank "New"
    h.stamp(40, 40);
    h.editor.setMapSaved(true);
    QVERIFY(UnsavedMapGuard::mayDropMap(h.editor));
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestUnsavedMap)
#include "tst_unsavedmap.moc"
