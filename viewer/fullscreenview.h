#ifndef FULLSCREENVIEW_H
#define FULLSCREENVIEW_H

#include "photostore/fullscreenstate.h"
#include "photostore/picturecache.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class AnimImageView;
class PictureLoader;
class QDialog;
class QLabel;
class QMediaPlayer;
class QMediaPlaylist;
class QTimer;
namespace Ui {
class FullScreenView;
}

// The full-screen slide show of the album that the workspace shows. It has no position of
// its own: it steps the photo store's current photo, so the photo it closes on is the
// current one afterwards. Keys act on release (Space plays and stops, Esc leaves, the
// studio's shortcut pairs step and delete; Shift held shows the counters), the wheel zooms
// once the whole full-size picture is on screen (a zoom in reads it first and zooms when it
// has come).
//
// GUI thread only. Pictures are read by a PictureLoader of the view's own, as large as the
// screen shows them and fitted on its workers, with the neighbours in the stepping direction
// read ahead, so that a step mostly finds its picture decoded. A picture of another photo than
// the current one is dropped by its full path. Closing deletes the loader: its pending reads
// are dropped and nothing answers the closed view, so closing never touches other windows'
// jobs. Every notice closes by a timer of the view, so nothing runs after the view is gone. On
// every close updateView() reports the photos set aside during its life. Background music is
// made only when asked for.
class FullScreenView : public QWidget
{
    Q_OBJECT
public:
    explicit FullScreenView(QWidget* parent = nullptr);
    ~FullScreenView() override;

    // True while a full-screen view is open (the photo store's flag, which pool jobs read).
    static std::atomic<bool>& isValid;

    void showPhoto();
    // The full-size picture is shown (perhaps decoded only as large as the screen needs).
    bool isFullSizeLoaded() const { return isShownOriginalImage; }
    // Null once the view has closed.
    PictureLoader* pictureLoader() const { return m_loader; }
    void showBigPhoto();
    void showSmallThenBig();
    void showSmallThenMid();
    void showSmallPhoto();
    void showScaleNum(int percent);
    void toggleTimer();
    void showNext();
    void showPrevious();
    void showFirst();
    void showLast();
    void showNextTimer();
    void showLastOneLab();
    void deleteImage();
    void showImageNum();
    void playSound();
    void stopSound();
    void importSongs();

signals:
    void updateView(QStringList deletedNames);
    // Photos have just gone from 成品 to 汰片, for the move record.
    void movedToDeleted(QStringList names);

public slots:
    void onTimer();
    void timerDone();
    void receiveMouseMove(int x, int y);
    void loadFinished(QImage img, QString imgPath, bool isOriginal);
    void stopGif();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Shows path (the final picture of the display mode) from the cache, or has it read, with
    // the small thumbnail first when smallFirst; then reads the neighbours ahead.
    void showPicture(const QString& path, bool smallFirst);
    void onPictureLoaded(QString path, PictureCache::Picture picture);
    void readAhead();
    // The box pictures are fitted into: the picture label, or the screen it will fill before
    // the view is shown.
    QSize pictureBox() const;
    // Reads the whole full-size picture, zooming in one step once it is shown when zoom.
    void readWholePicture(bool zoom);
    void zoom(bool zoomIn);
    QString counterText() const;
    // On the last photo: the end-of-album notice, and true when the album does not wrap.
    bool stopsAtTheEnd();
    QLabel* makeLabel(const char* name, int pointSize);
    void showPopup(const QString& text);
    // Moves the current selection photo, by its file's own name (as the album panel names it),
    // to 汰片, then says so; a photo that stayed says nothing more.
    void setAside(const QString& fileName);
    // Shows the photo that took the place of one that left the album, or the new last photo
    // with the notice when it was the last; closes when the album is empty. With
    // isNoticeOnLast, landing on the last photo shows the notice too.
    void showAfterRemoval(bool removedWasLast, bool isNoticeOnLast = false);

    AnimImageView* m_imageLabel;
    Ui::FullScreenView* ui;
    QTimer* m_timer;
    QTimer* m_scaleTimer;
    QLabel* m_scaleLabel;
    QLabel* m_imageNumLabel;
    QLabel* m_lastOneLabel;
    QString m_currentName;
    bool isShownOriginalImage;
    int m_scaleLevel;
    QStringList m_deletedNames;
    QMediaPlayer* m_player;
    QMediaPlaylist* m_playlist;
    int m_volume;
    bool m_isOpen;
    QLabel* m_counterLabel;

    // The current photo's pictures by size (small, middle, full); a load is shown only when
    // its path is one of them and it is not smaller than the picture on screen.
    QString m_picturePaths[3];
    int m_shownSize;
    bool m_isBigRequested;
    PictureLoader* m_loader;
    // The picture the current photo ends on: the display mode's, or the full-size one once a
    // zoom asked for the whole picture.
    QString m_finalPath;
    // The shown full-size picture was decoded smaller than its file: zooming in reads the
    // whole one.
    bool m_shownReduced;
    bool m_isWholeRequested;
    // Zoom in one step once the whole picture of the current photo is shown.
    bool m_zoomWhenWhole;
    // The worker-fitted picture of the image about to be shown, when there is one.
    PictureCache::Picture m_offered;
    // +1 after a step forward, -1 after a step back: that side is read ahead first.
    int m_stepDirection;
    // A selection photo went to 汰片 and its popup is up: the view steps on when it ends,
    // to the new last photo when the one that went was the last.
    bool m_isStepPending = false;
    bool m_setAsideWasLast = false;
    QPointer<QDialog> m_popup;
};

#endif // FULLSCREENVIEW_H
