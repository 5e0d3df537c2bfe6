#include "exchange/n8sharepath.h"

#include <QJsonValue>
#include <QStringList>

namespace N8SharePath {

namespace {

Local failure(const QString& error)
{
    return Local {QString(), error};
}

bool isDrive(const QString& path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).unicode() < 128 && path.at(0).isLetter()
        && (path.size() == 2 || path.at(2) == QLatin1Char('/'));
}

// The path's segments, led by "//" for a UNC path and "/" for an absolute one, so that a
// prefix of one kind never matches a path of another.
QStringList keySegments(const QString& path)
{
    QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (path.startsWith(QLatin1String("//")))
        segments.prepend(QStringLiteral("//"));
    else if (path.startsWith(QLatin1Char('/')))
        segments.prepend(QStringLiteral("/"));
    return segments;
}

// The share of an unmapped path, as the operator knows it.
QString shareName(const QStringList& segments, bool unc, bool drive)
{
    if (unc)
        return QStringLiteral("\\\\") + segments.mid(1, 2).join(QLatin1Char('\\'));
    if (drive)
        return segments.first();
    return QLatin1Char('/') + segments.value(1);
}

bool startsWith(const QStringList& segments, const QStringList& prefix)
{
    if (prefix.size() > segments.size())
        return false;
    for (int i = 0; i < prefix.size(); ++i)
        if (segments.at(i).compare(prefix.at(i), Qt::CaseInsensitive) != 0) // Windows names ignore case
            return false;
    return true;
}

} // namespace

Local toLocal(const QString& n8path)
{
    return toLocal(n8path, Deployment::n8Shares());
}

Local toLocal(const QString& n8path, const QList<Deployment::N8Share>& shares)
{
    if (n8path.trimmed().isEmpty())
        return failure(QStringLiteral("N8路径为空"));
    QString path = n8path;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool unc = path.startsWith(QLatin1String("//"));
    const bool drive = isDrive(path);
    if (!unc && !drive && !path.startsWith(QLatin1Char('/')))
        return failure(QStringLiteral("N8路径不是完整路径：") + n8path);

    QStringList segments = keySegments(path);
    segments.removeAll(QStringLiteral("."));
    if (segments.contains(QStringLiteral("..")))
        return failure(QStringLiteral("N8路径含有“..”，不予使用：") + n8path);
    if (unc && segments.size() < 3) // a server without a share is no folder
        return failure(QStringLiteral("N8路径不是完整路径：") + n8path);

    // The longest configured prefix wins, so "\\srv\share\store" may live apart from "\\srv\share".
    const Deployment::N8Share* best = nullptr;
    int bestLength = 0;
    for (const Deployment::N8Share& share : shares) {
        const QStringList prefix = keySegments(share.prefix);
        if (prefix.size() > bestLength && startsWith(segments, prefix)) {
            best = &share;
            bestLength = prefix.size();
        }
    }
    // Nothing is taken as it stands, an absolute path included: a path of the back end may
    // lead only into a folder the deployment has named.
    if (!best)
        return failure(QStringLiteral("N8共享 ") + shareName(segments, unc, drive)
            + QStringLiteral(" 没有配置本机位置（PHOTOSELECT_N8_SHARES）：") + n8path);
    QString local = best->localRoot;
    for (const QString& segment : segments.mid(bestLength)) {
        if (!local.endsWith(QLatin1Char('/')))
            local += QLatin1Char('/');
        local += segment;
    }
    return Local {local, QString()};
}

QString fieldError(const QJsonObject& reply, const QString& key)
{
    if (reply.value(key).toString().trimmed().isEmpty())
        return QStringLiteral("N8路径信息不完整：后台没有给出 ") + key;
    return QString();
}

} // namespace N8SharePath
