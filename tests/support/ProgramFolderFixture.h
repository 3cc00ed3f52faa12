#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A fresh program folder in a temporary directory, holding the delivered
// documents as a real installation does.
class ProgramFolderFixture
{
public:
    explicit ProgramFolderFixture(bool withDocuments = true);

    QString path() const { return dir_.path(); }
    QString file(const QString &name) const { return dir_.filePath(name); }
    bool exists(const QString &name) const;
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;
    // A bitmap's pixels as any bitmap reader sees them, whoever wrote the file.
    QImage image(const QString &name) const;

    // Every file under a folder, hidden ones and those of subfolders
    // included, by relative path, with a hash of its bytes and its
    // permissions: equal snapshots before and after a command show that it
    // changed no file there. The folder skipped is left out with all it holds.
    static QMap<QString, QByteArray> snapshot(const QString &folder,
                                              const QString &skipped = QString());
    QMap<QString, QByteArray> snapshot() const { return snapshot(path()); }

    // The repository's copy of a delivered document.
    static QString sourceAsset(const QString &relativePath);
    // A file's bytes; empty when it cannot be read.
    static QByteArray readFile(const QString &path);

private:
    QTemporaryDir dir_;
};
