#include "core/logging.h"
#include "submit/submitandprint.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "core/worker.h"
#include "delivery/settingemsdialog.h"
#include "photostore/dirserver.h"
#include "photostore/productdata.h"
#include "sheets/printemsinfo.h"
#include "sheets/thumbnailviewwindow.h"
#include "submit/orderdetailreply.h"
#include "submit/setasidefiles.h"
#include "submit/sheetfields.h"
#include "submit/submitandprintform.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// The thumbnail sheet road and the express sheet road of the submission dialog. Like the main
// road, each keeps its button disabled from the click until the road ends, and once this dialog
// has submitted the result, pressing the button again (after a later step failed) goes straight
// to the road's sheet request instead of submitting a second time.

namespace {

using DetailValue::text;

// The address check's reply: true when the order has an address; otherwise the box has been
// shown (the failure, or the request to enter the address).
bool addressFound(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("查询快递信息错误：")))
        return false;
    if (!reply.object.value(QStringLiteral("orderaddress")).toObject().isEmpty())
        return true;
    qCDebug(lcSubmit) << "2123232" << reply.object.value(QStringLiteral("orderaddress"));
    Prompt::information(
        nullptr, QStringLiteral("警告"), QStringLiteral("请输入快递信息"), QMessageBox::Yes, QMessageBox::Yes);
    // The operator saves an address and presses the button again.
    auto* form = new SettingEMSDialog(nullptr);
    form->setModal(true);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return false;
}

// The last checks before a side road submits; the refusal text, or empty when they pass.
QString refusal(const SubmissionFields& f, const QString& iswyx, const QString& isTwoBuy, bool needsAmount)
{
    if (iswyx == QLatin1String("1") && f.t_movie_time.isEmpty())
        return QStringLiteral("请选择微影像日期");
    if (needsAmount && f.twosales.isEmpty())
        return QStringLiteral("请填写本次选片金额");
    if (f.buynumber.isEmpty() && Config::showbuymd == QLatin1String("1"))
        return QStringLiteral("请填写购买毛底张数");
    if (isTwoBuy == QLatin1String("1") && !SubmissionBody::amountsAddUp(f.one_price, f.two_price, f.twosales))
        return QStringLiteral("当消金额加复购金额必须等于本次选片金额！");
    return QString();
}

// A date and its period: the date, or "0" with the period "0" when it is unset; the period
// only when both are set.
void addDate(FormBody& body, const QString& dateKey, const QString& date, const QString& areaKey, const QString& area)
{
    if (date.isEmpty()) {
        body.add(dateKey, QStringLiteral("0")).add(areaKey, QStringLiteral("0"));
        return;
    }
    body.add(dateKey, date);
    if (!area.isEmpty())
        body.add(areaKey, area);
}

QString flag(bool isSet, const char* value)
{
    return isSet ? QString::fromLatin1(value) : QStringLiteral("0");
}

// The thumbnail road's body. It sends "CompareDate" and "checktruing" twice, the second time
// with the date buttons' texts, as the back end has always received them on this road.
QByteArray thumbnailBody(const SubmissionFields& f)
{
    FormBody body = SubmissionBody::head(f);
    if (!f.comparedate.isEmpty()) {
        body.add(QStringLiteral("CompareDate"), f.comparedate);
        if (!f.kanbanareaid.isEmpty())
            body.add(QStringLiteral("kanbanareaid"), f.kanbanareaid);
    }
    addDate(body, QStringLiteral("checktruing"), f.checktruing, QStringLiteral("kanjingxiuareaid"), f.kanjingxiuareaid);
    const QString first = QStringLiteral("0");
    body.add(QStringLiteral("type"), flag(f.isPart, "1"))
        .add(QStringLiteral("isurgentphoto"), flag(f.isUrgentPhoto, "1"))
        .add(QStringLiteral("CompareDate"), f.checkBoardText)
        .add(QStringLiteral("good_type"), SubmissionBody::radioValue(f.goodType, first))
        .add(QStringLiteral("islook_effect"), SubmissionBody::radioValue(f.lookEffect, first))
        .add(QStringLiteral("kjxway"), SubmissionBody::radioValue(f.kjxWay, first));
    SubmissionBody::addPhotoLists(body, f);
    body.add(QStringLiteral("isems"), flag(f.isEms, "2"))
        .add(QStringLiteral("twosales"), f.twosales)
        .add(QStringLiteral("one_price"), f.one_price)
        .add(QStringLiteral("two_price"), f.two_price)
        .add(QStringLiteral("checktruing"), f.preciseRepairText)
        .add(QStringLiteral("role12"), f.role12)
        .add(QStringLiteral("fwqlc_num"), f.fwqlc_num);
    return body.toByteArray();
}

