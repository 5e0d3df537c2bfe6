#include "submit/submitandprint.h"

#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "core/worker.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "sheets/webviewwindow.h"
#include "submit/orderdetailreply.h"
#include "submit/setasidefiles.h"
#include "submit/sheetfields.h"
#include "submit/submitandprintform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleValidator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegExpValidator>

namespace {

const QString Title = QStringLiteral("提交打印");

int scaled(int value)
{
    return int(value * Config::scaleDpi);
}

void setMinimum(std::initializer_list<QWidget*> widgets, int width, int height)
{
    for (QWidget* w : widgets)
        w->setMinimumSize(scaled(width), scaled(height));
}

void checkByValue(const QString& value, QRadioButton* undecided, QRadioButton* one, QRadioButton* two)
{
    if (value == QLatin1String("3"))
        undecided->setChecked(true);
    else if (value == QLatin1String("1"))
        one->setChecked(true);
    else if (value == QLatin1String("2"))
        two->setChecked(true);
}

} // namespace

SubmitandPrint::SubmitandPrint(QWidget* parent)
    : QDialog(parent)
    , is_two_buy(QStringLiteral("0"))
    , isSubmitted(0)
    , lastpic(0)
    , finalpicnum(0)
    , deletepicnum(0)
    , lastrepairpic(0)
    , min_kjxts(0)
    , max_kjxts(0)
    , iswyx(QStringLiteral("0"))
    , fwqlc_num(0)
    , ui(new Ui_SubmitandPrint)
{
    ui->setupUi(this);
    scaleUi();
    ui->radioButton_isPartEMS->hide();

    auto* amounts = new QDoubleValidator(this);
    ui->bcxppirce_lineEdit->setValidator(amounts);
    ui->le_dxppirce->setValidator(amounts);
    ui->le_fgpirce->setValidator(amounts);

    ui->pushButton_thumbnail->hide();
    ui->groupBox->hide();
    setWindowTitle(Title);

    const auto hideWhenOff = [](const QString& flag, std::initializer_list<QWidget*> widgets) {
        if (flag != QLatin1String("0"))
            return;
        for (QWidget* w : widgets)
            w->hide();
    };
    hideWhenOff(Config::showkjxway, {ui->gb_kjxway});
    hideWhenOff(Config::showiskxg, {ui->kxggroupbox});
    hideWhenOff(Config::showgoodtype, {ui->gb_cplx});
    hideWhenOff(Config::showbuyjx, {ui->lb_buyBoardLineEdit, ui->buyBoardLineEdit});
    hideWhenOff(Config::showbuymd, {ui->lb_originPhotoNum, ui->originPhotoNum});
    hideWhenOff(Config::showdbpxz, {ui->lb_yangQianLineEd, ui->yangQianLineEd});
    hideWhenOff(Config::showdesign, {ui->lb_designnumLineEdit, ui->designnumLineEdit});
    hideWhenOff(Config::showgivejx, {ui->lb_giveBoardLineEdit, ui->giveBoardLineEdit});
    hideWhenOff(Config::showwzf, {ui->lb_blessLineEdit, ui->blessLineEdit});
    hideWhenOff(Config::showidphoto, {ui->lb_cardLineEdit, ui->cardLineEdit});
    hideWhenOff(Config::showsupport, {ui->lb_tradeLineEdit, ui->tradeLineEdit});

    ui->pushButton_urgentDate->setEnabled(false);
    ui->radioButton_all->setChecked(true);
    ui->isdeletetpbtn->setChecked(Config::isPrintDelWarn);

    const int state = urgencyState();
    if (state == 0) {
        ui->label_urgency->hide();
        ui->pushButton_urgentDate->hide();
    } else if (state == 1) {
        ui->label_fetchgoods->hide();
        ui->pushButton_fetchDate->hide();
    }

    for (QLineEdit* field : {ui->buyBoardLineEdit, ui->originPhotoNum, ui->yangQianLineEd, ui->giveBoardLineEdit,
             ui->blessLineEdit, ui->cardLineEdit, ui->tradeLineEdit, ui->designnumLineEdit})
        field->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[0-9]+$")), field));

    // Nothing is submitted before the form holds the order's own values.
    ui->pushButton_2->setEnabled(false);
    ui->pushButtonEMS->setEnabled(false);
    ui->pushButton_thumbnail->setEnabled(false);

    ImageData* images = ImageData::getInstance();
    lastpic = images->getRawImageNum();
    QStringList listed;
    for (const Image& image : images->GetSeletedImages())
        listed << image.GetImageName();
    setSelection(listed);

    // The folders may lie on a share: they are listed on a worker job. Photos moved since the
    // albums were last read are in the folders but not yet in the lists, so counts and names of
    // both albums are taken from the folders, each count from its own list of names.
    const QString deletedFolder = DirServer::getDeletedImagePath();
    const QString fineFolder = DirServer::getFineImagePath();
    Worker::run(
        this, [deletedFolder, fineFolder] { return SetAsideFiles::countFolders(deletedFolder, fineFolder); },
        [this, listed](const SetAsideFiles::FolderCounts& counts) {
            // An album that could not be listed is not an empty one: nothing is submitted from
            // it, and the buttons stay off until the dialog is opened again and reads anew.
            if (!counts.unreadable.isEmpty()) {
                ReplyCheck::warn(QStringLiteral("%1文件夹无法读取，不能提交：请检查后重新打开提交窗口")
                                     .arg(counts.unreadable.join(QStringLiteral("、"))));
                return;
            }
            setSelection(SetAsideFiles::selectionNames(listed, counts));
            deletepicpaths = counts.deletepicpaths;
            deletepicnum = counts.deletedJpegs;
            lastrepairpic = finalpicnum + counts.deletedJpegs;
            fwqlc_num = counts.fineJpegs;
            m_hasFolderCounts = true;
            updateReadiness();
        });

    postQueryOrderInfo();
}

