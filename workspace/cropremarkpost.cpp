#include "workspace/cropremarkpost.h"

#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"

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
        .add(QStringLiteral("picwidth"), rect.width())
        .add(QStringLiteral("picheight"), rect.height())
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .add(QStringLiteral("pictype"), ellipse ? QStringLiteral("1") : QStringLiteral("0"))
        .toByteArray();
}

void CropRemarkPost::readReply(QNetworkReply* reply)
{
    QJsonObject object;
    if (!HttpRequest::readObject(reply, &object))
        return;
    if (object.value(QStringLiteral("code")).toString() != QLatin1String("1"))
        Prompt::information(nullptr, QStringLiteral("警告"),
                            QStringLiteral("提交裁剪信息错误：") + object.value(QStringLiteral("message")).toString(),
                            QMessageBox::Yes, QMessageBox::Yes);
}
