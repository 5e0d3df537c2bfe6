#ifndef UPLOADBODY_H
#define UPLOADBODY_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The multipart/form-data body of one cloud upload: optional "type" part, the file, then the
// order's text fields. A plain value; building it touches no file and no network.
struct UploadBody
{
    enum Kind {
        Photo, // a finished copy of the selection: no "type" part
        Mark,  // a marks picture: "type" "2"
        Crop,  // a crop picture: "type" "3"
    };

    QByteArray contentType; // "multipart/form-data; boundary=..."
    QByteArray body;
    QString error; // why no body was built (a name that cannot travel in a header); empty otherwise

    bool isValid() const { return error.isEmpty(); }

    // fields: the text parts after the file, in order.
    static UploadBody build(Kind kind, const QString& fileName, const QString& path, const QByteArray& fileBytes,
        const QList<QPair<QString, QString>>& fields);
    // The text parts of one upload from the open order (GUI thread: reads Config).
    static QList<QPair<QString, QString>> orderFields(int imageIndex);
    // A header's quoted-string: '"' and '\' escaped; false for a CR or LF, which would end the header.
    static bool quoted(const QString& text, QByteArray* out);
};

#endif // UPLOADBODY_H
