#ifndef SETASIDEFILES_H
#define SETASIDEFILES_H

#include <QString>
#include <QStringList>

// Disk work of the submission dialog, run on worker jobs: nothing here touches a widget.
namespace SetAsideFiles {

struct FolderCounts
{
    // The set-aside folder's entries whose lower-cased name contains ".jpg", lower-cased, in
    // name order, each followed by "," unless it is the listing's last entry.
    QString deletepicpaths;
    int deletedJpegs = 0;
    // "*.jpg" files (any case) of the selection folder.
    int fineJpegs = 0;
    // The selection folder's photos as the album reads them (file names with the extension
    // in lower case), by name; hasFineFolder is false when the folder could not be found.
    QStringList finePhotos;
    bool hasFineFolder = false;
    // The albums ("成品", "汰片") whose folder exists but could not be listed
    // (FileOperation::isUnlisted): nothing above tells how many photos they hold, and nothing
    // may be submitted from them.
    QStringList unreadable;
};

FolderCounts countFolders(const QString& deletedPath, const QString& finePath);

// The selection as it lies in its folder, in the album's order: the listed names still in the
// folder, then those moved in since the album was read (a move fills the target album only at
// its next reading). Without the folder the list is taken as it is.
QStringList selectionNames(const QStringList& listed, const FolderCounts& counts);

// What a removal left: the files that could not be removed, and the folders that could not be
// listed (whatever they hold stayed).
struct Removal
{
    QStringList failed;
    QStringList unlisted;
};

// Removes every file below path, sub-folders included, keeping the folders and never
// following a symbolic link.
Removal removeFilesBelow(const QString& path);
// The box text for a removal of folder that left files, empty when it left none: knownCount is
// the number of set-aside photos counted when the dialog opened, which an unlisted folder holds.
QString removalFailureText(const Removal& removal, const QString& folder, int knownCount);

} // namespace SetAsideFiles

#endif // SETASIDEFILES_H
