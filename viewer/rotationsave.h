#ifndef ROTATIONSAVE_H
#define ROTATIONSAVE_H

#include <QString>

// A view rotation saved into one photo's three files. Everything it needs is taken on the
// GUI thread when the operator asks for the save; write() then runs on a worker and reads
// no shared state, so the current photo may change meanwhile.
//
// write() turns the pictures the viewer shows (as ImageOperation::loadImage reads them)
// and replaces the files only once every picture has been encoded completely; each file is
// written beside its original and renamed over it. A thumbnail that is missing or cannot be
// turned is skipped (the album panel makes every level again afterwards); a full photo that
// cannot be read or encoded leaves every file as it was.
struct RotationSave
{
    QString full;
    QString small;
    QString middle;
    int index = -1; // the photo's place in its album when the save was asked for
    int angle = 0;  // degrees, a multiple of 90, any sign

    // The angle as a quarter-turn count 0..3; 0 means there is nothing to save.
    int quarterTurns() const;
    // True when the full photo was replaced.
    bool write() const;
};

#endif // ROTATIONSAVE_H
