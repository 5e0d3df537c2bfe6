#include "upload/uploadbody.h"

#include "core/config.h"

#include <QRandomGenerator>

namespace {

QByteArray textPart(const QByteArray& disposition, const QByteArray& body)
{
    return "Content-Type: text/plain\r\nContent-Disposition: " + disposition + "\r\n\r\n" + body;
}

QByteArray randomBoundary()
{
    QByteArray bytes(24, Qt::Uninitialized);
    QRandomGenerator* random = QRandomGenerator::global();
    for (char& c : bytes)
        c = char(random->bounded(256));
    return "boundary_.oOo._" + bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

} // namespace

bool UploadBody::quoted(const QString& text, QByteArray* out)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray result = "\"";
    for (char c : utf8) {
        if (c == '\r' || c == '\n')
            return false;
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    *out = result + '"';
    return true;
}

QList<QPair<QString, QString>> UploadBody::orderFields(int imageIndex)
{
    return {
        {QStringLiteral("orderpayforkey"), Config::orderpayforkey},
        {QStringLiteral("application"), QStringLiteral("xuanpian")},
        {QStringLiteral("shopid"), Config::shop_id},
        {QStringLiteral("booktime"), Config::book_time},
        {QStringLiteral("imageindex"), QString::number(imageIndex)},
        {QStringLiteral("servicetimes"), Config::orderServNum},
        {QStringLiteral("order_photo_id"), Config::order_id},
        {QStringLiteral("order_sample_infoid"), Config::order_sample_infoid},
        {QStringLiteral("orderid"), Config::orderOneId},
        {QStringLiteral("upload_personid"), Config::manager_id},
    };
}

UploadBody UploadBody::build(Kind kind, const QString& fileName, const QString& path, const QByteArray& fileBytes,
    const QList<QPair<QString, QString>>& fields)
{
    UploadBody result;
    QByteArray name;
    QByteArray file;
    if (!quoted(fileName, &name) || !quoted(path, &file)) {
        result.error = QStringLiteral("line break in the file name or path: ") + path;
        return result;
    }
    QList<QByteArray> parts;
    // One "type" at most: the folder the picture came from decides it.
    if (kind == Mark)
        parts << textPart("form-data; name=\"type\"", "2");
    else if (kind == Crop)
        parts << textPart("form-data; name=\"type\"", "3");
    parts << "Content-Type: image/jpg\r\nContent-Disposition: form-data; name=" + name + "; filename=" + file
            + "\r\n\r\n" + fileBytes;
    for (const auto& field : fields) {
        QByteArray key;
        if (!quoted(field.first, &key)) {
            result.error = QStringLiteral("line break in a field name");
            return result;
        }
        parts << textPart("form-data; name=" + key, field.second.toUtf8());
    }

    // A boundary that occurs inside a part would cut it; draw again (practically never).
    QByteArray boundary = randomBoundary();
    auto occurs = [&parts](const QByteArray& b) {
        for (const QByteArray& part : qAsConst(parts))
            if (part.contains(b))
                return true;
        return false;
    };
    while (occurs(boundary))
        boundary = randomBoundary();

    for (const QByteArray& part : qAsConst(parts))
        result.body += "--" + boundary + "\r\n" + part + "\r\n";
    result.body += "--" + boundary + "--\r\n";
    result.contentType = "multipart/form-data; boundary=\"" + boundary + '"';
    return result;
}
