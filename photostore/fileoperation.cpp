#include "photostore/fileoperation.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/picturecache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// What lies at a path, the entry itself: a link is looked at, never followed.
enum class Entry { None, File, Folder, Other };

Entry entryAt(const QString& path, struct stat* info = nullptr)
{
    struct stat own;
    struct stat* st = info ? info : &own;
    if (::lstat(QFile::encodeName(path).constData(), st) != 0)
        return Entry::None;
    if (S_ISREG(st->st_mode))
        return Entry::File;
    return S_ISDIR(st->st_mode) ? Entry::Folder : Entry::Other;
}

// A short stand-in for a file name, for helper files beside it whose names must fit
// however long the name is.
QString nameHash(const QString& name)
{
    return QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// A free name beside path for setting aside a file that a move replaces: hidden and without
// the photo's extension, so that a listing never takes it for a photo. It carries the
// photo's name where that fits in a folder entry, a hash of it otherwise.
QString asideName(const QString& path)
{
    const QFileInfo info(path);
    QString stem = QStringLiteral(".") + info.fileName() + QStringLiteral(".replaced");
    // 255 bytes per entry, less room for a number.
    if (QFile::encodeName(stem).size() > 250)
        stem = QStringLiteral(".") + nameHash(info.fileName()) + QStringLiteral(".replaced");
    stem = info.absolutePath() + QLatin1Char('/') + stem;
    QString candidate = stem;
    for (int n = 1; entryAt(candidate) != Entry::None; ++n)
        candidate = stem + QString::number(n);
    return candidate;
}

// Renames without ever replacing what lies at to, a link or a dangling link included.
// 0, or the system's error code.
int renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
#endif
    // A file system without an exclusive rename: a hard link never replaces either.
    if (::link(source.constData(), target.constData()) == 0) {
        if (::unlink(source.constData()) == 0)
            return 0;
        const int error = errno;
        ::unlink(target.constData());
        return error;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    // Nor hard links (some shares): look, then rename.
    if (entryAt(to) != Entry::None)
        return EEXIST;
    return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

// Copies source to a new hidden file in target's folder and checks every step: every byte
// written, flushed and synced, and the size equal to the source's. The copy's path, or an
// empty string (with the error code in error) when it is not whole; nothing is left then.
QString verifiedCopy(const QString& source, const QString& target, int* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = entryAt(source) == Entry::None ? ENOENT : EIO;
        return QString();
    }
    struct stat from;
    if (::fstat(in.handle(), &from) != 0 || !S_ISREG(from.st_mode)) {
        *error = EIO;
        return QString();
    }

    const QFileInfo info(target);
    const QString stem
        = info.absolutePath() + QStringLiteral("/.") + nameHash(info.fileName()) + QStringLiteral(".moving");
    QFile out;
    for (int n = 0; n < 100 && !out.isOpen(); ++n) {
        out.setFileName(n == 0 ? stem : stem + QString::number(n));
        // NewOnly: never opened through a link, never onto someone else's copy.
        const bool isOpen = out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
        if (!isOpen && entryAt(out.fileName()) == Entry::None) {
            *error = EIO;
            return QString();
        }
    }
    if (!out.isOpen()) {
        *error = EEXIST;
        return QString();
    }

    bool isWhole = true;
    qint64 copied = 0;
    QByteArray block(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0) {
            isWhole = false;
            break;
        }
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got) {
            isWhole = false;
            break;
        }
        copied += got;
    }
    struct stat to;
    isWhole = isWhole && out.flush() && ::fsync(out.handle()) == 0 && ::fstat(out.handle(), &to) == 0
        && copied == qint64(from.st_size) && qint64(to.st_size) == copied;
    if (isWhole)
        ::fchmod(out.handle(), from.st_mode & 07777);
    out.close();
    isWhole = isWhole && out.error() == QFileDevice::NoError;
    if (!isWhole) {
        out.remove();
        *error = ENOSPC;
        return QString();
    }
    return out.fileName();
}

// Where a rename cannot be done in place (another device, a file system that refuses it):
// a verified copy is put in place, without replacing, and only then is the source removed.
// 0 or an error code; on failure the source and the target's place are as they were.
int copyThenRemove(const QString& source, const QString& target)
{
    // A source already gone leaves the target's place alone: it is another station's move.
    if (entryAt(source) == Entry::None)
        return ENOENT;
    if (entryAt(target) != Entry::None)
        return EEXIST;
    int error = 0;
    const QString copy = verifiedCopy(source, target, &error);
    if (copy.isEmpty())
        return error;
    error = renameNoReplace(copy, target);
    if (error != 0) {
        QFile::remove(copy);
        return error;
    }
    if (::unlink(QFile::encodeName(source).constData()) != 0) {
        // Two copies would be no move; and a source someone else took is theirs to report.
        error = errno;
        QFile::remove(target);
        return error;
    }
    return 0;
}

