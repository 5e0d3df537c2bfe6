#include "core/config.h"
#include "order/searchorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QCalendarWidget>
#include <QJsonObject>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

using KeyTable = QList<int>;
Q_DECLARE_METATYPE(KeyTable)

namespace {

const int Ctrl = int(Qt::ControlModifier);
const int Alt = int(Qt::AltModifier);

// Reads one settings target of Config by name, as the table below names them.
QVariant target(const QString& name)
{
    const QHash<QString, std::function<QVariant()>> targets = {
        {"group_id", [] { return QVariant(Config::group_id); }},
        {"super_id", [] { return QVariant(Config::super_id); }},
        {"manager_id", [] { return QVariant(Config::manager_id); }},
        {"manager_name", [] { return QVariant(Config::manager_name); }},
        {"true_name", [] { return QVariant(Config::true_name); }},
        {"delete_style", [] { return QVariant(Config::delete_style); }},
        {"locked_status", [] { return QVariant(Config::locked_status); }},
        {"url_two_barpath", [] { return QVariant(Config::url_two_barpath); }},
        {"cp_sortmodel", [] { return QVariant(Config::cp_sortmodel); }},
        {"recoverPhotoSortType", [] { return QVariant(Config::recoverPhotoSortType); }},
        {"photoNumAlertColor", [] { return QVariant(Config::photoNumAlertColor); }},
        {"is_del_design_photo", [] { return QVariant(Config::is_del_design_photo); }},
        {"is_del_design_prompt", [] { return QVariant(Config::is_del_design_prompt); }},
        {"isDelWarn", [] { return QVariant(Config::isDelWarn); }},
        {"isRecoverWarn", [] { return QVariant(Config::isRecoverWarn); }},
        {"isPrintDelWarn", [] { return QVariant(Config::isPrintDelWarn); }},
        {"isShowThumbName", [] { return QVariant(Config::isShowThumbName); }},
        {"isUpOss", [] { return QVariant(Config::isUpOss); }},
        {"isPnumEdit", [] { return QVariant(Config::isPnumEdit); }},
        {"isDelOrigin", [] { return QVariant(Config::isDelOrigin); }},
        {"fullscreenshow_repeat", [] { return QVariant(Config::fullscreenshow_repeat); }},
        {"isshow_photonum", [] { return QVariant(Config::isshow_photonum); }},
        {"isShowModelButton", [] { return QVariant(Config::isShowModelButton); }},
        {"isShowRawButton", [] { return QVariant(Config::isShowRawButton); }},
        {"isShowDeleteButton", [] { return QVariant(Config::isShowDeleteButton); }},
        {"isShowDesignButton", [] { return QVariant(Config::isShowDesignButton); }},
        {"isShowSelectedButton", [] { return QVariant(Config::isShowSelectedButton); }},
        {"isShowUnselectButton", [] { return QVariant(Config::isShowUnselectButton); }},
        {"isShowRefreshButton", [] { return QVariant(Config::isShowRefreshButton); }},
        {"isShowJxVideo", [] { return QVariant(Config::isShowJxVideo); }},
        {"isShowSpVideo", [] { return QVariant(Config::isShowSpVideo); }},
    };
    return targets.value(name)();
}

void presetSwitch(const QString& name, bool value)
{
    bool* switches[] = {&Config::isDelWarn, &Config::isRecoverWarn, &Config::isPrintDelWarn, &Config::isShowThumbName,
        &Config::isDelOrigin, &Config::isUpOss, &Config::isShowRawButton};
    const char* names[] = {
        "isDelWarn", "isRecoverWarn", "isPrintDelWarn", "isShowThumbName", "isDelOrigin", "isUpOss", "isShowRawButton"};
    for (int i = 0; i < 7; ++i)
        if (name == QLatin1String(names[i]))
            *switches[i] = value;
}

} // namespace

