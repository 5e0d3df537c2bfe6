#ifndef VIDEOWIDGET_H
#define VIDEOWIDGET_H

#include <QVideoWidget>

// The player's video area: black, filling whatever room the window gives it. Double click
// and Alt+Enter toggle full screen, Escape leaves it, Space asks the window to toggle
// between playing and paused.
class VideoWidget : public QVideoWidget
{
    Q_OBJECT
public:
    explicit VideoWidget(QWidget* parent = nullptr);

signals:
    void setStartOrPaus();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

#endif // VIDEOWIDGET_H
