#include "tools/markpost.h"

#include "core/config.h"
#include "core/formbody.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace MarkPost {

QByteArray loadBody(const QString& picName)
{
    return "&"
        + FormBody()
              .add(QStringLiteral("order_photo_id"), Config::order_id)
              .add(QStringLiteral("companyid"), Config::super_id)
              .add(QStringLiteral("picname"), picName)
              .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
              .toByteArray();
}

QByteArray saveBody(const QStringList& marks, const QString& picName)
{
    const QByteArray json = QJsonDocument(QJsonArray::fromStringList(marks)).toJson(QJsonDocument::Indented);
    return "&"
        + FormBody()
              .add(QStringLiteral("order_photo_id"), Config::order_id)
              .add(QStringLiteral("mark"), QString::fromUtf8(json))
              .add(QStringLiteral("picname"), picName)
              .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
              .toByteArray();
}

} // namespace MarkPost
