#include "delivery/seturgency.h"
#include "ui_seturgency.h"

#include "Calendar/scheduledialog.h"
#include "core/backendpost.h"
#include "core/backendreply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/replycheck.h"
#include "delivery/urgencyreply.h"
#include "photostore/productdata.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPalette>
#include <QShortcut>

#include <iterator>

namespace {

const char* const Title = "设置加急";

struct Column
{
    const char* caption;
    int width;
    bool isCentred;
};
const Column Columns[] = {
    {"加急", 40, true},
    {"编号", 80, true},
    {"名称", 150, false},
    {"类别", 80, true},
    {"数量", 80, true},
    {"P数", 60, true},
    {"制作要求", 220, false},
};
const int CheckColumn = 0;

bool isUrgent(const Product& p)
{
    return p.isurgent == QLatin1String("1");
}

QTableWidgetItem* cellItem(const QString& text, bool isCentred)
{
    auto* item = new QTableWidgetItem(text);
    if (isCentred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

SetUrgency::SetUrgency(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::SetUrgency)
    , m_products(ProductData::m_products)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    ui->label_time->hide();
    ui->comboBox->hide();
    ui->pushButton->setStyleSheet(QStringLiteral("QPushButton{border-radius:5px;border-width:0px;}"));
    // The date field lies inside the button: a click anywhere on it opens the board.
    ui->lineEdit->setAttribute(Qt::WA_TransparentForMouseEvents);

    QTableWidget* table = ui->tableWidget;
    table->setFont(QFont(QStringLiteral("宋体")));
    table->setColumnCount(int(std::size(Columns)));
    QStringList captions;
    for (const Column& column : Columns)
        captions << QString::fromUtf8(column.caption);
    table->setHorizontalHeaderLabels(captions);
    for (int i = 0; i < int(std::size(Columns)); ++i)
        table->setColumnWidth(i, int(Columns[i].width * Config::scaleDpi));
    table->setRowCount(0);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    setWindowTitle(QString::fromUtf8(Title));

    setUrgencyCaption(urgencyState());

    for (QLabel* label : {ui->label, ui->label_time}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(palette);
    }

    queryProducts();
    postQueryOrderInfo();

    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_returnShortcut->setContext(Qt::WindowShortcut);
    connect(m_returnShortcut, &QShortcut::activated, this, &SetUrgency::on_confirmButton_clicked);
}

SetUrgency::~SetUrgency()
{
    delete ui;
}

void SetUrgency::queryProducts()
{
    const QByteArray body = FormBody::tokenBody({{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id},
        {"companyid", Config::super_id}, {"order_sample_infoid", Config::order_sample_infoid}});
    BackendPost::post(Config::url_query_change_product, body, this, &SetUrgency::queryCallBack);
}

void SetUrgency::queryCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询产品信息错误：")))
        return;
    const QList<Product> list = UrgencyReply::products(reply.object);
    // An order without "ordergoods0" products keeps the list the window started with.
    if (!list.isEmpty())
        refreshTable(list);
}

void SetUrgency::postQueryOrderInfo()
{
    const QByteArray body = FormBody::tokenBody(
        {{"order_photo_id", Config::order_id}, {"shopid", Config::shop_id}, {"companyid", Config::super_id},
            {"uid", Config::manager_id}, {"order_sample_infoid", Config::order_sample_infoid}});
    BackendPost::post(Config::url_query_printinfo, body, this, &SetUrgency::queryOrderInfoCallBack);
}

void SetUrgency::queryOrderInfoCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询订单信息错误：")))
        return;
    m_schedule = UrgencyReply::urgentSchedule(reply.object);
    showSchedule();
}

void SetUrgency::showSchedule()
{
    ui->lineEdit->setText(m_schedule.date + QLatin1Char(' ') + m_schedule.name);
}

void SetUrgency::refreshTable(QList<Product> list)
{
    m_products = list;
    QTableWidget* table = ui->tableWidget;
    table->setRowCount(m_products.size());
    for (int row = 0; row < m_products.size(); ++row) {
        const Product& p = m_products.at(row);
        auto* check = cellItem(QString(), Columns[CheckColumn].isCentred);
        check->setCheckState(isUrgent(p) ? Qt::Checked : Qt::Unchecked);
        if (p.sentToFactory)
            check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, CheckColumn, check);
        const QString texts[] = {p.number, p.goodname, p.goodtype, p.amount, p.goodpnumber, p.descr};
        for (int i = 0; i < int(std::size(texts)); ++i)
            table->setItem(row, i + 1, cellItem(texts[i], Columns[i + 1].isCentred));
    }
}

