#include "standin/multipartform.h"

namespace MultipartForm {

namespace {

// The parameters of a header value ("form-data; name=\"a\"; filename=\"b\""), keys in lower
// case; quoted values lose their quotes and their backslash escapes.
QList<QPair<QByteArray, QByteArray>> parameters(const QByteArray& value)
{
    QList<QPair<QByteArray, QByteArray>> out;
    int i = value.indexOf(';');
    while (i >= 0 && i < value.size()) {
        ++i; // past ';'
        while (i < value.size() && value.at(i) == ' ')
            ++i;
        const int eq = value.indexOf('=', i);
        if (eq < 0)
            break;
        const QByteArray key = value.mid(i, eq - i).trimmed().toLower();
        QByteArray text;
        i = eq + 1;
        if (i < value.size() && value.at(i) == '"') {
            for (++i; i < value.size() && value.at(i) != '"'; ++i) {
                if (value.at(i) == '\\' && i + 1 < value.size())
                    ++i;
                text += value.at(i);
            }
            i = value.indexOf(';', i);
        } else {
            const int end = value.indexOf(';', i);
            text = value.mid(i, end < 0 ? -1 : end - i).trimmed();
            i = end;
        }
        out << qMakePair(key, text);
    }
    return out;
}

bool readPart(const QByteArray& raw, StandInPart* part)
{
    const int headerEnd = raw.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    part->body = raw.mid(headerEnd + 4);
    bool hasDisposition = false;
    for (const QByteArray& line : raw.left(headerEnd).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        const int colon = trimmed.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = trimmed.left(colon).trimmed().toLower();
        const QByteArray value = trimmed.mid(colon + 1).trimmed();
        if (name == "content-type") {
            part->contentType = value;
        } else if (name == "content-disposition") {
            hasDisposition = value.startsWith("form-data");
            for (const auto& p : parameters(value)) {
                if (p.first == "name") {
                    part->name = QString::fromUtf8(p.second);
                } else if (p.first == "filename") {
                    part->fileName = QString::fromUtf8(p.second);
                    part->hasFileName = true;
                }
            }
        }
    }
    return hasDisposition;
}

} // namespace

bool isMultipart(const QByteArray& contentTypeHeader)
{
    return contentTypeHeader.trimmed().toLower().startsWith("multipart/form-data");
}

bool parse(const QByteArray& contentTypeHeader, const QByteArray& body, QList<StandInPart>* parts)
{
    QByteArray boundary;
    for (const auto& p : parameters(contentTypeHeader))
        if (p.first == "boundary")
            boundary = p.second;
    if (boundary.isEmpty())
        return false;
    const QByteArray delimiter = "--" + boundary;
    int at = body.indexOf(delimiter);
    if (at < 0)
        return false;
    for (;;) {
        at += delimiter.size();
        if (body.mid(at, 2) == "--")
            return true; // the closing delimiter
        if (body.mid(at, 2) != "\r\n")
            return false;
        at += 2;
        const int next = body.indexOf("\r\n" + delimiter, at);
        if (next < 0)
            return false;
        StandInPart part;
        if (!readPart(body.mid(at, next - at), &part))
            return false;
        parts->append(part);
        at = next + 2;
    }
}

} // namespace MultipartForm