class TestUserSettings : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;
    KeyTable m_defaults;

    static KeyTable table() { return KeyTable(Config::shotCutKey, Config::shotCutKey + 32); }
    static void setTable(const KeyTable& t) { std::copy(t.begin(), t.end(), Config::shotCutKey); }

    // Runs a search whose shop switch answers root; true when the order query followed.
    bool switchWith(const QJsonObject& root)
    {
        m_backend->setReply("loginnew", "switch_shop", StandInReply::json(root));
        m_backend->clearRequests();
        SearchOrder w;
        w.findChild<QCalendarWidget*>("calendar")->setSelectedDate(QDate(2026, 3, 5));
        w.findChild<QPushButton*>("searchButton")->click();
        const bool queried = waitUntil(
            [&] { return !m_backend->requestsTo("order", "ordermessage").isEmpty() || m_prompts->count() > 0; });
        return queried && !m_backend->requestsTo("order", "ordermessage").isEmpty();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        m_defaults = table();
    }

    void init()
    {
        m_backend->clearScripts();
        m_prompts.reset(new PromptRecorder);
        Config::names = QStringList {QStringLiteral("旗舰店"), QStringLiteral("分店")};
        Config::ids = QStringList {QStringLiteral("101"), QStringLiteral("102")};
        Config::uid = QStringLiteral("8001");
        Config::shop_id.clear();
        setTable(m_defaults);
    }

    void cleanup() { m_prompts.reset(); }

    void fixtureSettingsReachTheQuery()
    {
        Config::manager_id.clear();
        Config::super_id.clear();
        QVERIFY(switchWith(
            QJsonObject {{"code", "1"}, {"user", QJsonObject {{"MANAGER_ID", "7777"}, {"companyid", "42"}}}}));
        // The order query is built after the settings are stored.
        const StandInRequest query = m_backend->requestsTo("order", "ordermessage").first();
        QCOMPARE(query.value("uid"), QStringLiteral("7777"));
        QCOMPARE(query.value("companyid"), QStringLiteral("42"));
    }

    void conversionTable_data()
    {
        QTest::addColumn<QString>("key");      // "user" key, or "/key" for a top-level key
        QTest::addColumn<QJsonValue>("value"); // Undefined: the key is missing
        QTest::addColumn<QString>("target");
        QTest::addColumn<QVariant>("preset"); // invalid: nothing preset
        QTest::addColumn<QVariant>("expected");
        const QJsonValue missing(QJsonValue::Undefined);
        const QVariant none;

        QTest::newRow("GROUP_ID") << "GROUP_ID" << QJsonValue("3") << "group_id" << none << QVariant("3");
        QTest::newRow("companyid") << "companyid" << QJsonValue("900") << "super_id" << none << QVariant("900");
        QTest::newRow("MANAGER_NAME") << "MANAGER_NAME" << QJsonValue("张晓燕") << "manager_name" << none
                                      << QVariant("张晓燕");
        QTest::newRow("TRUE_NAME") << "TRUE_NAME" << QJsonValue("张三") << "true_name" << none << QVariant("张三");
        QTest::newRow("sample_del_effect")
            << "sample_del_effect" << QJsonValue("1") << "delete_style" << none << QVariant("1");
        QTest::newRow("xuanyangislock") << "xuanyangislock" << QJsonValue("0") << "locked_status" << none
                                        << QVariant("0");
        QTest::newRow("pay_code") << "pay_code" << QJsonValue("qr/900.png") << "url_two_barpath" << none
                                  << QVariant("qr/900.png");
        QTest::newRow("photo_mode") << "photo_mode" << QJsonValue("2") << "cp_sortmodel" << none << QVariant("2");
        QTest::newRow("text given as number")
            << "MANAGER_ID" << QJsonValue(5001) << "manager_id" << QVariant("old") << QVariant("");

        QTest::newRow("is_del_design_photo 1")
            << "is_del_design_photo" << QJsonValue("1") << "is_del_design_photo" << none << QVariant(true);
        QTest::newRow("is_del_design_prompt number 1")
            << "is_del_design_prompt" << QJsonValue(1) << "is_del_design_prompt" << none << QVariant(false);
        QTest::newRow("isuposs 1") << "isuposs" << QJsonValue("1") << "isUpOss" << QVariant(false) << QVariant(true);
        QTest::newRow("isuposs missing") << "isuposs" << missing << "isUpOss" << QVariant(true) << QVariant(false);
        QTest::newRow("full_screen_playback")
            << "full_screen_playback" << QJsonValue("1") << "fullscreenshow_repeat" << none << QVariant(true);
        QTest::newRow("display_number") << "display_number" << QJsonValue("1") << "isshow_photonum" << none
                                        << QVariant(true);
        QTest::newRow("showmodelbutton") << "showmodelbutton" << QJsonValue("1") << "isShowModelButton" << none
                                         << QVariant(true);
        QTest::newRow("showrawbutton 0") << "showrawbutton" << QJsonValue("0") << "isShowRawButton" << QVariant(true)
                                         << QVariant(false);
        QTest::newRow("showdeletebutton")
            << "showdeletebutton" << QJsonValue("1") << "isShowDeleteButton" << none << QVariant(true);
        QTest::newRow("showdesignbutton")
            << "showdesignbutton" << QJsonValue("1") << "isShowDesignButton" << none << QVariant(true);
        QTest::newRow("selectedbutton") << "selectedbutton" << QJsonValue("1") << "isShowSelectedButton" << none
                                        << QVariant(true);
        QTest::newRow("notselectedbutton")
            << "notselectedbutton" << QJsonValue("1") << "isShowUnselectButton" << none << QVariant(true);
        QTest::newRow("refreshbutton") << "refreshbutton" << QJsonValue("1") << "isShowRefreshButton" << none
                                       << QVariant(true);
        QTest::newRow("ishavejingxiuvideo")
            << "ishavejingxiuvideo" << QJsonValue("1") << "isShowJxVideo" << none << QVariant(true);
        QTest::newRow("ishavetestvideo") << "ishavetestvideo" << QJsonValue("1") << "isShowSpVideo" << none
                                         << QVariant(true);

        QTest::newRow("isdelwarn 0 turns it on")
            << "isdelwarn" << QJsonValue("0") << "isDelWarn" << QVariant(false) << QVariant(true);
        QTest::newRow("isdelwarn 1 turns it off")
            << "isdelwarn" << QJsonValue("1") << "isDelWarn" << QVariant(true) << QVariant(false);
        QTest::newRow("isdelwarn empty keeps on")
            << "isdelwarn" << QJsonValue("") << "isDelWarn" << QVariant(true) << QVariant(true);
        QTest::newRow("isdelwarn missing keeps off")
            << "isdelwarn" << missing << "isDelWarn" << QVariant(false) << QVariant(false);
        QTest::newRow("isrecoverwarn 0") << "isrecoverwarn" << QJsonValue("0") << "isRecoverWarn" << QVariant(false)
                                         << QVariant(true);
        QTest::newRow("isrecoverwarn 2 keeps")
            << "isrecoverwarn" << QJsonValue("2") << "isRecoverWarn" << QVariant(true) << QVariant(true);
        QTest::newRow("isprintdelwarn 1 turns it on")
            << "isprintdelwarn" << QJsonValue("1") << "isPrintDelWarn" << QVariant(false) << QVariant(true);
        QTest::newRow("isprintdelwarn 0 turns it off")
            << "isprintdelwarn" << QJsonValue("0") << "isPrintDelWarn" << QVariant(true) << QVariant(false);
        QTest::newRow("isprintdelwarn number keeps")
            << "isprintdelwarn" << QJsonValue(0) << "isPrintDelWarn" << QVariant(true) << QVariant(true);
        QTest::newRow("isshowthumbname 0")
            << "isshowthumbname" << QJsonValue("0") << "isShowThumbName" << QVariant(false) << QVariant(true);
        QTest::newRow("isshowthumbname 1")
            << "isshowthumbname" << QJsonValue("1") << "isShowThumbName" << QVariant(true) << QVariant(false);
        QTest::newRow("isdelorigin is not applied")
            << "isdelorigin" << QJsonValue("1") << "isDelOrigin" << QVariant(true) << QVariant(false);

        QTest::newRow("taipian_sorting 1")
            << "taipian_sorting" << QJsonValue("1") << "recoverPhotoSortType" << none << QVariant("创建日期排序");
        QTest::newRow("taipian_sorting 2")
            << "taipian_sorting" << QJsonValue("2") << "recoverPhotoSortType" << none << QVariant("编号排序");
        QTest::newRow("taipian_sorting 3")
            << "taipian_sorting" << QJsonValue("3") << "recoverPhotoSortType" << none << QVariant("固定规则乱序");
        QTest::newRow("taipian_sorting 4") << "taipian_sorting" << QJsonValue("4") << "recoverPhotoSortType"
                                           << QVariant("编号排序") << QVariant("创建日期排序");
        QTest::newRow("taipian_sorting missing") << "taipian_sorting" << missing << "recoverPhotoSortType"
                                                 << QVariant("编号排序") << QVariant("创建日期排序");

        QTest::newRow("noeditps 0") << "/noeditps" << QJsonValue(0) << "isPnumEdit" << QVariant(false)
                                    << QVariant(true);
        QTest::newRow("noeditps missing")
            << "/noeditps" << missing << "isPnumEdit" << QVariant(false) << QVariant(true);
        QTest::newRow("noeditps 5") << "/noeditps" << QJsonValue(5) << "isPnumEdit" << QVariant(true)
                                    << QVariant(false);
        QTest::newRow("noeditps string 5")
            << "/noeditps" << QJsonValue("5") << "isPnumEdit" << QVariant(false) << QVariant(true);
        QTest::newRow("color") << "/color" << QJsonValue("#00FF00") << "photoNumAlertColor" << none
                               << QVariant("#00FF00");
        QTest::newRow("color missing") << "/color" << missing << "photoNumAlertColor" << QVariant("#FFFFFF")
                                       << QVariant("");
    }

    void conversionTable()
    {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(QString, target);
        QFETCH(QVariant, preset);
        QFETCH(QVariant, expected);
        if (preset.isValid()) {
            if (preset.type() == QVariant::Bool) {
                presetSwitch(target, preset.toBool());
                if (target == "isPnumEdit")
                    Config::isPnumEdit = preset.toBool();
            } else if (target == "manager_id") {
                Config::manager_id = preset.toString();
            } else if (target == "recoverPhotoSortType") {
                Config::recoverPhotoSortType = preset.toString();
            } else if (target == "photoNumAlertColor") {
                Config::photoNumAlertColor = preset.toString();
            }
            QCOMPARE(::target(target), preset);
        }
        QJsonObject root {{"code", "1"}, {"message", ""}};
        QJsonObject user {{"GROUP_ID", "1"}};
        const bool topLevel = key.startsWith('/');
        if (!value.isUndefined()) {
            if (topLevel)
                root.insert(key.mid(1), value);
            else
                user.insert(key, value);
        }
        root.insert("user", user);
        QVERIFY(switchWith(root));
        QCOMPARE(::target(target), expected);
    }

    void missingUserEmptiesTextsAndKeepsTheTriStates()
    {
        Config::group_id = Config::manager_name = Config::delete_style = QStringLiteral("x");
        Config::locked_status = Config::url_two_barpath = Config::cp_sortmodel = QStringLiteral("x");
        Config::recoverPhotoSortType = QStringLiteral("编号排序");
        Config::isDelWarn = Config::isRecoverWarn = Config::isPrintDelWarn = Config::isShowThumbName = true;
        Config::isShowRawButton = Config::isShowSpVideo = Config::isUpOss = true;
        KeyTable custom = m_defaults;
        custom[1] = Qt::Key_Q;
        setTable(custom);
        QVERIFY(switchWith(QJsonObject {{"code", "1"}, {"message", ""}, {"user", "not an object"}}));
        for (const QString* text : {&Config::group_id, &Config::manager_name, &Config::delete_style,
                 &Config::locked_status, &Config::url_two_barpath, &Config::cp_sortmodel})
            QVERIFY(text->isEmpty());
        QCOMPARE(Config::recoverPhotoSortType, QStringLiteral("创建日期排序"));
        QVERIFY(!Config::isShowRawButton && !Config::isShowSpVideo && !Config::isUpOss);
        QVERIFY(Config::isDelWarn && Config::isRecoverWarn && Config::isPrintDelWarn && Config::isShowThumbName);
        QCOMPARE(table(), custom);
    }

    void refusalChangesNothing()
    {
        Config::manager_id = QStringLiteral("5001");
        QVERIFY(
            !switchWith(QJsonObject {{"code", 1}, {"message", "停用"}, {"user", QJsonObject {{"MANAGER_ID", "9"}}}}));
        QCOMPARE(m_prompts->texts(), QStringList {"查询订单错误：停用"});
        QCOMPARE(Config::manager_id, QStringLiteral("5001"));
    }

    void shortcutTable_data()
    {
        QTest::addColumn<QJsonValue>("shortkey");
        QTest::addColumn<KeyTable>("start");
        QTest::addColumn<KeyTable>("expected");
        const KeyTable d = m_defaults;
        // Pair p (1..16) sits at 2(p-1) (modifier) and 2(p-1)+1 (key).
        auto with = [](KeyTable t, int pair, int modifier, int key) {
            t[2 * (pair - 1)] = modifier;
            t[2 * (pair - 1) + 1] = key;
            return t;
        };
        const KeyTable ctrlZ = with(d, 11, Ctrl, Qt::Key_Z);
        KeyTable custom = with(with(d, 1, Alt, Qt::Key_Q), 11, Alt, Qt::Key_W);

        QTest::newRow("{} keeps everything") << QJsonValue(QJsonObject()) << custom << custom;
        QTest::newRow("missing keeps everything") << QJsonValue(QJsonValue::Undefined) << custom << custom;
        QTest::newRow("only entry 1: key alone, 16 gives Ctrl+Z")
            << QJsonValue(QJsonObject {{"firkey1", "F9"}}) << d << with(ctrlZ, 1, 0, Qt::Key_F9);
        QTest::newRow("key alone keeps an earlier modifier") << QJsonValue(
            QJsonObject {{"firkey1", "F9"}}) << custom << with(with(custom, 1, Alt, Qt::Key_F9), 11, Ctrl, Qt::Key_Z);
        QTest::newRow("entry 3 ALT D is pair 6")
            << QJsonValue(QJsonObject {{"firkey3", "ALT"}, {"seckey3", "D"}}) << d << with(ctrlZ, 6, Alt, Qt::Key_D);
        QTest::newRow("CTRL with a lower-case letter")
            << QJsonValue(QJsonObject {{"firkey14", "CTRL"}, {"seckey14", "s"}}) << d
            << with(ctrlZ, 8, Ctrl, Qt::Key_S);
        QTest::newRow("entry 16 ALT F8") << QJsonValue(QJsonObject {{"firkey16", "ALT"}, {"seckey16", "F8"}}) << d
                                         << with(d, 11, Alt, Qt::Key_F8);
        QTest::newRow("entry 16 0 and 0 is Ctrl+Z") << QJsonValue(QJsonObject {{"firkey16", "0"}, {"seckey16", "0"}})
                                                    << custom << with(custom, 11, Ctrl, Qt::Key_Z);
        QTest::newRow("entry 16 other first key keeps the pair")
            << QJsonValue(QJsonObject {{"firkey16", "SHIFT"}, {"seckey16", "X"}}) << custom << custom;
        QTest::newRow("entry 16 unknown key keeps the pair")
            << QJsonValue(QJsonObject {{"firkey16", "CTRL"}, {"seckey16", "PgUp"}}) << custom << custom;
        QTest::newRow("CTRL without second key keeps the pair")
            << QJsonValue(QJsonObject {{"firkey5", "CTRL"}, {"seckey5", ""}}) << d << ctrlZ;
        QTest::newRow("ALT with second key 0 keeps the pair")
            << QJsonValue(QJsonObject {{"firkey4", "ALT"}, {"seckey4", "0"}}) << d << ctrlZ;
        QTest::newRow("unknown key names keep their pairs")
            << QJsonValue(QJsonObject {{"firkey1", "F99"}, {"firkey2", "DEL"}, {"firkey6", "7"}, {"firkey7", "F0"}})
            << d << ctrlZ;
        QTest::newRow("first key 0 keeps the pair")
            << QJsonValue(QJsonObject {{"firkey9", "0"}, {"seckey9", "A"}}) << d << ctrlZ;

        // Every entry to its own pair: entries 1..15 get the letters A..O.
        QJsonObject all {{"firkey16", "CTRL"}, {"seckey16", "Y"}};
        KeyTable mapped = with(d, 11, Ctrl, Qt::Key_Y);
        const int pairOfEntry[16] = {1, 2, 6, 3, 7, 5, 4, 9, 10, 13, 14, 15, 16, 8, 12};
        for (int n = 1; n <= 15; ++n) {
            all.insert(QStringLiteral("firkey%1").arg(n), QString(QChar('A' + n - 1)));
            mapped = with(mapped, pairOfEntry[n - 1], 0, Qt::Key_A + n - 1);
        }
        QTest::newRow("every entry to its pair") << QJsonValue(all) << d << mapped;
    }

    void shortcutTable()
    {
        QFETCH(QJsonValue, shortkey);
        QFETCH(KeyTable, start);
        QFETCH(KeyTable, expected);
        setTable(start);
        QJsonObject user {{"GROUP_ID", "1"}};
        if (!shortkey.isUndefined())
            user.insert("shortkey", shortkey);
        QVERIFY(switchWith(QJsonObject {{"code", "1"}, {"user", user}}));
        QCOMPARE(table(), expected);
    }
};

QTEST_MAIN(TestUserSettings)
#include "tst_usersettings.moc"