int SetUrgency::urgencyState()
{
    QStringList ids;
    for (const Product& p : qAsConst(m_products))
        if (isUrgent(p))
            ids << p.id;
    m_urgentIds = ids.join(QLatin1Char(','));
    if (ids.isEmpty())
        return 0;
    return ids.size() == m_products.size() ? 1 : 2;
}

void SetUrgency::setUrgencyCaption(int state)
{
    ui->allUrgencyButton->setText(state == 1 ? QStringLiteral("取消加急") : QStringLiteral("全套加急"));
}

void SetUrgency::on_allUrgencyButton_clicked()
{
    const int state = urgencyState();
    const bool makeUrgent = state != 1;
    setUrgencyCaption(makeUrgent ? 1 : 0);
    for (Product& p : m_products)
        if (!p.sentToFactory)
            p.isurgent = makeUrgent ? QStringLiteral("1") : QStringLiteral("0");
    refreshTable(m_products);
}

void SetUrgency::on_tableWidget_itemClicked(QTableWidgetItem* item)
{
    if (!item || item->column() != CheckColumn)
        return;
    const int row = item->row();
    if (row < 0 || row >= m_products.size() || m_products.at(row).sentToFactory)
        return;
    m_products[row].isurgent = item->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    setUrgencyCaption(urgencyState());
}

void SetUrgency::on_pushButton_clicked()
{
    m_board = new ScheduleDialog(true, Config::url_query_jiaji_monthSchedule, Config::url_query_jiaji_daySchedule,
        m_schedule.date, m_schedule.name, m_schedule.id, QStringLiteral("最大取件量"), nullptr);
    m_board->setModal(true);
    m_board->setAttribute(Qt::WA_DeleteOnClose);
    m_board->show();
    m_board->activateWindow();
    connect(m_board, &ScheduleDialog::selectedScehduleSgnl, this, &SetUrgency::selJiajiSchedule);
}

void SetUrgency::selJiajiSchedule(TimeSchedule schedule)
{
    m_schedule = schedule;
    showSchedule();
    if (schedule.date.isEmpty() && schedule.id.isEmpty()) {
        // 清除 on the board: no urgent day, so no urgent product either.
        for (Product& p : m_products)
            p.isurgent = QStringLiteral("0");
        refreshTable(m_products);
    }
    if (m_board)
        m_board->close();
}

void SetUrgency::on_confirmButton_clicked()
{
    // The Return key reaches here while a post is on its way too: one post at a time.
    if (!ui->confirmButton->isEnabled())
        return;
    const int state = urgencyState();
    if (m_urgentIds.isEmpty() && !m_schedule.name.isEmpty()) {
        ReplyCheck::warn(QStringLiteral("请选择要加急的产品"));
        return;
    }
    if (state != 0 && (m_schedule.date.isEmpty() || m_schedule.name.isEmpty() || m_schedule.id.isEmpty())) {
        ReplyCheck::warn(QStringLiteral("请选择加急日期和时间段"));
        return;
    }
    setWindowTitle(QStringLiteral("正在上传..."));
    ui->confirmButton->setEnabled(false);
    m_postedSchedule = m_schedule;
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("isall"), state == 1 ? QStringLiteral("1") : QStringLiteral("0"))
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("urgentdate"), m_schedule.date)
                                .add(QStringLiteral("ids"), m_urgentIds)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("uid"), Config::manager_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .add(QStringLiteral("urgentdateareaid"), m_schedule.id)
                                .toByteArray();
    BackendPost::post(Config::url_post_urgency_2, body, this, &SetUrgency::queryPostUrgencyCallBack);
}

void SetUrgency::endPosting()
{
    setWindowTitle(QString::fromUtf8(Title));
    ui->confirmButton->setEnabled(true);
}

void SetUrgency::queryPostUrgencyCallBack(const BackendReply& reply)
{
    if (!ReplyCheck::isAccepted(reply)) {
        endPosting();
        ReplyCheck::acceptOrWarn(reply, QStringLiteral("提交加急信息错误："));
        return;
    }
    // Only an accepted urgency is the order's urgency.
    ProductData::product_urgentdate = m_postedSchedule.date;
    ProductData::product_urgentTime = m_postedSchedule.name;
    emit refreshOriTable();
    close();
}

void SetUrgency::closeEvent(QCloseEvent* event)
{
    // The board is modal: left open, it would block the workspace with nothing to answer it.
    if (m_board)
        m_board->close();
    emit refreshOriTable();
    event->accept();
}
