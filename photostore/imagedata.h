#ifndef IMAGEDATA_H
#define IMAGEDATA_H

#include "photostore/image.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// The open order's photos in memory: one list per album in display order, the two
// sub-lists of 成品 that the album panel computes, the album shown and the cursor on the
// current photo. One instance per process; changed on the GUI thread only.
//
// The cursor is kept as a list and an index, never as a stored iterator: a list copied by
// a reader and then written here detaches, which would leave a stored iterator pointing
// into the copy. getIterator() builds the iterator when asked. While the album panel has
// placed the cursor in a filtered list (已选 or 未选), stepping, the first and last tests,
// the current index and the current photo work in that list, so that the viewer reaches
// the neighbouring photo of what the panel shows and wraps at its ends.
class ImageData
{
public:
    // One file of the date order: modification time in seconds since 1970 (64 bits, so
    // times after 2038 compare right) and the file name.
    struct FileInfo
    {
        qint64 mtime = 0;
        QString path;
    };

    // What reading the albums needs, taken on the GUI thread: the album folders, the order
    // of 汰片 and the picture information copied onto 成品.
    struct AlbumSources
    {
        QString raw, fine, deleted, design, designDeleted;
        QString deletedOrder;
        QList<Image> changed;
        // The store's count of moves made before the reading.
        int moves = 0;
    };
    // The five albums as read from their folders, before the order mode applies.
    struct Albums
    {
        QList<Image> all, fine, deleted, design, designDeleted;
        int moves = 0;
    };

    static ImageData* getInstance();

    // Album lists, import and order
    void importImage(PHOTOTYPE t);
    // The import with the albums already read; the order mode and the cursor apply as above.
    // A reading taken before a move made here is stale: the folders are read again.
    void importImage(PHOTOTYPE t, const Albums& read);
    static AlbumSources albumSources();
    // Reads the folders; touches no global, so it may run on a worker.
    static Albums readAlbums(const AlbumSources& sources);
    void clearImages();
    // The filters' lists, built by the album panel. A cursor in the list replaced stays on its
    // photo; when that photo is no longer in it, on the photo now at its place (the first one
    // past the end, the end position once the list is empty).
    void setMyUsedimages(const QList<Image>& images);
    void setMyUnUsedimages(const QList<Image>& images);
    int getDeletedImgs();
    int getChengPinImgs();
    static QStringList getFine100Image();
    static QList<Image> getFineAndDeletedImage();
    static QString encryptionName(QString name);
    void sortCpImgs();
    void disorder();
    // The shuffle from a given seed; disorder() seeds with the current time in seconds.
    void disorder(quint32 seed);
    void disorder1();
    QList<Image> returnSortList(QStringList keys, QMap<QString, Image> photos);

    // Album, filter and cursor
    PHOTOTYPE getType();
    void setType(PHOTOTYPE t, SELETYPE sel);
    void setIterator(int index, SELETYPE sel);
    bool setIterator(QString name, SELETYPE sel);
    QList<Image>::iterator getSeleIterator(int index, SELETYPE sel);
    void iteratorMoveFirst();
    void iteratorMoveEnd();
    void iteratorMoveNext();
    void iteratorMovePre();
    // The slide-show step: true once the show is back at the photo at start (and at once
    // for an empty album, or when start no longer lies in the list).
    bool iteratorMoveNextToEnd(QList<Image>::iterator start);
    bool isFirstOne();
    bool isLastOne();
    QList<Image>::iterator getIterator();
    int getCurrentIndex();
    Image getCurrentImage();
    // The filter of 成品 on show, as the album panel last set it (setType, or a photo placed by
    // name): getImagelist(getSeleType()) is the view on show.
    SELETYPE getSeleType() const { return seleType; }
    // Edits of the current photo. Under 已选 or 未选 the cursor lies in a copy of the 成品
    // list; the edit lands on the photo's record in 成品 and on its copies in both filters,
    // and in the picture information that a new reading of the folders copies onto 成品,
    // so that neither a rebuild of the filters nor a reading loses it. False when the
    // cursor designates no photo.
    bool setCurrentClipRect(QRect rect, bool ellipse);
    bool setCurrentStrneed(const QString& need);
    // The crop and requirement text of a 成品 photo by name, wherever it lies now: its 成品
    // record, else the picture information (a photo set aside keeps its own there).
    Image pictureInfo(const QString& name) const;
    // A new crop for that photo, on every record of it as the current photo's edits are.
    void setClipRectOf(const QString& name, QRect rect, bool ellipse);

    // Lists and counts
    QList<Image>& getImagelist(SELETYPE sel);
    QList<Image>& GetSeletedImages();
    QList<Image>& GetDesignImages();
    QList<Image>& GetAllImages();
    QList<Image>& GetLeftImages();
    int getRawImageNum();
    int getFinalImageNum();
    int getDeletedImageNum();
    int getDesignImageNum();
    int getDesignDeletedImageNum();
    int getSelImageNum(SELETYPE sel);
    Image getFineImage(QString name, SELETYPE sel);
    void orderFineImage();

    // Moves between albums. Each takes photo names and returns those that really moved, in
    // the order asked; names not in the album are skipped. A photo that did not move stays
    // in its album on disk and in the list, and one box names every such photo. The target
    // album's list learns of the moved photos at the following import.
    QStringList fineImageToDeleted(QStringList names);
    // The same for the full-screen viewer, which then steps forward: the cursor stays on a
    // photo that stays, and goes from a moved photo to the one before it.
    QStringList fullScreenViewfineImageToDeleted(QStringList names);
    QStringList deletedImageToFine(QStringList names);
    QStringList deletedDesignImageToDesign(QStringList names);
    // Moves design pictures to 设计汰片 and always tells the back end which ones moved.
    QStringList deleteDesignImage(QStringList names);
    // Deletes raw photos for good, the thumbnails once the full-size file is gone; returns
    // the names really deleted, in the order asked.
    QStringList deleteRawImage(QStringList names);
    void removeDeletedImage();

    // Photos for which the back end holds a remark or a crop; import copies them onto 成品.
    static QList<Image> changedImages;

private:
    ImageData();
    ~ImageData();
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    QList<Image>& albumList();
    QList<Image>* seleList(int sel);
    QList<Image>* filteredList(int sel);
    int cursorPosition() const;
    bool editCurrent(const std::function<void(Image&)>& edit);
    // Replaces a filter's list; the cursor in it stays on its photo (see the setters).
    void replaceFilterList(QList<Image>& list, const QList<Image>& images);
    // Moves the photos named, by their names on disk first; movedPhotos receives the
    // records of those that moved.
    QStringList moveImages(QList<Image>& from, const QStringList& names, PHOTOTYPE to, const QString& failure,
        QList<Image>* movedPhotos = nullptr);

    static ImageData* m_pimages;

    SELETYPE seleType;
    QList<Image> all;
    QList<Image> fine;
    QList<Image> myUsed;
    QList<Image> myUnused;
    QList<Image> deleted;
    QList<Image> design;
    QList<Image> designDeleted;
    PHOTOTYPE type;
    // The cursor: the list it is in and its position there; size() is the end position.
    QList<Image>* cursorList;
    int cursorIndex;
    // Counts the moves and deletions made on the album folders.
    int m_folderMoves = 0;
    // Handed out for a filter that names no list; always empty when handed out.
    QList<Image> none;
};

#endif // IMAGEDATA_H
