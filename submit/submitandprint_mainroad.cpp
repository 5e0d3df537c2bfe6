#include "core/logging.h"
#include "submit/submitandprint.h"

#include "Calendar/scheduledialog.h"
#include "widgets/calendarpicker.h"
#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "core/worker.h"
#include "delivery/setproexpress.h"
#include "delivery/settingemsdialog.h"
#include "photostore/dirserver.h"
#include "photostore/productdata.h"
#include "submit/orderdetailreply.h"
#include "submit/setasidefiles.h"
#include "submit/submitandprintform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

int checkedIndex(QRadioButton* first, QRadioButton* second, QRadioButton* third)
{
    if (first->isChecked())
        return 0;
    if (second->isChecked())
        return 1;
    if (third->isChecked())
        return 2;
    return -1;
}

} // namespace

// ---- The submission ----

SubmissionFields SubmitandPrint::submissionFields()
{
    SubmissionFields f;
    f.morephotonumber = ui->buyBoardLineEdit->text();
    f.activenumber = ui->giveBoardLineEdit->text();
    f.freephotonumber1 = ui->blessLineEdit->text();
    f.freephotonumber2 = ui->cardLineEdit->text();
    f.freephotonumber3 = ui->tradeLineEdit->text();
    f.buynumber = ui->originPhotoNum->text();
    f.yqnumber = ui->yangQianLineEd->text();
    f.designnum = ui->designnumLineEdit->text();
    f.isLocked = Config::isLocked;
    f.lastpic = lastpic;
    f.lastrepairpic = lastrepairpic;
    f.isAllUrgent = urgencyState() == 1;
    f.getphotodate = getphotodate;
    f.getphotoareaName = getphotoareaName;
    f.getphotoareaid = getphotoareaid;
    f.t_movie_time = ui->pb_wyxdate->text();
    f.comparedate = comparedate;
    f.kanbanareaid = kanbanareaid;
    f.checktruing = checktruing;
    f.kanjingxiuareaid = kanjingxiuareaid;
    f.checkBoardText = ui->pushButton_checkBoardDate->text();
    f.preciseRepairText = ui->pushButton_preciseRepairDate->text();
    f.isPart = ui->radioButton_part->isChecked();
    f.isUrgentPhoto = ui->cb_urgent_photo->isChecked();
    f.goodType = checkedIndex(ui->rb_cplx_wqr, ui->rb_cplx_cjx, ui->rb_cplx_ycp);
    f.lookEffect = checkedIndex(ui->rb_kxg_wd, ui->rb_kxg_kxg, ui->rb_kxg_bkxg);
    f.kjxWay = checkedIndex(ui->radiobtn_wd, ui->radiobtn_zxk, ui->radiobtn_ddk);
    f.isEms = ui->radioButton_isEMS->isChecked();
    f.finalpicpaths = finalpicpaths;
    f.finalpicnum = finalpicnum;
    f.deletepicpaths = deletepicpaths;
    f.deletepicnum = deletepicnum;
    f.twosales = ui->bcxppirce_lineEdit->text();
    f.one_price = ui->le_dxppirce->text();
    f.two_price = ui->le_fgpirce->text();
    // Before the staff list is filled there is no current entry: "0", as for 请选择.
    f.role12 = xpsIds.value(ui->comboBox_xps->currentIndex(), QStringLiteral("0"));
    f.fwqlc_num = fwqlc_num;
    return f;
}

QString SubmitandPrint::isEmptyProduct()
{
    QString names;
    for (const Product& product : qAsConst(ProductData::m_products))
        if (product.goodamount == QLatin1String("0"))
            names += product.goodname;
    return names;
}

void SubmitandPrint::on_pushButton_2_clicked()
{
    if (m_isSubmitting || !isReady())
        return;
    // From the click until the road ends, a second click finds the button disabled.
    m_isSubmitting = true;
    ui->pushButton_2->setEnabled(false);
    // Submitted already, the order detail failed: it alone is asked for again.
    if (resumeSubmitted(&SubmitandPrint::postQueryOrderInfo))
        return;
    if (ui->radioButton_isEMS->isChecked()) {
        postQueryEmsInfo();
        return;
    }
    continueSubmission();
}

void SubmitandPrint::continueSubmission()
{
    if (!Config::isLocked && !passesPreChecks()) {
        endSubmitting();
        return;
    }
    postSecondSumInfo();
}

bool SubmitandPrint::passesPreChecks()
{
    const QString empty = isEmptyProduct();
    if (!empty.isEmpty()) {
        ReplyCheck::warn(QStringLiteral("产品 ") + empty + QStringLiteral(" 数量为0，请重新设置"));
        return false;
    }
    for (QPushButton* button : {ui->pushButton_checkBoardDate, ui->pushButton_preciseRepairDate})
        if (button->text() == QLatin1String(" :00"))
            button->setText(QString());
    if (ui->buyBoardLineEdit->text().trimmed().isEmpty() && Config::showbuyjx == QLatin1String("1")) {
        ReplyCheck::warn(QStringLiteral("请输入购买精修张数！"));
        return false;
    }
    if (ui->yangQianLineEd->text().trimmed().isEmpty() && Config::showdbpxz == QLatin1String("1")) {
        ReplyCheck::warn(QStringLiteral("请输入对比片选中张数！"));
        return false;
    }
    return true;
}

