#ifndef PANELSHORTCUTS_H
#define PANELSHORTCUTS_H

#include <Qt>

class AlbumView;
class PhotoOperation;
class QKeyEvent;

// The album panel's answer to a key press, by the sixteen configurable pairs of
// Config::shotCutKey, read afresh at every press. A short-lived helper handed the panel's
// album view; of the panel it uses only its public slots, members and signals.
class PanelShortcuts
{
public:
    // The pairs by their place in the table (0 to 15; the settings number them from 1).
    enum Pair {
        RawAlbum = 0,
        FineAlbum = 1,
        DeletedAlbum = 2,
        Produce = 3,
        ReloadThumbs = 4,
        DesignAlbum = 5,
        SwitchView = 6,
        SortMode = 7,
        Discard = 8,
        Recover = 9,
        DeletedSortOrder = 10,
        ThumbNames = 11,
        Up = 12,
        Down = 13,
        Previous = 14,
        Next = 15
    };

    PanelShortcuts(PhotoOperation& panel, AlbumView& view);

    // A pair stored without modifier matches its key whatever modifiers are held; one
    // stored with modifiers matches only with exactly those held.
    static bool matches(Pair pair, int key, Qt::KeyboardModifiers modifiers);

    void keyPress(QKeyEvent* event);
    void keyRelease(QKeyEvent* event);

private:
    PhotoOperation& panel;
    AlbumView& view;
};

#endif // PANELSHORTCUTS_H
