#include "core/config.h"

#include "core/logging.h"

#include <QDateTime>
#include <QDir>

#ifndef PHOTOSELECT_BACKEND_URL
#define PHOTOSELECT_BACKEND_URL "https://backend.invalid"
#endif
#ifndef PHOTOSELECT_CLIENT_TOKEN
#define PHOTOSELECT_CLIENT_TOKEN "00000000000000000000000000000000"
#endif

QString Config::uid;
QStringList Config::names;
QStringList Config::ids;
QString Config::shop_id;
QString Config::super_id;
QString Config::manager_id;
QString Config::manager_name;
QString Config::group_id;
bool Config::isOpenN8 = false;
int Config::ScreenWidth = 0;
int Config::ScreenHeight = 0;

QString Config::order_id;
QString Config::orderOneId;
QString Config::order_sample_infoid;
QString Config::orderServNum;
QString Config::orderpayforkey;
QString Config::book_time;
QString Config::order_cameraman;
QString Config::order_dresser;
QString Config::order_sheji;
QString Config::order_tiaose;
QString Config::order_chuxiu;
QString Config::order_jingxiu;
QString Config::order_photodate;
QString Config::user_type;
bool Config::isLocked = false;

double Config::scaleDpi = 1.0;
int Config::show_mode = 4;
QStringList Config::bigImgShopIds;
QString Config::photoNumAlertColor = QStringLiteral("#FFFFFF");
bool Config::isshow_photonum = false;
bool Config::isShowThumbName = false;
int Config::play_speed = 2500;
int Config::anim_speed = 1200;
bool Config::fullscreenshow_repeat = false;
QString Config::delete_style;

int Config::orderMode = 0;
QString Config::cp_sortmodel = QStringLiteral("0");
QString Config::recoverPhotoSortType;

bool Config::isShowRawButton = false;
bool Config::isShowDeleteButton = false;
bool Config::isShowDesignButton = false;
bool Config::isShowModelButton = false;
bool Config::isShowSelectedButton = false;
bool Config::isShowUnselectButton = false;
bool Config::isShowRefreshButton = false;
bool Config::isShowJxVideo = false;
bool Config::isShowSpVideo = false;
bool Config::isDelWarn = false;
bool Config::isRecoverWarn = false;
bool Config::isPrintDelWarn = false;
bool Config::isDelOrigin = false;
bool Config::is_del_design_photo = false;
bool Config::is_del_design_prompt = false;
bool Config::isUpOss = false;
bool Config::isPnumEdit = false;
QString Config::locked_status;
QString Config::url_two_barpath;
int Config::shotCutKey[32] = {0, Qt::Key_F1, 0, Qt::Key_F2, 0, Qt::Key_F3, 0, Qt::Key_F4, 0, Qt::Key_F5, 0, Qt::Key_F6,
    0, Qt::Key_F11, 0, Qt::Key_F12, 0, Qt::Key_Delete, 0, Qt::Key_Return, 0, Qt::Key_F7, 0, Qt::Key_F7, 0, Qt::Key_Up,
    0, Qt::Key_Down, 0, Qt::Key_Left, 0, Qt::Key_Right};

QString Config::showfurniturebutton;
QString Config::showfabricationbutton;
QString Config::showcontrastbutton;
QString Config::showkjxway;
QString Config::showgoodtype;
QString Config::showiskxg;
QString Config::showbuyjx;
QString Config::showbuymd;
QString Config::showdbpxz;
QString Config::showdesign;
QString Config::showgivejx;
QString Config::showwzf;
QString Config::showsupport;
QString Config::showidphoto;

QString Config::true_name;
QString Config::showreservebutton;
QString Config::order_otherdate;
QString Config::order_selectdate;
int Config::chengpin_idx = 0;
QString Config::orderHomePath;
QString Config::order_maxServNum;
bool Config::IsAllEms = false;

QString Config::version = QStringLiteral("1.7.4");
QString Config::token = QStringLiteral(PHOTOSELECT_CLIENT_TOKEN);

