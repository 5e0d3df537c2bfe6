#ifndef PICTURELOADER_H
#define PICTURELOADER_H

#include "photostore/picturecache.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

// Reads the pictures of the large-photo pane on workers and keeps them in the shared
// PictureCache: the ones the pane shows, and ahead of time those of the neighbouring
// photos, so that a step finds its picture decoded. Each picture is also fitted into the
// pane's box on the worker, so the GUI thread never scales a large photo.
//
// Lives on the GUI thread. The reads run on a small pool of their own, not on the global
// pool, where the album panel's icon jobs would queue before them; the most wanted picture
// is read first, and a read whose picture is no longer wanted when its turn comes is
// skipped. Every read that ran answers loaded() on the GUI thread while the loader lives
// (with a null picture when the file cannot be read).
class PictureLoader : public QObject
{
    Q_OBJECT
public:
    explicit PictureLoader(QObject* parent = nullptr);
    ~PictureLoader() override;

    // The box pictures are fitted into from now on.
    void setBox(QSize box);
    // The kept picture of path; nothing is read.
    bool cached(const QString& path, PictureCache::Picture* picture) const;
    // What the pane wants now, most wanted first: reads start for the pictures that are
    // neither kept nor being read, and the cache keeps these pictures alone.
    void want(const QStringList& paths);
    QStringList wanted() const;

signals:
    void loaded(QString path, PictureCache::Picture picture);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

#endif // PICTURELOADER_H
