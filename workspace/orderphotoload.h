#ifndef ORDERPHOTOLOAD_H
#define ORDERPHOTOLOAD_H

#include "photostore/image.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

struct BackendReply;

// The steps of the album panel's load road that need no widget: the body of the two
// order queries, reading the picture-information reply, turning the server's order path
// into the mounted folder, the thumbnail folders of the order and the playable videos.
namespace OrderPhotoLoad {

// The five fields of the picture-information, picture-path and requirement queries, in order.
QByteArray orderQueryBody();

// What a picture-information reply carries. Missing members or members of another
// type read as empty; a number that is not a decimal string reads as 0.
struct PictureInfo
{
    QStringList trialVideos;
    QStringList finalVideos;
    QList<Image> records;
};
PictureInfo readPictureInfo(const QJsonObject& reply);
// One photo's record: name, "已有N个标注" for N marks, crop and ellipse flag.
Image readRecord(const QJsonObject& element);

// The server's path with every backslash after the first two turned into "/": the
// leading pair of a share name survives.
QString withSlashes(const QString& picpath);
// The mounted folder of the server's path: *mapped as the mapping gives it (for the
// message), *folder the same with a trailing "/" (for the path registry). False when it
// cannot be opened: the bare share prefix, an empty or relative result, no such folder.
bool mapOrderFolder(const QString& picpath, QString* mapped, QString* folder);
// The folder with the trailing "/" that the path registry joins names to.
QString asFolder(const QString& path);
// The "温馨提示" text for a folder that cannot be opened; the path is shown as text.
QString openFailedText(const QString& mapped);

// A reply of the load road as read: ok with its fields, or the box that stops the road
// (errorTitle and errorText; an empty text stops it without a box).
struct PictureInfoReply
{
    bool ok = false;
    PictureInfo info;
    QString errorTitle;
    QString errorText;
};
struct OrderFolderReply
{
    bool ok = false;
    QString folder; // the order folder to register
    QString errorTitle;
    QString errorText;
};
// The picture-information reply. Stops on a network error ("警告"), a code other than "1"
// ("查询裁剪信息错误："), and silently when it is not a JSON object.
PictureInfoReply readPictureInfoReply(const BackendReply& reply);
// The picture-path reply. Stops on a network error ("警告"), a code other than "1"
// ("获取订单路径错误："), a folder that cannot be opened ("温馨提示"), and silently when the
// reply is not a JSON object.
OrderFolderReply readOrderFolderReply(const BackendReply& reply);

// The nine thumbnail folders of the order, in the order in which they are checked.
QStringList thumbnailFolders();
// Creates (and hides) each missing thumbnail folder; failures reach the log only.
// Nothing without an order folder: the names would land in the working folder.
void createThumbnailFolders();

// The listed videos that exist, in list order; paths are used as they stand.
QStringList existingFiles(const QStringList& paths);

} // namespace OrderPhotoLoad

#endif // ORDERPHOTOLOAD_H
