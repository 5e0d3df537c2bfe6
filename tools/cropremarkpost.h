#ifndef CROPREMARKPOST_H
#define CROPREMARKPOST_H

#include <QByteArray>
#include <QRect>
#include <QString>

struct BackendReply;

// The record of one photo's crop and requirement text that the album panel posts at the
// moment either changes, and the reading of its reply.
namespace CropRemarkPost {

// The twelve fields in order; a cancelled crop (0, 0, 0, 0) is sent as it is.
QByteArray body(const QString& name, const QString& descr, const QRect& rect, bool ellipse);

// The reply as read: ok, or the text of the "警告" box to show (empty: no box).
struct Result
{
    bool ok = false;
    QString errorText;
};
// Network error: its text; code other than "1": "提交裁剪信息错误：" and the message; a
// reply that is no JSON object: no text. The local photo keeps its change either way.
Result readReply(const BackendReply& reply);

} // namespace CropRemarkPost

#endif // CROPREMARKPOST_H