void SubmitandPrint::setSelection(const QStringList& names)
{
    finalpicnum = names.size();
    finalpicpaths = names.join(QLatin1Char(','));
    lastrepairpic = finalpicnum;
}

SubmitandPrint::~SubmitandPrint()
{
    delete ui;
}

void SubmitandPrint::scaleUi()
{
    setMinimum({ui->pushButton_fetchDate, ui->pushButton_urgentDate, ui->pushButton_checkBoardDate,
                   ui->pushButton_preciseRepairDate, ui->pb_wyxdate},
        140, 25);
    setMinimum({ui->label_fetchgoods, ui->label_urgency, ui->label_2}, 50, 25);
    setMinimum({ui->label_preciseRepair, ui->lab_wyx}, 60, 25);
    setMinimum({ui->gb_kjxway, ui->kxggroupbox, ui->gb_cplx, ui->groupBox_2, ui->groupBox}, 150, 50);
    setMinimum({ui->lb_giveBoardLineEdit, ui->lb_buyBoardLineEdit}, 80, 23);
    setMinimum({ui->lb_originPhotoNum, ui->lb_cardLineEdit, ui->lb_tradeLineEdit, ui->lb_yangQianLineEd,
                   ui->lb_designnumLineEdit, ui->lb_blessLineEdit},
        90, 23);
    setMinimum({ui->giveBoardLineEdit, ui->buyBoardLineEdit, ui->originPhotoNum, ui->cardLineEdit, ui->tradeLineEdit,
                   ui->yangQianLineEd, ui->designnumLineEdit, ui->blessLineEdit},
        60, 23);
}

int SubmitandPrint::urgencyState()
{
    int urgent = 0;
    for (const Product& product : qAsConst(ProductData::m_products))
        if (product.isurgent == QLatin1String("1"))
            ++urgent;
    if (urgent == 0)
        return 0;
    return urgent == ProductData::m_products.size() ? 1 : 2;
}

void SubmitandPrint::setLocked()
{
    if (!Config::isLocked)
        return;
    const QList<QWidget*> inputs {ui->pushButton_fetchDate, ui->pushButton_preciseRepairDate, ui->pb_wyxdate,
        ui->pushButton_urgentDate, ui->pushButton_checkBoardDate, ui->buyBoardLineEdit, ui->blessLineEdit,
        ui->cardLineEdit, ui->tradeLineEdit, ui->giveBoardLineEdit, ui->originPhotoNum, ui->yangQianLineEd,
        ui->designnumLineEdit, ui->comboBox_xps, ui->secondSumLineEdit, ui->bcxppirce_lineEdit, ui->le_dxppirce,
        ui->le_fgpirce, ui->radioButton, ui->radioButton_isEMS, ui->cb_urgent_photo, ui->isdeletetpbtn, ui->radiobtn_wd,
        ui->radiobtn_zxk, ui->radiobtn_ddk, ui->rb_cplx_cjx, ui->rb_cplx_wqr, ui->rb_cplx_ycp, ui->rb_kxg_bkxg,
        ui->rb_kxg_kxg, ui->rb_kxg_wd};
    for (QWidget* w : inputs)
        w->setEnabled(false);
}

