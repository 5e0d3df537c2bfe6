#ifndef MARKPOST_H
#define MARKPOST_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bodies of the two mark requests of a photo, shared by the mark editor and the rotation
// save: both begin with "&", values as they stand (the back end has always read them so).
namespace MarkPost {

// For Config::url_get_imgMarks.
QByteArray loadBody(const QString& picName);
// For Config::url_post_imgMarks: the mark strings as an indented JSON array.
QByteArray saveBody(const QStringList& marks, const QString& picName);

} // namespace MarkPost

#endif // MARKPOST_H
