#ifndef IMAGE_H
#define IMAGE_H

#include <QMetaType>
#include <QRect>
#include <QString>

// The album of a photo; the same numbers name the album shown by the workspace.
enum PHOTOTYPE : int {
    PHOTO_RAW = 0,           // 照片
    PHOTO_FINE = 1,          // 成品
    PHOTO_DELETED = 2,       // 汰片
    PHOTO_DESIGN = 3,        // 设计
    PHOTO_DESIGN_DELETED = 4 // 设计汰片
};

// Crops and marks are made on 成品 photos, and a photo set aside keeps them by its name. A raw
// or design picture may share a 成品 photo's name, but not its crop, its marks or its marks
// picture: whatever follows a photo's crop and marks asks here.
inline bool carriesCropAndMarks(PHOTOTYPE album)
{
    return album == PHOTO_FINE || album == PHOTO_DELETED;
}

// The filter inside album 成品.
enum SELETYPE : int {
    SELE_ALL = 0,   // every photo
    SELE_USED = 1,  // 已选: used by at least one product
    SELE_UNUSED = 2 // 未选: used by no product
};

// Signals of the workspace carry both.
Q_DECLARE_METATYPE(PHOTOTYPE)
Q_DECLARE_METATYPE(SELETYPE)

// One photo of the open order: a plain value, copied freely.
//
// `name` is the photo's identity: the file name with its extension lower-cased, as the back
// end and the products know it. The file on disk may be spelt otherwise (IMG_1.JPG); the
// listing keeps that spelling so that the full-size path names the real file on a
// case-sensitive file system. Thumbnails, marks and crops are written by the client under
// `name` itself.
class Image
{
public:
    Image();

    PHOTOTYPE GetPicType() const { return type; }
    void SetPhotoType(PHOTOTYPE t) { type = t; }
    QString GetStrneed() const { return strneed; }
    void SetStrneed(QString need) { strneed = need; }
    QString GetImageName() const { return name; }
    // Takes a file name, not a path. Forgets the on-disk spelling of a different name.
    void Setpath(const QString& fileName);
    QRect GetTrimrc() const { return trimrc; }
    bool isEllipse() const { return ellipse; }
    void setClipRect(QRect rect, bool isEllipse);
    QString getProductId() const { return productId; }
    void setProductId(QString id) { productId = id; }
    // Number of products that use the photo: the runs of "用" in productId.
    int getProductNum() const;

    // The file name as listed on disk; empty when the record was not made from a listing.
    QString fileNameOnDisk() const { return diskName; }
    void setFileNameOnDisk(const QString& fileName) { diskName = fileName; }
    // The file's own name: as listed on disk, else the photo's name. Moves ask for a photo by
    // it, so that of IMG_1.JPG and IMG_1.jpg the one meant moves, and record what they moved.
    QString ownFileName() const { return diskName.isEmpty() ? name : diskName; }

    QString GetImagePath() const;        // small thumbnail (1000)
    QString GetThumbPath100() const;     // list thumbnail (200)
    QString GetMiddleImagePath() const;  // middle image (2250)
    QString GetBigImagePath() const;     // the full-size file
    QString GetCompareImagePath() const; // its counterpart in 照片 or 成品, else empty

private:
    PHOTOTYPE type;
    QString strneed;
    QString name;
    QRect trimrc;
    bool ellipse;
    QString productId;
    QString diskName;
};

#endif // IMAGE_H
