#ifndef SHEETFOLDER_H
#define SHEETFOLDER_H

#include <QString>

// The folders of the sheet windows' images. Each open sheet window has one of its own under
// the client's temporary folder, so that no sheet writes into the working directory and no
// window clears another's images; the window removes it when it goes. GUI thread only, but for
// photoFile.
namespace SheetFolder {

// Makes a fresh folder (ends with "/"), named by the time in milliseconds, and removes the
// stale ones that no open window holds (left by a client that ended abruptly).
QString create();

// Removes a folder that create() made.
void remove(const QString& folder);

// The cached sheet image of a photo in folder: the name as stored, else any spelling of it.
// Reads the folder only, so it may run on any thread.
QString photoFile(const QString& folder, const QString& name);

} // namespace SheetFolder

#endif // SHEETFOLDER_H
