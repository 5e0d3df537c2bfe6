#include "submit/orderdetailreply.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace DetailValue {

QString text(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? value.toString() : QString();
}

namespace {

qint64 bounded(double value)
{
    // Beyond about 2^63 a conversion would be undefined: such a number counts as none.
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
        return 0;
    return qint64(value);
}

} // namespace

qint64 number(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    return value.isDouble() ? bounded(value.toDouble()) : 0;
}

qint64 integer(const QString& text)
{
    // Kept within half the range, so that a difference of two never overflows.
    const qint64 limit = Q_INT64_C(4000000000000000000);
    bool ok = false;
    const qint64 whole = text.trimmed().toLongLong(&ok, 10);
    if (ok)
        return qBound(-limit, whole, limit);
    const double value = text.trimmed().toDouble(&ok);
    return ok ? qBound(-limit, bounded(value), limit) : 0;
}

} // namespace DetailValue

OrderDetail OrderDetail::parse(const QJsonObject& reply)
{
    using DetailValue::text;
    OrderDetail d;
    const auto clampInt = [](qint64 v) { return int(qBound<qint64>(INT_MIN, v, INT_MAX)); };
    d.editfahuo = clampInt(DetailValue::number(reply, QStringLiteral("editfahuo")));
    d.editkanban = clampInt(DetailValue::number(reply, QStringLiteral("editkanban")));
    d.editkanjingxiu = clampInt(DetailValue::number(reply, QStringLiteral("editkanjingxiu")));

    const QJsonObject order = reply.value(QStringLiteral("order")).toObject();
    d.min_kjxts = DetailValue::number(order, QStringLiteral("min_kjxts"));
    d.max_kjxts = DetailValue::number(order, QStringLiteral("max_kjxts"));
    d.kjx_msg = text(order, QStringLiteral("kjx_msg"));

    d.checktruing = text(order, QStringLiteral("checktruing"));
    const QJsonObject kanjingxiu = order.value(QStringLiteral("kanjinxiuarea")).toObject();
    d.kanjingxiuTime = text(kanjingxiu, QStringLiteral("timeTxt"));
    d.kanjingxiuId = text(kanjingxiu, QStringLiteral("timeId"));
    d.isurgenttime = text(order, QStringLiteral("isurgenttime"));
    d.comparedate = text(order, QStringLiteral("comparedate"));
    const QJsonObject kanban = order.value(QStringLiteral("kanbanarea")).toObject();
    d.kanbanTime = text(kanban, QStringLiteral("timeTxt"));
    d.kanbanId = text(kanban, QStringLiteral("timeId"));
    d.t_movie_time = text(order, QStringLiteral("t_movie_time"));

    d.activenumber = text(order, QStringLiteral("activenumber"));
    d.freephotonumber1 = text(order, QStringLiteral("freephotonumber1"));
    d.freephotonumber2 = text(order, QStringLiteral("freephotonumber2"));
    d.freephotonumber3 = text(order, QStringLiteral("freephotonumber3"));
    d.designnum = text(order, QStringLiteral("designnum"));
    d.buynumber = text(order, QStringLiteral("buynumber"));
    d.yqnumber = text(order, QStringLiteral("yqnumber"));
    d.morephotonumber = text(order, QStringLiteral("morephotonumber"));

    const QJsonObject shopSet = reply.value(QStringLiteral("shop_set")).toObject();
    d.iswyx = text(shopSet, QStringLiteral("iswyx"));
    d.is_two_buy = text(shopSet, QStringLiteral("is_two_buy"));

    d.one_price = text(order, QStringLiteral("one_price"));
    d.two_price = text(order, QStringLiteral("two_price"));
    d.twosales = text(order, QStringLiteral("twosales"));
    d.totaltwosales = text(order, QStringLiteral("totaltwosales"));

    d.pickuptime = text(order, QStringLiteral("pickuptime"));
    const QJsonObject pickup = order.value(QStringLiteral("getphotoarea")).toObject();
    d.getphotoTime = text(pickup, QStringLiteral("timeTxt"));
    d.getphotoId = text(pickup, QStringLiteral("timeId"));

    d.isurgentphoto = text(order, QStringLiteral("isurgentphoto"));
    d.isprintdelwarn = text(reply, QStringLiteral("isprintdelwarn"));
    d.kjxway = text(order, QStringLiteral("kjxway"));
    d.islook_effect = text(order, QStringLiteral("islook_effect"));
    d.good_type = text(order, QStringLiteral("good_type"));
    d.pickuptype = text(order, QStringLiteral("pickuptype"));
    d.type = text(order, QStringLiteral("type"));

    d.isxps = text(reply, QStringLiteral("isxps")) == QLatin1String("1");
    const QString current = text(order, QStringLiteral("role12"));
    d.xpsNames << QStringLiteral("请选择");
    d.xpsIds << QStringLiteral("0");
    const QJsonArray staff = reply.value(QStringLiteral("role12data")).toArray();
    for (int i = 0; i < staff.size(); ++i) {
        const QJsonObject entry = staff.at(i).toObject();
        const QString id = text(entry, QStringLiteral("id"));
        d.xpsNames << text(entry, QStringLiteral("name"));
        d.xpsIds << id;
        if (id == current)
            d.xpsSelected = i + 1;
    }
    return d;
}