void SubmitandPrint::postQueryEmsInfo()
{
    const QByteArray body = orderIdentifiers();
    qCDebug(lcSubmit) << "url_query_emsinfo==" << Config::url_query_emsinfo;
    qCDebug(lcSubmit).noquote() << "postData==" << FormBody::logText(body);
    BackendPost::post(Config::url_query_emsinfo, body, this, &SubmitandPrint::queryInfoEmsCallBack);
}

void SubmitandPrint::queryInfoEmsCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("查询快递信息错误："))) {
        endSubmitting();
        return;
    }
    if (reply.object.value(QStringLiteral("orderaddress")).toObject().isEmpty()) {
        ReplyCheck::warn(QStringLiteral("请输入快递信息"));
        endSubmitting();
        // The operator saves an address and presses the button again.
        auto* form = new SettingEMSDialog(nullptr);
        form->setModal(true);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        return;
    }
    continueSubmission();
}

void SubmitandPrint::postSecondSumInfo()
{
    const auto refuse = [this](const char* text) {
        ReplyCheck::warn(QString::fromUtf8(text));
        endSubmitting();
    };
    if (iswyx == QLatin1String("1") && ui->pb_wyxdate->text().isEmpty())
        return refuse("请选择微影像日期");
    if (ui->bcxppirce_lineEdit->text().isEmpty())
        return refuse("请填写本次选片金额");
    if (ui->originPhotoNum->text().isEmpty() && Config::showbuymd == QLatin1String("1"))
        return refuse("请填写购买毛底张数");
    if (is_two_buy == QLatin1String("1")
        && !SubmissionBody::amountsAddUp(
            ui->le_dxppirce->text(), ui->le_fgpirce->text(), ui->bcxppirce_lineEdit->text()))
        return refuse("当消金额加复购金额必须等于本次选片金额！");

    m_isSubmitting = true;
    setWindowTitle(QStringLiteral("正在提交..."));
    ui->pushButton_2->setEnabled(false);
    const SubmissionFields fields = submissionFields();
    const QByteArray body = SubmissionBody::mainBody(fields);
    qCDebug(lcSubmit) << "submit2 sum url:" << Config::url_post_twosales_2;
    qCDebug(lcSubmit).noquote() << "submit2 sum  paras:" << FormBody::logText(body);
    qCDebug(lcSubmit) << "xpsid:" << fields.role12;
    BackendPost::post(Config::url_post_twosales_2, body, this, &SubmitandPrint::queryPostSecondSumCallBack);
}

void SubmitandPrint::queryPostSecondSumCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交打印错误："))) {
        endSubmitting();
        return;
    }
    samepleresulthtml = DetailValue::text(reply.object, QStringLiteral("samepleresulthtml"));
    isSubmitted = 1;
    // The road goes on until the order detail has come back.
    setWindowTitle(QStringLiteral("提交打印"));
    if (!Config::isLocked && ui->isdeletetpbtn->isChecked()) {
        removeSetAsidePhotos();
        return;
    }
    postQueryOrderInfo();
}

void SubmitandPrint::removeSetAsidePhotos()
{
    const QString folder = DirServer::getDeletedImagePath();
    Worker::run(
        this, [folder] { return SetAsideFiles::removeFilesBelow(folder); },
        [this](const SetAsideFiles::Removal& removal) {
            // A folder that could not be listed had nothing removed: no record of a removal.
            if (tellRemoval(removal))
                postDelImgLog();
            postQueryOrderInfo();
        });
}

void SubmitandPrint::postDelImgLog()
{
    // The order detail's reply closes the dialog whether or not this one has come: the record
    // lives on the application, so that closing does not cancel it.
    BackendPost::post(Config::url_del_img, orderIdentifiers(), QCoreApplication::instance(),
        [](const BackendReply& reply) { queryDelImgLogCallBack(reply); });
}

void SubmitandPrint::queryDelImgLogCallBack(const BackendReply& reply)
{
    // Neither success nor failure of the record is shown: the photos are gone already.
    qCDebug(lcSubmit) << "del img log:" << reply.code() << reply.message();
}

// ---- Dates ----

void SubmitandPrint::openSchedule(const QString& monthUrl, const QString& dayUrl, const TimeSchedule& current,
    const QString& caption, void (SubmitandPrint::*slot)(TimeSchedule))
{
    scheduleDialog
        = new ScheduleDialog(true, monthUrl, dayUrl, current.date, current.name, current.id, caption, nullptr);
    scheduleDialog->setModal(true);
    scheduleDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(scheduleDialog, &ScheduleDialog::selectedScehduleSgnl, this, slot);
}

void SubmitandPrint::closeSchedule()
{
    if (scheduleDialog)
        scheduleDialog->close();
}

