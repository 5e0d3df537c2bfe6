#include "photostore/imagedata.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <QVector>

#include <sys/stat.h>

#include <algorithm>
#include <utility>

ImageData* ImageData::m_pimages = nullptr;
QList<Image> ImageData::changedImages;

namespace {
// The "*.jpg" files of a folder, any case, as listed (no order). Hidden files (the "._"
// companions that Macs leave on shares) are no photos. A plain suffix test rather than a
// wildcard filter: the listing is most of an import's time.
QStringList jpegFiles(const QString& folder)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

// Seconds since 1970, straight from the file system: going through a local QDateTime
// costs a time-zone look-up per file, several times the stat itself.
qint64 modificationTime(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return qint64(info.st_mtime);
}

// The same, sorted by name; ties of the case-blind order fall back to the exact one so the
// listing is the same on every run.
QStringList listJpegs(const QString& folder, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    QStringList names = jpegFiles(folder);
    std::sort(names.begin(), names.end(), [cs](const QString& a, const QString& b) {
        const int c = a.compare(b, cs);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

Image listedImage(const QString& fileName, PHOTOTYPE type)
{
    Image image;
    image.SetPhotoType(type);
    image.Setpath(FileOperation::getFileName(fileName));
    image.setFileNameOnDisk(fileName);
    return image;
}

QList<Image> listedImages(const QStringList& fileNames, PHOTOTYPE type)
{
    QList<Image> images;
    images.reserve(fileNames.size());
    for (const QString& fileName : fileNames)
        images.append(listedImage(fileName, type));
    return images;
}

// 成品 photos take remark and crop from the back end's picture information; with several
// entries for one name the last one wins.
QList<Image> fineImages(const QStringList& fileNames, const QList<Image>& changedImages)
{
    QHash<QString, int> last;
    for (int i = 0; i < changedImages.size(); ++i)
        last.insert(changedImages.at(i).GetImageName(), i);
    QList<Image> images = listedImages(fileNames, PHOTO_FINE);
    if (last.isEmpty())
        return images;
    for (Image& image : images) {
        const auto found = last.constFind(image.GetImageName());
        if (found == last.constEnd())
            continue;
        const Image& changed = changedImages.at(found.value());
        image.SetStrneed(changed.GetStrneed());
        image.setClipRect(changed.GetTrimrc(), changed.isEllipse());
    }
    return images;
}

// Reorders a list by a key per photo, keeping the former order among equal keys.
template <typename Key, typename Less> void reorder(QList<Image>& list, const QVector<Key>& keys, Less less)
{
    QVector<int> order(list.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(keys.at(a), keys.at(b)); });
    QList<Image> sorted;
    sorted.reserve(list.size());
    for (int i : order)
        sorted.append(list.at(i));
    list.swap(sorted);
}

// The fixed order: ascending MD5 keys of the names (lower-case hex, so plain comparison
// is the case-blind one).
void sortByNameKey(QList<Image>& list)
{
    QVector<QString> keys;
    keys.reserve(list.size());
    for (const Image& image : list)
        keys.append(ImageData::encryptionName(image.GetImageName()));
    reorder(list, keys, std::less<QString>());
}

// 汰片 newest first by modification time; files of the same second keep the name order.
QList<Image> deletedByDate(const QString& folder, const QStringList& fileNames)
{
    QVector<ImageData::FileInfo> files;
    files.reserve(fileNames.size());
    for (const QString& fileName : fileNames)
        files.append({modificationTime(folder + fileName), fileName});
    std::stable_sort(files.begin(), files.end(),
        [](const ImageData::FileInfo& a, const ImageData::FileInfo& b) { return a.mtime > b.mtime; });
    QList<Image> images;
    images.reserve(files.size());
    for (const ImageData::FileInfo& file : files)
        images.append(listedImage(file.path, PHOTO_DELETED));
    return images;
}

QList<Image> deletedImages(const QString& folder, const QString& sortType)
{
    const QStringList fileNames = listJpegs(folder);
    if (sortType == QStringLiteral("创建日期排序"))
        return deletedByDate(folder, fileNames);
    QList<Image> images = listedImages(fileNames, PHOTO_DELETED);
    if (sortType == QStringLiteral("固定规则乱序"))
        sortByNameKey(images);
    return images;
}
} // namespace

ImageData::ImageData()
    : seleType(SELE_ALL)
    , type(PHOTO_RAW)
    , cursorList(&all)
    , cursorIndex(0)
{
}

ImageData::~ImageData() = default;

ImageData* ImageData::getInstance()
{
    if (!m_pimages)
        m_pimages = new ImageData;
    return m_pimages;
}

ImageData::AlbumSources ImageData::albumSources()
{
    AlbumSources sources;
    sources.raw = DirServer::getOriginalImagePath();
    sources.fine = DirServer::getFineImagePath();
    sources.deleted = DirServer::getDeletedImagePath();
    sources.design = DirServer::getDesignImagePath();
    sources.designDeleted = DirServer::getDesignDeletedImagePath();
    sources.deletedOrder = Config::recoverPhotoSortType;
    sources.changed = changedImages;
    sources.moves = getInstance()->m_folderMoves;
    return sources;
}

ImageData::Albums ImageData::readAlbums(const AlbumSources& sources)
{
    Albums read;
    read.all = listedImages(listJpegs(sources.raw), PHOTO_RAW);
    read.fine = fineImages(listJpegs(sources.fine), sources.changed);
    read.deleted = deletedImages(sources.deleted, sources.deletedOrder);
    read.design = listedImages(listJpegs(sources.design), PHOTO_DESIGN);
    read.designDeleted = listedImages(listJpegs(sources.designDeleted), PHOTO_DESIGN_DELETED);
    read.moves = sources.moves;
    return read;
}

void ImageData::importImage(PHOTOTYPE t)
{
    importImage(t, readAlbums(albumSources()));
}

void ImageData::importImage(PHOTOTYPE t, const Albums& read)
{
    if (read.moves != m_folderMoves) {
        importImage(t);
        return;
    }
    all = read.all;
    fine = read.fine;
    deleted = read.deleted;
    design = read.design;
    designDeleted = read.designDeleted;

    setType(t, SELE_ALL);

    if (Config::getOrderMode() == 2) {
        if (Config::cp_sortmodel == QStringLiteral("2"))
            sortCpImgs();
        else
            disorder();
    }
}

void ImageData::clearImages()
{
    all.clear();
    fine.clear();
    deleted.clear();
    design.clear();
    designDeleted.clear();
    type = PHOTO_RAW;
    cursorList = &all;
    cursorIndex = 0;
}

void ImageData::setMyUsedimages(const QList<Image>& images)
{
    replaceFilterList(myUsed, images);
}

void ImageData::setMyUnUsedimages(const QList<Image>& images)
{
    replaceFilterList(myUnused, images);
}

int ImageData::getDeletedImgs()
{
    return jpegFiles(DirServer::getDeletedImagePath()).size();
}

int ImageData::getChengPinImgs()
{
    return jpegFiles(DirServer::getFineImagePath()).size();
}

QStringList ImageData::getFine100Image()
{
    QStringList paths;
    // Thumbnails are written under the photo's name, whatever the spelling of the file.
    const QString thumbs = DirServer::getFineImageSmallThumbPath();
    for (const QString& fileName : listJpegs(DirServer::getFineImagePath()))
        paths.append(thumbs + FileOperation::getFileName(fileName));
    for (const QString& folder : {DirServer::getMarkerPath(), DirServer::getClipThumbPath()})
        for (const QString& fileName : listJpegs(folder))
            paths.append(folder + fileName);
    return paths;
}

QList<Image> ImageData::getFineAndDeletedImage()
{
    QList<Image> images = fineImages(listJpegs(DirServer::getFineImagePath(), Qt::CaseSensitive), changedImages);
    images.append(listedImages(listJpegs(DirServer::getDeletedImagePath()), PHOTO_DELETED));
    return images;
}

QString ImageData::encryptionName(QString name)
{
    return QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5).toHex());
}

