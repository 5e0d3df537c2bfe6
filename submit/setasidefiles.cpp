#include "submit/setasidefiles.h"

#include "core/logging.h"
#include "photostore/fileoperation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace SetAsideFiles {

FolderCounts countFolders(const QString& deletedPath, const QString& finePath)
{
    FolderCounts counts;
    if (!deletedPath.isEmpty() && FileOperation::isUnlisted(deletedPath)) {
        counts.unreadable << QStringLiteral("汰片");
    } else if (!deletedPath.isEmpty()) {
        // The default listing: "." and ".." included, sorted by name regardless of case.
        const QStringList entries = QDir(deletedPath).entryList(QDir::NoFilter, QDir::Name | QDir::IgnoreCase);
        for (int i = 0; i < entries.size(); ++i) {
            const QString name = entries.at(i).toLower();
            if (!name.contains(QLatin1String(".jpg")))
                continue;
            counts.deletepicpaths += name;
            if (i != entries.size() - 1)
                counts.deletepicpaths += QLatin1Char(',');
            ++counts.deletedJpegs;
        }
    }
    if (!finePath.isEmpty()) {
        // One listing, for the count (every entry named "*.jpg", any case) and for the photos
        // (the files among them; hidden ones, the "._" companions Macs leave on shares, are none).
        const QDir fine(finePath);
        counts.hasFineFolder = fine.exists();
        if (FileOperation::isUnlisted(finePath)) {
            counts.unreadable << QStringLiteral("成品");
            return counts;
        }
        const QFileInfoList entries
            = fine.entryInfoList({QStringLiteral("*.jpg")}, QDir::NoFilter, QDir::Name | QDir::IgnoreCase);
        counts.fineJpegs = entries.size();
        for (const QFileInfo& entry : entries)
            if (entry.isFile())
                counts.finePhotos << FileOperation::getFileName(entry.fileName());
    }
    return counts;
}

QStringList selectionNames(const QStringList& listed, const FolderCounts& counts)
{
    if (!counts.hasFineFolder)
        return listed;
    QHash<QString, int> inFolder;
    for (const QString& name : counts.finePhotos)
        ++inFolder[name];
    QStringList names;
    for (const QString& name : listed) {
        auto found = inFolder.find(name);
        if (found == inFolder.end() || found.value() == 0)
            continue;
        --found.value();
        names << name;
    }
    for (const QString& name : counts.finePhotos) {
        auto found = inFolder.find(name);
        if (found.value() == 0)
            continue;
        --found.value();
        names << name;
    }
    return names;
}

Removal removeFilesBelow(const QString& path)
{
    Removal removal;
    if (path.isEmpty())
        return removal;
    if (FileOperation::isUnlisted(path)) {
        removal.unlisted << path;
        return removal;
    }
    const QFileInfoList entries
        = QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
            QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            const Removal below = removeFilesBelow(entry.absoluteFilePath());
            removal.failed += below.failed;
            removal.unlisted += below.unlisted;
            continue;
        }
        qCDebug(lcSubmit) << "remove file  : " << entry.absoluteFilePath();
        if (!QFile::remove(entry.absoluteFilePath()))
            removal.failed << entry.absoluteFilePath();
    }
    return removal;
}

QString removalFailureText(const Removal& removal, const QString& folder, int knownCount)
{
    // The folder itself could not be listed: what it held when the dialog counted it stayed.
    if (removal.unlisted.contains(folder))
        return QStringLiteral("汰片文件夹无法读取，%1 张汰片未能删除").arg(knownCount);
    // A sub-folder that could not be listed holds an unknown number more.
    if (!removal.unlisted.isEmpty())
        return QStringLiteral("%1 张汰片未能删除，另有 %2 个文件夹无法读取")
            .arg(removal.failed.size())
            .arg(removal.unlisted.size());
    return removal.failed.isEmpty() ? QString() : QStringLiteral("%1 张汰片未能删除").arg(removal.failed.size());
}

} // namespace SetAsideFiles
