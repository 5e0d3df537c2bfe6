#ifndef ROTATIONSAVE_H
#define ROTATIONSAVE_H

#include "photostore/image.h"

#include <QSize>
#include <QString>

// A view rotation saved into one photo's three files. Everything it needs is taken on the
// GUI thread when the operator asks for the save; write() then runs on a worker and reads
// no shared state, so the current photo may change meanwhile.
//
// write() turns the pictures the viewer shows (as ImageOperation::loadImage reads them)
// and replaces the files only once every picture has been encoded completely; each file is
// written beside its original and renamed over it. A thumbnail that is missing or cannot be
// turned is skipped (the album panel makes every level again afterwards); a full photo that
// cannot be read or encoded leaves every file as it was. The photo's marks picture (marks,
// named only for an album that carries marks), when there is one, is turned with it: it shows
// the photo with its marks drawn on.
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
    QString marks;  // empty: the photo has no marks picture to turn
    int index = -1; // the photo's place in its album when the save was asked for
    int angle = 0;  // degrees, a multiple of 90, any sign

    // The angle as a quarter-turn count 0..3; 0 means there is nothing to save.
    int quarterTurns() const;
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
