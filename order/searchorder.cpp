#include "order/searchorder.h"

#include "core/logging.h"
#include "photostore/fileoperation.h"
#include "ui_searchorder.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "exchange/n8thread.h"
#include "photostore/productdata.h"
#include "workspace/selectphotoview.h"

#include <QCloseEvent>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QStandardItemModel>
#include <QTimer>

#include <utility>

namespace {

const char* const kSearchIdle = "检索";
const char* const kSearchBusy = "检索中...";
const char* const kN8Idle = "同步全部员工/产品到N8";
const char* const kN8Busy = "同步全部员工/产品到N8,解析数据中,请稍后...";

// Which package flag of the reply a column depends on.
enum class ColumnFlag { Always, ComboName, ComboPrice };

struct Column
{
    const char* header;
    QString order::*field; // null for the lock column
    ColumnFlag flag;
};

const Column kColumns[] = {
    {QT_TRANSLATE_NOOP("SearchOrder", "预约单号"), &order::orderpayforkey, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "锁定状态"), nullptr, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "所属门店"), &order::storesname, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "服务次数"), &order::servicetimes, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "客人姓名"), &order::name, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "电话"), &order::phone, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "套系"), &order::comboid, ColumnFlag::ComboName},
    {QT_TRANSLATE_NOOP("SearchOrder", "套系金额"), &order::order_price, ColumnFlag::ComboPrice},
    {QT_TRANSLATE_NOOP("SearchOrder", "选片日期"), &order::sampledate, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "选片时段"), &order::sampletime, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "选片完成日期"), &order::role12finish, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "选片师"), &order::role12, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "摄影师"), &order::role1, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "化妆师"), &order::dresser, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "样前对比片"), &order::role7, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "样后修片"), &order::role8, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "精修"), &order::role9, ColumnFlag::Always},
    {QT_TRANSLATE_NOOP("SearchOrder", "设计"), &order::role10, ColumnFlag::Always},
};

bool columnShown(const Column& c, bool comboName, bool comboPrice)
{
    return c.flag == ColumnFlag::Always || (c.flag == ColumnFlag::ComboName && comboName)
        || (c.flag == ColumnFlag::ComboPrice && comboPrice);
}

// The boxes of this window: application-modal, no parent, one Yes button.
void inform(const QString& title, const QString& text)
{
    Prompt::information(nullptr, title, text, QMessageBox::Yes, QMessageBox::Yes);
}

// "bname", "wname" and "mname": the non-empty ones joined by "-".
QString customerName(const QJsonObject& o)
{
    QStringList parts;
    for (const char* key : {"bname", "wname", "mname"}) {
        const QString part = o.value(QLatin1String(key)).toString();
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QLatin1Char('-'));
}

// "mphone", then "/" and "wphone" when both are there.
QString customerPhone(const QJsonObject& o)
{
    const QString m = o.value(QLatin1String("mphone")).toString();
    const QString w = o.value(QLatin1String("wphone")).toString();
    if (m.isEmpty())
        return w;
    return w.isEmpty() ? m : m + QLatin1Char('/') + w;
}

order orderFromJson(const QJsonObject& o)
{
    auto text = [&o](const char* key) { return o.value(QLatin1String(key)).toString(); };
    order r;
    r.islock = text("islock") == QLatin1String("1");
    r.order_photo_id = text("order_photo_id");
    r.orderid = text("orderid");
    r.servicetimes = text("servicetimes");
    r.storesname = text("storesname");
    r.name = customerName(o);
    r.phone = customerPhone(o);
    r.combotypeid = text("combotypeid");
    r.comboid = text("comboid");
    r.order_price = text("order_price");
    r.role1 = text("role1");
    r.dresser = text("role2");
    r.shotdate = text("shotdate");
    r.orderpayforkey = text("orderpayforkey");
    r.ishavepinguan = text("ishavepinguan");
    r.pinguanfinish = text("pinguanfinish");
    r.role8 = text("role8");
    r.role9 = text("role9");
    r.role7 = text("role7");
    r.role10 = text("role10");
    r.phototype = text("phototype");
    r.samplingTile = text("samplingTile");
    r.imagebooktime = text("imagebooktime");
    r.selectphotodate = text("selectphotodate");
    r.sampletime = text("sampletime");
    r.ordersampleinfoservicetimes = text("ordersampleinfoservicetimes");
    r.sampledate = text("sampledate");
    r.role12finish = text("role12finish");
    r.role12 = text("role12");
    r.order_sample_infoid = text("order_sample_infoid");
    r.photo_sort = text("photo_sort");
    return r;
}

