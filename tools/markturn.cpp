#include "tools/markturn.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/logging.h"
#include "core/replycheck.h"
#include "photostore/quarterturn.h"
#include "tools/addfrontdlg.h"
#include "tools/markpicture.h"
#include "tools/markpost.h"
#include "tools/markstring.h"

#include <QJsonArray>

MarkTurn::MarkTurn(const QString& picName, int turns, const QSize& photoSize, QObject* parent)
    : QObject(parent)
    , m_picName(picName)
    , m_turns(turns)
    , m_photoSize(photoSize)
{
}

void MarkTurn::start()
{
    BackendPost::post(Config::url_get_imgMarks, MarkPost::loadBody(m_picName), this, &MarkTurn::replyGetMarks);
}

QStringList MarkTurn::turned(const QStringList& marks, const QRect& area, const QSize& photoSize, int turns)
{
    const QRect before = MarkPicture::paintedRect(area, photoSize);
    const QRect after = MarkPicture::paintedRect(area, QuarterTurn::turnedSize(photoSize, turns));
    QStringList out;
    for (const QString& mark : marks) {
        MarkString read = MarkString::parse(mark);
        if (!read.isValid()) {
            out << mark;
            continue;
        }
        const QRect frame = QuarterTurn::turnedFrame(read.rect, before, after, turns);
        // A frame the turn leaves in place keeps its string as stored, to the letter.
        if (frame == read.rect) {
            out << mark;
            continue;
        }
        read.rect = frame;
        out << read.toString();
    }
    return out;
}

void MarkTurn::replyGetMarks(const BackendReply& reply)
{
    const QJsonValue marks = reply.object.value(QStringLiteral("mark"));
    // The editor reads "mark" whatever the code; without the list nothing is known to turn.
    if (!reply.isObject() || !marks.isArray()) {
        end(false);
        return;
    }
    QStringList strings;
    for (const QJsonValue& mark : marks.toArray())
        if (mark.isString() && !mark.toString().isEmpty())
            strings << mark.toString();
    if (strings.isEmpty()) {
        end(true);
        return;
    }
    const QStringList turnedMarks = turned(strings, addFrontDlg::pictureArea(), m_photoSize, m_turns);
    BackendPost::post(
        Config::url_post_imgMarks, MarkPost::saveBody(turnedMarks, m_picName), this, &MarkTurn::replyPostMarks);
}

void MarkTurn::replyPostMarks(const BackendReply& reply)
{
    end(ReplyCheck::isAccepted(reply));
}

void MarkTurn::end(bool isStored)
{
    if (!isStored)
        qCDebug(lcTools).noquote() << "marks not turned:" << m_picName;
    emit finished(isStored);
    deleteLater();
}
