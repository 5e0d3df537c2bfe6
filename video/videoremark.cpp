#include "video/videoremark.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "core/replycheck.h"

#include "ui_videoremark.h"

VideoRemark::VideoRemark(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::VideoRemark)
{
    ui->setupUi(this);
}

VideoRemark::~VideoRemark()
{
    delete ui;
}

void VideoRemark::setData(QString videoName, int type)
{
    setWindowTitle(QStringLiteral("备注：") + videoName);
    m_videoName = videoName;
    m_videoKind = type;
    requestRemark();
}

void VideoRemark::requestRemark()
{
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("type"), m_videoKind)
                                .add(QStringLiteral("superid"), Config::super_id)
                                .add(QStringLiteral("videoname"), m_videoName)
                                .toByteArray();
    BackendPost::post(Config::url_query_video, body, this, &VideoRemark::queryVideoRemarkReply);
}

void VideoRemark::queryVideoRemarkReply(const BackendReply& reply)
{
    // A body that is no JSON object is dropped without a box; the text box keeps its text.
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("照片备注获取异常：")))
        return;
    const QJsonValue content = reply.object.value(QStringLiteral("remark")).toObject().value(QStringLiteral("content"));
    const QString text = content.isString() ? content.toString() : QString();
    if (text.isEmpty())
        ui->textEdit->clear();
    else
        ui->textEdit->setPlainText(text); // a remark is text: markup in it is kept, not rendered
}

void VideoRemark::on_pushButton_clicked()
{
    if (ui->textEdit->toPlainText().isEmpty()) {
        Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("请输入视频备注"), QMessageBox::Yes);
        return;
    }
    postRemark();
}

void VideoRemark::postRemark()
{
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("videoname"), m_videoName)
                                .add(QStringLiteral("content"), ui->textEdit->toPlainText())
                                .add(QStringLiteral("type"), m_videoKind)
                                .add(QStringLiteral("superid"), Config::super_id)
                                .toByteArray();
    BackendPost::post(Config::url_post_video, body, this, &VideoRemark::postVideoRemarkReply);
}

void VideoRemark::postVideoRemarkReply(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("照片备注获取异常：")))
        return;
    Prompt::information(nullptr, QStringLiteral("提醒"), QStringLiteral("备注修改成功"), QMessageBox::Yes);
    close();
}