// One attempt to put source in target's empty place. 0, or the error code: ENOENT when
// the source is gone, EEXIST when something is in the target's place.
int placeFile(const QString& source, const QString& target)
{
    const int error = renameNoReplace(source, target);
    switch (error) {
    case 0:
    case ENOENT:
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR:
    case ENOTDIR:
    case ENAMETOOLONG:
        return error;
    default:
        return copyThenRemove(source, target);
    }
}
} // namespace

bool FileOperation::fileMove(QString const& source, QString const& target, bool const& replace)
{
    if (source.isEmpty() || target.isEmpty() || !QFile::exists(source))
        return false;
    if (source == target)
        return true;
    // Photos are files; a folder is never carried off under a photo's name.
    struct stat from;
    if (!QFileInfo(source).isFile() || entryAt(source, &from) == Entry::None)
        return false;

    const QString folder = QFileInfo(target).absolutePath();
    if (!folder.isEmpty() && !QDir(folder).exists() && !QDir().mkpath(folder))
        return false;

    // The rename's own result decides: another station may move the same photo at the same
    // time, and exactly one rename of it succeeds.
    int error = placeFile(source, target);
    if (error == EEXIST && replace) {
        // A file being replaced is only set aside until the photo has arrived: deleting it
        // first would lose it whenever the move then fails. Whatever is in the target's
        // place but a folder is replaced, a link as a link.
        struct stat there;
        const Entry entry = entryAt(target, &there);
        const bool isSource = entry != Entry::None && there.st_dev == from.st_dev && there.st_ino == from.st_ino;
        if (entry == Entry::Folder || isSource)
            return false;
        const QString aside = asideName(target);
        if (entry != Entry::None && renameNoReplace(target, aside) != 0)
            return false;
        error = placeFile(source, target);
        if (entry != Entry::None) {
            if (error == 0) {
                if (!removeFile(aside))
                    qCWarning(lcPhotoStore).noquote() << "replaced file kept as" << aside;
            } else if (renameNoReplace(aside, target) != 0) {
                qCWarning(lcPhotoStore).noquote() << "replaced file could not be put back, kept as" << aside;
            }
        }
    }
    // Not moved: a source already gone (another station's move) included.
    if (error != 0)
        return false;
    PictureCache::shared().forget(source);
    PictureCache::shared().forget(target);

    // A link keeps its own times; stamping it would stamp the file it leads to.
    if (entryAt(target) == Entry::File) {
        const QDateTime now = QDateTime::currentDateTime();
        ChangeFileDateTime(now, now, target);
    }
    return true;
}

int FileOperation::ChangeFileDateTime(QDateTime access, QDateTime modification, QString path)
{
    if (path.isEmpty() || access.isNull() || !access.isValid() || modification.isNull() || !modification.isValid())
        return -1;
    // Whole seconds, as the album order by date compares them. Setting the times through
    // Qt keeps them right across daylight saving and for any file name encoding.
    access = QDateTime::fromSecsSinceEpoch(access.toSecsSinceEpoch());
    modification = QDateTime::fromSecsSinceEpoch(modification.toSecsSinceEpoch());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const bool ok = file.setFileTime(access, QFileDevice::FileAccessTime)
        && file.setFileTime(modification, QFileDevice::FileModificationTime);
    return ok ? 0 : -1;
}

bool FileOperation::copyFile(QString source, QString target, bool overwrite)
{
    target.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (source == target)
        return true;
    if (!QFile::exists(source))
        return false;
    if (QFile::exists(target) && overwrite)
        QFile::remove(target);
    const bool copied = QFile::copy(source, target);
    PictureCache::shared().forget(target);
    return copied;
}

bool FileOperation::copyDir(QString source, QString target, bool overwrite)
{
    const QDir sourceDir(source);
    const QDir targetDir(target);
    if (!targetDir.exists() && !QDir().mkdir(targetDir.absolutePath()))
        return false;

    const QFileInfoList entries
        = sourceDir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    int done = 0;
    for (const QFileInfo& entry : entries) {
        ++done;
        qCDebug(lcPhotoStore).noquote() << "复制目录" + QString::number(done * 100.0 / entries.size(), 'f', 2) + "%";
        const QString to = targetDir.filePath(entry.fileName());
        if (entry.isDir() && !entry.isSymLink()) {
            if (!copyDir(entry.filePath(), to, overwrite))
                return false;
        } else {
            if (overwrite && QFile::exists(to))
                QFile::remove(to);
            if (!QFile::copy(entry.filePath(), to))
                return false;
        }
    }
    return true;
}

