#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class Editor;

// The map back after an editor ended without its orderly exit (killed,
// crashed, the machine stopped, the session closed). While the editor runs, a
// record in the program folder names the project whose map the committed
// board file holds and says whether that map is saved; the next start offers
// an unsaved one back. An orderly exit removes the record.
class MapRecovery : public QObject
{
    Q_OBJECT

public:
    static const QString Question;
    static const QString Title;

    struct Record {
        QString project;
        QString folder; // empty for the program folder, wherever it has been moved
        bool saved = true;
        bool operator==(const Record &) const = default;
    };

    explicit MapRecovery(Editor &editor);

    // Reads what the last editor on the folder left unsaved, before the
    // start-up. The start-up project's scenario document must then be kept
    // until the question is answered.
    void find();
    bool keepsStartDocument() const;

    // Once the start-up is done and the window shown: asks whether to bring
    // back the map found, brings it back on Oui, or makes the start-up
    // project's scenario anew when it was kept and nothing is brought back.
    // From then on the record follows the editor. False when the scenario
    // could not be made: the user has been told and the editor must not open.
    bool settle();
    bool broughtBack() const { return broughtBack_; }

    // The orderly exit: nothing is left to offer.
    void forget();

    static std::optional<Record> read(const QString &path);
    static bool write(const QString &path, const Record &record);

private:
    void bringBack(const Record &record, const QImage &map);
    void keep(const Record &record);
    Record current() const;

    Editor &editor_;
    QString path_;
    std::optional<Record> found_;
    QImage foundMap_;
    std::optional<Record> written_; // the record on the disk, when known
    bool broughtBack_ = false;
};
