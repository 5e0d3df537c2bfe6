#ifndef THUMBTHREAD_H
#define THUMBTHREAD_H

#include <QImage>
#include <QString>
#include <QThread>

// Loads a picture at the display size of the current show mode on a thread of its own;
// emits nothing when the picture cannot be read.
class ThumbThread : public QThread
{
    Q_OBJECT
public:
    ThumbThread();
    ThumbThread(QString path, int width, int height, bool keepFullSize);

    void setParams(QString path, int width, int height, bool keepFullSize);

    // The picture decoded at the size that Config::show_mode asks for (the file's own size
    // with keepFullSize, or for a show mode without a display size).
    static QImage loadForShowMode(const QString& path, bool keepFullSize);

signals:
    void finishScale(QImage image, QString path, bool isBig);

protected:
    void run() override;

    QString m_path;
    int m_width = 0;
    int m_height = 0;
    bool m_keepFullSize = false;
};

#endif // THUMBTHREAD_H
