#ifndef N8SELECTION_H
#define N8SELECTION_H

#include "core/formbody.h"

#include <QObject>
#include <QString>

class QProcess;
class QWidget;
struct BackendReply;

// The album panel's N8 road. The hand-off asks the back end where the open order lives in
// N8's share ("getpath"), writes its product list there and starts N8ViewGo on it under the
// panel's loading overlay; the read-back, started by the end of N8ViewGo or by the panel's
// sync button, reads the selection N8ViewGo left and posts it ("syncgoods"), then emits
// synced(). One read-back at a time: a second one asked for meanwhile is refused.
//
// Lives on the GUI thread as a child of the panel, which also owns the process; the files of
// the share are read and written on worker threads (N8ProductFile, N8SelectionRead). Boxes
// go through Prompt, the panel being their parent where it has one.
class N8Selection : public QObject
{
    Q_OBJECT
public:
    N8Selection(QWidget* panel, QProcess* process);

    // A read-back is on its way (from its path request to the answer of its post).
    bool isN8Syncing() const { return m_isN8Syncing; }

    // The hand-off: posts the path request.
    void getN8Info();
    // The read-back: posts the path request; false (and nothing posted) while one runs.
    bool getSynN8Info();

signals:
    // The selection reached the back end and the operator has acknowledged it.
    void synced();

private:
    void queryN8InfoCallBack(const BackendReply& reply);
    void launch(const QString& target);
    void N8finished(int exitCode);
    void failedToStart();
    void querySynN8InfoCallBack(const BackendReply& reply);
    // Reads the selection of a local selection folder and posts it.
    void settingPath(const QString& folder);
    void postSynN8Info(const QString& comments, int yqnumber, const QString& remark, const QString& resultText);
    void querySynN8PostInfoCallBack(const BackendReply& reply);

    // The order's fields that both requests begin with (the path request is just these).
    static FormBody orderFields();
    // Ends a read-back that cannot go on: the overlay goes, then the box.
    void stopSync();
    void setOverlayMessage(const QString& message);

    QWidget* m_panel;
    QProcess* m_process;
    bool m_isN8Syncing = false;
};

#endif // N8SELECTION_H
