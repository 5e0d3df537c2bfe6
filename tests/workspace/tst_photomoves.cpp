#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/dragdrop.h"
#include "tests/support/eventwait.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "viewer/movicedialog.h"
#include "viewer/photoview.h"
#include "viewer/tipdialog.h"
#include "workspace/dropbutton.h"
#include "workspace/photooperation.h"
#include "workspace/selectphotoview.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {
const QStringList ten
    = {"p01.jpg", "p02.jpg", "p03.jpg", "p04.jpg", "p05.jpg", "p06.jpg", "p07.jpg", "p08.jpg", "p09.jpg", "p10.jpg"};

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

// The album panel's moves between albums, against a real order folder and the stand-in.
class TestPhotoMoves : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    TestBackend& backend() { return s.backend; }

    PhotoOperation& panel() { return *s.panel; }
    QTableView* table() { return s.tableView(); }
    QListWidget* icons() { return s.icons(); }
    QStringList iconNames() { return s.iconNames(); }
    void select(const QStringList& names) { s.select(names); }

    // Opens the panel on album; the requests of the load are forgotten.
    void open(int album = PHOTO_FINE)
    {
        QVERIFY(s.openAlbum(album));
        backend()->clearRequests();
    }

    QList<StandInRequest> moveRecords() { return backend()->requestsTo("order", "putMoveImg"); }

