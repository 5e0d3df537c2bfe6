#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "standin/demodata.h"
#include "tests/support/eventwait.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "viewer/progresswindow.h"
#include "workspace/albumtablemodel.h"
#include "workspace/photooperation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

class TestPhotoOperation : public QObject
{
    Q_OBJECT
private:
    // Every panel starts loading the order's photos: the stand-in answers, and the boxes of
    // that road are recorded rather than shown.
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;

    static void setFlags(bool on)
    {
        Config::isShowRawButton = Config::isShowDesignButton = Config::isShowSelectedButton = on;
        Config::isShowUnselectButton = Config::isShowDeleteButton = Config::isShowModelButton = on;
        Config::isShowRefreshButton = Config::isOpenN8 = Config::isShowSpVideo = Config::isShowJxVideo = on;
        Config::isshow_photonum = on;
        const QString shown = on ? QStringLiteral("1") : QStringLiteral("0");
        Config::showfurniturebutton = Config::showcontrastbutton = Config::showfabricationbutton = shown;
    }

    static QStringList visibleButtons(PhotoOperation& panel)
    {
        QStringList texts;
        for (QPushButton* b : panel.findChildren<QPushButton*>())
            if (b->isVisibleTo(&panel))
                texts << b->text();
        texts.sort();
        return texts;
    }

