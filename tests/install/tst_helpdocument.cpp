#include "ProgramFolderFixture.h"
#include "app/ProgramFolderCheck.h"

#include <QtTest>

// The help document that the "?" button opens, as delivered: RTF that every
// word processor reads, its accents written as Windows Latin-1 escapes.
class TestHelpDocument : public QObject
{
    Q_OBJECT

private slots:
    void isWellFormedRtf();
    void tellsThePerUserInstallOfTheStartUpMessage();

private:
    QByteArray document_ = ProgramFolderFixture::readFile(
        ProgramFolderFixture::sourceAsset(QStringLiteral("assets/docs/readme.doc")));
};

void TestHelpDocument::isWellFormedRtf()
{
    QVERIFY(document_.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    int depth = 0;
    for (qsizetype i = 0; i < document_.size(); ++i) {
        const auto c = static_cast<unsigned char>(document_[i]);
        QVERIFY2(c < 0x80, qPrintable(QStringLiteral("byte %1 at %2 is not ASCII").arg(c).arg(i)));
        if (c == '\\' && i + 1 < document_.size()) {
            const char next = document_[i + 1];
            if (next == '\'') {
                // An escaped character: two hex digits naming a letter of the code page.
                bool ok = false;
                const int code = document_.mid(i + 2, 2).toInt(&ok, 16);
                QVERIFY2(ok && document_.mid(i + 2, 2).size() == 2, qPrintable(QString::number(i)));
                QVERIFY2(code >= 0x80 && code != 0x81 && code != 0x8d && code != 0x8f
                             && code != 0x90 && code != 0x9d,
                         qPrintable(QStringLiteral("escape \\'%1 at %2").arg(code, 0, 16).arg(i)));
                i += 3;
            } else if (next == '\\' || next == '{' || next == '}') {
                ++i; // a literal character
            }
            continue;
        }
        if (c == '{') {
            if (depth == 0 && i > 0)
                QFAIL(qPrintable(QStringLiteral("a second document starts at %1").arg(i)));
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                QFAIL(qPrintable(QStringLiteral("a group closes at %1 that never opened").arg(i)));
        } else if (depth == 0 && !QChar::isSpace(c)) {
            QFAIL(qPrintable(QStringLiteral("text after the document's end at %1").arg(i)));
        }
    }
    QCOMPARE(depth, 0);
}

void TestHelpDocument::tellsThePerUserInstallOfTheStartUpMessage()
{
    QVERIFY(document_.contains(ProgramFolderCheck::PerUserInstall.toLatin1()));
}

QTEST_MAIN(TestHelpDocument)
#include "tst_helpdocument.moc"
