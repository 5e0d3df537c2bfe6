#ifndef ORDERFOLDERFIXTURE_H
#define ORDERFOLDERFIXTURE_H

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The demo order's folder below a temporary volumes root, which is where the stand-in's
// order path leads: the five album folders, no thumbnail folders. Config::volumesRoot is
// pointed at the root and restored on destruction.
class OrderFolderFixture
{
public:
    OrderFolderFixture();
    ~OrderFolderFixture();

    bool isValid() const { return m_valid; }
    QString volumes() const { return m_volumes; }
    QString order() const { return m_order; }
    QString album(const QString& name) const { return m_order + name + QLatin1Char('/'); }

    // Small labelled JPEGs in an album folder.
    void addPhotos(const QString& album, const QStringList& names);
    void addFile(const QString& path, const QByteArray& contents);
    // Empties the order folder down to the five album folders.
    void reset();

private:
    QTemporaryDir m_dir;
    QString m_volumes;
    QString m_order;
    QString m_oldRoot;
    bool m_valid = false;
};

#endif // ORDERFOLDERFIXTURE_H
