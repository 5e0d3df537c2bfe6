#ifndef DRAWNTURN_H
#define DRAWNTURN_H

#include "photostore/image.h"
#include "viewer/rotationsave.h"

#include <QObject>
#include <QRect>

struct BackendReply;

// What is drawn on one photo, turned after a quarter turn was saved into its files: its crop
// is turned and posted as a crop record, its stored marks are turned by a MarkTurn (which
// loads them from the back end: whether a photo has marks is the back end's to say). The
// photo's local crop takes the turned one only once the back end has accepted it, so that the
// panel shows what the lab receives; the crop's thumbnail is then made again on a worker. When
// all of it has ended, one box says what was not stored with the turned photo and must be made
// again; then finished().
// Only for a photo of an album that carries crops and marks. Lives on the GUI thread, a child
// of the window that starts it; deletes itself after finished().
class DrawnTurn : public QObject
{
    Q_OBJECT
public:
    DrawnTurn(const SavedTurn& turn, QObject* parent);

    void start();

signals:
    // The crop post has ended: photo (the saved photo's record) holds the crop the photo keeps
    // now, turned or, when the post failed, as the back end holds it.
    void cropSettled(const Image& photo);
    void finished();

private:
    void replyPostCrop(const BackendReply& reply);
    void marksTurned(bool isStored);
    void endPart();

    SavedTurn m_turn;
    QRect m_turnedCrop;
    bool m_isEllipse = false;
    int m_pending = 0;
    bool m_isCropStored = true;
    bool m_areMarksStored = true;
};

#endif // DRAWNTURN_H