QStringList SubmitandPrint::removefiles(const QString& path)
{
    return SetAsideFiles::removeFilesBelow(path).failed;
}

bool SubmitandPrint::tellRemoval(const SetAsideFiles::Removal& removal)
{
    const QString folder = DirServer::getDeletedImagePath();
    const QString text = SetAsideFiles::removalFailureText(removal, folder, deletepicnum);
    if (!text.isEmpty())
        ReplyCheck::warn(text);
    return !removal.unlisted.contains(folder);
}

void SubmitandPrint::reject()
{
    if (!isSubmissionUnderWay())
        QDialog::reject();
}

void SubmitandPrint::closeEvent(QCloseEvent* event)
{
    // The handlers of the road's posts and jobs go with the dialog: a submission the back end
    // takes would stay without its record, lock and sheet.
    if (isSubmissionUnderWay()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void SubmitandPrint::updateReadiness()
{
    if (m_isSubmitting)
        return;
    const bool ready = isReady();
    ui->pushButton_2->setEnabled(ready);
    ui->pushButtonEMS->setEnabled(ready);
    ui->pushButton_thumbnail->setEnabled(ready);
}

void SubmitandPrint::endSubmitting()
{
    setWindowTitle(Title);
    m_isSubmitting = false;
    updateReadiness();
}

bool SubmitandPrint::resumeSubmitted(void (SubmitandPrint::*afterSubmission)())
{
    if (isSubmitted == 0)
        return false;
    (this->*afterSubmission)();
    return true;
}

QString SubmitandPrint::dateCaption(const QString& date, const QString& name)
{
    const QString text = date + QLatin1Char(' ') + name;
    return text == QLatin1String(" ") ? QString() : text;
}

QByteArray SubmitandPrint::orderIdentifiers()
{
    return FormBody::tokenBody(
        {{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id}, {"companyid", Config::super_id},
            {"uid", Config::manager_id}, {"order_sample_infoid", Config::order_sample_infoid}});
}

// ---- Order detail ----

void SubmitandPrint::postQueryOrderInfo()
{
    const QByteArray body = orderIdentifiers();
    qCDebug(lcSubmit) << "print reqOrder url:" << Config::url_query_printinfo;
    qCDebug(lcSubmit).noquote() << "print reqOrder paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_printinfo, body, this, &SubmitandPrint::queryOrderInfoCallBack);
}

void SubmitandPrint::queryOrderInfoCallBack(const BackendReply& reply)
{
    if (ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("查询订单信息错误："))) {
        if (isSubmitted != 0) {
            openProductionSheet(reply.object);
            return;
        }
        fillFromDetail(reply.object);
    }
    endSubmitting();
}

void SubmitandPrint::reloadXps(QJsonObject reply)
{
    const OrderDetail detail = OrderDetail::parse(reply);
    ui->comboBox_xps->setEnabled(detail.isxps);
    xpsNames = detail.xpsNames;
    xpsIds = detail.xpsIds;
    ui->comboBox_xps->addItems(xpsNames);
    ui->comboBox_xps->setCurrentIndex(detail.xpsSelected);
}

void SubmitandPrint::fillFromDetail(const QJsonObject& reply)
{
    const OrderDetail d = OrderDetail::parse(reply);
    reloadXps(reply);

    min_kjxts = d.min_kjxts;
    max_kjxts = d.max_kjxts;
    kjx_msg = d.kjx_msg;

    checktruing = d.checktruing;
    if (!d.kanjingxiuTime.isEmpty())
        kanjingxiuareaName = d.kanjingxiuTime;
    if (!d.kanjingxiuId.isEmpty())
        kanjingxiuareaid = d.kanjingxiuId;
    ui->pushButton_preciseRepairDate->setText(d.checktruing + QLatin1Char(' ') + d.kanjingxiuTime);
    if (d.editkanjingxiu == 0 && !d.kanjingxiuId.isEmpty())
        ui->pushButton_preciseRepairDate->setEnabled(false);

    ui->pushButton_urgentDate->setText(d.isurgenttime);
    ProductData::product_urgentdate = d.isurgenttime;

    comparedate = d.comparedate;
    if (!d.kanbanTime.isEmpty())
        kanbanareaName = d.kanbanTime;
    if (!d.kanbanId.isEmpty())
        kanbanareaid = d.kanbanId;
    ui->pushButton_checkBoardDate->setText(d.comparedate + QLatin1Char(' ') + d.kanbanTime);
    if (d.editkanban == 0 && !d.kanbanId.isEmpty())
        ui->pushButton_checkBoardDate->setEnabled(false);

    ui->pb_wyxdate->setText(d.t_movie_time);
    ui->giveBoardLineEdit->setText(d.activenumber);
    ui->blessLineEdit->setText(d.freephotonumber1);
    ui->cardLineEdit->setText(d.freephotonumber2);
    ui->tradeLineEdit->setText(d.freephotonumber3);
    ui->designnumLineEdit->setText(d.designnum);
    ui->originPhotoNum->setText(d.buynumber);
    ui->yangQianLineEd->setText(d.yqnumber);

    iswyx = d.iswyx;
    is_two_buy = d.is_two_buy;
    const bool isSplit = is_two_buy == QLatin1String("1");
    for (QWidget* w : {static_cast<QWidget*>(ui->le_dxppirce), static_cast<QWidget*>(ui->le_fgpirce),
             static_cast<QWidget*>(ui->lb_dxprice), static_cast<QWidget*>(ui->lb_fgprice)})
        w->setVisible(isSplit);

    ui->le_dxppirce->setText(d.one_price);
    ui->le_fgpirce->setText(d.two_price);
    ui->bcxppirce_lineEdit->setText(d.twosales);
    ui->secondSumLineEdit->setText(d.totaltwosales);

    getphotodate = d.pickuptime;
    getphotoareaName = d.getphotoTime;
    getphotoareaid = d.getphotoId;
    ui->pushButton_fetchDate->setText(dateCaption(getphotodate, getphotoareaName));
    if (d.editfahuo == 0 && !getphotoareaName.isEmpty())
        ui->pushButton_fetchDate->setEnabled(false);

    const qint64 bought = DetailValue::integer(d.morephotonumber);
    if (bought >= 0)
        ui->buyBoardLineEdit->setText(QString::number(bought));
    ui->cb_urgent_photo->setChecked(d.isurgentphoto == QLatin1String("1"));
    ui->isdeletetpbtn->setChecked(d.isprintdelwarn == QLatin1String("1"));

    checkByValue(d.kjxway, ui->radiobtn_wd, ui->radiobtn_zxk, ui->radiobtn_ddk);
    checkByValue(d.islook_effect, ui->rb_kxg_wd, ui->rb_kxg_kxg, ui->rb_kxg_bkxg);
    checkByValue(d.good_type, ui->rb_cplx_wqr, ui->rb_cplx_cjx, ui->rb_cplx_ycp);
    if (d.pickuptype == QLatin1String("1") || d.pickuptype == QLatin1String("2"))
        ui->radioButton_isEMS->setChecked(true);
    else
        ui->radioButton->setChecked(true);
    if (d.type == QLatin1String("1"))
        ui->radioButton_part->setChecked(true);
    else
        ui->radioButton_all->setChecked(true);

    setLocked();
    m_hasDetail = true;
}

void SubmitandPrint::openProductionSheet(const QJsonObject& reply)
{
    Config::isLocked = true;
    emit sendSetLocked();
    setLocked();

    const QJsonObject order = reply.value(QStringLiteral("order")).toObject();
    Config::user_type = DetailValue::text(order, QStringLiteral("phototype")) == QLatin1String("3")
        ? QStringLiteral("1")
        : QStringLiteral("0");

    auto* sheet = new WebViewWindow(nullptr);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    SheetFields::SheetContext context;
    context.html = samepleresulthtml;
    context.printThumbnails = ui->checkBox->isChecked();
    context.printFinishedArea = ui->checkBox_chengpin->isChecked();
    context.urgentDate = ui->pushButton_urgentDate->text();
    SheetFields::fillProductionSheet(sheet, reply, context);
    ui->pushButton_checkBoardDate->setText(SheetFields::kanbanText(order));
    sheet->showMaximized();
    m_isSubmitting = false;
    close();
}
