#ifndef PICTURELOADER_H
#define PICTURELOADER_H

#include "photostore/picturecache.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

// Reads the pictures of a photo viewer (the large-photo pane, the full-screen view) on workers
// and keeps them in the shared PictureCache, on a shelf of its own: the ones the viewer shows,
// and ahead of time those of the neighbouring photos, so that a step finds its picture decoded.
// Each picture is also fitted into the viewer's box on the worker, so the GUI thread never
// scales a large photo. Since the viewer shows a picture fitted into its box, a JPEG is decoded
// only as large as that needs (libjpeg
// skips detail while decoding, at a fraction of the cost of the whole 24 MP picture and of
// its memory); the whole picture is read only when asked for (readWhole, for zooming in).
//
// Lives on the GUI thread. The reads run on a small pool of their own, not on the global
// pool, where the album panel's icon jobs would queue before them; the most wanted picture
// is read first, and a read whose picture is no longer wanted when its turn comes is
// skipped. Every read that ran answers loaded() on the GUI thread while the loader lives
// (with a null picture when the file cannot be read), unless its file was written after the
// read (the picture of the old file is never shown); once it is gone nothing answers, and its
// pictures leave the cache with it.
class PictureLoader : public QObject
{
    Q_OBJECT
public:
    explicit PictureLoader(QObject* parent = nullptr);
    ~PictureLoader() override;

    // The box pictures are fitted into from now on.
    void setBox(QSize box);
    // The kept picture of path, unless it was decoded smaller for another box; nothing is read.
    bool cached(const QString& path, PictureCache::Picture* picture) const;
    // What the viewer wants now, most wanted first: reads start for the pictures that are
    // neither kept nor being read, and the cache keeps these pictures alone of this loader's.
    void want(const QStringList& paths);
    QStringList wanted() const;
    // Reads the whole picture of path (not reduced) before anything else; it answers
    // loaded() but is not kept, being many times the size of a fitted one. Dropped when
    // path is no longer wanted when its turn comes.
    void readWhole(const QString& path);

    // Where the picture of path stands, for the benchmark's account of slow steps.
    enum class Stage { Absent, Queued, Decoding, Kept };
    Stage stage(const QString& path) const;

signals:
    void loaded(QString path, PictureCache::Picture picture);

private:
    struct Shared;
    static void read(const std::shared_ptr<Shared>& shared, const QString& path, bool whole);
    std::shared_ptr<Shared> m_shared;
};

#endif // PICTURELOADER_H