// Hides the window and shows it again as it was. A window manager forgets the maximised or
// full-screen state of a hidden window and says so only after the window is shown again, when
// asking for the same state is a no-op: so the state is dropped and asked for anew, which the
// window manager handles after it has placed the window.
void reshowAsItWas(QWidget* window)
{
    const Qt::WindowStates state = window->windowState();
    const QRect geometry = window->geometry();
    const Qt::WindowStates screenSized = Qt::WindowMaximized | Qt::WindowFullScreen;
    window->hide();
    window->show();
    if (state & screenSized) {
        window->setWindowState(state & ~screenSized);
        window->setWindowState(state);
    } else {
        window->setGeometry(geometry);
    }
}

} // namespace

SearchOrder::SearchOrder(QWidget* parent)
    : QDialog(parent)
    , isReload(false)
    , ui(new Ui::SearchOrder)
    , model(nullptr)
    , isSyncing(false)
    , isOrderOpened(false)
{
    ui->setupUi(this);

    setFocus();
    ui->orderNumber->setFocus();
    ui->cancelButton->hide();
    ui->selectPathButton->hide();
    ui->pathLineEdit->hide();

    Config::bigImgShopIds.append(QStringLiteral("3169"));

    ui->orderNumber->setFocus();
    ui->searchButton->setDefault(true);
    ui->comboBox->setCurrentIndex(2);

    ui->calendar->setStyleSheet(QStringLiteral("QCalendarWidget {background-color: red;}"));
    connect(ui->calendar, &QCalendarWidget::clicked, this, &SearchOrder::calenderAction);

    setWindowFlags(Qt::WindowFlags());

    model = makeModel(true, true);
    ui->tableView->setModel(model);
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(ui->searchButton, &QPushButton::clicked, this, &SearchOrder::clickSearch);
    connect(ui->cancelButton, &QPushButton::clicked, this, &SearchOrder::clickCancel);
    connect(ui->tableView, &QTableView::clicked, this, &SearchOrder::selectRowR);

    shopNames = Config::names;
    shopIds = Config::ids;
    ui->comboBox_shops->addItems(shopNames);

    if (!Config::shop_id.isEmpty()) {
        const int index = shopIds.indexOf(Config::shop_id);
        if (index >= 0 && index < ui->comboBox_shops->count()) {
            ui->comboBox_shops->setCurrentIndex(index);
            return;
        }
    }
    Config::shop_id = shopIds.value(ui->comboBox_shops->currentIndex());
    ui->gb_n8->hide();
    if (!hasShop()) {
        // Without a shop nothing can be searched: say so once the window is up.
        ui->searchButton->setEnabled(false);
        QTimer::singleShot(0, this, &SearchOrder::warnNoShop);
    }
}

SearchOrder::~SearchOrder()
{
    delete ui;
}

bool SearchOrder::hasShop() const
{
    return !shopIds.value(ui->comboBox_shops->currentIndex()).isEmpty();
}

void SearchOrder::warnNoShop()
{
    inform(QStringLiteral("警告"), QStringLiteral("当前账号没有可用的门店，无法检索订单，请联系管理员"));
}

