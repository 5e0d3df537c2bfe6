#ifndef N8THREAD_H
#define N8THREAD_H

#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>

class QWidget;

// Background worker of the N8 exchange, one object per job. The creator sets the members
// of its job, then calls start(); it never touches a widget. Results are invoked on the
// receiver's named slots on the thread that created the worker:
//   mode "stores": slt_n8stores(QJsonArray reachable, QString otherNames);
//   modes "xml" and "write": slt_threademit(QJsonObject report) after the build and per store.
// A receiver that is gone gets nothing, and once stopThread() has been called no further
// report reaches it, not even one already on its way. Every N8 path goes through
// N8SharePath, so a share named in Windows form lands in its mounted folder.
class N8thread : public QThread
{
    Q_OBJECT
public:
    N8thread(QWidget* receiver, QObject* parent);
    ~N8thread() override;

    // The job: "xml" builds the list and writes it, "write" writes xmlstr, "stores" checks
    // which stores' N8 folders this computer reaches.
    QString mode;
    // 0 staff list ("VgStaff.xml"), 1 product list ("productList.xml").
    int kind = 0;
    // Staff or product objects with "id" and "name".
    QJsonArray datas;
    // Store objects with "id", "name" and "n8path".
    QJsonArray stores;
    // The XML of the last build: what the write puts into every store's list file.
    QString xmlstr;

    // Asks a running job to end at its following check; call from the creating thread,
    // then quit() and wait().
    void stopThread();

    void makepeoplexmltxt();
    void makeproductxmltxt();
    void writeToFile();
    void judgeStorePath();

protected:
    void run() override;

private:
    bool makeXml(bool staff);
    // The failure line of one store, empty when its file was written.
    QString writeStore(const QString& name, const QString& n8path, const QString& fileName);
    void report(const QJsonObject& report);

    std::atomic<bool> stopped {false};
    QPointer<QWidget> receiver; // read on the creating thread only
};

#endif // N8THREAD_H
