#include "products/consumptionremark.h"
#include "ui_consumptionremark.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "core/replycheck.h"

ConsumptionRemark::ConsumptionRemark(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::ConsumptionRemark)
    , m_isSubmitting(false)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Velmo云"));
    setWindowFlags(Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);
}

ConsumptionRemark::~ConsumptionRemark()
{
    delete ui;
}

void ConsumptionRemark::refreshRemark(QMap<QString, QString> remarkInfo)
{
    m_remarkInfo = remarkInfo;
    ui->te->setPlaceholderText(tr("请输入消费说明"));
    // Plain text: a statement that looks like markup comes back exactly as it was written.
    ui->te->setPlainText(m_remarkInfo.value(QStringLiteral("consumption_statement")));
}

void ConsumptionRemark::on_pb_submit_clicked()
{
    if (m_isSubmitting)
        return;
    m_isSubmitting = true;
    const QByteArray body = FormBody::tokenBody(
        {{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id}, {"companyid", Config::super_id},
            {"order_sample_infoid", Config::order_sample_infoid}, {"consumption_statement", ui->te->toPlainText()}});
    BackendPost::post(Config::url_consumremark_post, body, this, &ConsumptionRemark::queryConsumRemarkCallBack);
}

void ConsumptionRemark::queryConsumRemarkCallBack(const BackendReply& reply)
{
    m_isSubmitting = false;
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询总体要求错误：")))
        return;
    close();
}