QStandardItemModel* SearchOrder::makeModel(bool comboName, bool comboPrice)
{
    QStandardItemModel* m = new QStandardItemModel(this);
    int column = 0;
    for (const Column& c : kColumns) {
        if (!columnShown(c, comboName, comboPrice))
            continue;
        m->setHorizontalHeaderItem(column++, new QStandardItem(tr(c.header)));
    }
    return m;
}

void SearchOrder::setSearchBusy(bool busy)
{
    ui->searchButton->setText(QString::fromUtf8(busy ? kSearchBusy : kSearchIdle));
    ui->searchButton->setEnabled(!busy);
}

void SearchOrder::clickCancel()
{
    close();
}

void SearchOrder::clickSearch()
{
    if (!hasShop()) {
        warnNoShop();
        return;
    }
    Config::shop_id = shopIds.value(ui->comboBox_shops->currentIndex());
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("uid"), Config::uid)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .toByteArray();
    qCDebug(lcOrder).noquote() << "swith Url:" << Config::url_query_person_data;
    qCDebug(lcOrder).noquote() << "swith Paras:" << FormBody::logText(body);
    BackendPost::post(Config::url_query_person_data, body, this, &SearchOrder::queryPersonCallBack);
}

void SearchOrder::queryPersonCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        setSearchBusy(false);
        return;
    }
    if (!reply.isObject())
        return;
    const QJsonObject& root = reply.object;
    qCDebug(lcOrder).noquote() << "search orders:" << QString::fromUtf8(QJsonDocument(root).toJson());
    if (!ReplyCheck::isAccepted(root)) {
        inform(
            QStringLiteral("警告"), QStringLiteral("查询订单错误：") + root.value(QLatin1String("message")).toString());
        return;
    }
    storeUserSettings(root);
    continueSearch();
}

void SearchOrder::storeUserSettings(const QJsonObject& root)
{
    Config::photoNumAlertColor = root.value(QLatin1String("color")).toString();
    const QJsonObject user = root.value(QLatin1String("user")).toObject();
    auto text = [&user](const char* key) { return user.value(QLatin1String(key)).toString(); };
    auto isOne = [&text](const char* key) { return text(key) == QLatin1String("1"); };
    // "0" and "1" set these switches (each in its own sense); anything else keeps them.
    auto setIfGiven = [&text](const char* key, bool* target, const char* trueText) {
        const QString value = text(key);
        if (value == QLatin1String("0") || value == QLatin1String("1"))
            *target = value == QLatin1String(trueText);
    };

    Config::group_id = text("GROUP_ID");
    Config::super_id = text("companyid");
    Config::manager_id = text("MANAGER_ID");
    Config::manager_name = text("MANAGER_NAME");
    Config::true_name = text("TRUE_NAME");
    Config::delete_style = text("sample_del_effect");
    Config::locked_status = text("xuanyangislock");
    Config::is_del_design_photo = isOne("is_del_design_photo");
    Config::is_del_design_prompt = isOne("is_del_design_prompt");
    setIfGiven("isdelwarn", &Config::isDelWarn, "0");
    setIfGiven("isrecoverwarn", &Config::isRecoverWarn, "0");
    setIfGiven("isprintdelwarn", &Config::isPrintDelWarn, "1");
    setIfGiven("isshowthumbname", &Config::isShowThumbName, "0");
    Config::url_two_barpath = text("pay_code");
    Config::isUpOss = isOne("isuposs");
    // The back end's "isdelorigin" is not applied: deleting originals by key stays off.
    Config::isDelOrigin = false;
    Config::isPnumEdit = root.value(QLatin1String("noeditps")).toInt(0) == 0;
    qCDebug(lcOrder).noquote() << "打印ManagerID" << Config::manager_id;

    fillShortcutTable(user.value(QLatin1String("shortkey")).toObject());

    Config::fullscreenshow_repeat = isOne("full_screen_playback");
    Config::cp_sortmodel = text("photo_mode");
    const QString sorting = text("taipian_sorting");
    if (sorting == QLatin1String("2"))
        Config::recoverPhotoSortType = QStringLiteral("编号排序");
    else if (sorting == QLatin1String("3"))
        Config::recoverPhotoSortType = QStringLiteral("固定规则乱序");
    else
        Config::recoverPhotoSortType = QStringLiteral("创建日期排序");
    Config::isshow_photonum = isOne("display_number");
    Config::isShowModelButton = isOne("showmodelbutton");
    Config::isShowRawButton = isOne("showrawbutton");
    Config::isShowDeleteButton = isOne("showdeletebutton");
    Config::isShowDesignButton = isOne("showdesignbutton");
    Config::isShowSelectedButton = isOne("selectedbutton");
    Config::isShowUnselectButton = isOne("notselectedbutton");
    Config::isShowRefreshButton = isOne("refreshbutton");
    Config::isShowJxVideo = isOne("ishavejingxiuvideo");
    Config::isShowSpVideo = isOne("ishavetestvideo");
}