bool FileOperation::removeFile(QString path)
{
    // Only a file's own mode is widened: through a link it would change the file it leads to.
    if (entryAt(path) == Entry::File)
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    PictureCache::shared().forget(path);
    return QFile::remove(path);
}

bool FileOperation::removeDir(QString path)
{
    PictureCache::shared().forgetFolder(path);
    QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        return false;
    const QFileInfoList entries
        = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        // A link to a folder is removed as a link: following it would empty a folder
        // outside the tree being deleted.
        if (entry.isDir() && !entry.isSymLink()) {
            removeDir(entry.absoluteFilePath());
            dir.rmdir(entry.fileName());
        } else {
            removeFile(entry.absoluteFilePath());
        }
    }
    const QString absolute = dir.absolutePath();
    if (!QDir(absolute).exists())
        return true;
    return QDir().rmdir(absolute);
}

bool FileOperation::removeDirThenMake(QString path)
{
    removeDir(path);
    return makeDir(path);
}

bool FileOperation::makeDir(QString path)
{
    if (QDir(path).exists())
        return true;
    return QDir().mkdir(path);
}

bool FileOperation::isDirExist(QString path)
{
    return QDir(path).exists();
}

namespace {

bool listsToItsEnd(const QString& folder)
{
    // QDir gives an empty listing for a folder it cannot read, which reads as an empty album.
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    errno = 0;
    while (::readdir(dir)) { }
    const bool isRead = errno == 0;
    ::closedir(dir);
    return isRead;
}

} // namespace

std::function<bool(const QString& folder)> FileOperation::canList = listsToItsEnd;

bool FileOperation::isUnlisted(const QString& folder)
{
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    return S_ISDIR(info.st_mode) && !canList(folder);
}

bool FileOperation::isFileExist(QString path)
{
    return QFileInfo(path).isFile();
}

QString FileOperation::pathInFolder(const QString& folder, const QString& name)
{
    const QString plain = folder + name;
    if (name.isEmpty() || QFileInfo::exists(plain))
        return plain;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString camera = folder + name.left(dot + 1) + name.mid(dot + 1).toUpper();
        if (QFileInfo::exists(camera))
            return camera;
    }
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + entry;
    return plain;
}

QString FileOperation::getFileName(QString path)
{
    const QString name = path.section(QLatin1Char('/'), -1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    // A name without an extension is its own file name.
    if (dot < 0)
        return name;
    return name.left(dot) + QLatin1Char('.') + name.mid(dot + 1).toLower();
}

int FileOperation::getImageIndex(QString name)
{
    const QString stem = name.section(QLatin1Char('.'), 0, 0);
    bool ok = false;
    const int index = stem.right(3).toInt(&ok, 10);
    return ok ? index : 0;
}

QString FileOperation::changeIntoMacPath(QString path)
{
    if (path.isEmpty())
        return QString();
    // A path already under a mount root is a local path: mapping it again would nest it.
    if (path.startsWith(Config::volumesRoot) || path.startsWith(QLatin1String("/Volumes/"))
        || path.startsWith(QLatin1String("/volumes/")))
        return path;
    // A share path written with forward slashes names its server the same way.
    if (path.startsWith(QLatin1String("//")))
        path.replace(0, 2, QStringLiteral("\\\\"));

    const QString head = path.left(2);
    QString rest = path.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList pieces = (head + rest).split(QLatin1Char('/'), Qt::KeepEmptyParts);
    // The first piece names the server; the share is mounted under the volumes root.
    pieces.removeFirst();
    QString root = Config::volumesRoot;
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    QString result = root;
    for (const QString& piece : pieces)
        result += QLatin1Char('/') + piece;
    return result;
}

bool FileOperation::hide(QString path)
{
    return hideOnMac(path);
}

bool FileOperation::hideOnWin(QString)
{
    return false;
}

bool FileOperation::hideOnMac(QString)
{
    return false;
}

int returnKeyValue(QString name)
{
    qCDebug(lcPhotoStore) << "ke===" << name;
    if (name.size() > 1 && name.at(0) == QLatin1Char('F')) {
        bool ok = false;
        const int n = name.mid(1).toInt(&ok, 10);
        if (!ok || n < 1 || n > 35)
            return 0;
        const int code = Qt::Key_F1 + n - 1;
        qCDebug(lcPhotoStore) << "FX===" << code;
        return code;
    }
    if (name.size() != 1)
        return 0;
    // A single letter, either case: Qt's code of the upper-case letter. Nothing else is a key name.
    const QChar c = name.at(0).toUpper();
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        return c.unicode();
    return 0;
}
