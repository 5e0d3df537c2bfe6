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
// plays the set-aside popup.
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
    // Moves the selection in the direction of the move in progress. A set-aside confirmed by
    // its popup whose selection a refresh has cleared meanwhile moves the photos named at the
    // key press (setAside).
    void move(ButtonUsage use, const QStringList& setAside = QStringList());
    void deleteRaw();
    void deleteDesign();

    // The names joined by "," (empty for none).
    static QString joinNames(const QStringList& names);
    // The move record's form body: type "1" to 汰片, "2" back to 成品.
    static QByteArray moveRecord(const QString& type, const QString& names);

private:
    static QStringList stillSetAside(const QStringList& names);
    bool askRecover(const QString& albumName) const;

    PhotoOperation& panel;
    AlbumView& view;
};

#endif // ALBUMMOVES_H