QString Config::url_host = QStringLiteral(PHOTOSELECT_BACKEND_URL);
QString Config::url_base;
QString Config::url_g = QStringLiteral("g=RodidodIRi");
QString Config::url_g_public = QStringLiteral("g=Publicapi");

QString Config::url_uploadimgurl;
QString Config::url_getbarcode;
QString Config::url_login_new;
QString Config::url_post_twosales_2;
QString Config::url_query_printinfo;
QString Config::url_post_replacepro;
QString Config::url_post_page;
QString Config::url_post_addpage;
QString Config::url_post_number;
QString Config::url_post_zhangshu;
QString Config::url_post_urgency_2;
QString Config::url_post_picpath;
QString Config::url_query_cutsize;
QString Config::url_post_productreq;
QString Config::url_post_allproductreq;
QString Config::url_post_picinfo;
QString Config::url_query_emsinfo;
QString Config::url_phonegetexpressinfo;
QString Config::url_query_shoptimefield;
QString Config::url_query_picinfo;
QString Config::url_post_productpicpath;
QString Config::url_query_picpath;
QString Config::url_query_order;
QString Config::url_query_orderpicpath;
QString Config::url_query_orderdescr;
QString Config::url_query_product;
QString Config::url_query_change_product;
QString Config::url_query_order_allproduct;
QString Config::url_submit_new_product;
QString Config::url_del_recover_product;
QString Config::url_del_new_product;
QString Config::url_query_printproductinfo;
QString Config::url_query_ispartems;
QString Config::url_query_getemsproductinfo;
QString Config::url_post_modifystock;
QString Config::url_post_promptstock;
QString Config::url_query_qujian_monthSchedule;
QString Config::url_query_qujian_daySchedule;
QString Config::url_query_jiaji_monthSchedule;
QString Config::url_query_jiaji_daySchedule;
QString Config::url_query_kanban_monthSchedule;
QString Config::url_query_kanban_daySchedule;
QString Config::url_query_kanjingxiu_monthSchedule;
QString Config::url_query_kanjingxiu_daySchedule;
QString Config::url_query_addrCity;
QString Config::url_query_addrRegion;
QString Config::url_get_imgMarks;
QString Config::url_post_imgMarks;
QString Config::url_get_orderPayInfo;
QString Config::url_chg_prodServNum;
QString Config::url_add_newMark;
QString Config::url_query_person_data;
QString Config::update_img_log;
QString Config::url_del_img;
QString Config::url_update_orderstorck;
QString Config::url_consumremark_req;
QString Config::url_consumremark_post;
QString Config::url_del_design_logpost;
QString Config::url_exp_addpost;
QString Config::url_exp_defaultpost;
QString Config::url_exp_proaddexppost;
QString Config::url_exp_editpost;
QString Config::url_exp_deletepost;
QString Config::url_exp_oneselfpickuppost;
QString Config::url_post_video;
QString Config::url_query_video;
QString Config::url_query_n8info;
QString Config::url_query_n8syncgoods;
QString Config::url_storesn8path;
QString Config::url_shopallpeo;
QString Config::url_shopallpro;
QString Config::url_check_update;

QString Config::volumesRoot = QStringLiteral("/Volumes/");

