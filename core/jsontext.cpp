#include "core/jsontext.h"

#include <QJsonValue>

#include <cmath>

QString jsonText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (!value.isDouble())
        return QString();
    const double number = value.toDouble();
    // Beyond 2^53 the parser may already have rounded what was sent: no faithful text.
    const double exact = 9007199254740992.0;
    if (!std::isfinite(number) || std::trunc(number) != number || std::fabs(number) > exact)
        return QString();
    return QString::number(qint64(number));
}