private slots:
    void initTestCase()
    {
        QVERIFY(backend().isReady());
        Config::manager_id = "42";
        Config::order_sample_infoid = "30001";
        MoviceDialog::last = 10;
    }

    void init()
    {
        QVERIFY(s.begin());
        s.order->addPhotos("成品", ten.mid(0, 5));
        s.order->addPhotos("照片", ten.mid(0, 3));
        Config::isDelWarn = Config::isRecoverWarn = Config::isLocked = false;
        Config::is_del_design_photo = true;
        Config::is_del_design_prompt = false;
        Config::isDelOrigin = false;
        Config::delete_style = QString();
        backend()->clearRequests();
    }

    void cleanup()
    {
        s.end();
        ImageData::getInstance()->setMyUsedimages({});
        ImageData::getInstance()->setMyUnUsedimages({});
    }

    // Which drop moves what where: 成品 to 汰片 by "汰片", 汰片 and 设计汰片 back by "成品";
    // every other drop, and every drop in 照片, does nothing.
    void dropTable_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<int>("use");
        QTest::addColumn<bool>("moves");
        for (int album = PHOTO_RAW; album <= PHOTO_DESIGN_DELETED; ++album)
            for (int use : {USAGE_TO_DELETED, USAGE_TO_FINE}) {
                const bool moves = (album == PHOTO_FINE && use == USAGE_TO_DELETED)
                    || (use == USAGE_TO_FINE && (album == PHOTO_DELETED || album == PHOTO_DESIGN_DELETED));
                QTest::addRow("album %d, use %d", album, use) << album << use << moves;
            }
    }

    void dropTable()
    {
        QFETCH(int, album);
        QFETCH(int, use);
        QFETCH(bool, moves);
        // The same names in every album: a drop must only ever touch the album shown.
        for (const char* name : {"汰片", "设计", "设计汰片"})
            s.order->addPhotos(QString::fromUtf8(name), ten.mid(0, 3));
        open(album);
        const QString shownFolder = s.order->album(QStringList {"照片", "成品", "汰片", "设计", "设计汰片"}.at(album));
        const QStringList before = filesIn(shownFolder);
        select({"p02.jpg"});

        panel().dropButtonSlot(ButtonUsage(use));

        QCOMPARE(filesIn(shownFolder).contains("p02.jpg"), !moves);
        QCOMPARE(filesIn(shownFolder).size(), before.size() - (moves ? 1 : 0));
        QCOMPARE(s.popups(), album == PHOTO_FINE && moves ? 1 : 0);
        // The other albums keep their photos.
        for (const char* name : {"照片", "成品", "汰片", "设计", "设计汰片"}) {
            const QString folder = s.order->album(QString::fromUtf8(name));
            if (folder != shownFolder)
                QVERIFY(filesIn(folder).contains("p02.jpg"));
        }
        QCOMPARE(s.prompts->count(), 0);
    }

    // The warning before a move to 汰片, in 成品 and in its filters; No keeps everything.
    void warningBeforeSettingAside_data()
    {
        QTest::addColumn<bool>("unusedFilter");
        QTest::addColumn<int>("answer");
        QTest::newRow("成品, no") << false << int(QMessageBox::No);
        QTest::newRow("成品, yes") << false << int(QMessageBox::Yes);
        QTest::newRow("未选, yes") << true << int(QMessageBox::Yes);
    }

    void warningBeforeSettingAside()
    {
        QFETCH(bool, unusedFilter);
        QFETCH(int, answer);
        Config::isDelWarn = true;
        open();
        if (unusedFilter) {
            panel().clickUnusedPhoto();
            s.settle();
        }
        select({"p03.jpg"});
        s.prompts->answer(answer);
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(s.prompts->texts(), QStringList {"确定要将选中的照片移至 汰片 吗？"});
        QCOMPARE(s.prompts->last().title, QStringLiteral("提示"));
        const bool yes = answer == QMessageBox::Yes;
        QCOMPARE(s.popups(), yes ? 1 : 0);
        QCOMPARE(QFile::exists(s.order->album("汰片") + "p03.jpg"), yes);
    }

    // One used photo among ten refuses the whole selection, with one box, in both views.
    void usedPhotoAmongTenMovesNone_data()
    {
        QTest::addColumn<bool>("iconView");
        QTest::newRow("table") << false;
        QTest::newRow("icons") << true;
    }

    void usedPhotoAmongTenMovesNone()
    {
        QFETCH(bool, iconView);
        s.order->addPhotos("成品", ten);
        Product product;
        product.pics = QStringList {"p07.jpg"};
        ProductData::m_products = {product};
        open();
        if (iconView)
            panel().clickSwitchView();
        select(ten);
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(s.prompts->texts(), QStringList {"照片已经被使用，不能删除！"});
        QCOMPARE(s.popups(), 0);
        QCOMPARE(filesIn(s.order->album("成品")), ten);
        QVERIFY(moveRecords().isEmpty());
    }

    // Three photos to 汰片: the record names them in the store's order, the icons go, and
    // the photo now at the moved one's place is shown; after the last row, the first.
    void setAsideRecordAndCursor_data()
    {
        QTest::addColumn<bool>("iconView");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("icons, middle") << true << QStringList {"p02.jpg", "p03.jpg", "p04.jpg"} << "p05.jpg";
        QTest::newRow("table, middle") << false << QStringList {"p02.jpg", "p03.jpg", "p04.jpg"} << "p05.jpg";
        QTest::newRow("icons, last row") << true << QStringList {"p05.jpg"} << "p01.jpg";
        QTest::newRow("table, last row") << false << QStringList {"p05.jpg"} << "p01.jpg";
    }

    void setAsideRecordAndCursor()
    {
        QFETCH(bool, iconView);
        QFETCH(QStringList, chosen);
        QFETCH(QString, shownAfter);
        open();
        if (iconView)
            panel().clickSwitchView();
        select(chosen);
        QSignalSpy shownPhoto(&panel(), &PhotoOperation::SendImage);

        panel().dropButtonSlot(USAGE_TO_DELETED);

        QCOMPARE(s.popups(), 1);
        QVERIFY(waitUntil([&] { return moveRecords().size() == 1; }));
        const StandInRequest record = moveRecords().first();
        QCOMPARE(record.keys(),
            (QStringList {
                "token", "order_photo_id", "shopid", "companyid", "uid", "type", "picpath", "order_sample_infoid"}));
        QCOMPARE(record.value("type"), QStringLiteral("1"));
        QCOMPARE(record.value("picpath"), chosen.join(","));
        QCOMPARE(record.value("uid"), QStringLiteral("42"));
        QCOMPARE(record.value("order_sample_infoid"), QStringLiteral("30001"));
        QStringList left = ten.mid(0, 5);
        for (const QString& name : chosen)
            left.removeAll(name);
        QCOMPARE(iconNames(), left);
        QCOMPARE(s.column(0), left);
        QCOMPARE(filesIn(s.order->album("成品")), left);
        QVERIFY(shownPhoto.count() >= 1);
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetImageName(), shownAfter);
        QCOMPARE(s.prompts->count(), 0);
    }

    // Setting aside the only photo while the table is shown leaves nothing to select.
    void settingAsideTheLastPhotoSelectsNothing()
    {
        s.order->reset();
        s.order->addPhotos("成品", {"only.jpg"});
        open();
        select({"only.jpg"});
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(s.popups(), 1);
        QCOMPARE(icons()->count(), 0);
        QCOMPARE(s.tableModel()->rowCount(), 0);
        QVERIFY(!table()->currentIndex().isValid());
        QVERIFY(QFile::exists(s.order->album("汰片") + "only.jpg"));
    }

    // Of two photos whose names differ only in the extension's case, the row chosen is the
    // file that moves; the other stays, on disk and in the view.
    void sameNameOfTwoSpellingsMovesTheChosenOne_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("other");
        QTest::newRow("upper-case extension") << "IMG_1.JPG"
                                              << "IMG_1.jpg";
        QTest::newRow("lower-case extension") << "IMG_1.jpg"
                                              << "IMG_1.JPG";
    }

    void sameNameOfTwoSpellingsMovesTheChosenOne()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, other);
        s.order->reset();
        s.order->addPhotos("成品", {"IMG_1.JPG", "IMG_1.jpg"});
        open();
        const QList<Image>& shown = ImageData::getInstance()->getImagelist(SELE_ALL);
        QCOMPARE(shown.size(), 2);
        const int row = shown.at(0).fileNameOnDisk() == chosen ? 0 : 1;
        QCOMPARE(shown.at(row).fileNameOnDisk(), chosen);
        table()->selectRow(row);
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(filesIn(s.order->album("汰片")), QStringList {chosen});
        QCOMPARE(filesIn(s.order->album("成品")), QStringList {other});
        QCOMPARE(s.tableModel()->rowCount(), 1);
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).value(0).fileNameOnDisk(), other);
    }

    // A photo that cannot go stays in the views and on disk; the record names only the others.
    void failedPhotoStaysAndIsNotRecorded()
    {
        open();
        QVERIFY(QDir().mkpath(s.order->album("汰片") + "p02.jpg"));
        select({"p01.jpg", "p02.jpg", "p03.jpg"});
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(s.prompts->texts(), QStringList {"成品p02.jpg移至汰片失败，请检查是否有其他软件使用"});
        QVERIFY(waitUntil([&] { return moveRecords().size() == 1; }));
        QCOMPARE(moveRecords().first().value("picpath"), QStringLiteral("p01.jpg,p03.jpg"));
        QCOMPARE(s.column(0), (QStringList {"p02.jpg", "p04.jpg", "p05.jpg"}));
        QCOMPARE(filesIn(s.order->album("成品")), (QStringList {"p02.jpg", "p04.jpg", "p05.jpg"}));
    }

    // Restoring: the questions by switch and by count, the record, and the box once 汰片 is
    // empty; 设计汰片 asks the same of 设计, posts nothing and refuses nothing for use.
    void restore_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<bool>("recoverWarn");
        QTest::addColumn<QStringList>("photos");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("record");
        QTest::newRow("汰片, last one") << int(PHOTO_DELETED) << false << QStringList {"p09.jpg"}
                                        << QStringList {"是否恢复最后一张至 成品 吗？", "汰片已经全部恢复"} << "2";
        QTest::newRow("汰片, warned") << int(PHOTO_DELETED) << true << QStringList {"p09.jpg", "p10.jpg"}
                                      << QStringList {"确定要将选中的照片移至 成品 吗？"} << "2";
        QTest::newRow("汰片, two, unwarned")
            << int(PHOTO_DELETED) << false << QStringList {"p09.jpg", "p10.jpg"} << QStringList {} << "2";
        QTest::newRow("设计汰片, last one")
            << int(PHOTO_DESIGN_DELETED) << false << QStringList {"p09.jpg"}
            << QStringList {"是否恢复最后一张至 设计 吗？", "设计汰片已经全部恢复"} << "";
        QTest::newRow("设计汰片, warned") << int(PHOTO_DESIGN_DELETED) << true << QStringList {"p09.jpg", "p10.jpg"}
                                          << QStringList {"确定要将选中的照片移至 设计 吗？"} << "";
    }

    void restore()
    {
        QFETCH(int, album);
        QFETCH(bool, recoverWarn);
        QFETCH(QStringList, photos);
        QFETCH(QStringList, texts);
        QFETCH(QString, record);
        const QString from = album == PHOTO_DELETED ? "汰片" : "设计汰片";
        const QString to = album == PHOTO_DELETED ? "成品" : "设计";
        s.order->addPhotos(from, photos);
        // A product that uses the photo does not stop a restore.
        Product product;
        product.pics = QStringList {"p09.jpg"};
        ProductData::m_products = {product};
        Config::isRecoverWarn = recoverWarn;
        open(album);
        panel().clickSwitchView();
        select(photos.mid(0, 1));

        panel().recoverToFinal();

        QCOMPARE(s.prompts->texts(), texts);
        QVERIFY(!QFile::exists(s.order->album(from) + "p09.jpg"));
        QVERIFY(QFile::exists(s.order->album(to) + "p09.jpg"));
        if (!record.isEmpty())
            QVERIFY(waitUntil([&] { return !moveRecords().isEmpty(); }));
        else
            QTest::qWait(50);
        const QList<StandInRequest> records = moveRecords();
        QCOMPARE(records.size(), record.isEmpty() ? 0 : 1);
        if (!record.isEmpty()) {
            QCOMPARE(records.first().value("type"), record);
            QCOMPARE(records.first().value("picpath"), QStringLiteral("p09.jpg"));
        }
    }

    // No restores in a locked order, and No to the question keeps the photo.
    void restoreRefused()
    {
        s.order->addPhotos("汰片", {"p09.jpg"});
        open(PHOTO_DELETED);
        select({"p09.jpg"});
        Config::isLocked = true;
        panel().recoverToFinal();
        QCOMPARE(s.prompts->count(), 0);
        Config::isLocked = false;
        s.prompts->answer(QMessageBox::No);
        panel().clickSwitchView();
        select({"p09.jpg"});
        panel().recoverToFinal();
        QCOMPARE(s.prompts->texts(), QStringList {"是否恢复最后一张至 成品 吗？"});
        QVERIFY(QFile::exists(s.order->album("汰片") + "p09.jpg"));
        QVERIFY(moveRecords().isEmpty());
    }

    // Design pictures go to 设计汰片 with the popup and the back end's notice; the notice
    // goes out even when nothing moved, and then no popup plays.
    void designDeletion_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("moved") << false;
        QTest::newRow("nothing moved") << true;
    }

    void designDeletion()
    {
        QFETCH(bool, blocked);
        s.order->addPhotos("设计", {"d1.jpg", "d2.jpg"});
        if (blocked)
            QVERIFY(QDir().mkpath(s.order->album("设计汰片") + "d1.jpg"));
        open(PHOTO_DESIGN);
        panel().clickSwitchView();
        select({"d1.jpg"});

        MoviceDialog::last = 5000;
        panel().del_designphoto();
        MoviceDialog::last = 10;
        const QList<MoviceDialog*> popups = panel().findChildren<MoviceDialog*>();
        QCOMPARE(popups.size(), blocked ? 0 : 1);
        if (!blocked) {
            QCOMPARE(popups.first()->findChild<QLabel*>()->text(), QStringLiteral("删除完成"));
            QCOMPARE(popups.first()->windowModality(), Qt::ApplicationModal);
        }

        QVERIFY(waitUntil([&] { return backend()->requestsTo("Ordernew", "del_photo").size() == 1; }));
        QCOMPARE(backend()->requestsTo("Ordernew", "del_photo").first().value("imgs_name"),
            blocked ? QString() : QStringLiteral("d1.jpg"));
        QCOMPARE(iconNames(), blocked ? (QStringList {"d1.jpg", "d2.jpg"}) : QStringList {"d2.jpg"});
        QCOMPARE(s.prompts->texts(), blocked ? QStringList {"设计d1.jpg移至设计汰片失败"} : QStringList {});
        QVERIFY(QFile::exists(s.order->album("设计") + "d2.jpg"));
    }

    // The photos named at the drop move at once, so a refresh while the popup is up (the
    // products arriving, say) or a new selection cannot change what moves; the popup names
    // them, and its end moves nothing more.
    void setAsideMovesWhatWasNamedAtTheDrop()
    {
        open();
        QObject::disconnect(&panel(), &PhotoOperation::showCryPicture, nullptr, nullptr);
        QList<QStringList> popups;
        connect(&panel(), &PhotoOperation::showCryPicture, this, [&popups](QStringList names) { popups << names; });
        select({"p02.jpg", "p03.jpg"});
        panel().dropButtonSlot(USAGE_TO_DELETED);
        QCOMPARE(popups, QList<QStringList> {(QStringList {"p02.jpg", "p03.jpg"})});
        for (const char* name : {"p02.jpg", "p03.jpg"}) {
            QVERIFY(QFile::exists(s.order->album("汰片") + name));
            QVERIFY(!QFile::exists(s.order->album("成品") + name));
        }
        panel().refreshWholeTable();
        s.settle();
        select({"p04.jpg"});
        panel().deletePhotoSlot(); // the popup has ended
        QVERIFY(QFile::exists(s.order->album("成品") + "p04.jpg"));
        QCOMPARE(filesIn(s.order->album("成品")), (QStringList {"p01.jpg", "p04.jpg", "p05.jpg"}));
        QVERIFY(waitUntil([&] { return moveRecords().size() == 1; }));
        QCOMPARE(moveRecords().first().value("picpath"), QStringLiteral("p02.jpg,p03.jpg"));
        QCOMPARE(popups.size(), 1);
    }

    // In the workspace, by the Delete key and by a drop on "汰片": the photos move at once,
    // and only those that went get the viewer's "删除成功" and the move record. A photo that
    // stays (a folder of its name fills its place in 汰片) gets the failure box that names it,
    // stays in 成品 and in the views, and is posted nowhere; the popup's end moves nothing more.
    void setAsideThroughTheWorkspace_data()
    {
        QTest::addColumn<bool>("byDrop");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("blocked");
        const QStringList one {"p02.jpg"};
        const QStringList two {"p02.jpg", "p03.jpg"};
        QTest::newRow("Delete key") << false << QString() << one << QStringList();
        QTest::newRow("drop, animated popup") << true << "1" << one << QStringList();
        QTest::newRow("Delete key, the move fails") << false << QString() << one << one;
        QTest::newRow("Delete key, the move fails, animated popup") << false << "2" << one << one;
        QTest::newRow("drop, the move fails") << true << "0" << one << one;
        QTest::newRow("drop, the move fails, animated popup") << true << "1" << one << one;
        QTest::newRow("Delete key, one of two stays") << false << QString() << two << QStringList {"p03.jpg"};
        QTest::newRow("drop, one of two stays, animated popup") << true << "2" << two << QStringList {"p02.jpg"};
    }

    void setAsideThroughTheWorkspace()
    {
        QFETCH(bool, byDrop);
        QFETCH(QString, style);
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, blocked);
        QStringList moved = chosen;
        for (const QString& name : blocked) {
            moved.removeAll(name);
            s.order->addFile(s.order->album("汰片") + name + "/keep", "in the way");
        }
        Config::delete_style = style;
        std::unique_ptr<SelectPhotoView> window(new SelectPhotoView);
        PhotoOperation* panel = window->photoOperation;
        QSignalSpy shown(panel, &PhotoOperation::sendPhotoModel);
        QVERIFY(waitUntil([&] { return shown.count() >= 2; }));
        s.settle();
        QTableView* table = panel->findChild<QTableView*>();
        for (const QString& name : chosen)
            table->selectionModel()->select(
                table->model()->index(ten.indexOf(name), 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        DropButton* setAsideButton = nullptr;
        for (DropButton* button : panel->findChildren<DropButton*>())
            if (button->getUsage() == USAGE_TO_DELETED)
                setAsideButton = button;
        QVERIFY(setAsideButton);
        backend()->clearRequests();
        const int posts = panel->findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).size();
        MoviceDialog::tip.clear();
        TipDialog::tip.clear();
        MoviceDialog::last = 5000;

        QSignalSpy drops(setAsideButton, &DropButton::dropMessage);
        if (byDrop)
            dropAt(setAsideButton, setAsideButton->rect().center());
        else
            QTest::keyClick(panel, Qt::Key_Delete);
        MoviceDialog::last = 10;
        QCOMPARE(drops.count(), byDrop ? 1 : 0);

        for (const QString& name : moved) {
            QVERIFY(QFile::exists(s.order->album("汰片") + name));
            QVERIFY(!QFile::exists(s.order->album("成品") + name));
        }
        for (const QString& name : blocked)
            QVERIFY(QFile::exists(s.order->album("成品") + name));
        QCOMPARE(s.prompts->texts(),
            blocked.isEmpty() ? QStringList()
                              : QStringList {"成品" + blocked.join("、") + "移至汰片失败，请检查是否有其他软件使用"});
        const bool animated = !style.isEmpty() && style != "0";
        const QList<MoviceDialog*> plain = topLevelWindows<MoviceDialog>();
        const QList<TipDialog*> tips = window->photoView->findChildren<TipDialog*>();
        QCOMPARE(plain.size(), !moved.isEmpty() && !animated ? 1 : 0);
        QCOMPARE(tips.size(), !moved.isEmpty() && animated ? 1 : 0);
        QCOMPARE(MoviceDialog::tip, !moved.isEmpty() && !animated ? QStringLiteral("删除成功") : QString());
        QCOMPARE(TipDialog::tip, !moved.isEmpty() && animated ? QStringLiteral("删除成功") : QString());
        QStringList left = ten.mid(0, 5);
        for (const QString& name : moved)
            left.removeAll(name);
        QCOMPARE(filesIn(s.order->album("成品")), left);
        QCOMPARE(table->model()->rowCount(), left.size());

        if (moved.isEmpty()) {
            // Nothing was posted: the panel holds no further post.
            QCOMPARE(panel->findChildren<QNetworkAccessManager*>(QString(), Qt::FindDirectChildrenOnly).size(), posts);
        } else {
            QVERIFY(waitUntil([&] { return moveRecords().size() == 1; }));
            QCOMPARE(moveRecords().first().value("type"), QStringLiteral("1"));
            QCOMPARE(moveRecords().first().value("picpath"), moved.join(","));
            // The popup's end moves nothing more.
            QDialog* popup = plain.isEmpty() ? static_cast<QDialog*>(tips.first()) : plain.first();
            QMetaObject::invokeMethod(popup, "onTimer");
            QTRY_VERIFY_WITH_TIMEOUT(topLevelWindows<MoviceDialog>().isEmpty(), 30000);
            QTRY_VERIFY_WITH_TIMEOUT(window->photoView->findChildren<TipDialog*>().isEmpty(), 30000);
        }
        QCOMPARE(filesIn(s.order->album("成品")), left);
        QCOMPARE(s.prompts->count(), blocked.isEmpty() ? 0 : 1);
        s.settle();
    }

    // Raw photos: asked first, deleted for good with their thumbnails; No keeps them. A camera's
    // file with an upper-case extension goes as well, and of two spellings the one chosen.
    void rawDeletion_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("twin"); // a file of the same photo name beside it, if any
        QTest::newRow("lower-case extension") << "p02.jpg"
                                              << "";
        QTest::newRow("upper-case extension") << "P02.JPG"
                                              << "";
        QTest::newRow("upper-case beside lower-case") << "p04.JPG"
                                                      << "p04.jpg";
    }

    void rawDeletion()
    {
        QFETCH(QString, file);
        QFETCH(QString, twin);
        QStringList files {"p01.jpg", "p02.jpg", "p03.jpg"};
        if (file != QLatin1String("p02.jpg")) {
            s.order->reset();
            files = QStringList {"p01.jpg", file, "p03.jpg"};
            if (!twin.isEmpty())
                files << twin;
            s.order->addPhotos("照片", files);
        }
        open(PHOTO_RAW);
        panel().clickSwitchView();
        const QString photo = file.section('.', 0, 0) + ".jpg";
        const QString thumb = DirServer::getOriginalImageThumbPath100() + photo;
        s.order->addFile(thumb, "thumb");
        // The icon of the file itself: of two spellings, the one whose file is so named.
        const QList<Image>& listed = ImageData::getInstance()->getImagelist(SELE_ALL);
        int row = 0;
        while (row < listed.size() && listed.at(row).ownFileName() != file)
            ++row;
        QVERIFY(row < icons()->count());
        const auto chooseIt = [&] {
            icons()->clearSelection();
            icons()->item(row)->setSelected(true);
            icons()->setCurrentItem(icons()->item(row), QItemSelectionModel::NoUpdate);
        };
        chooseIt();
        s.prompts->answer(QMessageBox::No);
        panel().deleteRawImage();
        QVERIFY(QFile::exists(s.order->album("照片") + file));

        chooseIt();
        panel().deleteRawImage();
        QCOMPARE(s.prompts->texts(),
            (QStringList {"是否删除照片？\n（注意：删除后无法恢复！）", "是否删除照片？\n（注意：删除后无法恢复！）"}));
        files.removeOne(file);
        files.sort(Qt::CaseInsensitive);
        QCOMPARE(filesIn(s.order->album("照片")), files);
        // The thumbnails go with it (a twin's are made again from its own file).
        if (twin.isEmpty())
            QVERIFY(!QFile::exists(thumb));
        s.settle();
        QCOMPARE(iconNames().size(), files.size());
        QCOMPARE(icons()->selectedItems().size(), 1);
    }
};

QTEST_MAIN(TestPhotoMoves)
#include "tst_photomoves.moc"
