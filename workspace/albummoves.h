#ifndef ALBUMMOVES_H
#define ALBUMMOVES_H

#include "workspace/dropbutton.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class PhotoOperation;

// The album panel's road for moving its selected photos between albums: which drop does
// what in which album, the questions, the moves through ImageData, the move record, and
// the views afterwards. A short-lived helper over the panel; the panel keeps the state.
class AlbumMoves
{
public:
    explicit AlbumMoves(PhotoOperation& panel);

    void drop(ButtonUsage use);
    void recover();
    void move();
    void deleteRaw();
    void deleteDesign();
    void removeItems(const QStringList& names);

    // The names joined by "," (empty for none).
    static QString joinNames(const QStringList& names);
    // The move record's form body: type "1" to 汰片, "2" back to 成品.
    static QByteArray moveRecord(const QString& type, const QString& names);

private:
    int album() const;
    int currentRow() const;
    int visibleCount() const;
    // Shows the photo that took the moved one's place: row clamped to the view, nothing
    // selected in an empty view.
    void reselect(int row, bool inTable);
    bool askRecover(const QString& albumName) const;

    PhotoOperation& panel;
};

#endif // ALBUMMOVES_H
