#ifndef FILEOPERATION_H
#define FILEOPERATION_H

#include <QDateTime>
#include <QString>

#include <functional>

// File and folder functions on the picture server's folders. Paths use "/" as separator;
// every function reports through its result and never shows anything, the callers decide
// what to tell the staff. No state but the listing check, which only tests replace (before
// any job runs): safe on any thread.
class FileOperation
{
public:
    FileOperation() { }

    // Moves source to target, creating the target's folder chain. Whatever is in the
    // target's place counts, a link (even one leading nowhere) as itself, never followed.
    // With replace false it is never touched: the move fails and both stay. With replace
    // true it is set aside (a folder is not) and removed only once the source has arrived;
    // on failure it is put back. Where the rename cannot be done in place (another device),
    // a copy is made beside the target, checked whole and synced, put in place and only
    // then is the source removed. True exactly when this call's rename or copy took the
    // file: a source another process moved first is not moved. A moved file carries the
    // time of the move as its access and modification time.
    static bool fileMove(QString const& source, QString const& target, bool const& replace);
    // 0 on success, -1 on failure. Whole seconds are kept.
    static int ChangeFileDateTime(QDateTime access, QDateTime modification, QString path);
    static bool copyFile(QString source, QString target, bool overwrite);
    static bool copyDir(QString source, QString target, bool overwrite);
    static bool removeFile(QString path);
    static bool removeDir(QString path);
    static bool removeDirThenMake(QString path);
    // Creates the last level only; the parent must exist.
    static bool makeDir(QString path);
    static bool isDirExist(QString path);
    static bool isFileExist(QString path);
    // Whether a folder that exists can be listed to its end: false without the right to read it,
    // or for a share that fails the listing. Tests stand in for such a share here.
    static std::function<bool(const QString& folder)> canList;
    // A folder that is there and could not be listed, so that nothing tells what it holds; a
    // missing one is simply empty. A folder that cannot even be looked at (no right to search
    // its parent, a share that fails) is no missing one.
    static bool isUnlisted(const QString& folder);
    // The path of the file name in folder whatever the case of its name, as on the studio's
    // shares: IMG_1.JPG on disk is found for the name IMG_1.jpg. folder + name when none is there.
    static QString pathInFolder(const QString& folder, const QString& name);
    // The file name of a path with its extension lower-cased: a/b/IMG_1.JPG gives IMG_1.jpg.
    static QString getFileName(QString path);
    static int getImageIndex(QString name);
    // The local mount path of a Windows share path sent by the back end:
    // \\server\share\dir gives the volumes root + "share/dir".
    static QString changeIntoMacPath(QString path);
    static bool hide(QString path);

private:
    static bool hideOnWin(QString path);
    static bool hideOnMac(QString path);
};

// Qt key code of a shortcut key name of the user settings: "F1" to "F35", or one character.
// 0 for a name that names no key.
int returnKeyValue(QString name);

#endif // FILEOPERATION_H
