#include "ProgramFolderFixture.h"

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

QByteArray ProgramFolderFixture::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ProgramFolderFixture::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write a fixture file");
}

QImage ProgramFolderFixture::image(const QString &name) const
{
    return QImage(file(name)).convertToFormat(QImage::Format_RGB32);
}
