#include "MapRecovery.h"

#include "Editor.h"
#include "bitmap/BitmapFiles.h"
#include "bitmap/FileReplace.h"
#include "platform/Dialogs.h"
#include "project/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

const QString MapRecovery::Question = QStringLiteral(
    "Vantorel Editor s'est arrêté sans que le plan du projet « %1 » soit enregistré.\n\n"
    "Voulez-vous récupérer ce plan tel qu'il était à sa dernière modification ?");
const QString MapRecovery::Title = QStringLiteral("Récupération du plan");

MapRecovery::MapRecovery(Editor &editor)
    : editor_(editor), path_(editor.folder().file(ProjectFiles::Recovery))
{}

void MapRecovery::find()
{
    found_ = read(path_);
    written_ = found_;
    if (!found_ || found_->saved) {
        found_.reset();
        return;
    }
    // Only a map that can be read is offered.
    QString reason;
    foundMap_ = BitmapFiles::read(editor_.folder().file(ProjectFiles::CommittedBoard), &reason);
    if (foundMap_.isNull())
        found_.reset();
}

bool MapRecovery::keepsStartDocument() const
{
    return found_ && found_->project == ProjectFiles::StartProject && found_->folder.isEmpty();
}

bool MapRecovery::settle()
{
    if (found_) {
        Dialogs::Message box;
        box.text = Question.arg(found_->project);
        box.title = Title;
        box.buttons = Dialogs::Buttons::YesNo;
        box.icon = Dialogs::Icon::Exclamation;
        box.defaultButton = Dialogs::Answer::Yes;
        if (editor_.platform().dialogs.message(box) == Dialogs::Answer::Yes)
            bringBack(*found_, foundMap_);
        foundMap_ = QImage();
    }
    if (keepsStartDocument() && !broughtBack_ && !editor_.renewStartDocument())
        return false;

    keep(current());
    connect(&editor_, &Editor::mapChanged, this, [this] { keep(current()); });
    // The history changes its saved state after the step has been mirrored
    // in the commit file, so the record never names a map the file lacks.
    connect(&editor_, &Editor::mapSavedChanged, this, [this] { keep(current()); });
    return true;
}

void MapRecovery::bringBack(const Record &record, const QImage &map)
{
    editor_.openMap(map);
    editor_.setProject(record.project,
                       record.folder.isEmpty() ? editor_.folder().path() : record.folder);
    if (editor_.projectInProgramFolder())
        editor_.setCaptionForBitmap(record.project + ProjectFiles::BitmapSuffix);
    else
        editor_.setCaption(
            Editor::CaptionPrefix
            + QDir::toNativeSeparators(editor_.projectFile(ProjectFiles::BitmapSuffix)));
    editor_.setMapSaved(false);
    broughtBack_ = true;
}

MapRecovery::Record MapRecovery::current() const
{
    return {editor_.projectName(),
            editor_.projectInProgramFolder() ? QString() : editor_.projectFolder(),
            editor_.mapSaved()};
}

void MapRecovery::keep(const Record &record)
{
    if (written_ == record)
        return;
    // A saved map needs nothing offered, which no record and a record of a
    // saved map both say: a start on a saved map waits for no disk.
    if (record.saved && (written_ ? written_->saved : !QFileInfo::exists(path_)))
        return;
    // A record that cannot be written costs only the offer after a crash.
    if (write(path_, record))
        written_ = record;
}

void MapRecovery::forget()
{
    disconnect(&editor_, nullptr, this, nullptr);
    QFile::remove(path_);
    written_.reset();
}

std::optional<MapRecovery::Record> MapRecovery::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A record is a few hundred bytes; anything far larger is no record.
    constexpr qint64 MaxRecord = 65536;
    const QJsonObject object = QJsonDocument::fromJson(file.read(MaxRecord)).object();
    const QJsonValue project = object.value(QLatin1String("project"));
    const QJsonValue folder = object.value(QLatin1String("folder"));
    const QJsonValue saved = object.value(QLatin1String("saved"));
    if (!project.isString() || !folder.isString() || !saved.isBool())
        return std::nullopt;
    return Record {project.toString(), folder.toString(), saved.toBool()};
}

bool MapRecovery::write(const QString &path, const Record &record)
{
    const QJsonObject object {{QLatin1String("project"), record.project},
                              {QLatin1String("folder"), record.folder},
                              {QLatin1String("saved"), record.saved}};
    // Flushed to the disk before it takes the name: after a power cut the
    // record is the old one or the new one, whole.
    return FileReplace::writeUserFile(path, QJsonDocument(object).toJson(), nullptr);
}
