#ifndef CONFIG_H
#define CONFIG_H

#include <QString>
#include <QStringList>

// Process-wide store of sign-in data, settings and back-end addresses.
// Static members only; read and written on the GUI thread.
class Config
{
public:
    Config() = delete;

    // Identity and shop
    static QString uid;
    static QStringList names;
    static QStringList ids;
    static QString shop_id;
    static QString super_id;
    static QString manager_id;
    static QString manager_name;
    static QString group_id;
    static bool isOpenN8;
    static int ScreenWidth;
    static int ScreenHeight;

    // The open order
    static QString order_id;
    static QString orderOneId;
    static QString order_sample_infoid;
    static QString orderServNum;
    static QString orderpayforkey;
    static QString book_time;
    static QString order_cameraman;
    static QString order_dresser;
    static QString order_sheji;
    static QString order_tiaose;
    static QString order_chuxiu;
    static QString order_jingxiu;
    static QString order_photodate;
    static QString user_type;
    static bool isLocked;

    // Display metrics and modes
    static double scaleDpi;
    static int show_mode;
    static QStringList bigImgShopIds;
    static QString photoNumAlertColor;
    static bool isshow_photonum;
    static bool isShowThumbName;
    static int play_speed;
    static int anim_speed;
    static bool fullscreenshow_repeat;
    static QString delete_style;

    // Sort settings
    static int orderMode;
    static QString cp_sortmodel;
    static QString recoverPhotoSortType;

    // Rights and feature switches of the shop switch
    static bool isShowRawButton;
    static bool isShowDeleteButton;
    static bool isShowDesignButton;
    static bool isShowModelButton;
    static bool isShowSelectedButton;
    static bool isShowUnselectButton;
    static bool isShowRefreshButton;
    static bool isShowJxVideo;
    static bool isShowSpVideo;
    static bool isDelWarn;
    static bool isRecoverWarn;
    static bool isPrintDelWarn;
    static bool isDelOrigin;
    static bool is_del_design_photo;
    static bool is_del_design_prompt;
    static bool isUpOss;
    static bool isPnumEdit;
    static QString locked_status;
    static QString url_two_barpath;
    static int shotCutKey[32];

    // Switches of the order query reply
    static QString showfurniturebutton;
    static QString showfabricationbutton;
    static QString showcontrastbutton;
    static QString showkjxway;
    static QString showgoodtype;
    static QString showiskxg;
    static QString showbuyjx;
    static QString showbuymd;
    static QString showdbpxz;
    static QString showdesign;
    static QString showgivejx;
    static QString showwzf;
    static QString showsupport;
    static QString showidphoto;

    // Further members
    static QString true_name;
    static QString showreservebutton;
    static QString order_otherdate;
    static QString order_selectdate;
    static int chengpin_idx;
    static QString orderHomePath;
    static QString order_maxServNum;
    static bool IsAllEms;

    // Compiled-in constants
    static QString version;
    static QString token;
    static const int THUMB_SIZE_1 = 1000;
    static const int THUMB_SIZE_2 = 1920;
    static const int THUMB_SIZE_3 = 2550;
    static const int THUMB_SIZE_MID = 2250;
    static const int THUMB_SIZE_SMALL = 1000;

    // Back-end addresses
    static QString url_host;
    static QString url_base;
    static QString url_g;
    static QString url_g_public;

    static QString url_uploadimgurl;
    static QString url_getbarcode;
    static QString url_login_new;
    static QString url_post_twosales_2;
    static QString url_query_printinfo;
    static QString url_post_replacepro;
    static QString url_post_page;
    static QString url_post_addpage;
    static QString url_post_number;
    static QString url_post_zhangshu;
    static QString url_post_urgency_2;
    static QString url_post_picpath;
    static QString url_query_cutsize;
    static QString url_post_productreq;
    static QString url_post_allproductreq;
    static QString url_post_picinfo;
    static QString url_query_emsinfo;
    static QString url_phonegetexpressinfo;
    static QString url_query_shoptimefield;
    static QString url_query_picinfo;
    static QString url_post_productpicpath;
    static QString url_query_picpath;
    static QString url_query_order;
    static QString url_query_orderpicpath;
    static QString url_query_orderdescr;
    static QString url_query_product;
    static QString url_query_change_product;
    static QString url_query_order_allproduct;
    static QString url_submit_new_product;
    static QString url_del_recover_product;
    static QString url_del_new_product;
    static QString url_query_printproductinfo;
    static QString url_query_ispartems;
    static QString url_query_getemsproductinfo;
    static QString url_post_modifystock;
    static QString url_post_promptstock;
    static QString url_query_qujian_monthSchedule;
    static QString url_query_qujian_daySchedule;
    static QString url_query_jiaji_monthSchedule;
    static QString url_query_jiaji_daySchedule;
    static QString url_query_kanban_monthSchedule;
    static QString url_query_kanban_daySchedule;
    static QString url_query_kanjingxiu_monthSchedule;
    static QString url_query_kanjingxiu_daySchedule;
    static QString url_query_addrCity;
    static QString url_query_addrRegion;
    static QString url_get_imgMarks;
    static QString url_post_imgMarks;
    static QString url_get_orderPayInfo;
    static QString url_chg_prodServNum;
    static QString url_add_newMark;
    static QString url_query_person_data;
    static QString update_img_log;
    static QString url_del_img;
    static QString url_update_orderstorck;
    static QString url_consumremark_req;
    static QString url_consumremark_post;
    static QString url_del_design_logpost;
    static QString url_exp_addpost;
    static QString url_exp_defaultpost;
    static QString url_exp_proaddexppost;
    static QString url_exp_editpost;
    static QString url_exp_deletepost;
    static QString url_exp_oneselfpickuppost;
    static QString url_post_video;
    static QString url_query_video;
    static QString url_query_n8info;
    static QString url_query_n8syncgoods;
    static QString url_storesn8path;
    static QString url_shopallpeo;
    static QString url_shopallpro;
    static QString url_check_update;

    // The root that stands for the server mounts ("/Volumes/" on the studio's Macs).
    static QString volumesRoot;

    static void changeOrderMode();
    static int getOrderMode();
    static QString returnPicPath(QString path);
    static void print(QString text);

    // Composes every endpoint address from url_host and token; run again whenever
    // the deployment changes the base address, before any request.
    static void composeUrls();
};

#endif // CONFIG_H
