#include "productchanges/orderinforeply.h"

#include "core/jsontext.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QRegularExpression>

#include <cmath>

const QString OrderInfoReply::SampleTimeKey = QStringLiteral("sampletime");
const QString OrderInfoReply::OrderArrearsKey = QStringLiteral("order_arrears");
const QString OrderInfoReply::TwoSalesArrearsKey = QStringLiteral("twosales_arrears");

namespace {

// Keys of "order" shown as they stand.
const char* const ShownKeys[] = {"orderpayforkey", "ordertype", "servicetimes", "bname", "wname", "mname", "s2_name",
    "shopname", "booktime", "role1", "role2", "role5", "selectphotodate", "role12", "role8", "role9", "role10",
    "order_price", "orderdisprice", "twosales", "photonumber", "vipphotonumber", "enternum"};

// Amounts past this many cents are no price: treating them as 0 keeps every difference exact in 64 bits.
const qint64 MaxCents = 100000000000000000LL; // 1e17 cents

QString text(const QJsonObject& object, const char* key)
{
    return jsonText(object.value(QLatin1String(key)));
}

// An amount in whole cents, the third decimal rounded half away from zero; 0 for text that is no amount.
qint64 cents(const QString& amount)
{
    static const QRegularExpression decimal(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QString trimmed = amount.trimmed();
    const QRegularExpressionMatch match = decimal.match(trimmed);
    if (match.hasMatch() && (!match.captured(2).isEmpty() || !match.captured(3).isEmpty())) {
        const QString whole = match.captured(2);
        const QString fraction = match.captured(3) + QStringLiteral("000");
        if (whole.size() > 15)
            return 0;
        qint64 value = whole.isEmpty() ? 0 : whole.toLongLong();
        value = value * 100 + fraction.left(2).toLongLong();
        if (fraction.at(2) >= QLatin1Char('5'))
            ++value;
        return match.captured(1) == QLatin1String("-") ? -value : value;
    }
    // Other forms a number may take ("1e3"): read as a double, rounded to the nearest cent.
    bool isNumber = false;
    const double value = trimmed.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(value) || std::fabs(value) * 100 >= double(MaxCents))
        return 0;
    return std::llround(value * 100);
}

QString formatCents(qint64 value)
{
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const qint64 magnitude = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3").arg(sign).arg(magnitude / 100).arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

QString OrderInfoReply::arrears(const QString& due, const QString& paid)
{
    return formatCents(cents(due) - cents(paid));
}

OrderInfoReply OrderInfoReply::parse(const QJsonObject& reply)
{
    OrderInfoReply result;
    const QJsonObject order = reply.value(QLatin1String("order")).toObject();
    for (const char* key : ShownKeys)
        result.values.insert(QLatin1String(key), text(order, key));
    result.values.insert(
        SampleTimeKey, QStringLiteral("%1:%2").arg(text(order, "samplestarttime"), text(order, "samplestartmin")));
    result.values.insert(OrderArrearsKey, arrears(text(order, "orderdisprice"), text(order, "order_total")));
    result.values.insert(TwoSalesArrearsKey, arrears(text(order, "twosales"), text(order, "order_photo_total")));

    for (const QJsonValue& value : reply.value(QLatin1String("payfor")).toArray()) {
        const QJsonObject element = value.toObject();
        ChangeProducts::PayInfoModelStu record;
        record.type = text(element, "type");
        record.paymentname = text(element, "paymentname");
        record.payfor = text(element, "payfor");
        record.paytype = text(element, "paytype");
        record.createtime = text(element, "createtime");
        record.servicetimes = text(element, "servicetimes");
        result.payments.append(record);
    }
    return result;
}