// The express road's body: no product-type, look and retouch-way choices; the retouch-viewing
// pair after the amounts and "isurgentphoto" a second time, as the back end expects here.
QByteArray expressBody(const SubmissionFields& f)
{
    FormBody body = SubmissionBody::head(f);
    addDate(body, QStringLiteral("CompareDate"), f.comparedate, QStringLiteral("kanbanareaid"), f.kanbanareaid);
    const QString urgentPhoto = flag(f.isUrgentPhoto, "1");
    body.add(QStringLiteral("type"), flag(f.isPart, "1"))
        .add(QStringLiteral("isurgentphoto"), urgentPhoto)
        .add(QStringLiteral("isems"), flag(f.isEms, "2"));
    SubmissionBody::addPhotoLists(body, f);
    body.add(QStringLiteral("twosales"), f.twosales)
        .add(QStringLiteral("one_price"), f.one_price)
        .add(QStringLiteral("two_price"), f.two_price);
    addDate(body, QStringLiteral("checktruing"), f.checktruing, QStringLiteral("kanjingxiuareaid"), f.kanjingxiuareaid);
    body.add(QStringLiteral("isurgentphoto"), urgentPhoto)
        .add(QStringLiteral("role12"), f.role12)
        .add(QStringLiteral("fwqlc_num"), f.fwqlc_num);
    return body.toByteArray();
}

// Asks whether the set-aside photos go; on Yes removes them on a worker job. then(removed,
// removal) runs on the GUI thread once the photos are gone (at once on No), never after the
// dialog (which does not close meanwhile).
template <class Then> void askToRemoveSetAside(QObject* dialog, Then then)
{
    const auto answer = Prompt::question(
        nullptr, QString(), QStringLiteral("是否删除汰片？"), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        then(false, SetAsideFiles::Removal());
        return;
    }
    const QString folder = DirServer::getDeletedImagePath();
    Worker::run(
        dialog, [folder] { return SetAsideFiles::removeFilesBelow(folder); },
        [then](const SetAsideFiles::Removal& removal) { then(true, removal); });
}

} // namespace

// ---- The thumbnail sheet road (its button stays hidden) ----

void SubmitandPrint::on_pushButton_thumbnail_clicked()
{
    if (m_isSubmitting || !isReady())
        return;
    m_isSubmitting = true;
    ui->pushButton_thumbnail->setEnabled(false);
    if (resumeSubmitted(&SubmitandPrint::postQueryOrderThumbnailInfo))
        return;
    if (ui->radioButton_isEMS->isChecked()) {
        postQueryThumbnailEmsInfo();
        return;
    }
    if (!Config::isLocked && !passesPreChecks()) {
        endSubmitting();
        return;
    }
    postPrintThumbnailSumInfo();
}

void SubmitandPrint::postQueryThumbnailEmsInfo()
{
    const QByteArray body = orderIdentifiers();
    qCDebug(lcSubmit) << "req thumb url:" << Config::url_query_emsinfo;
    qCDebug(lcSubmit).noquote() << "req thumb paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_emsinfo, body, this, &SubmitandPrint::queryInfoThumbnailEmsCallBack);
}

void SubmitandPrint::queryInfoThumbnailEmsCallBack(const BackendReply& reply)
{
    if (!addressFound(reply) || (!Config::isLocked && !passesPreChecks())) {
        endSubmitting();
        return;
    }
    postPrintThumbnailSumInfo();
}

void SubmitandPrint::postPrintThumbnailSumInfo()
{
    const SubmissionFields fields = submissionFields();
    const QString refused = refusal(fields, iswyx, is_two_buy, true);
    if (!refused.isEmpty()) {
        ReplyCheck::warn(refused);
        endSubmitting();
        return;
    }
    setWindowTitle(QStringLiteral("正在提交..."));
    ui->pushButton_thumbnail->setEnabled(false);
    qCDebug(lcSubmit) << "rawImageNum2" << fields.lastpic << "otherImageNum2" << fields.lastrepairpic;
    qCDebug(lcSubmit) << "checkStr is:" << fields.preciseRepairText;
    const QByteArray body = thumbnailBody(fields);
    qCDebug(lcSubmit).noquote() << "postDatapostDatapostData" << FormBody::logText(body);
    qCDebug(lcSubmit) << "submit9 sum url:" << Config::url_post_twosales_2;
    qCDebug(lcSubmit).noquote() << "submit9 sum  paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_post_twosales_2, body, this, &SubmitandPrint::queryPostThumbnailCallBack);
}

