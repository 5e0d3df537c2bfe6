#ifndef VIDEOREMARK_H
#define VIDEOREMARK_H

#include <QWidget>

struct BackendReply;

namespace Ui {
class VideoRemark;
}

// The remark window of one video of the order: loads the back end's remark for the video's
// name and kind at once, and saves the edited text on "确定". A top-level window of its own;
// its posts go with it when it is closed. Several can be open at once.
class VideoRemark : public QWidget
{
    Q_OBJECT
public:
    explicit VideoRemark(QWidget* parent = nullptr);
    ~VideoRemark() override;

    // name: the file name with its extension in lower case; type: 1 trial shoot, 2 retouch.
    void setData(QString videoName, int type);
    void requestRemark();
    void postRemark();

private slots:
    void queryVideoRemarkReply(const BackendReply& reply);
    void on_pushButton_clicked();
    void postVideoRemarkReply(const BackendReply& reply);

private:
    Ui::VideoRemark* ui;
    QString m_videoName;
    int m_videoKind = 0;
};

#endif // VIDEOREMARK_H
