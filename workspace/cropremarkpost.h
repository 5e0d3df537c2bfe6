#ifndef CROPREMARKPOST_H
#define CROPREMARKPOST_H

#include <QByteArray>
#include <QRect>
#include <QString>

class QNetworkReply;

// The record of one photo's crop and requirement text that the album panel posts at the
// moment either changes, and the handling of its reply.
class CropRemarkPost
{
public:
    CropRemarkPost() = delete;

    // The twelve fields in order; a cancelled crop (0, 0, 0, 0) is sent as it is.
    static QByteArray body(const QString& name, const QString& descr, const QRect& rect, bool ellipse);
    // Network error: the "警告" box; code other than "1": "提交裁剪信息错误：" and the
    // message. The local photo keeps its change either way.
    static void readReply(QNetworkReply* reply);
};

#endif // CROPREMARKPOST_H
