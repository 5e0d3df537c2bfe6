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
};

FolderCounts countFolders(const QString& deletedPath, const QString& finePath);

// Removes every file below path, sub-folders included, keeping the folders and never
// following a symbolic link; returns the files that could not be removed.
QStringList removeFilesBelow(const QString& path);

} // namespace SetAsideFiles

#endif // SETASIDEFILES_H
