#ifndef ALBUMMOVES_H
#define ALBUMMOVES_H

#include "workspace/dropbutton.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class AlbumView;
class PhotoOperation;

// The album panel's road for moving its selected photos between albums: which drop does
// what in which album, the questions, the moves through ImageData, the move record, and
// the views afterwards. A short-lived helper handed the panel's album view; of the panel
// it uses only its public interface. The panel keeps the state (the move in progress) and
// asks for the set-aside popup once the photos have moved.
class AlbumMoves
{
public:
    AlbumMoves(PhotoOperation& panel, AlbumView& view);

    // The selected names that a drop moves in the album shown: none when the drop does
    // nothing there or nothing may move.
    QStringList dropped(ButtonUsage use) const;
    // Asks before photos go to 汰片 when the operator wants to be asked; false to stop.
    bool confirmSetAside() const;
    void recover();
    // Moves the photos named from 成品 to 汰片 now and records the move; returns the names
    // that went (a photo that stayed has had its failure box).
    QStringList setAside(const QStringList& names);
    // Moves the selection of 汰片 or 设计汰片 back, after the questions.
    void restore();
    void deleteRaw();
    void deleteDesign();

    // The names joined by "," (empty for none).
    static QString joinNames(const QStringList& names);
    // The move record's form body: type "1" to 汰片, "2" back to 成品.
    static QByteArray moveRecord(const QString& type, const QString& names);

private:
    bool askRecover(const QString& albumName) const;
    // Takes the moved photos out of the views and shows the photo at their place.
    void showAfterMove(const QStringList& moved, ButtonUsage use);

    void showNoPhotoIfEmpty();

    PhotoOperation& panel;
    AlbumView& view;
};

#endif // ALBUMMOVES_H
