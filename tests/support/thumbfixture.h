#ifndef THUMBFIXTURE_H
#define THUMBFIXTURE_H

#include "photostore/image.h"

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

// A temporary order folder with its album and thumbnail folders, set as the open order.
class ThumbFixture
{
public:
    ThumbFixture();

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_root; }

    // Writes a full-size JPEG into the photo's album folder and returns its record.
    Image addPhoto(PHOTOTYPE type, const QString& name, int width, int height, int orientation = 1);

    // Writes the given bytes as the photo's full-size file and returns its record.
    Image addPhotoFile(PHOTOTYPE type, const QString& name, const QByteArray& bytes);

    static QSize sizeOf(const QString& path);
    static bool exists(const QString& path);
    static QDateTime modified(const QString& path);
    static QByteArray contents(const QString& path);
    // Sets a file's modification time into the past, so that a rewrite shows.
    static void age(const QString& path);

private:
    QTemporaryDir m_dir;
    QString m_root;
};

#endif // THUMBFIXTURE_H
