#ifndef BASETHUMBNAILTHREAD_H
#define BASETHUMBNAILTHREAD_H

#include <QImage>
#include <QString>
#include <QThread>

// Loads one picture on a thread of its own (the viewer's compare mode) and hands it over
// with finishScale, fitted into width x height when both are set.
class BaseThumbnailThread : public QThread
{
    Q_OBJECT
public:
    BaseThumbnailThread();
    BaseThumbnailThread(QString path, int width, int height);

    void setParams(QString path, int width, int height);

signals:
    void finishScale(QImage image);

protected:
    void run() override;

private:
    QString m_path;
    int m_width = 0;
    int m_height = 0;
};

#endif // BASETHUMBNAILTHREAD_H
