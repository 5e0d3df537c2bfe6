#include "core/config.h"
#include "photostore/imagedata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/orderfolder.h"
#include "tests/support/poolblocker.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "workspace/panelshortcuts.h"
#include "workspace/photooperation.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <iterator>

namespace {
const int Ctrl = int(Qt::ControlModifier);
} // namespace

// The album panel's keys: the configurable pairs and what each does in which album.
class TestPanelShortcuts : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    TestBackend& backend() { return s.backend; }
    int m_defaults[32];

    PhotoOperation& open(int album = PHOTO_FINE)
    {
        [&] { QVERIFY(s.openAlbum(album)); }();
        return *s.panel;
    }

    // A key press as the panel gets it, then its thumbnail jobs; a key that switches the
    // album waits for the load to end.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool loads = false)
    {
        QSignalSpy shown(&*s.panel, &PhotoOperation::sendPhotoModel);
        QTest::keyClick(&*s.panel, Qt::Key(key), modifiers);
        if (loads)
            QTRY_VERIFY_WITH_TIMEOUT(shown.count() >= 2, 30000);
        s.settle();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(backend().isReady());
        std::copy(std::begin(Config::shotCutKey), std::end(Config::shotCutKey), m_defaults);
    }

    void init()
    {
        QVERIFY(s.begin());
        s.order->addPhotos("成品", {"p01.jpg", "p02.jpg", "p03.jpg"});
        s.order->addPhotos("照片", {"p01.jpg", "p02.jpg"});
        Config::isLocked = Config::isDelOrigin = Config::isDelWarn = Config::isRecoverWarn = false;
        Config::isShowThumbName = false;
        Config::is_del_design_photo = true;
        Config::is_del_design_prompt = false;
        Config::recoverPhotoSortType = QStringLiteral("创建日期排序");
        backend()->clearRequests();
    }

    void cleanup()
    {
        s.end();
        std::copy(std::begin(m_defaults), std::end(m_defaults), Config::shotCutKey);
    }

    // The settings number the pairs from 1, the panel from 0, and the array holds the
    // modifier of pair n at element 2n: the delete pair (9th) is elements 16 and 17.
    void pairsByPlace_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("numberInSettings");
        QTest::addColumn<int>("key");
        const int keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F11,
            Qt::Key_F12, Qt::Key_Delete, Qt::Key_Return, Qt::Key_F7, Qt::Key_F7, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
            Qt::Key_Right};
        for (int pair = 0; pair < 16; ++pair)
            QTest::addRow("pair %d", pair) << pair << pair + 1 << keys[pair];
    }

    void pairsByPlace()
    {
        QFETCH(int, pair);
        QFETCH(int, numberInSettings);
        QFETCH(int, key);
        QCOMPARE(m_defaults[2 * (numberInSettings - 1)], 0);
        QCOMPARE(m_defaults[2 * (numberInSettings - 1) + 1], key);
        QVERIFY(PanelShortcuts::matches(PanelShortcuts::Pair(pair), key, Qt::NoModifier));
        if (pair == PanelShortcuts::Discard)
            QCOMPARE(m_defaults[17], int(Qt::Key_Delete));
    }

    // A pair without modifier matches its key whatever is held; one with Ctrl only with
    // exactly Ctrl held.
    void matching_data()
    {
        QTest::addColumn<int>("storedModifier");
        QTest::addColumn<int>("pressedModifiers");
        QTest::addColumn<int>("pressedKey");
        QTest::addColumn<bool>("matches");
        QTest::newRow("none stored, none held") << 0 << 0 << int(Qt::Key_F11) << true;
        QTest::newRow("none stored, Ctrl held") << 0 << Ctrl << int(Qt::Key_F11) << true;
        QTest::newRow("none stored, other key") << 0 << 0 << int(Qt::Key_F10) << false;
        QTest::newRow("Ctrl stored, Ctrl held") << Ctrl << Ctrl << int(Qt::Key_F11) << true;
        QTest::newRow("Ctrl stored, none held") << Ctrl << 0 << int(Qt::Key_F11) << false;
        QTest::newRow("Ctrl stored, Ctrl+Shift held")
            << Ctrl << (Ctrl | int(Qt::ShiftModifier)) << int(Qt::Key_F11) << false;
        QTest::newRow("Ctrl stored, Alt held") << Ctrl << int(Qt::AltModifier) << int(Qt::Key_F11) << false;
    }

    void matching()
    {
        QFETCH(int, storedModifier);
        QFETCH(int, pressedModifiers);
        QFETCH(int, pressedKey);
        QFETCH(bool, matches);
        Config::shotCutKey[2 * PanelShortcuts::SwitchView] = storedModifier;
        open();
        QListWidget* icons = s.icons();
        press(pressedKey, Qt::KeyboardModifiers(pressedModifiers));
        QCOMPARE(!icons->isHidden(), matches);
    }

    // F7: in 汰片 (reached by F3, which sets its button on) it switches the sort order and
    // shows the album again; elsewhere it switches the thumbnail names.
    void f7()
    {
        s.order->addPhotos("汰片", {"x1.jpg", "x2.jpg"});
        PhotoOperation& panel = open();
        QListWidget* icons = s.icons();
        press(Qt::Key_F7);
        QVERIFY(Config::isShowThumbName);
        QCOMPARE(icons->item(0)->text(), QStringLiteral("p01.jpg"));
        QCOMPARE(Config::recoverPhotoSortType, QStringLiteral("创建日期排序"));

        press(Qt::Key_F3, Qt::NoModifier, true);
        QVERIFY(s.button("汰片")->isChecked());
        QCOMPARE(int(ImageData::getInstance()->getType()), int(PHOTO_DELETED));
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        press(Qt::Key_F7);
        QCOMPARE(Config::recoverPhotoSortType, QStringLiteral("编号排序"));
        QCOMPARE(shown.count(), 1);
        QVERIFY(Config::isShowThumbName);
        press(Qt::Key_F7);
        QCOMPARE(Config::recoverPhotoSortType, QStringLiteral("创建日期排序"));
        QCOMPARE(s.prompts->count(), 0);
    }

    // F12 sorts the album anew from a reading of its folders made on a worker: while the
    // workers are busy the album stays as it is, a second press meanwhile waits for the same
    // reading, and a photo added before the reading shows.
    void sortKeyReadsOnAWorker()
    {
        PhotoOperation& panel = open();
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        {
            PoolBlocker pool;
            QTest::keyClick(&panel, Qt::Key_F12);
            QCoreApplication::processEvents();
            QCOMPARE(shown.count(), 0);
            QCOMPARE(s.icons()->count(), 3);
            s.order->addPhotos("成品", {"p04.jpg"});
            QTest::keyClick(&panel, Qt::Key_F12);
            pool.release();
        }
        s.settle();
        QCOMPARE(shown.count(), 1);
        QCOMPARE(Config::orderMode, 2);
        QCOMPARE(s.icons()->count(), 4);
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：成品(4)"));
    }

    // Return with nothing left to restore says so; with photos it restores the selected.
    void returnInSetAsideAlbums_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<QString>("text");
        QTest::newRow("汰片") << int(PHOTO_DELETED) << "汰片已经全部恢复";
        QTest::newRow("设计汰片") << int(PHOTO_DESIGN_DELETED) << "设计汰片已经全部恢复";
    }

    void returnInSetAsideAlbums()
    {
        QFETCH(int, album);
        QFETCH(QString, text);
        open(album);
        press(Qt::Key_Return);
        QCOMPARE(s.prompts->count(), 1);
        QCOMPARE(s.prompts->last().title, QStringLiteral("提醒"));
        QCOMPARE(s.prompts->last().text, text);

        const QString folder = album == PHOTO_DELETED ? "汰片" : "设计汰片";
        s.order->addPhotos(folder, {"x1.jpg", "x2.jpg"});
        QVERIFY(s.show(album));
        s.select({"x1.jpg"});
        press(Qt::Key_Return);
        QVERIFY(!QFile::exists(s.order->album(folder) + "x1.jpg"));
        QVERIFY(QFile::exists(s.order->album(folder) + "x2.jpg"));
    }

    // A locked order: Delete and Return move nothing and say nothing.
    void lockedOrderMovesNothing_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<int>("key");
        QTest::newRow("Delete in 成品") << int(PHOTO_FINE) << int(Qt::Key_Delete);
        QTest::newRow("Delete in 照片") << int(PHOTO_RAW) << int(Qt::Key_Delete);
        QTest::newRow("Delete in 设计") << int(PHOTO_DESIGN) << int(Qt::Key_Delete);
        QTest::newRow("Return in 汰片") << int(PHOTO_DELETED) << int(Qt::Key_Return);
    }

    void lockedOrderMovesNothing()
    {
        QFETCH(int, album);
        QFETCH(int, key);
        s.order->addPhotos("汰片", {"p01.jpg"});
        s.order->addPhotos("设计", {"p01.jpg"});
        Config::isDelOrigin = true;
        open(album);
        s.select({"p01.jpg"});
        Config::isLocked = true;
        press(key);
        QCOMPARE(s.popups(), 0);
        QCOMPARE(s.prompts->count(), 0);
        for (const char* folder : {"照片", "成品", "汰片", "设计"})
            QVERIFY(QFile::exists(s.order->album(QString::fromUtf8(folder)) + "p01.jpg"));
    }

    // In 照片 only the delete key speaks of the right to delete; the others keep quiet.
    void rawAlbumRight()
    {
        PhotoOperation& panel = open(PHOTO_RAW);
        s.select({"p01.jpg"});
        for (int key : {int(Qt::Key_F11), int(Qt::Key_F11), int(Qt::Key_Left), int(Qt::Key_A), int(Qt::Key_Return)})
            press(key);
        QCOMPARE(s.prompts->count(), 0);

        press(Qt::Key_Delete);
        QCOMPARE(s.prompts->texts(), QStringList {"无权限删除，请和后台管理员联系"});
        QCOMPARE(s.prompts->last().title, QStringLiteral("警告"));
        QVERIFY(QFile::exists(s.order->album("照片") + "p01.jpg"));

        Config::isDelOrigin = true;
        s.prompts->answer(QMessageBox::No);
        press(Qt::Key_Delete);
        QCOMPARE(s.prompts->last().text, QStringLiteral("是否删除照片？\n（注意：删除后无法恢复！）"));
        QVERIFY(QFile::exists(s.order->album("照片") + "p01.jpg"));
        QCOMPARE(int(panel.currentType), int(PHOTO_RAW));
    }

    // Delete in 成品 sets the selection aside; in 设计 it deletes design pictures, and
    // the album keys do nothing there.
    void discardByAlbum()
    {
        s.order->addPhotos("设计", {"d1.jpg"});
        open();
        s.select({"p02.jpg"});
        press(Qt::Key_Delete);
        QCOMPARE(s.popups(), 1);
        QVERIFY(QFile::exists(s.order->album("汰片") + "p02.jpg"));

        press(Qt::Key_F6, Qt::NoModifier, true);
        QCOMPARE(int(ImageData::getInstance()->getType()), int(PHOTO_DESIGN));
        const int loads = backend()->requestsTo("order", "getorderpic").size();
        press(Qt::Key_F1);
        QTest::qWait(50);
        QCOMPARE(backend()->requestsTo("order", "getorderpic").size(), loads);
        QCOMPARE(int(ImageData::getInstance()->getType()), int(PHOTO_DESIGN));
        s.select({"d1.jpg"});
        press(Qt::Key_Delete);
        QVERIFY(QFile::exists(s.order->album("设计汰片") + "d1.jpg"));
    }

    // Shift shows the viewer's number label while held and runs nothing else.
    void shiftShowsTheNumberLabel()
    {
        PhotoOperation& panel = open();
        QSignalSpy label(&panel, &PhotoOperation::sign_sendPhotoViewPhotoNumLabVisable);
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        Config::shotCutKey[2 * PanelShortcuts::SwitchView + 1] = Qt::Key_Shift;
        QTest::keyPress(&panel, Qt::Key_Shift);
        QTest::keyRelease(&panel, Qt::Key_Shift);
        QCOMPARE(label.count(), 2);
        QCOMPARE(label.at(0).at(0).toBool(), true);
        QCOMPARE(label.at(1).at(0).toBool(), false);
        QVERIFY(s.icons()->isHidden());
        QCOMPARE(shown.count(), 0);
    }

    // Left and Right step through the icons only while the icons are shown; a click on an
    // icon or a row makes its photo the current one.
    void stepsAndClicks()
    {
        PhotoOperation& panel = open();
        QSignalSpy image(&panel, &PhotoOperation::SendImage);
        ImageData* store = ImageData::getInstance();
        press(Qt::Key_Right);
        QCOMPARE(image.count(), 0);

        QTableView* table = panel.findChild<QTableView*>();
        emit table->clicked(table->model()->index(2, 0));
        QCOMPARE(store->getCurrentImage().GetImageName(), QStringLiteral("p03.jpg"));
        QCOMPARE(Config::chengpin_idx, 2);
        QCOMPARE(image.count(), 1);

        press(Qt::Key_F11);
        QListWidget* icons = s.icons();
        emit icons->itemClicked(icons->item(1));
        QCOMPARE(store->getCurrentImage().GetImageName(), QStringLiteral("p02.jpg"));
        icons->setCurrentRow(1);
        press(Qt::Key_Right);
        QCOMPARE(store->getCurrentImage().GetImageName(), QStringLiteral("p03.jpg"));
        press(Qt::Key_Right);
        QCOMPARE(store->getCurrentImage().GetImageName(), QStringLiteral("p01.jpg"));
        press(Qt::Key_Left);
        QCOMPARE(store->getCurrentImage().GetImageName(), QStringLiteral("p03.jpg"));
    }
};

QTEST_MAIN(TestPanelShortcuts)
#include "tst_panelshortcuts.moc"
