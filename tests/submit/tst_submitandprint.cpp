#include "submit/submitandprint.h"

#include "core/config.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "sheets/webviewwindow.h"
#include "submit/setasidefiles.h"
#include "submit/sheetfields.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/readrightsheld.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QValidator>
#include <QtTest>

namespace {

QString* switchNamed(const QString& name)
{
    static const QHash<QString, QString*> switches {{"showkjxway", &Config::showkjxway},
        {"showiskxg", &Config::showiskxg}, {"showgoodtype", &Config::showgoodtype}, {"showbuyjx", &Config::showbuyjx},
        {"showbuymd", &Config::showbuymd}, {"showdbpxz", &Config::showdbpxz}, {"showdesign", &Config::showdesign},
        {"showgivejx", &Config::showgivejx}, {"showwzf", &Config::showwzf}, {"showidphoto", &Config::showidphoto},
        {"showsupport", &Config::showsupport}};
    return switches.value(name);
}

const QStringList AllSwitches {"showkjxway", "showiskxg", "showgoodtype", "showbuyjx", "showbuymd", "showdbpxz",
    "showdesign", "showgivejx", "showwzf", "showidphoto", "showsupport"};

Product product(const QString& name, const QString& urgent)
{
    Product p;
    p.id = name;
    p.goodname = name;
    p.isurgent = urgent;
    p.goodamount = QStringLiteral("1");
    return p;
}

QJsonObject fixture()
{
    QFile file(QStringLiteral(STANDIN_FIXTURES_DIR "/order.orderdetail.json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The fixture with keys of "order" replaced (a null value removes the key).
QJsonObject withOrder(const QJsonObject& changes, const QJsonObject& top = QJsonObject())
{
    QJsonObject reply = fixture();
    QJsonObject order = reply.value("order").toObject();
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value().isNull())
            order.remove(it.key());
        else
            order.insert(it.key(), it.value());
    }
    reply.insert("order", order);
    for (auto it = top.begin(); it != top.end(); ++it) {
        if (it.value().isNull())
            reply.remove(it.key());
        else
            reply.insert(it.key(), it.value());
    }
    return reply;
}

template <typename T> T* child(QWidget* w, const QString& name)
{
    return w->findChild<T*>(name);
}

QString buttonText(QWidget* w, const char* name)
{
    return child<QPushButton>(w, name)->text();
}

QString fieldText(QWidget* w, const char* name)
{
    return child<QLineEdit>(w, name)->text();
}

void closeSheets()
{
    for (WebViewWindow* window : topLevelWindows<WebViewWindow>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSubmitandPrint : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SubmitandPrint> m_dialog;

    // A dialog built and shown as the products panel does, once its first reply is handled.
    SubmitandPrint* open()
    {
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->setModal(true);
        m_dialog->show();
        [&] { QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "orderdetail").size() == 1; })); }();
        [&] { QVERIFY(waitUntil([&] { return m_dialog->isReady(); })); }();
        return m_dialog;
    }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        for (const QString& name : AllSwitches)
            switchNamed(name)->clear();
        Config::isPrintDelWarn = false;
        Config::scaleDpi = 1.0;
        Config::order_photodate = QStringLiteral("2026-03-07");
        Config::orderpayforkey = QStringLiteral("DEMO-1001");
        ProductData::product_urgentdate.clear();
        ImageData::getInstance()->clearImages();
    }

    void cleanup()
    {
        delete m_dialog;
        closeSheets();
        ProductData::m_products.clear();
        Config::isLocked = false;
        Config::scaleDpi = 1.0;
    }

    void displaySwitches_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<bool>("hidden");
        const QList<QPair<QString, QStringList>> rows {{"showkjxway", {"gb_kjxway"}}, {"showiskxg", {"kxggroupbox"}},
            {"showgoodtype", {"gb_cplx"}}, {"showbuyjx", {"lb_buyBoardLineEdit", "buyBoardLineEdit"}},
            {"showbuymd", {"lb_originPhotoNum", "originPhotoNum"}},
            {"showdbpxz", {"lb_yangQianLineEd", "yangQianLineEd"}},
            {"showdesign", {"lb_designnumLineEdit", "designnumLineEdit"}},
            {"showgivejx", {"lb_giveBoardLineEdit", "giveBoardLineEdit"}},
            {"showwzf", {"lb_blessLineEdit", "blessLineEdit"}}, {"showidphoto", {"lb_cardLineEdit", "cardLineEdit"}},
            {"showsupport", {"lb_tradeLineEdit", "tradeLineEdit"}}};
        for (const auto& row : rows) {
            QTest::addRow("%s off", qPrintable(row.first)) << row.first << "0" << row.second << true;
            QTest::addRow("%s on", qPrintable(row.first)) << row.first << "1" << row.second << false;
        }
        QTest::newRow("empty shows") << "showwzf"
                                     << "" << QStringList {"blessLineEdit"} << false;
        QTest::newRow("other text shows") << "showgoodtype"
                                          << "00" << QStringList {"gb_cplx"} << false;
    }

    void displaySwitches()
    {
        QFETCH(QString, flag);
        QFETCH(QString, value);
        QFETCH(QStringList, controls);
        QFETCH(bool, hidden);
        *switchNamed(flag) = value;
        SubmitandPrint* dialog = open();
        for (const QString& name : controls)
            QCOMPARE(dialog->findChild<QWidget*>(name)->isHidden(), hidden);
        // Only that switch's controls change.
        int hiddenCount = 0;
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (w->isHidden() && !w->objectName().isEmpty())
                ++hiddenCount;
        // Always hidden: 部分快递, the completion box, the thumbnail button, and the urgent date row.
        QCOMPARE(hiddenCount, 5 + (hidden ? controls.size() : 0));
    }

    void urgencyRows_data()
    {
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("fetchHidden");
        QTest::addColumn<bool>("urgentHidden");
        QTest::newRow("no products") << QStringList() << 0 << false << true;
        QTest::newRow("none urgent") << QStringList {"0", "0"} << 0 << false << true;
        QTest::newRow("all urgent") << QStringList {"1", "1"} << 1 << true << false;
        QTest::newRow("some urgent") << QStringList {"1", "0", ""} << 2 << false << false;
    }

    void urgencyRows()
    {
        QFETCH(QStringList, flags);
        QFETCH(int, state);
        QFETCH(bool, fetchHidden);
        QFETCH(bool, urgentHidden);
        for (int i = 0; i < flags.size(); ++i)
            ProductData::m_products << product(QString::number(i), flags.at(i));
        SubmitandPrint* dialog = open();
        QCOMPARE(dialog->urgencyState(), state);
        QCOMPARE(child<QLabel>(dialog, "label_fetchgoods")->isHidden(), fetchHidden);
        QCOMPARE(child<QPushButton>(dialog, "pushButton_fetchDate")->isHidden(), fetchHidden);
        QCOMPARE(child<QLabel>(dialog, "label_urgency")->isHidden(), urgentHidden);
        QCOMPARE(child<QPushButton>(dialog, "pushButton_urgentDate")->isHidden(), urgentHidden);
        QVERIFY(!child<QPushButton>(dialog, "pushButton_urgentDate")->isEnabled());
    }

    void validators_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        for (const char* name : {"buyBoardLineEdit", "originPhotoNum", "yangQianLineEd", "giveBoardLineEdit",
                 "blessLineEdit", "cardLineEdit", "tradeLineEdit", "designnumLineEdit"}) {
            QTest::addRow("%s digits", name) << name << "120" << true;
            QTest::addRow("%s empty", name) << name << "" << true;
            QTest::addRow("%s letter", name) << name << "12a" << false;
            QTest::addRow("%s minus", name) << name << "-1" << false;
            QTest::addRow("%s fraction", name) << name << "1.5" << false;
        }
        for (const char* name : {"bcxppirce_lineEdit", "le_dxppirce", "le_fgpirce"}) {
            QTest::addRow("%s decimal", name) << name << "1234.56" << true;
            QTest::addRow("%s letter", name) << name << "12a" << false;
        }
    }

    void validators()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        SubmitandPrint* dialog = open();
        QLineEdit* edit = child<QLineEdit>(dialog, field);
        QVERIFY(edit->validator());
        QString input = text;
        int pos = 0;
        const QValidator::State state = edit->validator()->validate(input, pos);
        QCOMPARE(state != QValidator::Invalid, accepted);
        edit->clear();
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text() == text, accepted);
    }

    void scaledSizes()
    {
        Config::scaleDpi = 1.5;
        SubmitandPrint* dialog = open();
        for (const char* name :
            {"pushButton_fetchDate", "pushButton_checkBoardDate", "pushButton_preciseRepairDate", "pb_wyxdate"}) {
            const QSize size = child<QPushButton>(dialog, name)->minimumSize();
            QVERIFY2(size.width() >= 210 && size.height() >= 37, name);
        }
        QCOMPARE(child<QLineEdit>(dialog, "buyBoardLineEdit")->minimumSize(), QSize(90, 34));
    }

    void initialCounts()
    {
        OrderFolder folder(OrderFolder::AlbumFolders);
        QVERIFY(folder.isValid());
        folder.addPhotos(QStringLiteral("成品"), {"1.jpg", "2.jpg", "3.JPG"});
        folder.addPhotos(QStringLiteral("汰片"), {"B.JPG", "a.jpg"});
        folder.add(QStringLiteral("汰片"), {"z.txt"});
        folder.add(QStringLiteral("成品"), {"note.txt"});
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->importImage(PHOTO_DELETED);

        SubmitandPrint* dialog = open();
        QCOMPARE(dialog->finalpicnum, 3);
        QCOMPARE(dialog->finalpicpaths.count(','), 2);
        QCOMPARE(dialog->deletepicnum, 2);
        QCOMPARE(dialog->deletepicpaths, QStringLiteral("a.jpg,b.jpg,"));
        QCOMPARE(dialog->lastrepairpic, 3 + 2);
        QCOMPARE(dialog->fwqlc_num, 3);
    }

    // A folder without the right to read it is told apart from an empty one: the selection and
    // set-aside counts, and the removal, which leaves what such a folder holds. The suite runs as
    // root, which reads every folder: root's power to pass over rights is lowered for this thread.
    void folderWithoutReadRightIsUnlisted()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/汰片/");
        QVERIFY(QDir().mkpath(folder));
        QFile photo(folder + QStringLiteral("x.jpg"));
        QVERIFY(photo.open(QIODevice::WriteOnly));
        photo.close();
        // A folder inside one that may not be searched cannot even be looked at.
        const QString closed = dir.path() + QStringLiteral("/closed/");
        const QString inside = closed + QStringLiteral("成品/");
        QVERIFY(QDir().mkpath(inside));
        QVERIFY(FileOperation::canList(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        QVERIFY(QFile::setPermissions(closed, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        bool isHeld = false;
        bool isListed = true;
        SetAsideFiles::FolderCounts counts;
        SetAsideFiles::FolderCounts hidden;
        SetAsideFiles::Removal removal;
        {
            ReadRightsHeld rights;
            isHeld = rights.isHeld();
            isListed = FileOperation::canList(folder);
            counts = SetAsideFiles::countFolders(folder, folder);
            hidden = SetAsideFiles::countFolders(inside, inside);
            removal = SetAsideFiles::removeFilesBelow(folder);
        }
        const QFileDevice::Permissions open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        QFile::setPermissions(folder, open);
        QFile::setPermissions(closed, open);
        if (!isHeld)
            QSKIP("the read rights cannot be held for this thread here");
        QVERIFY(!isListed);
        QCOMPARE(counts.unreadable, (QStringList {"汰片", "成品"}));
        QCOMPARE(hidden.unreadable, (QStringList {"汰片", "成品"}));
        QCOMPARE(removal.unlisted, QStringList {folder});
        QVERIFY(QFile::exists(folder + QStringLiteral("x.jpg")));
    }

    void countsWithoutFolders()
    {
        const SetAsideFiles::FolderCounts counts = SetAsideFiles::countFolders(
            QDir::tempPath() + QStringLiteral("/no-such-folder/"), QDir::tempPath() + QStringLiteral("/none/"));
        QCOMPARE(counts.deletepicpaths, QString());
        QCOMPARE(counts.deletedJpegs, 0);
        QCOMPARE(counts.fineJpegs, 0);
    }

    void firstLoadFill()
    {
        SubmitandPrint* dialog = open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("提交打印"));
        QComboBox* xps = child<QComboBox>(dialog, "comboBox_xps");
        QCOMPARE(xps->count(), 4);
        QCOMPARE(xps->currentText(), QStringLiteral("李选片"));
        QVERIFY(xps->isEnabled());
        QCOMPARE(dialog->xpsIds, QStringList({"0", "5", "7", "9"}));

        QCOMPARE(dialog->min_kjxts, Q_INT64_C(1767225600));
        QCOMPARE(dialog->max_kjxts, Q_INT64_C(1830297600));
        QCOMPARE(dialog->checktruing, QStringLiteral("2026-12-22"));
        QCOMPARE(dialog->kanjingxiuareaid, QStringLiteral("31"));
        QCOMPARE(buttonText(dialog, "pushButton_preciseRepairDate"), QStringLiteral("2026-12-22 10:00-12:00"));
        QCOMPARE(buttonText(dialog, "pushButton_checkBoardDate"), QStringLiteral("2026-12-20 14:00-16:00"));
        QCOMPARE(dialog->kanbanareaid, QStringLiteral("21"));
        QCOMPARE(buttonText(dialog, "pushButton_urgentDate"), QStringLiteral("2026-12-18"));
        QCOMPARE(ProductData::product_urgentdate, QStringLiteral("2026-12-18"));
        QCOMPARE(buttonText(dialog, "pushButton_fetchDate"), QString());
        QVERIFY(child<QPushButton>(dialog, "pushButton_fetchDate")->isEnabled());

        QCOMPARE(fieldText(dialog, "giveBoardLineEdit"), QStringLiteral("10"));
        QCOMPARE(fieldText(dialog, "buyBoardLineEdit"), QStringLiteral("12"));
        QCOMPARE(fieldText(dialog, "originPhotoNum"), QStringLiteral("20"));
        QCOMPARE(fieldText(dialog, "yangQianLineEd"), QStringLiteral("3"));
        QCOMPARE(fieldText(dialog, "bcxppirce_lineEdit"), QStringLiteral("3600"));
        QCOMPARE(fieldText(dialog, "secondSumLineEdit"), QStringLiteral("5200"));
        QCOMPARE(fieldText(dialog, "le_dxppirce"), QStringLiteral("1600"));
        QVERIFY(!child<QLineEdit>(dialog, "le_dxppirce")->isHidden());
        QCOMPARE(dialog->is_two_buy, QStringLiteral("1"));
        QCOMPARE(dialog->iswyx, QStringLiteral("0"));

        QVERIFY(child<QRadioButton>(dialog, "radiobtn_ddk")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "rb_kxg_kxg")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "rb_cplx_ycp")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButton")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButton_all")->isChecked());
        QVERIFY(!child<QCheckBox>(dialog, "isdeletetpbtn")->isChecked());
        QVERIFY(child<QPushButton>(dialog, "pushButton_2")->isEnabled());
        if (qEnvironmentVariableIsSet("SUBMIT_SHOT"))
            dialog->grab().save(qEnvironmentVariable("SUBMIT_SHOT"));
    }

    void detailEdges_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("no keys at all: empty fields")
            << QJsonObject {{"code", "1"}} << "giveBoardLineEdit" << QString() << true;
        QTest::newRow("a count sent as a number reads empty")
            << withOrder({{"activenumber", 10}}) << "giveBoardLineEdit" << QString() << true;
        QTest::newRow("negative bought count leaves the field")
            << withOrder({{"morephotonumber", "-2"}}) << "buyBoardLineEdit" << QString() << true;
        QTest::newRow("bought count that is no number writes 0")
            << withOrder({{"morephotonumber", "abc"}}) << "buyBoardLineEdit"
            << "0" << true;
        QTest::newRow("pickup period set, no more edits")
            << withOrder({{"pickuptime", "2026-12-28"},
                             {"getphotoarea", QJsonObject {{"timeTxt", "14:00-18:00"}, {"timeId", "41"}}}},
                   {{"editfahuo", 0}})
            << "pushButton_fetchDate"
            << "2026-12-28 14:00-18:00" << false;
        QTest::newRow("edit switch as a string reads 0")
            << withOrder({{"pickuptime", "2026-12-28"},
                             {"getphotoarea", QJsonObject {{"timeTxt", "14:00-18:00"}, {"timeId", "41"}}}},
                   {{"editfahuo", "1"}})
            << "pushButton_fetchDate"
            << "2026-12-28 14:00-18:00" << false;
        QTest::newRow("proof period empty keeps a lone blank")
            << withOrder({{"comparedate", "2026-12-20"}, {"kanbanarea", QJsonObject {{"timeTxt", ""}}}})
            << "pushButton_checkBoardDate"
            << "2026-12-20 " << true;
        QTest::newRow("proof period set, no more edits")
            << withOrder({}, {{"editkanban", 0}}) << "pushButton_checkBoardDate"
            << "2026-12-20 14:00-16:00" << false;
        QTest::newRow("retouch period set, no more edits")
            << withOrder({}, {{"editkanjingxiu", 0}}) << "pushButton_preciseRepairDate"
            << "2026-12-22 10:00-12:00" << false;
        QTest::newRow("huge limit") << withOrder({{"max_kjxts", 1e300}}) << "pb_wyxdate" << QString() << true;
    }

    void detailEdges()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        m_backend->setReply("order", "orderdetail", StandInReply::json(reply));
        SubmitandPrint* dialog = open();
        QWidget* w = dialog->findChild<QWidget*>(control);
        const QString shown = qobject_cast<QPushButton*>(w) ? qobject_cast<QPushButton*>(w)->text()
                                                            : qobject_cast<QLineEdit*>(w)->text();
        QCOMPARE(shown, text);
        QCOMPARE(w->isEnabled(), enabled);
    }

    void detailWithoutShopSettings()
    {
        m_backend->setReply("order", "orderdetail", StandInReply::json(withOrder({}, {{"shop_set", QJsonValue()}})));
        SubmitandPrint* dialog = open();
        QCOMPARE(dialog->is_two_buy, QString());
        QCOMPARE(dialog->iswyx, QString());
        QVERIFY(child<QLineEdit>(dialog, "le_fgpirce")->isHidden());
        QVERIFY(child<QLabel>(dialog, "lb_dxprice")->isHidden());
    }

    void staffSelection_data()
    {
        QTest::addColumn<QString>("role12");
        QTest::addColumn<QJsonArray>("staff");
        QTest::addColumn<int>("selected");
        QTest::newRow("later match wins")
            << "7" << QJsonArray {QJsonObject {{"id", "7"}, {"name", "甲"}}, QJsonObject {{"id", "7"}, {"name", "乙"}}}
            << 2;
        QTest::newRow("no match") << "" << QJsonArray {QJsonObject {{"id", "5"}, {"name", "甲"}}} << 0;
        QTest::newRow("entries without ids") << "4" << QJsonArray {1, "x", QJsonObject()} << 0;
    }

    void staffSelection()
    {
        QFETCH(QString, role12);
        QFETCH(QJsonArray, staff);
        QFETCH(int, selected);
        m_backend->setReply("order", "orderdetail",
            StandInReply::json(withOrder({{"role12", role12}}, {{"role12data", staff}, {"isxps", "0"}})));
        SubmitandPrint* dialog = open();
        QComboBox* xps = child<QComboBox>(dialog, "comboBox_xps");
        QCOMPARE(xps->currentIndex(), selected);
        QCOMPARE(xps->itemText(0), QStringLiteral("请选择"));
        QVERIFY(!xps->isEnabled());
        QCOMPARE(dialog->submissionFields().role12, dialog->xpsIds.value(selected));
    }

    // The submit buttons wait for the form's own values: a click before then reads nothing.
    void submitWaitsForFirstDetail_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("enabledAfter");
        QTest::newRow("held, then answered") << Failure::Held << QString() << true;
        QTest::newRow("network error") << Failure::HttpStatus << QStringLiteral("网络请求错误\n500") << false;
        QTest::newRow("refused") << Failure::None << QStringLiteral("查询订单信息错误：订单不存在") << false;
        QTest::newRow("not JSON") << Failure::NotJson << QStringLiteral("查询订单信息错误：服务器的回复无法识别")
                                  << false;
    }

    void submitWaitsForFirstDetail()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        QFETCH(bool, enabledAfter);
        PromptRecorder prompts;
        scriptEndpoint(m_backend, "order", "orderdetail", failure,
            failure == Failure::Held ? fixture() : QJsonObject {{"code", "0"}, {"message", "订单不存在"}});
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->show();
        QPushButton* submit = child<QPushButton>(m_dialog, "pushButton_2");
        QVERIFY(!submit->isEnabled());
        QVERIFY(!child<QPushButton>(m_dialog, "pushButtonEMS")->isEnabled());
        QTest::mouseClick(submit, Qt::LeftButton);
        if (failure == Failure::Held) {
            QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
            QVERIFY(!submit->isEnabled());
            m_backend->releaseHeld();
        }
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "orderdetail").size() == 1; }));
        QVERIFY(
            waitUntil([&] { return enabledAfter ? submit->isEnabled() : !prompts.texts().isEmpty() || !box.size(); }));
        QTest::qWait(50);
        QCOMPARE(submit->isEnabled(), enabledAfter);
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        QCOMPARE(m_backend->requestsTo("order", "updategetphotodate2").size(), 0);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("提交打印"));
    }

    void afterSubmission()
    {
        ProductData::m_products << product(QStringLiteral("相册"), QStringLiteral("0"));
        SubmitandPrint* dialog = open();
        QSignalSpy locked(dialog, &SubmitandPrint::sendSetLocked);
        dialog->samepleresulthtml = QStringLiteral("<p>结果</p>");
        dialog->isSubmitted = 1;
        child<QCheckBox>(dialog, "checkBox")->setChecked(false);
        dialog->postQueryOrderInfo();
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
        QCOMPARE(locked.count(), 1);
        QVERIFY(Config::isLocked);
        QCOMPARE(Config::user_type, QStringLiteral("0"));
        const QList<WebViewWindow*> sheets = topLevelWindows<WebViewWindow>();
        QCOMPARE(sheets.size(), 1);
        WebViewWindow* sheet = sheets.first();
        QVERIFY(sheet->isMaximized() || sheet->windowState() & Qt::WindowMaximized);
        QCOMPARE(sheet->html, QStringLiteral("<p>结果</p>"));
        QCOMPARE(sheet->customer_title, QStringLiteral("李明-王芳-李建国<BR>307DEMO-1001"));
        QCOMPARE(sheet->phones, QStringLiteral("13800001001<BR>13900001001"));
        QCOMPARE(sheet->full_address, QStringLiteral("上海市上海市徐汇区漕溪北路88号"));
        QCOMPARE(sheet->kanjingxiu_text, QStringLiteral("2026-12-22 10:00-12:00    看精修方式:到店看"));
        QCOMPARE(sheet->kanban_text, QStringLiteral("2026-12-20 14:00-16:00"));
        QCOMPARE(sheet->twosales_unpaid, QStringLiteral("1600"));
        QCOMPARE(sheet->urgent_date, QStringLiteral("2026-12-18"));
        QCOMPARE(sheet->print_thumbnails, false);
        QCOMPARE(sheet->print_finished_area, true);
        QCOMPARE(sheet->servicetimes.size(), 2);
        QCOMPARE(sheet->products.size(), 1);
    }

    void afterSubmissionRefused()
    {
        SubmitandPrint* dialog = open();
        PromptRecorder prompts;
        QSignalSpy locked(dialog, &SubmitandPrint::sendSetLocked);
        dialog->isSubmitted = 1;
        m_backend->setReply(
            "order", "orderdetail", StandInReply::json(QJsonObject {{"code", "0"}, {"message", "系统繁忙"}}));
        dialog->postQueryOrderInfo();
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QCOMPARE(prompts.last().text, QStringLiteral("查询订单信息错误：系统繁忙"));
        QVERIFY(!m_dialog.isNull());
        QCOMPARE(locked.count(), 0);
        QVERIFY(!Config::isLocked);
        QVERIFY(child<QPushButton>(dialog, "pushButton_2")->isEnabled());
        QCOMPARE(topLevelWindows<WebViewWindow>().size(), 0);
    }

    void customerTitle_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("title");
        QTest::newRow("three names") << QStringList {"宝宝", "妈妈", "爸爸"} << "2020-03-07"
                                     << "宝宝-妈妈-爸爸<BR>307K";
        QTest::newRow("baby alone") << QStringList {"宝宝", "", ""} << "2020-12-25"
                                    << "宝宝<BR>1225K";
        QTest::newRow("year only") << QStringList {"宝宝", "", ""} << "2020"
                                   << "宝宝<BR>K";
        QTest::newRow("no day") << QStringList {"", "妈妈", ""} << "2020-03"
                                << "妈妈<BR>3K";
        QTest::newRow("empty date") << QStringList {"", "", ""} << ""
                                    << "<BR>K";
    }

    void customerTitle()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, date);
        QFETCH(QString, title);
        QCOMPARE(SheetFields::customerTitle(names, date, QStringLiteral("K")), title);
    }

    void lockedFormIsReadOnly()
    {
        Config::isLocked = true;
        SubmitandPrint* dialog = open();
        for (const char* name : {"pushButton_fetchDate", "pb_wyxdate", "buyBoardLineEdit", "comboBox_xps", "le_fgpirce",
                 "radioButton", "radioButton_isEMS", "isdeletetpbtn", "rb_kxg_wd", "radiobtn_ddk"})
            QVERIFY2(!dialog->findChild<QWidget*>(name)->isEnabled(), name);
        for (const char* name : {"checkBox_chengpin", "checkBox", "radioButton_all", "pushButton_2", "pushButtonEMS"})
            QVERIFY2(dialog->findChild<QWidget*>(name)->isEnabled(), name);
    }

    void removeFilesKeepsFolders()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QStringLiteral("/汰片/");
        QVERIFY(QDir().mkpath(root + "a/b"));
        for (const char* name : {"1.jpg", ".hidden", "a/2.JPG", "a/b/3.jpg"}) {
            QFile file(root + QString::fromUtf8(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(SubmitandPrint::removefiles(root), QStringList());
        QVERIFY(QDir(root + "a/b").exists());
        QCOMPARE(QDir(root).entryList(QDir::Files | QDir::Hidden).size(), 0);
        QCOMPARE(QDir(root + "a/b").entryList(QDir::Files).size(), 0);
        QCOMPARE(SubmitandPrint::removefiles(dir.path() + QStringLiteral("/missing/")), QStringList());
    }

    // A file that stays (here a mount point, busy) is reported, and the walk goes on.
    void removeFilesReportsWhatStays()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QStringLiteral("/del/");
        QVERIFY(QDir().mkpath(root));
        for (const char* name : {"a.jpg", "busy.jpg", "c.jpg"}) {
            QFile file(root + QString::fromUtf8(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString source = dir.path() + QStringLiteral("/source.jpg");
        QFile(source).open(QIODevice::WriteOnly);
        if (QProcess::execute("mount", {"--bind", source, root + "busy.jpg"}) != 0)
            QSKIP("bind mounts are not allowed here");
        const QStringList stayed = SubmitandPrint::removefiles(root);
        QProcess::execute("umount", {root + "busy.jpg"});
        QCOMPARE(stayed, QStringList {root + "busy.jpg"});
        QVERIFY(!QFile::exists(root + "a.jpg"));
        QVERIFY(!QFile::exists(root + "c.jpg"));
    }
};

QTEST_MAIN(TestSubmitandPrint)
#include "tst_submitandprint.moc"
