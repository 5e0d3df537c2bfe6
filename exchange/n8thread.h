#ifndef N8THREAD_H
#define N8THREAD_H

#include <QJsonArray>
#include <QPointer>
#include <QString>
#include <QThread>

class QWidget;

// Background worker of the N8 exchange. The creator sets the members of its job, then
// calls start(); the results are invoked on the receiver's named slots, queued, on the
// thread that created the worker. A receiver that is gone by then gets nothing, so a
// window may close while its worker still runs.
class N8thread : public QThread
{
    Q_OBJECT
public:
    N8thread(QWidget* receiver, QObject* parent);
    ~N8thread() override;

    // The job: "stores" checks which stores' N8 folders this computer reaches.
    QString mode;
    // Store objects with "id", "name" and "n8path".
    QJsonArray stores;

    // Mode "stores": the reachable store objects and the names of the others go to
    // the receiver's slt_n8stores(QJsonArray, QString).
    void judgeStorePath();

protected:
    void run() override;

private:
    QPointer<QWidget> receiver; // read on the creating thread only
};

#endif // N8THREAD_H
