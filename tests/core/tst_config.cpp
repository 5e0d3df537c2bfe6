#include "core/config.h"
#include "core/deployment.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void defaultsBeforeAnyShopSwitch()
    {
        QCOMPARE(Config::photoNumAlertColor, QStringLiteral("#FFFFFF"));
        QCOMPARE(Config::cp_sortmodel, QStringLiteral("0"));
        QCOMPARE(Config::show_mode, 4);
        QCOMPARE(Config::play_speed, 2500);
        QCOMPARE(Config::anim_speed, 1200);
        QVERIFY(!Config::isDelWarn && !Config::isShowRawButton && !Config::isLocked);
        QVERIFY(Config::locked_status.isEmpty());
        QCOMPARE(Config::version, QStringLiteral("1.7.4"));
        QCOMPARE(Config::token.size(), 32);
        const int keys[16] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F11,
            Qt::Key_F12, Qt::Key_Delete, Qt::Key_Return, Qt::Key_F7, Qt::Key_F7, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
            Qt::Key_Right};
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(Config::shotCutKey[2 * i], 0);
            QCOMPARE(Config::shotCutKey[2 * i + 1], keys[i]);
        }
    }

    void orderModeCycles()
    {
        Config::orderMode = 0;
        Config::changeOrderMode();
        QCOMPARE(Config::getOrderMode(), 1);
        Config::changeOrderMode();
        QCOMPARE(Config::getOrderMode(), 2);
        Config::changeOrderMode();
        QCOMPARE(Config::getOrderMode(), 0);
        Config::orderMode = 7;
        Config::changeOrderMode();
        QCOMPARE(Config::getOrderMode(), 0);
    }

    void endpointsComposeFromBase()
    {
        Deployment::setBackendUrl(QStringLiteral("https://b.example/"));
        const QString base = QStringLiteral("https://b.example/index.php?");
        QCOMPARE(Config::url_base, base);
        QCOMPARE(Config::url_query_order, base + "g=RodidodIRi&m=order&a=ordermessage");
        QCOMPARE(Config::url_query_shoptimefield, base + "g=RodidodIRi&m=order&a=getGetphotoArea");
        QCOMPARE(Config::url_query_person_data, base + "g=RodidodIRi&m=loginnew&a=switch_shop&token=" + Config::token);
        QCOMPARE(Config::update_img_log, base + "g=RodidodIRi&m=order&a=putMoveImg&token=" + Config::token);
        QCOMPARE(Config::url_del_design_logpost, base + "g=RodidodIRi&m=Ordernew&a=del_photo");
        QCOMPARE(Config::url_exp_addpost, base + "g=RodidodIRi&m=Order&a=add_orderaddress_post");
        QCOMPARE(Config::url_check_update, base + "g=Publicapi&m=Version&a=check_update");
        QVERIFY(!Config::url_check_update.contains("RodidodIRi"));
        QCOMPARE(Config::url_uploadimgurl, base + "g=Publicapi&m=upload&a=plupload");
        QCOMPARE(Config::url_query_qujian_daySchedule, Config::url_query_jiaji_daySchedule);
        QVERIFY(Config::url_query_qujian_daySchedule.endsWith("a=getDateDutyGetPhotoarea&token=" + Config::token));
    }

    // Dates read Chinese like the rest of the client, whatever this computer's locale; PHOTOSELECT_LOCALE may name
    // another, and a name that is no locale leaves Chinese.
    void localeOfDates_data()
    {
        QTest::addColumn<QByteArray>("setting");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("december");
        QTest::newRow("unset") << QByteArray() << "zh_CN"
                               << "十二月";
        QTest::newRow("english") << QByteArray("en_US") << "en_US"
                                 << "December";
        QTest::newRow("not a locale") << QByteArray("klingon") << "zh_CN"
                                      << "十二月";
    }

    void localeOfDates()
    {
        QFETCH(QByteArray, setting);
        QFETCH(QString, locale);
        QFETCH(QString, december);
        QLocale::setDefault(QLocale::c());
        if (setting.isEmpty())
            qunsetenv("PHOTOSELECT_LOCALE");
        else
            qputenv("PHOTOSELECT_LOCALE", setting);
        Deployment::load();
        qunsetenv("PHOTOSELECT_LOCALE");
        QCOMPARE(QLocale().name(), locale);
        QCOMPARE(QLocale().standaloneMonthName(12), december);
    }

    void returnPicPath_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("shareExists");
        QTest::addColumn<QString>("expected"); // "$" stands for the volumes root

        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("already Volumes") << "/Volumes/share/a/" << false << "/Volumes/share/a/";
        QTest::newRow("already volumes") << "/volumes/share/a" << false << "/volumes/share/a";
        QTest::newRow("unc share mounted") << "//server/share/2026/order" << true << "$share/2026/order/";
        QTest::newRow("unc share not mounted") << "//server/share/2026/order" << false << "$server/2026/order/";
        QTest::newRow("relative share mounted") << "server/share/2026/order" << true << "$share/2026/order/";
        QTest::newRow("relative share not mounted") << "server/share/2026/order" << false << "$server/2026/order/";
        QTest::newRow("local absolute path kept") << "/home/studio/order" << false << "/home/studio/order";
        QTest::newRow("no slash kept") << "server\\share\\order" << false << "server\\share\\order";
    }

    void returnPicPath()
    {
        QFETCH(QString, input);
        QFETCH(bool, shareExists);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QString oldRoot = Config::volumesRoot;
        Config::volumesRoot = root.path() + "/";
        if (shareExists)
            QVERIFY(QDir().mkpath(root.path() + "/share/2026/order"));
        expected.replace("$", Config::volumesRoot);
        QCOMPARE(Config::returnPicPath(input), expected);
        Config::volumesRoot = oldRoot;
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