namespace {
struct Endpoint
{
    QString* member;
    const char* module;
    const char* action;
    bool withToken;
};

// Declaration order of the back end's operations; module and action are sent as written.
const Endpoint kEndpoints[] = {{&Config::url_uploadimgurl, "upload", "plupload", false},
    {&Config::url_getbarcode, "order", "getbarcodegen", false}, {&Config::url_login_new, "loginnew", "do_login", false},
    {&Config::url_post_twosales_2, "order", "updategetphotodate2", false},
    {&Config::url_query_printinfo, "order", "orderdetail", false},
    {&Config::url_post_replacepro, "order", "replacegood", false},
    {&Config::url_post_page, "order", "updateordergoodpnumber", false},
    {&Config::url_post_addpage, "order", "updateordergoodpnumber2", false},
    {&Config::url_post_number, "order", "updateordergoodnumber", false},
    {&Config::url_post_zhangshu, "order", "updateordergoodpage", false},
    {&Config::url_post_urgency_2, "order", "updategoodstatus2", false},
    {&Config::url_post_picpath, "systemset", "postpicpath", false},
    {&Config::url_query_cutsize, "systemset", "getcutsize", false},
    {&Config::url_post_productreq, "order", "updategooddescr", false},
    {&Config::url_post_allproductreq, "order", "updateorderdescr", false},
    {&Config::url_post_picinfo, "order", "updateorderpic", false},
    {&Config::url_query_emsinfo, "order", "getorderaddress", false},
    {&Config::url_phonegetexpressinfo, "order", "xpselect_member", false},
    {&Config::url_query_shoptimefield, "order", "getGetphotoArea", false},
    {&Config::url_query_picinfo, "order", "getorderpic", false},
    {&Config::url_post_productpicpath, "order", "updategoodpicpath", false},
    {&Config::url_query_picpath, "systemset", "getpicpath", false},
    {&Config::url_query_order, "order", "ordermessage", false},
    {&Config::url_query_orderpicpath, "order", "getpicpath", false},
    {&Config::url_query_orderdescr, "order", "getorderdescr", false},
    {&Config::url_query_product, "order", "searchgood", false},
    {&Config::url_query_change_product, "order", "ordergoods", false},
    {&Config::url_query_order_allproduct, "order", "ordergoods2", false},
    {&Config::url_submit_new_product, "order", "addgoods_post", false},
    {&Config::url_del_recover_product, "order", "changegoods", false},
    {&Config::url_del_new_product, "order", "delgoods", false},
    {&Config::url_query_printproductinfo, "ordernew", "printems", false},
    {&Config::url_query_ispartems, "ordernew", "updateisems", false},
    {&Config::url_query_getemsproductinfo, "order", "getgoodsaddress", false},
    {&Config::url_post_modifystock, "order", "updatestock", false},
    {&Config::url_post_promptstock, "order", "checkstock", false},
    {&Config::url_query_qujian_monthSchedule, "Getphoto", "getDateDutyGetPhotos", true},
    {&Config::url_query_qujian_daySchedule, "Getphoto", "getDateDutyGetPhotoarea", true},
    {&Config::url_query_jiaji_monthSchedule, "Getphoto", "getDateDutyGetPhoto", true},
    {&Config::url_query_jiaji_daySchedule, "Getphoto", "getDateDutyGetPhotoarea", true},
    {&Config::url_query_kanban_monthSchedule, "Getphoto", "get_kanban_month", true},
    {&Config::url_query_kanban_daySchedule, "Getphoto", "get_kanban_day", true},
    {&Config::url_query_kanjingxiu_monthSchedule, "Getphoto", "get_kanjinxiu_month", true},
    {&Config::url_query_kanjingxiu_daySchedule, "Getphoto", "get_kanjinxiu_day", true},
    {&Config::url_query_addrCity, "order", "get_citys", true},
    {&Config::url_query_addrRegion, "order", "get_citys2", true},
    {&Config::url_get_imgMarks, "order", "getorderpicmark", true},
    {&Config::url_post_imgMarks, "order", "updateorderpicmark", true},
    {&Config::url_get_orderPayInfo, "order", "order_info", true},
    {&Config::url_chg_prodServNum, "order", "update_good_servicetime", true},
    {&Config::url_add_newMark, "order", "updategoodremarks", true},
    {&Config::url_query_person_data, "loginnew", "switch_shop", true},
    {&Config::update_img_log, "order", "putMoveImg", true}, {&Config::url_del_img, "order", "postrecord", true},
    {&Config::url_update_orderstorck, "order", "lockchange", false},
    {&Config::url_consumremark_req, "order", "getconsumption_statement", false},
    {&Config::url_consumremark_post, "order", "update_consumption_statement", false},
    {&Config::url_del_design_logpost, "Ordernew", "del_photo", false},
    {&Config::url_exp_addpost, "Order", "add_orderaddress_post", false},
    {&Config::url_exp_defaultpost, "Order", "set_orderaddress_ison", false},
    {&Config::url_exp_proaddexppost, "Order", "add_ordergoods_address", false},
    {&Config::url_exp_editpost, "Order", "edit_orderaddress_post", false},
    {&Config::url_exp_deletepost, "Order", "del_orderaddress", false},
    {&Config::url_exp_oneselfpickuppost, "Order", "set_order_goods_ems", false},
    {&Config::url_post_video, "order", "postvideoremark", true},
    {&Config::url_query_video, "order", "queryvideoremark", true},
    {&Config::url_query_n8info, "order", "getpath", false},
    {&Config::url_query_n8syncgoods, "order", "syncgoods", false}, {&Config::url_storesn8path, "n8", "getn8set", false},
    {&Config::url_shopallpeo, "n8", "getpersons", false}, {&Config::url_shopallpro, "n8", "getgoods", false},
    {&Config::url_check_update, "Version", "check_update", false}};

// Compose once before main, after token and url_host have their values (same translation unit).
const bool kComposed = (Config::composeUrls(), true);
} // namespace

