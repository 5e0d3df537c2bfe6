#ifndef ANIMIMAGEVIEW_H
#define ANIMIMAGEVIEW_H

#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QString>

class QTimeLine;

// The picture widget of the full-screen view: the photo fitted on black, zoomed in steps of
// 1.25 up to seven steps, dragged when larger than the widget, and the slide transitions
// with this widget's numbering of the effects (1 vertical blinds, 2 horizontal blinds,
// 3 checkerboard, 4 wipe down, 5 checkerboard, 6..9 as 2..5 of the picture widget of the
// pane, anything else black). A photo handed to showImage() is shown at once; only
// startAnim() runs a transition. GUI thread only; it lives as long as its parent.
class AnimImageView : public QLabel
{
    Q_OBJECT
public:
    explicit AnimImageView(QWidget* parent = nullptr);
    ~AnimImageView() override;

    void showImage(QImage image, QString name, int effect);
    // image fitted into box off the GUI thread: shown for image, unzoomed, while box is the
    // widget's size, instead of scaling image here.
    void offerFitted(const QImage& image, const QImage& fitted, QSize box);
    const QImage& image() const { return m_image; }
    void startBrowser();
    void startAnim(int effect);
    QImage scaleImage(int level);
    void scaleLarge();
    void scaleSmall();

signals:
    void sendMouseMove(int x, int y);

public slots:
    void slot_timeOut(int val0);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void drawBlackBackgroud();
    void drawBrosweModePixmap();
    void drawAnimPixmap();
    void iniTimer();

    int m_mode;
    QPoint m_pressPoint;
    QPoint m_movePoint;
    bool m_isPressed;
    QImage m_image;
    QImage m_scaledImage;
    // The unzoomed picture: offered, or scaled once here rather than at every paint.
    QImage m_fittedImage;
    QSize m_fittedFor;
    qint64 m_fittedSource = 0;
    int m_offsetX;
    int m_offsetY;
    int m_scaleLevel;
    QString m_imageName;
    QTimeLine* m_timeLine;
    int m_animPos;
    int m_effect;
    bool m_isAnimating;
};

#endif // ANIMIMAGEVIEW_H
