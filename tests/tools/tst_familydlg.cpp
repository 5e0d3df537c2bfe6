#include "standin/demodata.h"
#include "tests/support/poolblocker.h"
#include "tests/support/promptrecorder.h"
#include "tools/familydlg.h"
#include "tools/selectfamilytypedialog.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestFamilyDlg : public QObject
{
    Q_OBJECT
private slots:
    void listsTemplatesByNameAndHandsOnThePath()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        for (const char* name : {"b.Png", "a.JPG", "C.bmp", "d.jpeg"})
            QVERIFY(DemoData::writePhoto(root + QLatin1String(name), 20, 20, "t"));
        QFile gif(root + QStringLiteral("e.gif"));
        QVERIFY(gif.open(QIODevice::WriteOnly));
        gif.close();

        FamilyDlg chooser;
        chooser.importFamilyPic(root);
        auto* list = chooser.findChild<QListWidget*>("listWidget");
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 4, 30000);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        QCOMPARE(texts, (QStringList {"a.jpg", "b.png", "C.bmp", "d.jpeg"}));
        QCOMPARE(list->item(0)->toolTip(), QStringLiteral("a.jpg"));
        // Thumbnails arrive from pool jobs, one per template.
        QTRY_VERIFY_WITH_TIMEOUT(!list->item(0)->icon().isNull() && !list->item(3)->icon().isNull(), 30000);

        QString chosen;
        connect(&chooser, &FamilyDlg::sendFamilyBigPicPath, this, [&](QString& p) { chosen = p; });
        emit list->itemDoubleClicked(list->item(2));
        QCOMPARE(chosen, root + QStringLiteral("C.bmp"));

        // A thumbnail for a row that is gone is ignored.
        chooser.updateThumbIcon(7, QPixmap(10, 10));
        QCOMPARE(list->count(), 4);
    }

    void missingFolderSaysSoAndLeavesTheListEmpty()
    {
        PromptRecorder prompts;
        FamilyDlg chooser;
        auto* list = chooser.findChild<QListWidget*>("listWidget");
        list->addItem(QStringLiteral("old"));
        chooser.importFamilyPic(QStringLiteral("/nonexistent/模板/卧室/"));
        QCOMPARE(list->count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(prompts.contains("警告", "家具效果模板目录不存在!\n/nonexistent/模板/卧室/"), 30000);
        QCOMPARE(list->count(), 0);
    }

    // The folder is read on a worker: the call returns before it is read, only the latest
    // call fills the list, and a chooser gone meanwhile gets nothing.
    void folderReadOnWorkerLatestCallWins()
    {
        QTemporaryDir first, second;
        QVERIFY(DemoData::writePhoto(first.filePath("old.jpg"), 20, 20, "t"));
        QVERIFY(DemoData::writePhoto(second.filePath("new.jpg"), 20, 20, "t"));
        PromptRecorder prompts;
        FamilyDlg chooser;
        auto* list = chooser.findChild<QListWidget*>("listWidget");
        {
            PoolBlocker pool;
            chooser.importFamilyPic(first.path());
            chooser.importFamilyPic(QStringLiteral("/nonexistent/"));
            chooser.importFamilyPic(second.path());
            QCOMPARE(list->count(), 0);
            auto gone = std::make_unique<FamilyDlg>();
            gone->importFamilyPic(first.path());
        }
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 30000);
        QCOMPARE(list->item(0)->text(), QStringLiteral("new.jpg"));
        QTRY_VERIFY_WITH_TIMEOUT(!list->item(0)->icon().isNull(), 30000);
        QCoreApplication::processEvents();
        QCOMPARE(list->count(), 1);
        QCOMPARE(prompts.count(), 0);
    }

    // Icons of an earlier listing still on their way must not land on the rows of the
    // newer one: row 0 of the new listing is unreadable and must keep an empty icon.
    void lateIconsOfAnEarlierListingAreDropped()
    {
        QTemporaryDir first, second;
        QVERIFY(DemoData::writePhoto(first.filePath("a.jpg"), 40, 40, "a"));
        QVERIFY(DemoData::writePhoto(first.filePath("b.jpg"), 40, 40, "b"));
        QFile broken(second.filePath("a_broken.jpg"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        QVERIFY(DemoData::writePhoto(second.filePath("b_good.jpg"), 40, 40, "g"));

        FamilyDlg chooser;
        auto* list = chooser.findChild<QListWidget*>("listWidget");
        auto pool = std::make_unique<PoolBlocker>();
        chooser.importFamilyPic(first.path());
        pool->release(); // the first folder is read; its rows wait in the event queue
        pool = std::make_unique<PoolBlocker>();
        QCoreApplication::processEvents(); // rows of the first listing, icon jobs queued
        QCOMPARE(list->count(), 2);
        chooser.importFamilyPic(second.path()); // read ahead of the queued icon jobs
        pool->release();                        // the second folder's rows, then the first listing's icons
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, 30000);
        QCOMPARE(list->item(0)->text(), QStringLiteral("a_broken.jpg"));
        QTRY_VERIFY_WITH_TIMEOUT(!list->item(1)->icon().isNull(), 30000);
        QCoreApplication::processEvents();
        QVERIFY(list->item(0)->icon().isNull());
    }

    void typeButtonsSendTheirTypeAndClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("type");
        QTest::newRow("卧室效果") << "pushButton" << 0;
        QTest::newRow("客厅效果") << "pushButton_2" << 1;
        QTest::newRow("其他效果") << "pushButton_3" << 2;
    }

    void typeButtonsSendTheirTypeAndClose()
    {
        QFETCH(QString, button);
        QFETCH(int, type);
        SelectFamilyTypeDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("选择"));
        dialog.show();
        QSignalSpy sent(&dialog, &SelectFamilyTypeDialog::sendType);
        dialog.findChild<QPushButton*>(button)->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().first().toInt(), type);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestFamilyDlg)
#include "tst_familydlg.moc"
