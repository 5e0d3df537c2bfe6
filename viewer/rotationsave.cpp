#include "viewer/rotationsave.h"

#include "core/logging.h"
#include "photostore/imageoperation.h"
#include "photostore/photofilelock.h"
#include "photostore/picturecache.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTransform>

namespace {

// The turned picture in the file's own format, quality 100; empty when it cannot be encoded.
QByteArray encodeTurned(const QImage& image, int angle, const QString& path)
{
    const QImage turned = image.transformed(QTransform().rotate(angle), Qt::FastTransformation);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    writer.setQuality(100);
    if (!writer.write(turned))
        return QByteArray();
    return bytes;
}

bool replaceFile(const RotationSave::Encoded& file)
{
    // A file moved away meanwhile (the photo set aside, say) is not written again where it was:
    // the photo would lie in two albums.
    if (!QFileInfo(file.path).isFile())
        return false;
    QSaveFile out(file.path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size()) {
        out.cancelWriting();
        return false;
    }
    const bool replaced = out.commit();
    // The viewer's decoded picture of the old file is stale now.
    PictureCache::shared().forget(file.path);
    return replaced;
}

} // namespace

int RotationSave::quarterTurns() const
{
    return ((angle / 90) % 4 + 4) % 4;
}

RotationSave::Turned RotationSave::encode() const
{
    qCDebug(lcViewer) << "图片旋转的角度：" << angle;
    Turned turned;
    const int turns = quarterTurns();
    if (turns == 0)
        return turned;
    const QImage picture = ImageOperation::loadImage(full);
    if (picture.isNull())
        return turned;
    const Encoded whole {full, encodeTurned(picture, turns * 90, full)};
    if (whole.bytes.isEmpty())
        return turned;
    turned.files << whole;
    turned.photoSize = picture.size();
    for (const QString& other : {small, middle, list, marks}) {
        if (other.isEmpty() || !QFileInfo(other).isFile())
            continue;
        // A thumbnail that cannot be turned is left for the album panel to make again.
        const QImage image = ImageOperation::loadImage(other);
        const QByteArray bytes = image.isNull() ? QByteArray() : encodeTurned(image, turns * 90, other);
        if (!bytes.isEmpty())
            turned.files.append({other, bytes});
    }
    return turned;
}

RotationSave::Outcome RotationSave::replace(const Turned& turned) const
{
    Outcome outcome;
    if (turned.files.isEmpty() || !replaceFile(turned.files.first()))
        return outcome;
    outcome.isWritten = true;
    outcome.photoSize = turned.photoSize;
    // The full photo is turned: a thumbnail that stays unturned is made again from it.
    for (int i = 1; i < turned.files.size(); ++i)
        if (!replaceFile(turned.files.at(i)))
            qCDebug(lcViewer) << "旋转保存：缩略图未写入" << turned.files.at(i).path;
    return outcome;
}

RotationSave::Outcome RotationSave::write() const
{
    // No level job of the photo reads or writes its files meanwhile.
    const PhotoFileLock held(full);
    // Everything is encoded before the first file is touched, so a failure changes nothing.
    return replace(encode());
}
