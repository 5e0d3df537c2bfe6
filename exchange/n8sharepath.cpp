#include "exchange/n8sharepath.h"

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

// The prefix's segments ("//" stands for the UNC mark, so "//srv/a" and "srv/a" differ).
QStringList keySegments(const QString& path)
{
    QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (path.startsWith(QLatin1String("//")))
        segments.prepend(QStringLiteral("//"));
    return segments;
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
    if (!unc && !drive)
        return Local {QLatin1Char('/') + segments.join(QLatin1Char('/')), QString()};
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
    if (!best) {
        const QString share
            = unc ? QStringLiteral("\\\\") + segments.mid(1, 2).join(QLatin1Char('\\')) : segments.first();
        return failure(QStringLiteral("N8共享 ") + share
            + QStringLiteral(" 没有配置本机位置（PHOTOSELECT_N8_SHARES）：") + n8path);
    }
    QString local = best->localRoot;
    for (const QString& segment : segments.mid(bestLength)) {
        if (!local.endsWith(QLatin1Char('/')))
            local += QLatin1Char('/');
        local += segment;
    }
    return Local {local, QString()};
}

} // namespace N8SharePath
