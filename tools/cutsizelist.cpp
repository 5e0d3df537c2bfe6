#include "tools/cutsizelist.h"

#include "core/replycheck.h"

#include <QJsonArray>

#include <cmath>
#include <limits>

int CutSizeList::readSide(const QString& text)
{
    bool ok = false;
    const int side = text.trimmed().toInt(&ok, 10);
    return ok && side > 0 ? side : 0;
}

int CutSizeList::readSide(const QJsonValue& value)
{
    if (value.isString())
        return readSide(value.toString());
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d >= 1 && d <= std::numeric_limits<int>::max() && d == std::floor(d))
            return int(d);
    }
    return 0;
}

CutSizeList CutSizeList::fromReply(const QJsonObject& reply)
{
    CutSizeList out;
    if (!ReplyCheck::isAccepted(reply)) {
        out.isError = true;
        out.error = reply.value(QStringLiteral("message")).toString();
        return out;
    }
    const QJsonArray sizes = reply.value(QStringLiteral("cutsizes")).toArray();
    for (const QJsonValue& entry : sizes) {
        const QJsonObject size = entry.toObject();
        const int width = readSide(size.value(QStringLiteral("width")));
        const int height = readSide(size.value(QStringLiteral("height")));
        // A side of 0 would give the viewer's frame a ratio divided by zero.
        if (width <= 0 || height <= 0)
            continue;
        const QJsonValue type = size.value(QStringLiteral("type"));
        const bool isRectangle = type.isString() && type.toString() == QLatin1String("0");
        out.sizes.append(Rcpara(width, height, !isRectangle));
    }
    return out;
}
