#ifndef ORDERFOLDER_H
#define ORDERFOLDER_H

#include "photostore/image.h"

#include <QByteArray>
#include <QDateTime>
#include <QFlags>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

// A temporary order folder for one test, removed with it. By default it is an empty folder that
// DirServer takes as the open order while the fixture lives (the previous order path comes back
// afterwards). With DemoShare it is the demo order's folder below a temporary volumes root, where
// the stand-in's order path leads: Config::volumesRoot points there while the fixture lives, and
// the client's load road opens the order itself.
// Paths given to the members are relative to the order folder, or absolute.
class OrderFolder
{
public:
    enum Option {
        AlbumFolders = 0x1,     // the five album folders
        ThumbnailFolders = 0x2, // the album folders with the thumbnail folders of 照片, 成品 and 设计
        DemoShare = 0x4,
    };
    Q_DECLARE_FLAGS(Options, Option)

    explicit OrderFolder(Options options = Options());
    ~OrderFolder();

    bool isValid() const { return m_isValid; }
    // The temporary root: with DemoShare the volumes root, otherwise the order folder.
    QString volumes() const { return m_volumes; }
    // The order folder and an album folder, each with a closing separator.
    QString order() const { return m_order; }
    QString album(const QString& name) const { return m_order + name + QLatin1Char('/'); }
    QString path(const QString& relative) const;

    // Files that hold their own name (after an optional prefix), so that a lost or swapped
    // file shows in a comparison.
    void add(const QString& album, const QStringList& names, const QByteArray& prefix = QByteArray()) const;
    // Small labelled JPEGs.
    void addPhotos(const QString& album, const QStringList& names) const;
    // A full-size JPEG in the album folder of type (an opened folder only); returns its record.
    Image addPhoto(PHOTOTYPE type, const QString& name, int width, int height, int orientation = 1) const;
    // Writes the given bytes as the photo's full-size file (an opened folder only); returns its record.
    Image addPhotoFile(PHOTOTYPE type, const QString& name, const QByteArray& bytes) const;
    // Writes a file, making its folder.
    void addFile(const QString& path, const QByteArray& contents) const;
    // Empties the order folder down to the folders of its options.
    void reset();

    // The content, or "<missing>".
    QByteArray read(const QString& path) const;
    bool exists(const QString& path) const;
    QSize sizeOf(const QString& path) const;
    QDateTime modified(const QString& path) const;
    // Every entry of a folder by name, hidden ones too.
    QStringList entries(const QString& folder) const;
    // Sets access and modification time; false when it failed.
    bool stamp(const QString& path, const QDateTime& when) const;
    // Sets a file's times into the past, so that a rewrite shows.
    void age(const QString& path) const;

private:
    QTemporaryDir m_dir;
    Options m_options;
    QString m_volumes;
    QString m_order;
    QString m_oldOrderPath;
    QString m_oldVolumesRoot;
    bool m_isValid = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(OrderFolder::Options)

// The photos' names in list order.
QStringList imageNames(const QList<Image>& list);

#endif // ORDERFOLDER_H
