#include "photostore/fileoperation.h"

#include "core/config.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A free name beside path for setting aside a file that a move replaces: hidden and without
// the photo's extension, so that a listing never takes it for a photo.
QString asideName(const QString& path)
{
    const QFileInfo info(path);
    const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".replaced");
    QString candidate = stem;
    for (int n = 1; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + QString::number(n);
    return candidate;
}

bool renameFile(const QString& from, const QString& to)
{
    if (QFile::rename(from, to))
        return true;
    QFile again(from);
    return again.rename(to);
}
}

bool FileOperation::fileMove(QString const& source, QString const& target, bool const& replace)
{
    if (source.isEmpty() || target.isEmpty() || !QFile::exists(source))
        return false;
    if (source == target)
        return true;
    // Photos are files; a folder is never carried off under a photo's name.
    if (!QFileInfo(source).isFile())
        return false;

    const QString folder = QFileInfo(target).absolutePath();
    if (!folder.isEmpty() && !QDir(folder).exists() && !QDir().mkpath(folder))
        return false;

    // A file being replaced is only set aside until the photo has arrived: deleting it first
    // would lose it whenever the rename then fails.
    // Only a plain file is replaced; a folder of that name makes the move fail.
    QString aside;
    if (replace && QFile::exists(target)) {
        if (!QFileInfo(target).isFile())
            return false;
        aside = asideName(target);
        if (!renameFile(target, aside))
            return false;
    }

    // QFile::rename never replaces an existing target, so with replace false both files stay.
    // Across volumes it copies and removes the copy again when the source cannot go.
    bool moved = renameFile(source, target);
    if (moved && (QFile::exists(source) || !QFileInfo(target).isFile())) {
        // Reported done but not done (the same file under two spellings, say): touch nothing more.
        qWarning().noquote() << "move not done:" << source << "->" << target;
        moved = false;
    }

    if (!aside.isEmpty()) {
        if (moved) {
            if (!removeFile(aside))
                qWarning().noquote() << "replaced file kept as" << aside;
        } else if (!QFile::exists(target) && !renameFile(aside, target)) {
            qWarning().noquote() << "replaced file could not be put back, kept as" << aside;
        }
    }

    if (moved) {
        const QDateTime now = QDateTime::currentDateTime();
        ChangeFileDateTime(now, now, target);
    }
    return moved;
}

int FileOperation::ChangeFileDateTime(QDateTime access, QDateTime modification, QString path)
{
    if (path.isEmpty() || access.isNull() || !access.isValid() || modification.isNull()
        || !modification.isValid())
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
    return QFile::copy(source, target);
}

bool FileOperation::copyDir(QString source, QString target, bool overwrite)
{
    const QDir sourceDir(source);
    const QDir targetDir(target);
    if (!targetDir.exists() && !QDir().mkdir(targetDir.absolutePath()))
        return false;

    const QFileInfoList entries = sourceDir.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    int done = 0;
    for (const QFileInfo& entry : entries) {
        ++done;
        qDebug().noquote() << "复制目录" + QString::number(done * 100.0 / entries.size(), 'f', 2) + "%";
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
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return QFile::remove(path);
}

bool FileOperation::removeDir(QString path)
{
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

bool FileOperation::isFileExist(QString path)
{
    return QFileInfo(path).isFile();
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
    qDebug() << "ke===" << name;
    if (name.size() > 1 && name.at(0) == QLatin1Char('F')) {
        bool ok = false;
        const int n = name.mid(1).toInt(&ok, 10);
        if (!ok || n < 1 || n > 35)
            return 0;
        const int code = Qt::Key_F1 + n - 1;
        qDebug() << "FX===" << code;
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
