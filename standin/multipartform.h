#ifndef MULTIPARTFORM_H
#define MULTIPARTFORM_H

#include <QByteArray>
#include <QList>
#include <QString>

// One part of a multipart/form-data body, as the stand-in received it.
struct StandInPart
{
    QString name;             // the disposition's "name", unescaped
    QString fileName;         // the disposition's "filename", unescaped; empty for a text field
    bool hasFileName = false; // a "filename" parameter was present
    QByteArray contentType;   // the part's own Content-Type, empty when absent
    QByteArray body;          // the part's bytes, exactly as sent
};

// Reads multipart/form-data the way a PHP back end does: the boundary from the request's
// Content-Type, each part's headers, quoted parameters with backslash escapes. Returns false
// (and what it read so far) for a body that is not well formed.
namespace MultipartForm {

bool isMultipart(const QByteArray& contentTypeHeader);
bool parse(const QByteArray& contentTypeHeader, const QByteArray& body, QList<StandInPart>* parts);

} // namespace MultipartForm

#endif // MULTIPARTFORM_H
