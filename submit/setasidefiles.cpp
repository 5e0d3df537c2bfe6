#include "submit/setasidefiles.h"

#include "core/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace SetAsideFiles {

FolderCounts countFolders(const QString& deletedPath, const QString& finePath)
{
    FolderCounts counts;
    if (!deletedPath.isEmpty()) {
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
    if (!finePath.isEmpty())
        counts.fineJpegs = QDir(finePath).entryList({QStringLiteral("*.jpg")}).size();
    return counts;
}

QStringList removeFilesBelow(const QString& path)
{
    QStringList failed;
    if (path.isEmpty())
        return failed;
    const QFileInfoList entries
        = QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
            QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            failed += removeFilesBelow(entry.absoluteFilePath());
            continue;
        }
        qCDebug(lcSubmit) << "remove file  : " << entry.absoluteFilePath();
        if (!QFile::remove(entry.absoluteFilePath()))
            failed << entry.absoluteFilePath();
    }
    return failed;
}

} // namespace SetAsideFiles