void ImageData::sortCpImgs()
{
    for (QList<Image>* list : {&all, &fine, &design, &myUnused, &myUsed})
        sortByNameKey(*list);
    iteratorMoveFirst();
}

void ImageData::disorder()
{
    disorder(quint32(QDateTime::currentSecsSinceEpoch()));
}

void ImageData::disorder(quint32 seed)
{
    // One generator for all lists, two numbers per step: the same second gives the same shuffle.
    QRandomGenerator random(seed);
    for (QList<Image>* list : {&all, &fine, &design, &myUnused, &myUsed}) {
        const int n = list->size();
        for (int step = 0; step < n; ++step) {
            const int a = int(random.generate() % quint32(n));
            int b = int(random.generate() % quint32(n));
            if (qAbs(a - b) < 8)
                b = (a + 8) % n;
            list->swapItemsAt(a, b);
        }
    }
}

void ImageData::disorder1()
{
    QRandomGenerator random(quint32(QDateTime::currentSecsSinceEpoch()));
    for (QList<Image>* list : {&all, &fine, &deleted, &design}) {
        const int n = list->size();
        for (int step = 0; step < n; ++step)
            list->move(int(random.generate() % quint32(n)), n - 1);
    }
}

QList<Image> ImageData::returnSortList(QStringList keys, QMap<QString, Image> photos)
{
    std::stable_sort(keys.begin(), keys.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QList<Image> result;
    for (int start : {1, 0})
        for (int i = start; i < keys.size(); i += 2)
            if (photos.contains(keys.at(i)))
                result.append(photos.value(keys.at(i)));
    return result;
}

PHOTOTYPE ImageData::getType()
{
    return type;
}

void ImageData::setType(PHOTOTYPE t, SELETYPE sel)
{
    type = t;
    seleType = sel;
    setIterator(0, sel);
}

QList<Image>& ImageData::albumList()
{
    switch (type) {
    case PHOTO_FINE:
        return fine;
    case PHOTO_DELETED:
        return deleted;
    case PHOTO_DESIGN:
        return design;
    case PHOTO_DESIGN_DELETED:
        return designDeleted;
    default:
        return all;
    }
}

QList<Image>* ImageData::seleList(int sel)
{
    switch (sel) {
    case SELE_ALL:
        return &fine;
    case SELE_USED:
        return &myUsed;
    case SELE_UNUSED:
        return &myUnused;
    default:
        return nullptr;
    }
}

QList<Image>* ImageData::filteredList(int sel)
{
    if (type == PHOTO_FINE)
        return seleList(sel);
    if (type < PHOTO_RAW || type > PHOTO_DESIGN_DELETED)
        return nullptr;
    return &albumList();
}

int ImageData::cursorPosition() const
{
    // A list that shrank under the cursor leaves it at its end position.
    return qBound(0, cursorIndex, cursorList->size());
}

void ImageData::setIterator(int index, SELETYPE sel)
{
    QList<Image>* list = filteredList(sel);
    if (!list || index < 0)
        return;
    cursorList = list;
    cursorIndex = qMin(index, list->size());
}

bool ImageData::setIterator(QString name, SELETYPE sel)
{
    QList<Image>* list = seleList(sel);
    if (!list)
        return false;
    for (int i = 0; i < list->size(); ++i) {
        if (list->at(i).GetImageName() == name) {
            setType(PHOTO_FINE, sel);
            setIterator(i, sel);
            return true;
        }
    }
    return false;
}

QList<Image>::iterator ImageData::getSeleIterator(int index, SELETYPE sel)
{
    QList<Image>* list = seleList(sel);
    if (!list) {
        none.clear();
        list = &none;
    }
    if (index < 0 || index >= list->size())
        return list->end();
    return list->begin() + index;
}

void ImageData::iteratorMoveFirst()
{
    cursorIndex = 0;
}

void ImageData::iteratorMoveEnd()
{
    cursorIndex = qMax(0, cursorList->size() - 1);
}

void ImageData::iteratorMoveNext()
{
    const int n = cursorList->size();
    if (n == 0)
        return;
    const int pos = cursorPosition();
    cursorIndex = pos >= n - 1 ? 0 : pos + 1;
}

void ImageData::iteratorMovePre()
{
    const int n = cursorList->size();
    if (n == 0)
        return;
    const int pos = cursorPosition();
    cursorIndex = pos == 0 ? n - 1 : pos - 1;
}

bool ImageData::iteratorMoveNextToEnd(QList<Image>::iterator start)
{
    const int n = cursorList->size();
    if (n == 0)
        return true;
    // Where start lies in the list, found from addresses alone: an iterator of a list that
    // has since been replaced or detached is never dereferenced.
    const quintptr first = quintptr(cursorList->constBegin().i);
    const quintptr at = quintptr(start.i);
    const quintptr step = sizeof(*start.i);
    int startIndex = -1;
    if (at >= first && (at - first) % step == 0 && (at - first) / step < quintptr(n))
        startIndex = int((at - first) / step);
    const QString startName = startIndex >= 0 ? cursorList->at(startIndex).GetImageName() : QString();

    iteratorMoveNext();
    if (startIndex < 0)
        return true;
    return cursorList->at(cursorPosition()).GetImageName() == startName;
}

bool ImageData::isFirstOne()
{
    return cursorList->isEmpty() || cursorPosition() == 0;
}

bool ImageData::isLastOne()
{
    return cursorList->isEmpty() || cursorPosition() + 1 == cursorList->size();
}

QList<Image>::iterator ImageData::getIterator()
{
    return cursorList->begin() + cursorPosition();
}

int ImageData::getCurrentIndex()
{
    if (type < PHOTO_RAW || type > PHOTO_DESIGN_DELETED)
        return -1;
    const int pos = cursorPosition();
    return pos < cursorList->size() ? pos : -1;
}

Image ImageData::getCurrentImage()
{
    const int pos = cursorPosition();
    return pos < cursorList->size() ? cursorList->at(pos) : Image();
}

QList<Image>& ImageData::getImagelist(SELETYPE sel)
{
    if (type < PHOTO_RAW || type > PHOTO_DESIGN_DELETED)
        return all;
    if (QList<Image>* list = filteredList(sel))
        return *list;
    none.clear();
    return none;
}

QList<Image>& ImageData::GetSeletedImages()
{
    return fine;
}

QList<Image>& ImageData::GetDesignImages()
{
    return design;
}

QList<Image>& ImageData::GetAllImages()
{
    return all;
}

QList<Image>& ImageData::GetLeftImages()
{
    return deleted;
}

int ImageData::getRawImageNum()
{
    return all.size();
}

int ImageData::getFinalImageNum()
{
    return fine.size();
}

int ImageData::getDeletedImageNum()
{
    return deleted.size();
}

int ImageData::getDesignImageNum()
{
    return design.size();
}

int ImageData::getDesignDeletedImageNum()
{
    return designDeleted.size();
}

int ImageData::getSelImageNum(SELETYPE sel)
{
    const QList<Image>* list = seleList(sel);
    return list ? list->size() : 0;
}

Image ImageData::getFineImage(QString name, SELETYPE sel)
{
    const QList<Image>* list = seleList(sel);
    if (!list)
        return Image();
    // The camera's spelling of the name: its extension upper-cased after the last ".".
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString camera = dot < 0 ? name : name.left(dot + 1) + name.mid(dot + 1).toUpper();
    for (const Image& image : *list)
        if (image.GetImageName() == name || image.GetImageName() == camera)
            return image;
    return Image();
}

void ImageData::orderFineImage()
{
    // Most used first; photos with equal counts keep their order.
    QVector<int> counts;
    counts.reserve(fine.size());
    for (const Image& image : fine)
        counts.append(image.getProductNum());
    reorder(fine, counts, std::greater<int>());
}

namespace {
// One photo's move. The rename's own result decides: another station may move the same
// photo at the same time, and checks afterwards would see its doing, not ours.
bool moveFile(const Image& photo, PHOTOTYPE to)
{
    // Without an order folder the paths would name folders of the working directory.
    if (DirServer::getOrderPath().isEmpty())
        return false;
    const QString source = photo.GetBigImagePath();
    Image moved = photo;
    moved.SetPhotoType(to);
    return FileOperation::fileMove(source, moved.GetBigImagePath(), true);
}

// The same file: two photos may share a name and differ in the spelling on disk.
bool isSameFile(const Image& a, const Image& b)
{
    return a.GetImageName() == b.GetImageName() && a.ownFileName() == b.ownFileName();
}

// The one box of an operation, naming every photo that stayed.
void reportFailures(const QString& failure, const QStringList& names)
{
    if (names.isEmpty())
        return;
    Prompt::information(nullptr, QStringLiteral("警告"), failure.arg(names.join(QStringLiteral("、"))),
        QMessageBox::Yes, QMessageBox::Yes);
}

// Where each entry of before stands in after, which keeps the order of before and lacks
// some of its entries; -1 for an entry that left.
QVector<int> survivors(const QList<Image>& before, const QList<Image>& after)
{
    QVector<int> index(before.size(), -1);
    int j = 0;
    for (int i = 0; i < before.size() && j < after.size(); ++i)
        if (isSameFile(before.at(i), after.at(j)))
            index[i] = j++;
    return index;
}

// Rebuilds the list once without the marked entries.
void removeMarked(QList<Image>& list, const QVector<bool>& gone)
{
    if (!gone.contains(true))
        return;
    QList<Image> kept;
    kept.reserve(list.size());
    for (int i = 0; i < list.size(); ++i)
        if (!gone.at(i))
            kept.append(list.at(i));
    list.swap(kept);
}

void removePhotos(QList<Image>& list, const QList<Image>& photos)
{
    if (photos.isEmpty())
        return;
    QSet<QString> names;
    for (const Image& photo : photos)
        names.insert(photo.GetImageName() + QLatin1Char('/') + photo.ownFileName());
    QList<Image> kept;
    kept.reserve(list.size());
    for (const Image& image : qAsConst(list))
        if (!names.contains(image.GetImageName() + QLatin1Char('/') + image.ownFileName()))
            kept.append(image);
    list.swap(kept);
}

// The photos of a list that a request's names ask for. Each name takes the first photo not
// yet taken whose file is so spelt on disk, else the first of that name: of IMG_1.JPG and
// IMG_1.jpg the one asked for is taken, and the store's name finds either.
class AskedPhotos
{
public:
    explicit AskedPhotos(const QList<Image>& list)
        : m_taken(list.size(), false)
    {
        for (int i = list.size() - 1; i >= 0; --i) {
            m_onDisk[list.at(i).ownFileName()].append(i);
            m_named[list.at(i).GetImageName()].append(i);
        }
    }

    // The position of the photo name asks for, or -1.
    int take(const QString& name)
    {
        int i = takeFree(m_onDisk, name);
        if (i < 0)
            i = takeFree(m_named, name);
        if (i >= 0)
            m_taken[i] = true;
        return i;
    }

private:
    int takeFree(QHash<QString, QVector<int>>& positions, const QString& name)
    {
        auto found = positions.find(name);
        while (found != positions.end() && !found->isEmpty()) {
            const int i = found->takeLast();
            if (!m_taken.at(i))
                return i;
        }
        return -1;
    }

    QHash<QString, QVector<int>> m_onDisk;
    QHash<QString, QVector<int>> m_named;
    QVector<bool> m_taken;
};
} // namespace

void ImageData::replaceFilterList(QList<Image>& list, const QList<Image>& images)
{
    // A cursor on a photo of this list stays on it; when the photo has left the list the
    // cursor designates the photo now at its place, the first one past the end.
    const bool isOnPhoto = cursorList == &list && cursorPosition() < list.size();
    const int pos = isOnPhoto ? cursorPosition() : 0;
    const Image current = isOnPhoto ? list.at(pos) : Image();
    list = images;
    if (!isOnPhoto)
        return;
    for (int i = 0; i < list.size(); ++i) {
        if (isSameFile(list.at(i), current)) {
            cursorIndex = i;
            return;
        }
    }
    cursorIndex = pos < list.size() ? pos : 0;
}

bool ImageData::editCurrent(const std::function<void(Image&)>& edit)
{
    const int pos = cursorPosition();
    if (pos >= cursorList->size())
        return false;
    if (type != PHOTO_FINE) {
        edit((*cursorList)[pos]);
        return true;
    }
    // The filters hold copies of 成品's records: each copy of this file takes the edit.
    const Image current = cursorList->at(pos);
    Image edited = current;
    for (QList<Image>* list : {&fine, &myUsed, &myUnused}) {
        for (Image& photo : *list) {
            if (isSameFile(photo, current)) {
                edit(photo);
                edited = photo;
            }
        }
    }
    // The later of a name's records is the one a reading applies.
    for (int i = changedImages.size() - 1; i >= 0; --i) {
        if (changedImages.at(i).GetImageName() == edited.GetImageName()) {
            changedImages[i].SetStrneed(edited.GetStrneed());
            changedImages[i].setClipRect(edited.GetTrimrc(), edited.isEllipse());
            return true;
        }
    }
    Image record;
    record.Setpath(edited.GetImageName());
    record.SetStrneed(edited.GetStrneed());
    record.setClipRect(edited.GetTrimrc(), edited.isEllipse());
    changedImages.append(record);
    return true;
}

Image ImageData::pictureInfo(const QString& name) const
{
    for (const Image& photo : fine)
        if (photo.GetImageName() == name)
            return photo;
    for (int i = changedImages.size() - 1; i >= 0; --i)
        if (changedImages.at(i).GetImageName() == name)
            return changedImages.at(i);
    return Image();
}

void ImageData::setClipRectOf(const QString& name, QRect rect, bool ellipse)
{
    for (QList<Image>* list : {&fine, &myUsed, &myUnused})
        for (Image& photo : *list)
            if (photo.GetImageName() == name)
                photo.setClipRect(rect, ellipse);
    for (int i = changedImages.size() - 1; i >= 0; --i) {
        if (changedImages.at(i).GetImageName() == name) {
            changedImages[i].setClipRect(rect, ellipse);
            return;
        }
    }
    Image record;
    record.Setpath(name);
    record.SetStrneed(pictureInfo(name).GetStrneed());
    record.setClipRect(rect, ellipse);
    changedImages.append(record);
}

bool ImageData::setCurrentClipRect(QRect rect, bool ellipse)
{
    return editCurrent([&](Image& photo) { photo.setClipRect(rect, ellipse); });
}

bool ImageData::setCurrentStrneed(const QString& need)
{
    return editCurrent([&](Image& photo) { photo.SetStrneed(need); });
}

QStringList ImageData::moveImages(
    QList<Image>& from, const QStringList& names, PHOTOTYPE to, const QString& failure, QList<Image>* movedPhotos)
{
    ++m_folderMoves;
    // Of IMG_1.JPG and IMG_1.jpg, the one asked for moves. The list is rebuilt once.
    AskedPhotos asked(from);
    QVector<bool> gone(from.size(), false);
    QStringList moved;
    QStringList failed;
    for (const QString& name : names) {
        const int i = asked.take(name);
        if (i < 0)
            continue;
        if (moveFile(from.at(i), to)) {
            gone[i] = true;
            moved.append(name);
            if (movedPhotos)
                movedPhotos->append(from.at(i));
        } else {
            failed.append(name);
        }
    }
    removeMarked(from, gone);
    reportFailures(failure, failed);
    return moved;
}

QStringList ImageData::fineImageToDeleted(QStringList names)
{
    QList<Image> photos;
    const QStringList moved = moveImages(
        fine, names, PHOTO_DELETED, QStringLiteral("成品%1移至汰片失败，请检查是否有其他软件使用"), &photos);
    // A photo leaves 未选 only when it really left 成品.
    removePhotos(myUnused, photos);
    return moved;
}

QStringList ImageData::fullScreenViewfineImageToDeleted(QStringList names)
{
    if (fine.isEmpty())
        return QStringList();
    const QList<Image> before = *cursorList;
    const int position = cursorPosition();
    const QStringList moved = fineImageToDeleted(names);
    if (moved.isEmpty() || position >= before.size())
        return moved;

    const QVector<int> now = survivors(before, *cursorList);
    int k = position;
    while (k >= 0 && now.at(k) < 0)
        --k;
    if (k >= 0)
        cursorIndex = now.at(k);
    else
        // Nothing before it stayed: the last photo, so that stepping forward wraps to the
        // photo that followed the moved one.
        cursorIndex = qMax(0, cursorList->size() - 1);
    return moved;
}

QStringList ImageData::deletedImageToFine(QStringList names)
{
    return moveImages(deleted, names, PHOTO_FINE, QStringLiteral("汰片%1移至成品失败"));
}

QStringList ImageData::deletedDesignImageToDesign(QStringList names)
{
    return moveImages(designDeleted, names, PHOTO_DESIGN, QStringLiteral("设计汰片%1移至设计失败"));
}

QStringList ImageData::deleteDesignImage(QStringList names)
{
    const QStringList moved = moveImages(design, names, PHOTO_DESIGN_DELETED, QStringLiteral("设计%1移至设计汰片失败"));

    // Sent whatever moved; the answer is not awaited and not read. The back end has always
    // received this body with a leading "&".
    const QByteArray body = '&'
        + FormBody()
              .add("uid", Config::manager_id)
              .add("companyid", Config::super_id)
              .add("shopid", Config::shop_id)
              .add("imgs_name", moved.join(QLatin1Char(',')))
              .add("orderid", Config::orderOneId)
              .add("order_photo_id", Config::order_id)
              .add("order_sample_infoid", Config::order_sample_infoid)
              .add("version", Config::version)
              .add("token", Config::token)
              .toByteArray();
    BackendPost::send(Config::url_del_design_logpost, body);
    return moved;
}

QStringList ImageData::deleteRawImage(QStringList names)
{
    ++m_folderMoves;
    // The album panel names a photo by its file (IMG_1.JPG), the pane by either name.
    AskedPhotos asked(all);
    QVector<bool> gone(all.size(), false);
    QStringList removed;
    QStringList failed;
    for (const QString& name : names) {
        const int i = asked.take(name);
        if (i < 0)
            continue;
        const Image& photo = all.at(i);
        const QString path = photo.GetBigImagePath();
        if (DirServer::getOrderPath().isEmpty()) {
            failed.append(name);
            continue;
        }
        FileOperation::removeFile(path);
        if (QFileInfo::exists(path)) {
            failed.append(name);
            continue;
        }
        // Thumbnails go only with the photo: a photo that stayed keeps them.
        for (const QString& thumb : {photo.GetImagePath(), photo.GetThumbPath100(), photo.GetMiddleImagePath()})
            FileOperation::removeFile(thumb);
        gone[i] = true;
        removed.append(name);
    }
    removeMarked(all, gone);
    reportFailures(QStringLiteral("照片%1删除失败，请重试"), failed);
    return removed;
}

void ImageData::removeDeletedImage()
{
    ++m_folderMoves;
    const QString folder = DirServer::getDeletedImagePath();
    if (DirServer::getOrderPath().isEmpty())
        return;
    FileOperation::removeDir(folder);
    FileOperation::makeDir(folder);
    deleted.clear();
}
