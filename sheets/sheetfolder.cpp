#include "sheets/sheetfolder.h"

#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

// Folders of the windows open now; a folder of no live window is stale.
QSet<QString>& liveFolders()
{
    static QSet<QString> folders;
    return folders;
}

} // namespace

namespace SheetFolder {

QString create()
{
    const QString temp = DirServer::getTempPath();
    FileOperation::makeDir(temp);
    static const QRegularExpression stampName(QStringLiteral("^\\d+$"));
    const QStringList entries = QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString folder = temp + entry + QLatin1Char('/');
        if (stampName.match(entry).hasMatch() && !liveFolders().contains(folder))
            FileOperation::removeDir(folder);
    }

    qint64 stamp = QDateTime::currentMSecsSinceEpoch();
    while (liveFolders().contains(temp + QString::number(stamp) + QLatin1Char('/')))
        ++stamp;
    const QString folder = temp + QString::number(stamp) + QLatin1Char('/');
    liveFolders().insert(folder);
    FileOperation::makeDir(folder);
    return folder;
}

void remove(const QString& folder)
{
    if (folder.isEmpty())
        return;
    liveFolders().remove(folder);
    FileOperation::removeDir(folder);
}

QString photoFile(const QString& folder, const QString& name)
{
    const QString fileName = name.section(QLatin1Char('/'), -1);
    if (QFileInfo::exists(folder + fileName))
        return folder + fileName;
    const QString lowered = FileOperation::getFileName(fileName);
    if (QFileInfo::exists(folder + lowered))
        return folder + lowered;
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + entry;
    return folder + fileName;
}

} // namespace SheetFolder
