#ifndef IMAGEEDITER_H
#define IMAGEEDITER_H

#include "photostore/image.h"
#include "viewer/rotationsave.h"

#include <QImage>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class BaseThumbnailThread;
class CompareReplyRelay;
class HomeImage;
class QPainter;
class QTimeLine;

// The picture widget of the large-photo pane. It paints the shown photo itself on black:
// fitted, darkened outside the stored crop of a 成品 photo, zoomed in steps of 1.25, dragged
// within bounds and turned by quarter turns for viewing; it compares the photo with its
// counterpart or several photos in a grid, frames a new crop (a rectangle or an ellipse
// with the ratio of the chosen size) and saves a view rotation into the photo's files.
//
// Everything runs on the GUI thread except the loads and the save: the counterpart loads on
// a BaseThumbnailThread, the grid on picture jobs of the global pool, and the rotation save
// on the concurrent-run pool. Each comparison is tagged, and a reply of a comparison that
// has been left (by another comparison, a photo shown or a crop frame started) is dropped.
// A loader still running when it is replaced or the widget goes deletes itself when done.
// A non-zero effect with a new photo name uncovers the photo from black along a time line
// (1 centre opening, 2 and 6 vertical blinds, 3 and 7 horizontal blinds, 4 and 8
// checkerboard, 5 and 9 wipe down, anything else black); effect 0 shows it at once.
class ImageEditer : public QLabel
{
    Q_OBJECT
public:
    explicit ImageEditer(QWidget* parent = nullptr);
    ~ImageEditer() override;

    // Display
    void showImage(QImage image, QString name, QRect clipRect, PHOTOTYPE type, bool ellipse, int effect);
    void showImage(QImage image, QRect clipRect, PHOTOTYPE type, bool ellipse);
    // image already fitted into box (as the widget fits it) on a worker: used instead of
    // scaling image again when image is shown next and the widget still has that size.
    void offerFitted(const QImage& image, const QImage& fitted, QSize box);
    static QRect scaleRect(QImage from, QRect rect, QImage to);
    QRect getImageRect();
    int roll_angle() const;
    void showHomeImage(HomeImage home);
    void setImage(const QImage& image);
    void setEffect(int effect);
    QRect getClipRectToLabel(QRect rect);
    // Starts a slide transition to this photo (crop in the 0..1000 space).
    void startDraw(const QImage& image, QRect clipRect, PHOTOTYPE type, bool ellipse, int effect);

    // Zoom and view rotation
    QImage scaleImage(int level);
    void scaleLarge();
    void scaleSmall();
    void setScaleLevel(int level);
    void rotateClockWise();
    void rotateAntiClockWise();

    // Comparison
    void showCompare(QString path);
    void showCompare(QList<QString> paths);

    // Saves the view rotation of the shown photo into its three files, off the GUI thread.
    // The files and the photo's index are taken now; nothing is saved when no photo is shown,
    // the view is not turned (a multiple of 360 degrees) or mode is neither 0 nor 1.
    // rotateSaved(index) follows a complete save; a failed one shows a box and changes no
    // file; rotateFinished() comes in every case, queued.
    void updateImageLib(int mode, int angle);

    // Crop frames
    void startClip(int w, int h);
    void startCircleClip(int w, int h);
    int getMousePositionInClipRect(int x, int y);
    void moveClipRect();
    QRect getClipRectToScaledImage();
    QRect getClipRectToOriginalImage();
    QRect getClipRectToThousand();
    bool isEllipse();
    void clearPoints();

public slots:
    void onFinishLoad(QImage img);
    void onFinishLoadCmpImage(QImage img, int index);
    void onUpdateGreyImage();
    // One frame of the transition's time line.
    void slot_timeOut(int val0);

signals:
    void updateGreyImage();
    void sendMouseMove(int x, int y);
    void rotateFinished();
    // The photo at this index of its album was turned on disk: its thumbnail is stale.
    void rotateSaved(int index);
    // The same save, for what is drawn on the photo (its crop and marks are to be turned too);
    // emitted just before rotateSaved.
    void turnSaved(const SavedTurn& turn);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBlackBackgroud();
    void drawBrosweModePixmap();
    void drawCompareModePixmap();
    void drawMultiCompareModePixmap();
    void drawClipModePixmap();
    void drawCircleClipModePixmap();
    void drawAnimPixmap();
    void iniTimer();

    void startFrame(int w, int h, int mode);
    void drawCornerMarks(QPainter& painter);
    void drawCentreMark(QPainter& painter);
    // m_image fitted into the widget, kept while neither changes (drags repaint often).
    QImage fittedImage();
    QImage darkened(const QImage& scaled, const QRect& clip, bool ellipse) const;
    // Ends any comparison in flight: its late replies are dropped from now on.
    void leaveComparison();
    void releaseLoader();

    int m_mode;
    QPoint m_pressPoint;
    QPoint m_movePoint;
    bool m_isPressed;
    QImage m_scaledImage;
    QImage m_image;
    QRect m_imageClipRect;
    bool m_ellipse;
    PHOTOTYPE m_photoType;
    int m_offsetX;
    int m_offsetY;
    int m_rollAngle;
    int m_scaleLevel;
    QString m_imageName;
    double m_clipRatio;
    QRect m_clipRect;
    int m_clipPosition;
    QList<QImage> m_cmpImages;
    QPointer<BaseThumbnailThread> m_loadThread;
    QImage m_animImage;
    QTimeLine* m_timeLine;
    int m_animPos;
    int m_effect;
    QRect m_animClipRect;
    bool m_animEllipse;
    bool m_isAnimating;

    int m_compareGeneration;
    QPointer<CompareReplyRelay> m_compareRelay;
    QImage m_fittedImage;
    QSize m_fittedFor;
    qint64 m_fittedSource;
};

#endif // IMAGEEDITER_H