void SubmitandPrint::on_pushButton_fetchDate_clicked()
{
    openSchedule(Config::url_query_qujian_monthSchedule, Config::url_query_qujian_daySchedule,
        {getphotodate, getphotoareaName, getphotoareaid}, QStringLiteral("最大取件量"),
        &SubmitandPrint::on_newFetchDate);
    scheduleDialog->setMinimumSize(int(1000 * Config::scaleDpi), int(600 * Config::scaleDpi));
    scheduleDialog->show();
    scheduleDialog->activateWindow();
}

void SubmitandPrint::on_pushButton_checkBoardDate_clicked()
{
    openSchedule(Config::url_query_kanban_monthSchedule, Config::url_query_kanban_daySchedule,
        {comparedate, kanbanareaName, kanbanareaid}, QStringLiteral("最大看版量"), &SubmitandPrint::selKanbanSchedule);
    scheduleDialog->show();
    scheduleDialog->activateWindow();
}

void SubmitandPrint::on_pushButton_preciseRepairDate_clicked()
{
    openSchedule(Config::url_query_kanjingxiu_monthSchedule, Config::url_query_kanjingxiu_daySchedule,
        {checktruing, kanjingxiuareaName, kanjingxiuareaid}, QStringLiteral("最大看精修量"),
        &SubmitandPrint::selKanjingxiuSchedule);
    scheduleDialog->show();
    scheduleDialog->activateWindow();
}

void SubmitandPrint::on_newFetchDate(TimeSchedule schedule)
{
    if (!schedule.date.isEmpty()) {
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        if (isFirstDateEarlier(schedule.date, today)) {
            ReplyCheck::warn(QStringLiteral("发货日期不得早于当前日期"));
            return;
        }
        if (!ProductData::product_urgentdate.isEmpty()
            && isFirstDateEarlier(schedule.date, ProductData::product_urgentdate)) {
            ReplyCheck::warn(QStringLiteral("发货日期不得早于加急日期"));
            return;
        }
    }
    selQujianSchedule(schedule);
}

void SubmitandPrint::selQujianSchedule(TimeSchedule schedule)
{
    getphotodate = schedule.date;
    getphotoareaName = schedule.name;
    getphotoareaid = schedule.id;
    qCDebug(lcSubmit) << "currentDateTxt=" << schedule.date << "currentTimeID=" << schedule.id;
    ui->pushButton_fetchDate->setText(dateCaption(schedule.date, schedule.name));
    closeSchedule();
}

void SubmitandPrint::on_newCheckBoardDateDate(QString date)
{
    ui->pushButton_checkBoardDate->setText(date);
}

void SubmitandPrint::on_newPreciseRepairDateDate(QString date)
{
    ui->pushButton_preciseRepairDate->setText(date);
}

void SubmitandPrint::selKanbanSchedule(TimeSchedule schedule)
{
    comparedate = schedule.date;
    kanbanareaName = schedule.name;
    kanbanareaid = schedule.id;
    ui->pushButton_checkBoardDate->setText(dateCaption(schedule.date, schedule.name));
    closeSchedule();
}

void SubmitandPrint::selKanjingxiuSchedule(TimeSchedule schedule)
{
    if (schedule.date.isEmpty()) {
        checktruing.clear();
        kanjingxiuareaName.clear();
        kanjingxiuareaid.clear();
        ui->pushButton_preciseRepairDate->setText(QString());
        return;
    }
    const QDate day = QDate::fromString(schedule.date, QStringLiteral("yyyy-MM-dd"));
    const bool isValid = day.isValid();
    const qint64 seconds = isValid ? QDateTime(day, QTime(0, 0)).toSecsSinceEpoch() : 0;
    if (isValid && min_kjxts <= seconds && seconds <= max_kjxts) {
        checktruing = schedule.date;
        kanjingxiuareaName = schedule.name;
        kanjingxiuareaid = schedule.id;
        ui->pushButton_preciseRepairDate->setText(schedule.date + QLatin1Char(' ') + schedule.name);
        closeSchedule();
        return;
    }
    // The order's own words; without them the operator still learns why.
    ReplyCheck::warn(kjx_msg.isEmpty() ? QStringLiteral("看精修日期不在可选范围内") : kjx_msg);
}

void SubmitandPrint::on_pb_wyxdate_clicked()
{
    auto* picker = new CalendarPicker(this);
    picker->setModal(true);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setWindowTitle(QStringLiteral("选择微影像日期"));
    connect(picker, &CalendarPicker::urgentDate, this, &SubmitandPrint::on_wyxDateSelected);
    picker->show();
    picker->activateWindow();
}

void SubmitandPrint::on_wyxDateSelected(QString date)
{
    ui->pb_wyxdate->setText(date);
}

// ---- Delivery ----

void SubmitandPrint::on_radioButton_isEMS_clicked()
{
    Config::IsAllEms = true;
    auto* delivery = new SetProExpress(nullptr);
    delivery->setAttribute(Qt::WA_DeleteOnClose);
    delivery->setMinimumSize(int(1000 * Config::scaleDpi), int(600 * Config::scaleDpi));
    delivery->setModal(true);
    delivery->show();
}

void SubmitandPrint::on_radioButton_clicked()
{
    Config::IsAllEms = false;
}

void SubmitandPrint::on_radioButton_isPartEMS_clicked()
{
}