void SubmitandPrint::queryPostThumbnailCallBack(const BackendReply& reply)
{
    setWindowTitle(QStringLiteral("提交打印"));
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交打印错误："))) {
        endSubmitting();
        return;
    }
    isSubmitted = 1;
    if (Config::isLocked) {
        postQueryOrderThumbnailInfo();
        return;
    }
    // No removal record on this road: the order detail follows once the photos are gone.
    askToRemoveSetAside(this, [this](bool, const SetAsideFiles::Removal& removal) {
        tellRemoval(removal);
        postQueryOrderThumbnailInfo();
    });
}

void SubmitandPrint::postQueryOrderThumbnailInfo()
{
    BackendPost::post(
        Config::url_query_printinfo, orderIdentifiers(), this, &SubmitandPrint::queryOrderThumbnailInfoCallBack);
}

void SubmitandPrint::queryOrderThumbnailInfoCallBack(const BackendReply& reply)
{
    qCDebug(lcSubmit).noquote() << "query thumbnail JOSN:" << reply.isObject();
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("查询订单信息错误："))) {
        endSubmitting();
        return;
    }
    Config::isLocked = true;
    emit sendSetLocked();
    setLocked();

    const QJsonObject order = reply.object.value(QStringLiteral("order")).toObject();
    const auto value = [&order](const char* key) { return text(order, QString::fromLatin1(key)); };
    const auto contacts
        = [&value](const char* dad, const char* mom) { return SheetFields::joinContacts(value(dad), value(mom)); };
    auto* sheet = new ThumbnailViewWindow(nullptr);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->shopname = value("shopname");
    sheet->customer_title = SheetFields::customerTitle(
        {value("babyname"), value("momname"), value("dadname")}, Config::order_photodate, Config::orderpayforkey);
    sheet->orderpayforkey = Config::orderpayforkey;
    sheet->orderServNum = Config::orderServNum;
    sheet->phones = contacts("dadtel", "momtel");
    sheet->s2_name = value("s2_name");
    sheet->booksuccess = value("booksuccess");
    sheet->orderprice = value("orderprice");
    sheet->selectphoto = value("selectphoto");
    sheet->photodate = value("photodate");
    sheet->selectphotodate = value("selectphotodate");
    sheet->getphotodate_html = value("getphotodate_html");
    sheet->checktruing = value("checktruing");
    sheet->comparedate = value("comparedate");
    ui->pushButton_checkBoardDate->setText(sheet->comparedate);
    sheet->qq = contacts("dadqq", "momqq");
    sheet->wx = contacts("dadwx", "momwx");
    sheet->email = contacts("dademail", "momemail");
    sheet->vipphotonumber = value("vipphotonumber");
    sheet->twosales = value("twosales");
    sheet->morephotonumber = value("morephotonumber");
    sheet->activenumber = value("activenumber");
    sheet->terms_of_service = value("terms_of_service");
    sheet->print_thumbnails = ui->checkBox->isChecked();
    sheet->print_finished_area = ui->checkBox_chengpin->isChecked();
    sheet->setProducts(ProductData::m_products);
    sheet->showMaximized();
    endSubmitting();
    close();
}

// ---- The express sheet road ----

void SubmitandPrint::on_pushButtonEMS_clicked()
{
    if (m_isSubmitting || !isReady())
        return;
    if (!ui->radioButton_isEMS->isChecked()) {
        ReplyCheck::warn(QStringLiteral("请选择快递，请重新设置"));
        return;
    }
    m_isSubmitting = true;
    ui->pushButtonEMS->setEnabled(false);
    if (resumeSubmitted(&SubmitandPrint::postQueryPrintEmsInfo))
        return;
    postQueryPartEmsInfo();
}

void SubmitandPrint::postQueryPartEmsInfo()
{
    BackendPost::post(Config::url_query_emsinfo, orderIdentifiers(), this, &SubmitandPrint::queryInfoPartEmsCallBack);
}

void SubmitandPrint::queryInfoPartEmsCallBack(const BackendReply& reply)
{
    if (!addressFound(reply)) {
        endSubmitting();
        return;
    }
    if (Config::isLocked) {
        postQueryPrintEmsInfo();
        emit sendSetLocked();
        setLocked();
        return;
    }
    if (!passesPreChecks()) {
        endSubmitting();
        return;
    }
    postPrintEmsInfo();
}

