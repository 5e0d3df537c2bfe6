#include "tools/cropremarkpost.h"

#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "photostore/croprect.h"
#include <QJsonObject>
#include <QNetworkReply>

QByteArray CropRemarkPost::body(const QString& name, const QString& descr, const QRect& rect, bool ellipse)
{
    return FormBody::withToken()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("picname"), name)
        .add(QStringLiteral("descr"), descr)
        .add(QStringLiteral("picx"), rect.left())
        .add(QStringLiteral("picy"), rect.top())
        .add(QStringLiteral("picwidth"), QString::number(CropRect::width(rect)))
        .add(QStringLiteral("picheight"), QString::number(CropRect::height(rect)))
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .add(QStringLiteral("pictype"), ellipse ? QStringLiteral("1") : QStringLiteral("0"))
        .toByteArray();
}

CropRemarkPost::Result CropRemarkPost::readReply(const BackendReply& reply)
{
    Result result;
    result.ok = reply.isSuccess();
    if (!result.ok)
        result.errorText = reply.failureText(QStringLiteral("提交裁剪信息错误："));
    return result;
}
