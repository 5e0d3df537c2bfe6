#ifndef N8IMPORTTHREAD_H
#define N8IMPORTTHREAD_H

#include "exchange/n8fileinfo.h"

#include <QPointer>
#include <QRunnable>
#include <QString>
#include <QWidget>

// Copies one file of the N8 exchange on a pool thread, then calls the receiver's slot
//   importCopyN8ProgressSlot(int, int, int, QString)
// queued, on the receiver's thread, with the three numbers and the text it was made with,
// unchanged; whether the copy succeeded is not passed on. A receiver that is gone by then
// gets nothing. Deletes itself after running.
class N8ImportThread : public QRunnable
{
public:
    N8ImportThread(int first, int second, int third, QString text, N8FileInfo file, QWidget* receiver);

    void run() override;
    // The copy, then the call of the receiver; the copy's result.
    bool import();

    // Equal paths count as copied; a missing source fails; the destination's folder (the
    // text before its last "/") is made with its parents; an existing destination is kept
    // and the copy fails.
    static bool copyFile(const QString& fromPath, const QString& toPath);

private:
    int m_first;
    int m_second;
    int m_third;
    QString m_text;
    N8FileInfo m_file;
    QPointer<QWidget> m_receiver;
};

#endif // N8IMPORTTHREAD_H
