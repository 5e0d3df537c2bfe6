#include "submit/submissionbody.h"

#include "core/config.h"

#include <QtMath>

#include <cmath>

namespace SubmissionBody {

FormBody head(const SubmissionFields& f)
{
    FormBody body = FormBody::withToken();
    body.add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("morephotonumber"), f.morephotonumber)
        .add(QStringLiteral("activenumber"), f.activenumber)
        .add(QStringLiteral("freephotonumber1"), f.freephotonumber1)
        .add(QStringLiteral("freephotonumber2"), f.freephotonumber2)
        .add(QStringLiteral("freephotonumber3"), f.freephotonumber3)
        .add(QStringLiteral("buynumber"), f.buynumber)
        .add(QStringLiteral("yqnumber"), f.yqnumber)
        .add(QStringLiteral("designnum"), f.designnum)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("uid"), Config::manager_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid);
    // A locked order has been counted before; its counts are not sent again.
    if (!f.isLocked)
        body.add(QStringLiteral("lastpic"), f.lastpic).add(QStringLiteral("lastrepairpic"), f.lastrepairpic);
    // Products that are all urgent have no pickup date of their own.
    if (!f.isAllUrgent) {
        body.add(QStringLiteral("getphotodate"), f.getphotodate);
        if (!f.getphotoareaName.isEmpty())
            body.add(QStringLiteral("getphotoareaid"), f.getphotoareaid);
    }
    if (!f.t_movie_time.isEmpty())
        body.add(QStringLiteral("t_movie_time"), f.t_movie_time);
    return body;
}

void addPhotoLists(FormBody& body, const SubmissionFields& f)
{
    body.add(QStringLiteral("finalpicpaths"), f.finalpicpaths)
        .add(QStringLiteral("finalpicnum"), f.finalpicnum)
        .add(QStringLiteral("deletepicpaths"), f.deletepicpaths)
        .add(QStringLiteral("deletepicnum"), f.deletepicnum);
}

QString radioValue(int index, const QString& first)
{
    switch (index) {
    case 0:
        return first;
    case 1:
        return QStringLiteral("1");
    case 2:
        return QStringLiteral("2");
    default:
        return QString();
    }
}

QByteArray mainBody(const SubmissionFields& f)
{
    FormBody body = head(f);
    // An unset date is sent as "0" with its period, so the back end clears it.
    if (!f.comparedate.isEmpty()) {
        body.add(QStringLiteral("CompareDate"), f.comparedate);
        if (!f.kanbanareaid.isEmpty())
            body.add(QStringLiteral("kanbanareaid"), f.kanbanareaid);
    } else {
        body.add(QStringLiteral("CompareDate"), QStringLiteral("0"))
            .add(QStringLiteral("kanbanareaid"), QStringLiteral("0"));
    }
    if (!f.checktruing.isEmpty()) {
        body.add(QStringLiteral("checktruing"), f.checktruing);
        if (!f.kanjingxiuareaid.isEmpty())
            body.add(QStringLiteral("kanjingxiuareaid"), f.kanjingxiuareaid);
    } else {
        body.add(QStringLiteral("checktruing"), QStringLiteral("0"))
            .add(QStringLiteral("kanjingxiuareaid"), QStringLiteral("0"));
    }
    const QString undecided = QStringLiteral("3");
    body.add(QStringLiteral("type"), f.isPart ? QStringLiteral("1") : QStringLiteral("0"))
        .add(QStringLiteral("isurgentphoto"), f.isUrgentPhoto ? QStringLiteral("1") : QStringLiteral("0"))
        .add(QStringLiteral("good_type"), radioValue(f.goodType, undecided))
        .add(QStringLiteral("islook_effect"), radioValue(f.lookEffect, undecided))
        .add(QStringLiteral("kjxway"), radioValue(f.kjxWay, undecided))
        .add(QStringLiteral("isems"), f.isEms ? QStringLiteral("2") : QStringLiteral("0"));
    addPhotoLists(body, f);
    body.add(QStringLiteral("twosales"), f.twosales)
        .add(QStringLiteral("one_price"), f.one_price)
        .add(QStringLiteral("two_price"), f.two_price)
        .add(QStringLiteral("role12"), f.role12)
        .add(QStringLiteral("fwqlc_num"), f.fwqlc_num);
    return body.toByteArray();
}

namespace {

// An amount in whole cents; a text that is no finite number counts 0, and amounts beyond
// any sale are clamped rather than overflowing.
qint64 cents(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    const double limit = 1e15;
    return qint64(std::llround(qBound(-limit, value * 100.0, limit)));
}

} // namespace

bool amountsAddUp(const QString& first, const QString& second, const QString& total)
{
    return cents(first) + cents(second) == cents(total);
}

} // namespace SubmissionBody
