#include "exchange/n8fileinfo.h"

#include <utility>

N8FileInfo::N8FileInfo(const QString& source, const QString& target)
    : fromPath(source)
    , toPath(target)
{
}

QString N8FileInfo::getFromPath() const
{
    return fromPath;
}

QString N8FileInfo::getToPath() const
{
    return toPath;
}

void N8FileInfo::setFromPath(QString path)
{
    fromPath = std::move(path);
}

void N8FileInfo::setToPath(QString path)
{
    toPath = std::move(path);
}
