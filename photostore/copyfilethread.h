#ifndef COPYFILETHREAD_H
#define COPYFILETHREAD_H

#include <QRunnable>
#include <QString>

// Pool job that moves a file by copying it (the source is removed only after a complete
// copy) or deletes one.
class CopyFileThread : public QRunnable
{
public:
    CopyFileThread(QString source, QString target);
    explicit CopyFileThread(QString source);

    void run() override;

private:
    QString m_source;
    QString m_target;
    int m_mode; // 0 move by copying, 1 delete, 2 nothing
};

#endif // COPYFILETHREAD_H
