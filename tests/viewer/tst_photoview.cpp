#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "standin/demodata.h"
#include "viewer/movicedialog.h"
#include "viewer/tipdialog.h"
#include "tests/support/toplevel.h"
#include "viewer/photoview.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestPhotoView : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Config::isLocked = false; }

    void cropAndRemarkFollowAlbumAndLock_data()
    {
        QTest::addColumn<bool>("enable");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("album 1") << true << false << true;
        QTest::newRow("other album") << false << false << false;
        QTest::newRow("album 1, locked") << true << true << false;
    }

    void cropAndRemarkFollowAlbumAndLock()
    {
        QFETCH(bool, enable);
        QFETCH(bool, locked);
        QFETCH(bool, enabled);
        PhotoView view;
        auto* clip = view.findChild<QPushButton*>("BottomButton_Clip");
        auto* remark = view.findChild<QPushButton*>("BottomButton_Remark");
        QVERIFY(clip && remark);
        QVERIFY(!clip->isEnabled()); // nothing shown yet
        Config::isLocked = locked;
        view.setButtonsEnable(enable);
        QCOMPARE(clip->isEnabled(), enabled);
        QCOMPARE(remark->isEnabled(), enabled);
        view.setLocked();
        QCOMPARE(clip->isEnabled(), !locked);
    }

    void photoNumberLabelCountsTheFolders()
    {
        QTemporaryDir order;
        const QString root = order.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + QStringLiteral("成品")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("汰片")));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(DemoData::writePhoto(root + QStringLiteral("成品/IMG_%1.jpg").arg(i), 40, 30, "f"));
        QVERIFY(DemoData::writePhoto(root + QStringLiteral("汰片/IMG_9.jpg"), 40, 30, "d"));
        DirServer::setOrderPath(root);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->setType(PHOTO_FINE, SELE_ALL);
        ImageData::getInstance()->setIterator(1, SELE_ALL);

        QWidget window;
        PhotoView* view = new PhotoView(&window);
        window.resize(800, 600);
        view->resize(700, 500);
        window.show();
        QLabel* label = nullptr;
        for (QLabel* l : window.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            label = l;
        QVERIFY(label); // floats over the whole window, not inside the pane
        view->slt_photoNumLabVisible(true);
        QCOMPARE(label->text(), QStringLiteral("2/3/1"));
        QVERIFY(!label->isHidden());
        QCOMPARE(label->geometry(), QRect(700 - 100, 10, 100, 30));
        view->slt_photoNumLabVisible(false);
        QVERIFY(label->isHidden());
        ImageData::getInstance()->clearImages();
    }

    void setAsidePopupReportsOnceAfterClosing()
    {
        PhotoView view;
        view.resize(600, 400);
        QSignalSpy stopped(&view, &PhotoView::sendAnimalStopDeleteIMG);
        view.showCryLabelNew({QStringLiteral("IMG_1.jpg")});
        const QList<MoviceDialog*> popups = topLevelWindows<MoviceDialog>();
        QCOMPARE(popups.size(), 1);
        MoviceDialog* popup = popups.first();
        QCOMPARE(MoviceDialog::tip, QStringLiteral("删除成功"));
        QCOMPARE(popup->windowModality(), Qt::ApplicationModal);
        QCOMPARE(popup->pos(), QPoint(600 / 2 - 110, 400 / 2));
        QCOMPARE(stopped.count(), 0); // the move waits for the popup
        QVERIFY(stopped.wait(30000));
        QTest::qWait(50);
        QCOMPARE(stopped.count(), 1);
    }

    void setAsidePopupOfOtherStylesIsTheAnimatedOne()
    {
        Config::delete_style = QStringLiteral("2");
        PhotoView view;
        view.resize(600, 400);
        view.show();
        QSignalSpy stopped(&view, &PhotoView::sendAnimalStopDeleteIMG);
        view.showCryLabelNew({QStringLiteral("IMG_1.jpg")});
        Config::delete_style.clear();
        const QList<TipDialog*> popups = view.findChildren<TipDialog*>();
        QCOMPARE(popups.size(), 1);
        TipDialog* popup = popups.first();
        QCOMPARE(TipDialog::tip, QStringLiteral("删除成功"));
        QCOMPARE(popup->windowModality(), Qt::ApplicationModal);
        QVERIFY(popup->isVisible());
        const QWidget* scroll = view.findChild<QWidget*>("imagescroll");
        QCOMPARE(popup->size(), scroll->size() + QSize(10, 20));
        QCOMPARE(stopped.count(), 0); // the move waits for the popup
        QVERIFY(stopped.wait(30000));
        QTest::qWait(50);
        QCOMPARE(stopped.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(view.findChildren<TipDialog*>().isEmpty(), 30000);
        TipDialog::last = 1500;
    }
};

QTEST_MAIN(TestPhotoView)
#include "tst_photoview.moc"
