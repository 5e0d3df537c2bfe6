#include "viewer/slidetransition.h"

#include "core/config.h"

#include <QEasingCurve>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimeLine>

namespace SlideTransition {

namespace {

const int Strips = 10;
const int PixelsPerFrame = 8;

// A covering rectangle of no size covers nothing (a picture larger than the widget gives some).
void cover(QPainter& painter, int x, int y, int w, int h)
{
    if (w > 0 && h > 0)
        painter.drawRect(x, y, w, h);
}

void paintCheckerboard(QPainter& painter, int x0, int y0, int iw, int ih, int p, int fw)
{
    const int sw = iw / Strips + 1;
    const int sh = ih / Strips + 1;
    const int d = (fw * sw) / iw;
    const int twice = (2 * fw * sw) / iw;
    const bool firstHalf = p <= ih / 2;
    for (int i = 0; i < Strips; ++i) {
        for (int j = 0; j < Strips; ++j) {
            const int x = x0 + i * sw;
            const int y = y0 + j * sh;
            const bool even = (i + j) % 2 == 0;
            // Even cells open during the first half, odd cells during the second.
            if (firstHalf && even)
                cover(painter, x + twice, y, sw - 2 * d, sh);
            else if (firstHalf)
                cover(painter, x, y, sw, sh);
            else if (!even)
                cover(painter, x + twice - sw, y, 2 * sw - 2 * d, sh);
        }
    }
}

} // namespace

QTimeLine* makeTimeLine(QObject* parent)
{
    QTimeLine* timeLine = new QTimeLine(Config::anim_speed, parent);
    timeLine->setEasingCurve(QEasingCurve::Linear);
    return timeLine;
}

void restart(QTimeLine* timeLine, int imageHeight)
{
    timeLine->setFrameRange(0, lastFrame(imageHeight));
    timeLine->stop();
    timeLine->setCurrentTime(0);
    timeLine->start();
}

QImage fittedToScreen(const QImage& image)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || image.isNull())
        return image;
    const QSize box = screen->size() - QSize(2, 2);
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

int lastFrame(int imageHeight)
{
    return imageHeight / PixelsPerFrame;
}

int position(int frame, int imageHeight)
{
    return PixelsPerFrame * frame + imageHeight % PixelsPerFrame;
}

void paint(QPainter& painter, Shape shape, const QImage& image, const QSize& widget, int p)
{
    if (image.isNull())
        return;
    const int W = widget.width();
    const int H = widget.height();
    const int iw = image.width();
    const int ih = image.height();
    const int x0 = (W - iw) / 2;
    const int y0 = (H - ih) / 2;
    const int fw = (p * iw) / ih;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    if (shape == Black) {
        painter.setWindow(0, 0, iw, ih);
        cover(painter, 0, 0, iw, ih);
        return;
    }
    painter.drawImage(QRect(x0, y0, iw, ih), image);
    switch (shape) {
    case CentreOpening:
        cover(painter, 0, 0, W, (H - p) / 2);
        cover(painter, 0, (H + p) / 2, W, (H - p) / 2);
        cover(painter, 0, 0, (W - fw) / 2, H);
        cover(painter, (W + fw) / 2, 0, (W - fw) / 2, H);
        break;
    case VerticalBlinds: {
        const int sw = iw / Strips + 1;
        const int open = (fw * sw) / iw;
        for (int i = 0; i < Strips; ++i)
            cover(painter, x0 + i * sw + open, y0, sw - open, ih);
        break;
    }
    case HorizontalBlinds: {
        const int sh = ih / Strips + 1;
        const int open = (p * sh) / ih;
        for (int i = 0; i < Strips; ++i)
            cover(painter, x0, y0 + i * sh + open, iw, sh - open);
        break;
    }
    case Checkerboard:
        paintCheckerboard(painter, x0, y0, iw, ih, p, fw);
        break;
    case WipeDown:
        cover(painter, x0, y0 + p, iw, ih - p);
        break;
    case Black:
        break;
    }
}

Shape paneShape(int effect)
{
    static const Shape shapes[] = {Black, CentreOpening, VerticalBlinds, HorizontalBlinds, Checkerboard, WipeDown,
        VerticalBlinds, HorizontalBlinds, Checkerboard, WipeDown};
    return effect >= 0 && effect < 10 ? shapes[effect] : Black;
}

Shape fullScreenShape(int effect)
{
    static const Shape shapes[] = {Black, VerticalBlinds, HorizontalBlinds, Checkerboard, WipeDown, Checkerboard,
        VerticalBlinds, HorizontalBlinds, Checkerboard, WipeDown};
    return effect >= 0 && effect < 10 ? shapes[effect] : Black;
}

} // namespace SlideTransition
