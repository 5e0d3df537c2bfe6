#ifndef THUMBNAILTHREAD_H
#define THUMBNAILTHREAD_H

#include "photostore/image.h"
#include "photostore/imageoperation.h"

#include <QList>
#include <QPointer>
#include <QRunnable>
#include <QString>
#include <QWidget>

#include <functional>

// One piece of slow image work on the global thread pool. Each constructor chooses a mode
// (1 to 10). When the work is done the job calls a slot of a fixed name on its receiver,
// on the GUI thread; a receiver destroyed by then gets nothing (files written stay).
//
// Everything the work reads of shared state (paths of the path registry, the album list of
// mode 10) is taken when the job is made, on the GUI thread.
class ThumbnailThread : public QRunnable
{
public:
    // 1: list icon of a photo of a product, "updateThumbIcon"(row, index, icon, album).
    ThumbnailThread(Image image, int index, int row, QWidget* receiver);
    // 2: the sheet thumbnail cache, "onFinishSaveThumb"().
    ThumbnailThread(QList<Image> images, QWidget* receiver, int size);
    // 3: a room template's icon, "updateThumbIcon"(index, icon). Given a listing (a number
    // the receiver bumps whenever it lists anew), "updateListingThumbIcon"(listing, index,
    // icon) instead, so that the receiver can drop the icons of an earlier listing.
    ThumbnailThread(QString templateFile, int index, QWidget* receiver, int listing = -1);
    // 4: a picture for the viewer, "loadFinished"(image, path, flag); with fullScreenOnly
    // set, nothing once the full-screen view has closed.
    ThumbnailThread(QWidget* receiver, QString path, bool flag, bool fullScreenOnly);
    // 5: rebuilds the middle image and the small thumbnail, "reLoadThumbFinished"().
    ThumbnailThread(QWidget* receiver, Image image);
    // 6: list icon of an album photo, "updateThumbIcon"(index, icon, album).
    ThumbnailThread(Image image, int index, QWidget* receiver);
    // 7: a picture to compare, "onFinishLoadCmpImage"(image, index).
    ThumbnailThread(int compareIndex, QString compareFile, QWidget* receiver);
    // 8: the crop thumbnail of a photo; no reply.
    ThumbnailThread(Image image, QWidget* receiver, int size);
    // 9: all three levels rewritten, "updateThumbIcon"(index, icon, album).
    ThumbnailThread(Image image, int index, QString text, QWidget* receiver);
    // 10: every photo of the current album turned upright by its EXIF orientation,
    // "phototoupOneFinishSlot"(turned, icon) once per photo.
    ThumbnailThread(int mode, QWidget* receiver);

    // Mode 6 only: when the photo's icon is not wanted as the job runs, the job only makes the
    // missing thumbnail levels and calls "thumbFilesReady"(index, album) instead. Called on
    // the worker, so it must be thread-safe.
    void setIconWanted(std::function<bool(int index)> wanted) { m_isIconWanted = std::move(wanted); }

    void run() override;

private:
    void makeListIcon();
    void makeSheetCache();
    void makeTemplateIcon();
    void loadPicture();
    void rebuildMiddleAndSmall();
    void loadComparePicture();
    void makeCropThumb();
    void turnAlbumUpright();
    // Calls the slot on the GUI thread while the receiver lives; QImage arguments that
    // the slot takes as QPixmap are converted there.
    template <typename... Args> void reply(const char* slot, Args... args) const;

    Image m_image;
    int m_index = 0;
    int m_row = 0;
    int m_listing = -1;
    QString m_templatePath;
    QList<Image> m_images;
    Image m_clipImage;
    QString m_imagePath;
    bool m_fullScreenOnly = false;
    bool m_flag = false;
    QPointer<QWidget> m_receiver;
    std::function<bool(int)> m_isIconWanted;
    int m_size = 0;
    int m_mode = 0;
    QString m_comparePath;
    int m_compareIndex = 0;

    // Taken on the GUI thread when the job is made.
    ImageOperation::PhotoFiles m_files;
    QList<ImageOperation::PhotoFiles> m_listFiles;
    QString m_cacheFolder;
    QString m_markerFolder;
    QString m_designFolder;
    QString m_designThumbFolder;
    QString m_clipFolder;
};

#endif // THUMBNAILTHREAD_H
