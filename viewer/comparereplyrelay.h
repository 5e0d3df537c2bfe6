#ifndef COMPAREREPLYRELAY_H
#define COMPAREREPLYRELAY_H

#include <QImage>
#include <QWidget>

// The receiver that the picture jobs of one grid comparison answer. The picture widget makes
// one per comparison and deletes it when the comparison ends, so that late jobs of an earlier
// comparison reply to nobody. Never shown.
class CompareReplyRelay : public QWidget
{
    Q_OBJECT
public:
    explicit CompareReplyRelay(QWidget* parent);

public slots:
    void onFinishLoadCmpImage(QImage img, int index);

signals:
    void replied(QImage img, int index);
};

#endif // COMPAREREPLYRELAY_H
