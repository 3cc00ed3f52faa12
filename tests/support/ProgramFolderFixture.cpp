#include "ProgramFolderFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

ProgramFolderFixture::ProgramFolderFixture(bool withDocuments)
{
    if (!dir_.isValid())
        qFatal("cannot create a temporary program folder");
    if (withDocuments) {
        QFile::copy(sourceAsset(QStringLiteral("assets/docs/vantorel.vtr")),
                    file(QStringLiteral("vantorel.vtr")));
        QFile::copy(sourceAsset(QStringLiteral("assets/docs/readme.doc")),
                    file(QStringLiteral("readme.doc")));
    }
}

QString ProgramFolderFixture::sourceAsset(const QString &relativePath)
{
    const QString root = qEnvironmentVariable("VANTOREL_SOURCE_DIR");
    if (root.isEmpty())
        qFatal("VANTOREL_SOURCE_DIR is not set");
    return root + QLatin1Char('/') + relativePath;
}

bool ProgramFolderFixture::exists(const QString &name) const
{
    return QFileInfo(file(name)).isFile();
}

QByteArray ProgramFolderFixture::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray ProgramFolderFixture::read(const QString &name) const { return readFile(file(name)); }

void ProgramFolderFixture::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write a fixture file");
}

QImage ProgramFolderFixture::image(const QString &name) const
{
    return QImage(file(name), "BMP").convertToFormat(QImage::Format_RGB32);
}

QMap<QString, QByteArray> ProgramFolderFixture::snapshot(const QString &folder,
                                                         const QString &skipped)
{
    QMap<QString, QByteArray> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        if (!skipped.isEmpty()
            && (entry.filePath() == skipped || entry.filePath().startsWith(skipped + '/')))
            continue;
        QByteArray state = QByteArray::number(int(entry.permissions()), 16) + ' ';
        QFile f(entry.filePath());
        if (entry.isFile() && f.open(QIODevice::ReadOnly))
            state += QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        else
            state += entry.isDir() ? "folder" : "unreadable";
        files.insert(root.relativeFilePath(entry.filePath()), state);
    }
    return files;
}
