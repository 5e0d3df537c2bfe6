#ifndef THUMBREPLYRELAY_H
#define THUMBREPLYRELAY_H

#include <QPixmap>
#include <QWidget>

// The receiver that the album panel's thumbnail jobs answer. One relay serves one batch
// of jobs: when the panel starts another batch it lets the relay go, and the jobs of the
// old batch then reply to nobody. Never shown.
class ThumbReplyRelay : public QWidget
{
    Q_OBJECT
public:
    // counted: the batch's jobs are counted in the panel's progress.
    explicit ThumbReplyRelay(bool counted);

    bool isCounted() const { return counted; }
    // A counted job of the batch was thrown away before it ran (its pool was cleared).
    void noteDropped();

public slots:
    // The reply of a list-icon job: photo index, icon, album of the photo.
    void updateThumbIcon(int index, QPixmap icon, int album);
    // The reply of a list-icon job whose icon was not wanted: the thumbnail files are there.
    void thumbFilesReady(int index, int album);

signals:
    void replied(int index, QPixmap icon, int album);
    void filesReplied(int index, int album);
    void dropped();

private:
    const bool counted;
};

#endif // THUMBREPLYRELAY_H