void SubmitandPrint::postPrintEmsInfo()
{
    const SubmissionFields fields = submissionFields();
    const QString refused = refusal(fields, iswyx, is_two_buy, false);
    if (!refused.isEmpty()) {
        ReplyCheck::warn(refused);
        endSubmitting();
        return;
    }
    setWindowTitle(QStringLiteral("正在提交..."));
    ui->pushButtonEMS->setEnabled(false);
    qCDebug(lcSubmit) << "rawImageNum3" << fields.lastpic << "otherImageNum3" << fields.lastrepairpic;
    const QByteArray body = expressBody(fields);
    qCDebug(lcSubmit) << "post emsPrint Url:" << Config::url_post_twosales_2;
    qCDebug(lcSubmit).noquote() << "post emsPrint Paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_post_twosales_2, body, this, &SubmitandPrint::queryPostEmsCallBack);
}

void SubmitandPrint::queryPostEmsCallBack(const BackendReply& reply)
{
    qCDebug(lcSubmit) << "queryPostcode" << reply.code();
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交打印错误："))) {
        endSubmitting();
        return;
    }
    isSubmitted = 1;
    postQueryPrintEmsInfo();
    setWindowTitle(QStringLiteral("提交打印"));
}

void SubmitandPrint::postQueryPrintEmsInfo()
{
    // Delivery switched away while the submission was on its way: the result stands, no sheet.
    if (!ui->radioButton_isEMS->isChecked()) {
        endSubmitting();
        return;
    }
    postQueryInfo();
}

void SubmitandPrint::postQueryInfo()
{
    setWindowTitle(QStringLiteral("正在提交..."));
    const QByteArray body = orderIdentifiers();
    qCDebug(lcSubmit) << "EMSInfo Url:" << Config::url_query_printproductinfo;
    qCDebug(lcSubmit).noquote() << "EMSInfo Paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_printproductinfo, body, this, &SubmitandPrint::queryInfoCallBack);
}

void SubmitandPrint::queryInfoCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("订单产品查询错误"))) {
        endSubmitting();
        return;
    }
    if (Config::isLocked) {
        openExpressSheet(reply.object);
        return;
    }
    const QJsonObject detail = reply.object;
    askToRemoveSetAside(this, [this, detail](bool removed, const SetAsideFiles::Removal& removal) {
        if (tellRemoval(removal) && removed)
            postDelImgLog();
        openExpressSheet(detail);
    });
}

void SubmitandPrint::openExpressSheet(const QJsonObject& detail)
{
    Config::isLocked = true;
    emit sendSetLocked();
    setLocked();

    const QJsonObject order = detail.value(QStringLiteral("order")).toObject();
    const QJsonObject address = detail.value(QStringLiteral("orderaddress")).toObject();
    const QJsonArray goods = detail.value(QStringLiteral("ordergoods")).toArray();
    auto* sheet = new PrintEmsInfo(nullptr);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->selectername = text(detail, QStringLiteral("selectername"));
    sheet->selecterphon = text(detail, QStringLiteral("selecterphon"));
    sheet->emsdescr = text(detail, QStringLiteral("emsdescr"));
    sheet->count = int(qBound<qint64>(0, DetailValue::number(detail, QStringLiteral("count")), INT_MAX));
    qCDebug(lcSubmit) << "getdata" << sheet->count;
    sheet->urgent_date = ui->pushButton_urgentDate->text();
    EmsInfo& info = sheet->ems_info;
    info.customer_names
        = text(order, QStringLiteral("wname")) + QStringLiteral(" / ") + text(order, QStringLiteral("mname"));
    info.customer_phones
        = text(order, QStringLiteral("wphone")) + QStringLiteral(" / ") + text(order, QStringLiteral("mphone"));
    info.postcode = text(address, QStringLiteral("postcode"));
    info.address = text(address, QStringLiteral("address"));
    info.provincename = text(address, QStringLiteral("provincename"));
    info.cityname = text(address, QStringLiteral("cityname"));
    info.countyname = text(address, QStringLiteral("countyname"));
    sheet->orderpayforkey = text(order, QStringLiteral("orderpayforkey"));
    sheet->comboname = text(order, QStringLiteral("comboname"));
    sheet->servicetimes = text(order, QStringLiteral("servicetimes"));
    if (!goods.isEmpty())
        info.getgooddate = text(goods.last().toObject(), QStringLiteral("getgooddate"));
    else
        Prompt::information(
            nullptr, QStringLiteral("提示"), QStringLiteral("没有查询到任何产品"), QMessageBox::Yes, QMessageBox::Yes);
    sheet->setProducts(ProductData::m_printProducts);
    sheet->showMaximized();
    sheet->show();
    endSubmitting();
    close();
}