    // Puts rows into the panel's table, as the album display would, and selects them.
    static void fillTable(PhotoOperation& panel, const QStringList& names, const QStringList& select)
    {
        auto* table = panel.findChild<QTableView*>();
        auto* model = qobject_cast<AlbumTableModel*>(table->model());
        QList<Image> photos;
        for (const QString& name : names) {
            Image photo;
            photo.Setpath(name);
            photos << photo;
        }
        model->setPhotos(photos);
        for (int row = 0; row < names.size(); ++row)
            if (select.contains(names.at(row)))
                table->selectionModel()->select(
                    model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // The popup menu that a context-menu request of view opens (null when none opens).
    static QWidget* menuOpenedBy(QWidget* view)
    {
        QWidget* opened = nullptr;
        bool looked = false;
        QTimer::singleShot(20, [&opened, &looked] {
            opened = QApplication::activePopupWidget();
            if (opened)
                opened->close();
            looked = true;
        });
        emit view->customContextMenuRequested(QPoint(1, 1));
        // Looked for in the menu's own loop, or after the request when no menu held the loop.
        waitUntil([&looked] { return looked; });
        return opened;
    }

private slots:
    void init() { m_prompts.reset(new PromptRecorder); }

    void cleanup()
    {
        m_prompts.reset();
        setFlags(false);
        Config::isLocked = false;
        Config::showfurniturebutton.clear();
        Config::showcontrastbutton.clear();
        Config::showfabricationbutton.clear();
        ImageData::getInstance()->clearImages();
    }

    void buttonsFollowTheShopFlags()
    {
        setFlags(false);
        PhotoOperation none;
        QCOMPARE(visibleButtons(none), QStringList {"成品"});
        // The N8 sync and video buttons are not even made; the N8 button is, hidden.
        QCOMPARE(none.findChildren<QPushButton*>().size(), 13);
        QVERIFY(none.findChild<QLabel*>()->text() == QStringLiteral("当前相册：照片"));
        QVERIFY(!none.findChild<QLabel*>()->isVisibleTo(&none));

        setFlags(true);
        PhotoOperation all;
        QCOMPARE(visibleButtons(all),
            (QStringList {"N8选版", "制作", "刷新", "同步N8选版", "家居", "对比", "已选", "成品", "未选", "模式",
                "汰片", "照片", "精修视频", "设计", "设计汰片", "试拍视频"}));
        QVERIFY(all.findChild<QLabel*>()->isVisibleTo(&all));

        // Only the seven album buttons are exclusive, and 成品 is on.
        int checkable = 0;
        for (QPushButton* b : all.findChildren<QPushButton*>()) {
            checkable += b->isCheckable();
            QCOMPARE(b->isChecked(), b->text() == QStringLiteral("成品"));
        }
        QCOMPARE(checkable, 7);
    }

    void menuFollowsTheAlbum_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("compareText");
        QTest::addColumn<bool>("refreshInMenu");
        QTest::addColumn<bool>("menuOpens");
        QTest::addColumn<int>("comparisons");
        QTest::newRow("成品") << "成品"
                              << "多图对比" << true << true << 1;
        QTest::newRow("汰片") << "汰片"
                              << "恢复至成品" << false << true << 0;
        QTest::newRow("设计汰片") << "设计汰片"
                                  << "恢复至设计" << false << true << 0;
        QTest::newRow("已选") << "已选"
                              << "多图对比" << false << true << 1;
        QTest::newRow("照片") << "照片"
                              << "多图对比" << true << false << 1;
    }

    // After many switches, the album's own binding is the only one left.
    void menuFollowsTheAlbum()
    {
        QFETCH(QString, album);
        QFETCH(QString, compareText);
        QFETCH(bool, refreshInMenu);
        QFETCH(bool, menuOpens);
        QFETCH(int, comparisons);
        setFlags(true);
        PhotoOperation panel;
        panel.show();
        auto button = [&panel](const QString& text) {
            for (QPushButton* b : panel.findChildren<QPushButton*>())
                if (b->text() == text)
                    return b;
            return static_cast<QPushButton*>(nullptr);
        };
        for (int i = 0; i < 4; ++i) {
            button("汰片")->click();
            button("成品")->click();
            button("设计汰片")->click();
            button("设计")->click();
            button("未选")->click();
            button("成品")->click();
        }
        button(album)->click();
        fillTable(panel, {"IMG_1.jpg", "IMG_2.jpg"}, {"IMG_2.jpg"});

        auto* menu = panel.findChild<QMenu*>();
        QAction* compare = menu->actions().value(0);
        QCOMPARE(compare->text(), compareText);
        QCOMPARE(menu->actions().size(), refreshInMenu ? 2 : 1);

        QSignalSpy compared(&panel, qOverload<QStringList>(&PhotoOperation::comparePhoto));
        compare->trigger();
        QCOMPARE(compared.count(), comparisons);
        if (comparisons)
            QCOMPARE(compared.first().first().toStringList(),
                QStringList {DirServer::getFineImageMidThumbPath() + "IMG_2.jpg"});

        auto* table = panel.findChild<QTableView*>();
        auto* icons = panel.findChild<QListWidget*>();
        QCOMPARE(menuOpenedBy(table) == menu, menuOpens);
        QCOMPARE(menuOpenedBy(icons) == menu, menuOpens);
    }

    void smallSlotsForward()
    {
        PhotoOperation panel;
        QSignalSpy produce(&panel, &PhotoOperation::producePhoto);
        panel.clickProduce();
        panel.clickProduce();
        QCOMPARE(produce.count(), 2);
        QCOMPARE(produce.at(0).first().toBool(), true);
        QCOMPARE(produce.at(1).first().toBool(), false);

        auto* table = panel.findChild<QTableView*>();
        auto* icons = panel.findChild<QListWidget*>();
        QVERIFY(!table->isHidden() && icons->isHidden());
        panel.clickSwitchView();
        QVERIFY(table->isHidden() && !icons->isHidden());
        panel.clickSwitchView();
        QVERIFY(!table->isHidden() && icons->isHidden());

        QSignalSpy family(&panel, &PhotoOperation::familyPhoto);
        QSignalSpy compare(&panel, qOverload<>(&PhotoOperation::comparePhoto));
        panel.clickFamily();
        panel.clickCompare();
        QCOMPARE(family.count(), 1);
        QCOMPARE(compare.count(), 1);
    }

    void keyboardRowMovesSelectUnlessRoomPreview()
    {
        PhotoOperation panel;
        fillTable(panel, {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg"}, {});
        auto* table = panel.findChild<QTableView*>();
        QSignalSpy clicked(table, &QTableView::clicked);
        table->setCurrentIndex(table->model()->index(1, 0));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.first().first().toModelIndex().row(), 1);
        panel.isFamilyShown = true;
        table->setCurrentIndex(table->model()->index(2, 0));
        QCOMPARE(clicked.count(), 1);
    }

    void narrowColumnsCloseWhenPainted()
    {
        PhotoOperation panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto* table = panel.findChild<QTableView*>();
        table->setColumnWidth(1, 22);
        table->setColumnWidth(2, 23);
        panel.update();
        QTRY_COMPARE_WITH_TIMEOUT(table->columnWidth(1), 0, 30000);
        QCOMPARE(table->columnWidth(2), 23);
    }

    void pressedPhotoIsDraggedByItsFullPath()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + "成品"));
        QVERIFY(DemoData::writePhoto(root + "成品/IMG_1.jpg", 20, 20, "1"));
        QVERIFY(DemoData::writePhoto(root + "成品/IMG_2.JPG", 20, 20, "2"));
        DirServer::setOrderPath(root);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);

        PhotoOperation panel;
        fillTable(panel, {"IMG_1.jpg", "IMG_2.jpg"}, {});
        auto* table = panel.findChild<QTableView*>();
        QStringList dragged;
        connect(&panel, &PhotoOperation::sendDragMessage, this, [&dragged](bool isDrag, QString& path) {
            if (isDrag)
                dragged << path;
        });
        emit table->pressed(table->model()->index(1, 0));
        emit table->pressed(table->model()->index(5, 0)); // no such photo: nothing
        QCOMPARE(dragged, QStringList {root + "成品/IMG_2.JPG"});
    }

    void usedPhotosAreRefusedOnCheck_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Yes refuses the whole selection") << int(QMessageBox::Yes) << QStringList();
        QTest::newRow("other answer skips the used one")
            << int(QMessageBox::No) << QStringList {"IMG_1.jpg", "IMG_3.jpg"};
    }

    void usedPhotosAreRefusedOnCheck()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + "成品"));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(DemoData::writePhoto(root + QStringLiteral("成品/IMG_%1.jpg").arg(i), 20, 20, "p"));
        DirServer::setOrderPath(root);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);
        ImageData::getInstance()->getImagelist(SELE_ALL)[1].setProductId(QStringLiteral("用2"));

        PromptRecorder prompts;
        prompts.answer(answer);
        PhotoOperation panel;
        fillTable(panel, {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg"}, {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg"});
        QCOMPARE(panel.GetSelectedItems(false).size(), 3);
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(panel.GetSelectedItems(true), names);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().text, QStringLiteral("照片已经被使用，不能删除！"));
    }

    void progressPopupLivesWithThePanel()
    {
        auto count = [] { return topLevelWindows<ProgressWindow>().size(); };
        const int before = count();
        {
            PhotoOperation panel;
            QCOMPARE(count(), before + 1);
        }
        QCOMPARE(count(), before);
    }
};

QTEST_MAIN(TestPhotoOperation)
#include "tst_photooperation.moc"
