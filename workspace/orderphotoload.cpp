#include "workspace/orderphotoload.h"

#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "photostore/croprect.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

// A crop coordinate as the back end sends it: a decimal string; anything else reads as 0.
// Read in 64 bits, so that a value beyond int can be told from one within it.
qint64 coordinate(const QJsonObject& element, const char* key)
{
    bool ok = false;
    const qint64 value = element.value(QLatin1String(key)).toString().trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

QStringList videoPaths(const QJsonObject& reply, const char* key)
{
    QStringList paths;
    const QJsonArray videos = reply.value(QLatin1String(key)).toArray();
    for (const QJsonValue& video : videos)
        paths.append(video.toObject().value(QStringLiteral("videopath")).toString());
    return paths;
}

// True for a reply with "code" "1"; otherwise the box that stops the road goes into
// result: the network error, or the refusal (refusalPrefix and the message). A reply
// that is no JSON object stops it without a box.
template <typename Result> bool accepted(const BackendReply& reply, const QString& refusalPrefix, Result* result)
{
    if (reply.isSuccess())
        return true;
    result->errorTitle = QStringLiteral("警告");
    result->errorText = reply.failureText(refusalPrefix);
    return false;
}

} // namespace

QByteArray OrderPhotoLoad::orderQueryBody()
{
    return FormBody::withToken()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("companyid"), Config::super_id)
        .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
        .toByteArray();
}

Image OrderPhotoLoad::readRecord(const QJsonObject& element)
{
    Image record;
    record.Setpath(element.value(QStringLiteral("picname")).toString());
    const int marks = element.value(QStringLiteral("mark")).toArray().size();
    record.SetStrneed(marks > 0 ? QStringLiteral("已有%1个标注").arg(marks) : QString());
    const qint64 width = coordinate(element, "picwidth");
    const qint64 height = coordinate(element, "picheight");
    // A negative size, or an edge that no int holds, is no crop: it could not be drawn,
    // shown or posted back.
    const QRect crop = width < 0 || height < 0
        ? QRect()
        : CropRect::make(coordinate(element, "picx"), coordinate(element, "picy"), width, height);
    record.setClipRect(crop, element.value(QStringLiteral("pictype")).toString() != QLatin1String("0"));
    return record;
}

OrderPhotoLoad::PictureInfo OrderPhotoLoad::readPictureInfo(const QJsonObject& reply)
{
    PictureInfo info;
    info.trialVideos = videoPaths(reply, "shipai");
    info.finalVideos = videoPaths(reply, "jingxiu");
    const QJsonArray elements = reply.value(QStringLiteral("orderpicdescr")).toArray();
    info.records.reserve(elements.size());
    for (const QJsonValue& element : elements)
        info.records.append(readRecord(element.toObject()));
    return info;
}

QString OrderPhotoLoad::withSlashes(const QString& picpath)
{
    QString path = picpath;
    for (int i = 2; i < path.size(); ++i)
        if (path.at(i) == QLatin1Char('\\'))
            path[i] = QLatin1Char('/');
    return path;
}

bool OrderPhotoLoad::mapOrderFolder(const QString& picpath, QString* mapped, QString* folder)
{
    const QString path = withSlashes(picpath);
    *mapped = Config::returnPicPath(path);
    // Folder names are joined to the order folder without a separator.
    *folder = asFolder(*mapped);
    // An empty or relative result would make the working folder the order folder.
    if (path == QLatin1String("\\\\") || mapped->isEmpty() || !QDir::isAbsolutePath(*mapped))
        return false;
    return QDir(*mapped).exists();
}

QString OrderPhotoLoad::asFolder(const QString& path)
{
    return path.isEmpty() || path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString OrderPhotoLoad::openFailedText(const QString& mapped)
{
    return QStringLiteral("订单路径<font color=\"blue\">") + mapped.toHtmlEscaped()
        + QStringLiteral("</font>打开失败，请检查路径是否正确！");
}

OrderPhotoLoad::PictureInfoReply OrderPhotoLoad::readPictureInfoReply(const BackendReply& reply)
{
    PictureInfoReply result;
    if (!accepted(reply, QStringLiteral("查询裁剪信息错误："), &result))
        return result;
    result.info = readPictureInfo(reply.object);
    result.ok = true;
    return result;
}

OrderPhotoLoad::OrderFolderReply OrderPhotoLoad::readOrderFolderReply(const BackendReply& reply)
{
    OrderFolderReply result;
    if (reply.isObject())
        qCDebug(lcWorkspace).noquote() << QStringLiteral("订单路径数据：")
                                       << QString::fromUtf8(QJsonDocument(reply.object).toJson(QJsonDocument::Compact));
    if (!accepted(reply, QStringLiteral("获取订单路径错误："), &result))
        return result;
    QString mapped;
    if (!mapOrderFolder(reply.object.value(QStringLiteral("picpath")).toString(), &mapped, &result.folder)) {
        result.errorTitle = QStringLiteral("温馨提示");
        result.errorText = openFailedText(mapped);
        return result;
    }
    result.ok = true;
    return result;
}

QStringList OrderPhotoLoad::thumbnailFolders()
{
    return {DirServer::getOriginalImageThumbPath100(), DirServer::getOriginalImageSmallThumbPath(),
        DirServer::getOriginalImageMidThumbPath(), DirServer::getDesignImageThumbPath100(),
        DirServer::getDesignImageSmallThumbPath(), DirServer::getDesignImageMidThumbPath(),
        DirServer::getFineImageThumbPath100(), DirServer::getFineImageSmallThumbPath(),
        DirServer::getFineImageMidThumbPath()};
}

void OrderPhotoLoad::createThumbnailFolders()
{
    static const char* const made[] = {"创建毛底缩略图目录", "创建设计缩略图目录", "创建缩略图目录"};
    static const char* const hidden[] = {"隐藏毛底缩略图目录", "隐藏设计缩略图目录", "隐藏缩略图目录"};
    if (DirServer::getOrderPath().isEmpty())
        return;
    const QStringList folders = thumbnailFolders();
    for (int i = 0; i < folders.size(); ++i) {
        const QString& folder = folders.at(i);
        if (FileOperation::isDirExist(folder))
            continue;
        // Done outside the log lines: a switched-off category does not evaluate its arguments.
        const bool isMade = FileOperation::makeDir(folder);
        qCDebug(lcWorkspace).noquote() << QString::fromUtf8(made[i / 3]) << folder << isMade;
        const bool isHidden = FileOperation::hide(folder);
        qCDebug(lcWorkspace).noquote() << QString::fromUtf8(hidden[i / 3]) << folder << isHidden;
    }
}

QStringList OrderPhotoLoad::existingFiles(const QStringList& paths)
{
    QStringList found;
    for (const QString& path : paths)
        if (FileOperation::isFileExist(path))
            found.append(path);
    return found;
}