void SearchOrder::fillShortcutTable(const QJsonObject& shortkey)
{
    if (shortkey.isEmpty())
        return;
    // The pair (1 to 16) of Config::shotCutKey that entry N of the reply fills.
    static const int pairOfEntry[17] = {0, 1, 2, 6, 3, 7, 5, 4, 9, 10, 13, 14, 15, 16, 8, 12, 11};
    const QString ctrl = QStringLiteral("CTRL");
    const QString alt = QStringLiteral("ALT");
    auto unset = [](const QString& name) { return name.isEmpty() || name == QLatin1String("0"); };

    for (int n = 1; n <= 16; ++n) {
        const QString first = shortkey.value(QStringLiteral("firkey%1").arg(n)).toString();
        QString second;
        int* pair = &Config::shotCutKey[2 * (pairOfEntry[n] - 1)];
        if (n == 16) {
            // Always a modifier with a key; Ctrl+Z when the entry gives none.
            second = shortkey.value(QStringLiteral("seckey16")).toString();
            const int modifier = unset(first) || first == ctrl ? int(Qt::ControlModifier)
                : first == alt                                 ? int(Qt::AltModifier)
                                                               : 0;
            const int code = returnKeyValue(unset(second) ? QStringLiteral("Z") : second);
            if (modifier != 0 && code != 0) {
                pair[0] = modifier;
                pair[1] = code;
            }
        } else if (first == ctrl || first == alt) {
            second = shortkey.value(QStringLiteral("seckey%1").arg(n)).toString();
            const int code = returnKeyValue(second);
            if (code != 0) {
                pair[0] = first == ctrl ? int(Qt::ControlModifier) : int(Qt::AltModifier);
                pair[1] = code;
            }
        } else if (!unset(first)) {
            // A key alone: the pair's modifier stays as it is.
            const int code = returnKeyValue(first);
            if (code != 0)
                pair[1] = code;
        }
        qCDebug(lcOrder).noquote() << "  j==" << n << "  shortkey=" << first << "   shortkey2=" << second;
    }
}

void SearchOrder::continueSearch()
{
    if (isReload) {
        isReload = false;
        setSearchBusy(true);
        postDataFunc(lastQueryBody);
        return;
    }
    const QString date = ui->calendar->selectedDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString text = ui->orderNumber->text();
    const char* emptyMessage = nullptr;
    switch (ui->comboBox->currentIndex()) {
    case 0:
        if (text.isEmpty())
            emptyMessage = "请输入订单号";
        else
            queryOrderByOrderId(text);
        break;
    case 1:
        queryOrderByPhotoDate(date);
        break;
    case 2:
        queryOrderBySelectPhotoDate(date);
        break;
    case 3:
        queryOrderByAppointmentDate(date);
        break;
    case 4:
        queryOrderByFetchPhotoDate(date);
        break;
    case 5:
        if (text.isEmpty())
            emptyMessage = "请输入姓名";
        else
            queryOrderByName(text);
        break;
    case 6:
        if (text.isEmpty())
            emptyMessage = "请输入电话";
        else
            queryOrderByPhotoNumber(text);
        break;
    default:
        return;
    }
    if (emptyMessage) {
        inform(QStringLiteral("警告"), QString::fromUtf8(emptyMessage));
        return;
    }
    setSearchBusy(true);
}