void Config::composeUrls()
{
    url_base = url_host + QStringLiteral("/index.php?");
    for (const Endpoint& e : kEndpoints) {
        QString url = url_base + url_g + QStringLiteral("&m=") + QLatin1String(e.module) + QStringLiteral("&a=")
            + QLatin1String(e.action);
        if (e.withToken)
            url += QStringLiteral("&token=") + token;
        *e.member = url;
    }
    url_uploadimgurl = url_base + url_g_public + QStringLiteral("&m=upload&a=plupload");
    url_check_update = url_base + QStringLiteral("g=Publicapi&m=Version&a=check_update");
}

void Config::changeOrderMode()
{
    if (orderMode == 0)
        orderMode = 1;
    else if (orderMode == 1)
        orderMode = 2;
    else
        orderMode = 0;
}

int Config::getOrderMode()
{
    return orderMode;
}

QString Config::returnPicPath(QString path)
{
    if (path.isEmpty())
        return QString();
    if (path.startsWith(QLatin1String("/Volumes/")) || path.startsWith(QLatin1String("/volumes/")))
        return path;
    // Already under the deployment's mount root (it differs from "/Volumes/" off the Mac).
    if (volumesRoot != QLatin1String("/Volumes/") && path.startsWith(volumesRoot))
        return path;
    // A plain absolute local path is no server path: mapping it would make the mount root
    // itself the order folder. Keep it as it is.
    if (path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("//")))
        return path;

    const QStringList parts = path.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    if (parts.isEmpty() || parts.size() == 1)
        return path; // no "/" at all: not a path this mapping knows

    const bool unc = parts.at(0).isEmpty() && parts.size() > 1 && parts.at(1).isEmpty();

    QString first;
    if (!parts.at(0).isEmpty()) {
        for (int i = 1; i < parts.size(); ++i)
            first += parts.at(i) + QLatin1Char('/');
    } else if (unc) {
        for (int i = 3; i < parts.size(); ++i)
            first += parts.at(i) + QLatin1Char('/');
    }
    first.replace(QLatin1String("//"), QLatin1String("/"));
    first.prepend(volumesRoot);
    if (QDir(first).exists())
        return first;

    QString second;
    if (!parts.at(0).isEmpty()) {
        for (int i = 0; i < parts.size(); ++i)
            if (i != 1)
                second += parts.at(i) + QLatin1Char('/');
    } else if (unc) {
        for (int i = 2; i < parts.size(); ++i)
            if (i != 3)
                second += parts.at(i) + QLatin1Char('/');
    }
    second.replace(QLatin1String("//"), QLatin1String("/"));
    second.remove(QLatin1String("\\\\"));
    second.prepend(volumesRoot);
    return second;
}

void Config::print(QString text)
{
    qCDebug(lcApp).noquote() << QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz"))
                             << "--:" << text;
}
