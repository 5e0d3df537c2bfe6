#ifndef ROTATIONSAVE_H
#define ROTATIONSAVE_H

#include "photostore/image.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

// A view rotation saved into one photo's files. Everything it needs is taken on the GUI
// thread when the operator asks for the save; write() then runs on a worker and reads no
// shared state, so the current photo may change meanwhile.
//
// write() turns the pictures the viewer shows (as ImageOperation::loadImage reads them)
// and replaces the files only once every picture has been encoded completely; each file is
// written beside its original and renamed over it. Every level (small, middle, list) is turned
// with the photo while the photo's files are held (PhotoFileLock), so that no level is left a
// turn behind whatever job of the photo runs next. A thumbnail that is missing or cannot be
// turned is skipped (the album panel makes every level again afterwards); a full photo that
// cannot be read or encoded leaves every file as it was, and a file that has left its place by
// the time it is replaced (the photo moved to another album) is not written again there. The
// photo's marks picture (marks, named only for an album that carries marks), when there is
// one, is turned with it: it shows the photo with its marks drawn on.
struct RotationSave
{
    struct Outcome
    {
        bool isWritten = false; // the full photo was replaced
        QSize photoSize;        // the full photo's size before the turn, as the viewer shows it
    };

    Image photo; // the photo's record when the save was asked for
    QString full;
    QString small;
    QString middle;
    QString list;
    QString marks;  // empty: the photo has no marks picture to turn
    int index = -1; // the photo's place in its album when the save was asked for
    int angle = 0;  // degrees, a multiple of 90, any sign

    struct Encoded
    {
        QString path;
        QByteArray bytes;
    };
    // The photo's files turned and encoded, the full photo first; none when it cannot be read
    // or encoded (or there is nothing to save).
    struct Turned
    {
        QList<Encoded> files;
        QSize photoSize;
    };

    // The angle as a quarter-turn count 0..3; 0 means there is nothing to save.
    int quarterTurns() const;
    // write() in its two steps: reads and encodes, then replaces each file that is still there.
    Turned encode() const;
    Outcome replace(const Turned& turned) const;
    Outcome write() const;
};

// A turn saved into a photo's files: the photo as it was when the save was asked for, the
// clockwise quarter turns (1..3) and its size before them.
struct SavedTurn
{
    Image photo;
    int turns = 0;
    QSize photoSize;
};

#endif // ROTATIONSAVE_H