void SearchOrder::queryOrderByOrderId(QString text)
{
    QByteArray body = FormBody::tokenBody({{"uid", Config::manager_id}, {"shopid", Config::shop_id}, {"type", "1"},
        {"orderpayforkey", text.trimmed()}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderByPhotoDate(QString date)
{
    QByteArray body = FormBody::tokenBody({{"uid", Config::manager_id}, {"shopid", Config::shop_id}, {"type", "2"},
        {"photodate", date}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderBySelectPhotoDate(QString date)
{
    QByteArray body = FormBody::tokenBody({{"shopid", Config::shop_id}, {"type", "3"}, {"uid", Config::manager_id},
        {"selectphotodate", date}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderByAppointmentDate(QString date)
{
    QByteArray body = FormBody::tokenBody({{"shopid", Config::shop_id}, {"type", "4"}, {"selectphotodate", date},
        {"uid", Config::manager_id}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderByFetchPhotoDate(QString date)
{
    QByteArray body = FormBody::tokenBody({{"shopid", Config::shop_id}, {"type", "5"}, {"uid", Config::manager_id},
        {"selectphotodate", date}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderByName(QString text)
{
    QByteArray body = FormBody::tokenBody({{"uid", Config::manager_id}, {"shopid", Config::shop_id}, {"type", "6"},
        {"orderpayforkey", text.trimmed()}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::queryOrderByPhotoNumber(QString text)
{
    QByteArray body = FormBody::tokenBody({{"uid", Config::manager_id}, {"shopid", Config::shop_id}, {"type", "7"},
        {"orderpayforkey", text.trimmed()}, {"companyid", Config::super_id}});
    postDataFunc(body);
}

void SearchOrder::postDataFunc(QByteArray& body)
{
    lastQueryBody = body;
    qCDebug(lcOrder).noquote() << "searchOrder Url:" << Config::url_query_order;
    qCDebug(lcOrder).noquote() << "searchOrder Paras:" << FormBody::logText(lastQueryBody);
    BackendPost::post(Config::url_query_order, lastQueryBody, this, &SearchOrder::queryCallBack);
}

void SearchOrder::ReloadTableView()
{
    postDataFunc(lastQueryBody);
}

void SearchOrder::queryCallBack(const BackendReply& reply)
{
    qCDebug(lcOrder) << "search order 返回数据了";
    if (reply.isObject()) {
        const QJsonObject& root = reply.object;
        // A result of thousands of orders takes long to print: only when the log is read.
        if (QLoggingCategory::defaultCategory()->isDebugEnabled())
            qCDebug(lcOrder).noquote() << "search orders:" << QString::fromUtf8(QJsonDocument(root).toJson());
        lastReply = root;
        if (!ReplyCheck::isAccepted(root)) {
            inform(QStringLiteral("警告"),
                QStringLiteral("查询订单错误：") + root.value(QLatin1String("message")).toString());
        } else {
            struct Flag
            {
                const char* key;
                QString* target;
            };
            const Flag flags[] = {
                {"showfurniturebutton", &Config::showfurniturebutton},
                {"showfabricationbutton", &Config::showfabricationbutton},
                {"showreservebutton", &Config::showreservebutton},
                {"showcontrastbutton", &Config::showcontrastbutton},
                {"showkjxway", &Config::showkjxway},
                {"showgoodtype", &Config::showgoodtype},
                {"showiskxg", &Config::showiskxg},
                {"showbuyjx", &Config::showbuyjx},
                {"showbuymd", &Config::showbuymd},
                {"showdbpxz", &Config::showdbpxz},
                {"showdesign", &Config::showdesign},
                {"showgivejx", &Config::showgivejx},
                {"showwzf", &Config::showwzf},
                {"showsupport", &Config::showsupport},
                {"showidphoto", &Config::showidphoto},
            };
            for (const Flag& f : flags)
                *f.target = root.value(QLatin1String(f.key)).toString();
            Config::orderMode = root.value(QLatin1String("photo_sort")).toString() == QLatin1String("0") ? 0 : 2;

            orderList.clear();
            const QJsonArray orders = root.value(QLatin1String("order")).toArray();
            if (orders.isEmpty())
                inform(QStringLiteral("提示"), QStringLiteral("没有查询到任何订单"));
            for (const QJsonValue& element : orders)
                orderList.append(orderFromJson(element.toObject()));
            refreshOrderList();
        }
    } else if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        qCDebug(lcOrder) << "search order 返回数据报错了";
    }
    setSearchBusy(false);
}

void SearchOrder::refreshOrderList()
{
    const bool comboName = lastReply.value(QLatin1String("iscomboname")).toString() == QLatin1String("1");
    const bool comboPrice = lastReply.value(QLatin1String("iscomboprice")).toString() == QLatin1String("1");

    QStandardItemModel* old = model;
    model = makeModel(comboName, comboPrice);
    // Filled before the view sees it: a view attached to the model would answer each of the
    // thousands of insertions of a large result on its own.
    model->setRowCount(orderList.size());

    const int lastColumn = model->columnCount() - 1;
    for (int row = 0; row < orderList.size(); ++row) {
        const order& o = orderList.at(row);
        int column = 0;
        for (const Column& c : kColumns) {
            if (!columnShown(c, comboName, comboPrice))
                continue;
            QStandardItem* item;
            if (c.field) {
                item = new QStandardItem(o.*c.field);
            } else {
                item = new QStandardItem();
                item->setForeground(QColor(30, 144, 255, 255));
                item->setText(o.islock ? tr("已锁定") : tr("去锁定"));
            }
            if (column != lastColumn)
                item->setTextAlignment(Qt::AlignCenter);
            model->setItem(row, column++, item);
        }
    }
    ui->tableView->setModel(model);
    if (old)
        old->deleteLater();
}

void SearchOrder::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const int columns = model ? model->columnCount() : 0;
    auto setWidth = [this, columns](int column, double width) {
        if (column < columns)
            ui->tableView->setColumnWidth(column, int(width));
    };
    const double w = ui->tableView->width();
    if (0.12 * w >= 130) {
        const double widths[] = {0.12, 0.05, 0.08, 0.05, 0.05, 0.12, 0.08};
        for (int c = 0; c < 7; ++c)
            setWidth(c, widths[c] * w);
        for (int c = 7; c <= 14; ++c)
            setWidth(c, 0.075 * w);
    } else {
        const double r = w - 130;
        setWidth(0, 130);
        const double widths[] = {0.05, 0.08, 0.05, 0.12, 0.09, 0.08};
        for (int c = 1; c < 7; ++c)
            setWidth(c, widths[c - 1] * r);
        for (int c = 7; c <= 15; ++c)
            setWidth(c, 0.084 * r);
    }
}

void SearchOrder::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
}

void SearchOrder::on_selectPathButton_clicked()
{
    QString path = Prompt::getExistingDirectory(nullptr, QStringLiteral("选择本地订单路径"));
    if (path.isEmpty()) {
        localOrderPath.clear();
        return;
    }
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    localOrderPath = path;
    ui->pathLineEdit->setText(localOrderPath);
}

void SearchOrder::calenderAction()
{
    ui->searchButton->setFocus();
}

void SearchOrder::on_comboBox_shops_currentIndexChanged(int)
{
    // The shop takes effect at the following search click.
}

void SearchOrder::on_comboBox_currentIndexChanged(int)
{
    qCDebug(lcOrder) << "on_comboBox_currentIndexChanged";
}

void SearchOrder::on_comboBox_activated(int)
{
    reshowAsItWas(this);
    qCDebug(lcOrder) << "on_comboBox_activated";
}

void SearchOrder::on_comboBox_editTextChanged(const QString&)
{
    qCDebug(lcOrder) << "on_comboBox_editTextChanged";
}

void SearchOrder::on_comboBox_highlighted(int)
{
    qCDebug(lcOrder) << "on_comboBox_highlighted";
}

void SearchOrder::on_comboBox_shops_activated(int)
{
    reshowAsItWas(this);
}

void SearchOrder::on_pb_n8sync_clicked()
{
    req_syncToN8Path();
}

void SearchOrder::req_syncToN8Path()
{
    // The button text doubles as the mark of a running folder check.
    if (ui->pb_n8sync->text() != QString::fromUtf8(kN8Idle) || isSyncing)
        return;
    isSyncing = true;
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("uid"), Config::uid)
                                .toByteArray();
    qCDebug(lcOrder).noquote() << "获取需要导入N8的员工和产品 url==" << Config::url_storesn8path;
    qCDebug(lcOrder).noquote() << "postData==" << FormBody::logText(body);
    BackendPost::post(Config::url_storesn8path, body, this, &SearchOrder::query_storesn8paths);
}

void SearchOrder::query_storesn8paths(const BackendReply& reply)
{
    isSyncing = false;
    if (reply.isNetworkError())
        BackendPost::showNetworkError(reply, true);
    if (!reply.isObject())
        return;
    const QJsonObject& root = reply.object;
    qCDebug(lcOrder).noquote() << "query order Json:" << QString::fromUtf8(QJsonDocument(root).toJson());
    if (!ReplyCheck::isAccepted(root)) {
        inform(QStringLiteral("警告"), root.value(QLatin1String("message")).toString());
        return;
    }
    qCDebug(lcOrder).noquote() << "n8的各个分店的数据==="
                               << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact));
    ui->pb_n8sync->setText(QString::fromUtf8(kN8Busy));

    // Unreachable network folders can take long to check, and this window may close
    // meanwhile (opening an order closes it): the worker owns itself and reports to a
    // guarded receiver, so nothing waits for it and nothing deletes it while it runs.
    N8thread* check = new N8thread(this, nullptr);
    check->stores = root.value(QLatin1String("stores")).toArray();
    check->mode = QStringLiteral("stores");
    connect(check, &QThread::finished, check, &QObject::deleteLater);
    check->start();
}

void SearchOrder::slt_n8stores(QJsonArray storeables, QString msg)
{
    if (isOrderOpened)
        return;
    ui->pb_n8sync->setText(QString::fromUtf8(kN8Idle));
    if (storeables.isEmpty()) {
        Prompt::information(nullptr, QStringLiteral("温馨提示"),
            QStringLiteral("没有门店的N8服务路径在和本机在同一局域网中,不能同步到N8！"));
        return;
    }
    if (!msg.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, QString(),
            msg + QStringLiteral(" 的N8路径和本机不在同一局域网不能同步到N8"), QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("确定同步"));
        box.button(QMessageBox::No)->setText(QStringLiteral("取消"));
        if (Prompt::exec(&box) != QMessageBox::Yes)
            return;
    }
    N8SyncBaseInfoDialog* dialog = new N8SyncBaseInfoDialog(nullptr);
    dialog->stores = storeables;
    dialog->shopid = Config::shop_id;
    dialog->setModal(true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

// ---- Lock and opening an order ----

void SearchOrder::selectRowR(const QModelIndex& index)
{
    if (index.row() < 0 || index.row() >= orderList.size())
        return;
    const order clicked = orderList.at(index.row());
    // Only the lock column ("锁定状态") changes anything.
    if (index.column() != 1)
        return;
    if (Config::locked_status == QLatin1String("0")) {
        inform(QStringLiteral("警告"), QStringLiteral("暂无操作权限"));
        return;
    }
    const QString question
        = clicked.islock ? QStringLiteral("当前订单已锁定，去解锁！") : QStringLiteral("当前订单未锁定，去锁定！");
    if (Prompt::question(nullptr, QStringLiteral("修改锁定状态"), question) != QMessageBox::Yes)
        return;
    postQueryOrderDoLock(clicked.islock, clicked.order_photo_id);
}

void SearchOrder::postQueryOrderDoLock(bool isLocked, QString orderPhotoId)
{
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("order_photo_id"), orderPhotoId)
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("superid"), Config::super_id)
                                .add(QStringLiteral("uid"), Config::manager_id)
                                .add(QStringLiteral("islock"), isLocked ? QStringLiteral("0") : QStringLiteral("1"))
                                .toByteArray();
    qCDebug(lcOrder).noquote() << "postData=" << FormBody::logText(body);
    qCDebug(lcOrder).noquote() << "url_query_orderstorck=" << Config::url_update_orderstorck;
    BackendPost::post(Config::url_update_orderstorck, body, this, &SearchOrder::queryLockedInfoCallBack);
}

void SearchOrder::queryLockedInfoCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        qCDebug(lcOrder) << "error" << reply.errorString;
        BackendPost::showNetworkError(reply, true);
    }
    if (!reply.isObject())
        return;
    const QJsonObject& root = reply.object;
    qCDebug(lcOrder).noquote() << "print reqOrder Json:"
                               << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact));
    if (!ReplyCheck::isAccepted(root)) {
        inform(QStringLiteral("警告"), root.value(QLatin1String("message")).toString());
        return;
    }
    clickSearch();
}

void SearchOrder::on_tableView_doubleClicked(const QModelIndex& index)
{
    if (index.row() < 0 || index.row() >= orderList.size())
        return;
    const order chosen = orderList.at(index.row());
    if (chosen.ishavepinguan == QLatin1String("1") && chosen.pinguanfinish == QLatin1String("0")) {
        inform(QStringLiteral("警告"), QStringLiteral("未经品管，请联系数码部！"));
        return;
    }

    // The window closes and is deleted once this handler is done. Until then nothing that
    // it started may answer: replies on their way are dropped, and the N8 check's result
    // finds the window out of use.
    accept();
    isOrderOpened = true;
    BackendPost::dropPending(this);

    Config::isLocked = chosen.islock;
    Config::order_id = chosen.order_photo_id;
    Config::orderOneId = chosen.orderid;
    Config::orderServNum = chosen.servicetimes;
    Config::order_cameraman = chosen.role1;
    Config::order_photodate = chosen.shotdate;
    Config::order_otherdate = chosen.otherdate;
    Config::orderpayforkey = chosen.orderpayforkey;
    Config::order_sheji = chosen.role10;
    Config::order_tiaose = chosen.role7;
    Config::order_chuxiu = chosen.role8;
    Config::order_jingxiu = chosen.role9;
    Config::order_dresser = chosen.dresser;
    Config::order_selectdate = chosen.selectphotodate;
    Config::user_type = chosen.phototype;
    Config::book_time = chosen.imagebooktime;
    Config::order_sample_infoid = chosen.order_sample_infoid;
    ProductData::localOrderPath = localOrderPath;

    Config::show_mode = Config::bigImgShopIds.contains(Config::shop_id) ? 1 : 4;
    Config::chengpin_idx = 0;

    // Copied before the workspace is made: its construction may run a modal box, and
    // nothing of this window is read after that.
    const QList<order> list = orderList;
    const QByteArray body = lastQueryBody;
    SelectPhotoView* workspace = new SelectPhotoView(nullptr);
    workspace->orderList = list;
    workspace->lastQueryBody = body;
    workspace->setAttribute(Qt::WA_DeleteOnClose);
    workspace->showMaximized();
}
