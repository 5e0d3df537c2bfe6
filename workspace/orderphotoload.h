#ifndef ORDERPHOTOLOAD_H
#define ORDERPHOTOLOAD_H

#include "photostore/image.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

class QNetworkReply;

// The steps of the album panel's load road that need no widget: the body of the two
// order queries, reading the picture-information reply, turning the server's order path
// into the mounted folder, the thumbnail folders of the order and the playable videos.
class OrderPhotoLoad
{
public:
    OrderPhotoLoad() = delete;

    // The five fields of the picture-information, picture-path and requirement queries, in order.
    static QByteArray orderQueryBody();

    // What a picture-information reply carries. Missing members or members of another
    // type read as empty; a number that is not a decimal string reads as 0.
    struct PictureInfo
    {
        QStringList trialVideos;
        QStringList finalVideos;
        QList<Image> records;
    };
    static PictureInfo readPictureInfo(const QJsonObject& reply);
    // One photo's record: name, "已有N个标注" for N marks, crop and ellipse flag.
    static Image readRecord(const QJsonObject& element);

    // The server's path with every backslash after the first two turned into "/": the
    // leading pair of a share name survives.
    static QString withSlashes(const QString& picpath);
    // The mounted folder of the server's path: *mapped as the mapping gives it (for the
    // message), *folder the same with a trailing "/" (for the path registry). False when it
    // cannot be opened: the bare share prefix, an empty or relative result, no such folder.
    static bool mapOrderFolder(const QString& picpath, QString* mapped, QString* folder);
    // The folder with the trailing "/" that the path registry joins names to.
    static QString asFolder(const QString& path);
    // The "温馨提示" text for a folder that cannot be opened; the path is shown as text.
    static QString openFailedText(const QString& mapped);

    // The picture-information reply: false, after the "警告" box where one is due, when
    // it is a network error, not a JSON object or not code "1" ("查询裁剪信息错误：").
    static bool readPictureInfoReply(QNetworkReply* reply, PictureInfo* info);
    // The picture-path reply: the order folder to register. False, after its box, on a
    // network error, a code other than "1" ("获取订单路径错误：") or a folder that cannot be
    // opened ("温馨提示"); silently when the reply is not a JSON object.
    static bool readOrderFolderReply(QNetworkReply* reply, QString* folder);

    // The nine thumbnail folders of the order, in the order in which they are checked.
    static QStringList thumbnailFolders();
    // Creates (and hides) each missing thumbnail folder; failures reach the log only.
    // Nothing without an order folder: the names would land in the working folder.
    static void createThumbnailFolders();

    // The listed videos that exist, in list order; paths are used as they stand.
    static QStringList existingFiles(const QStringList& paths);
};

#endif // ORDERPHOTOLOAD_H
