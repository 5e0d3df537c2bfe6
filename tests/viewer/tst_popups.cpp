#include "core/config.h"
#include "viewer/movicedialog.h"
#include "viewer/progresswindow.h"
#include "viewer/tipdialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

class TestPopups : public QObject
{
    Q_OBJECT
private slots:
    void progressShowsCountsAndHidesWhenDone_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("barValue");
        QTest::addColumn<bool>("visible");
        QTest::newRow("3 of 10") << 10 << 3 << "3/10" << 3 << true;
        QTest::newRow("10 of 10") << 10 << 10 << "10/10" << 10 << false;
        QTest::newRow("0 of 0") << 0 << 0 << "0/0" << 0 << false;
        QTest::newRow("past the end keeps the bar") << 10 << 12 << "12/10" << 3 << true;
    }

    void progressShowsCountsAndHidesWhenDone()
    {
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(QString, text);
        QFETCH(int, barValue);
        QFETCH(bool, visible);
        ProgressWindow progress;
        QCOMPARE(progress.windowTitle(), QStringLiteral("正在更新照片..."));
        QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!progress.isVisible()); // a new popup waits for its owner
        progress.show();
        progress.setValue(10, 3);
        progress.setValue(maximum, value);
        QCOMPARE(progress.findChild<QLabel*>("label")->text(), text);
        QCOMPARE(progress.findChild<QProgressBar*>("progressBar")->value(), barValue);
        QCOMPARE(progress.isVisible(), visible);
    }

    void moviceClosesItselfThenReportsOnce()
    {
        MoviceDialog::tip = QStringLiteral("删除成功");
        QPointer<MoviceDialog> popup = new MoviceDialog(nullptr);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        QCOMPARE(popup->findChild<QLabel*>("label")->text(), QStringLiteral("删除成功"));
        QVERIFY(popup->windowFlags() & Qt::FramelessWindowHint);
        // The text read at construction stays when the static changes afterwards.
        MoviceDialog::tip = QStringLiteral("删除完成");
        QCOMPARE(popup->findChild<QLabel*>("label")->text(), QStringLiteral("删除成功"));

        bool closedFirst = false;
        connect(popup.data(), &MoviceDialog::finishTipDailog, this, [&] { closedFirst = !popup->isVisible(); });
        QSignalSpy finished(popup.data(), &MoviceDialog::finishTipDailog);
        QElapsedTimer clock;
        clock.start();
        popup->show();
        QVERIFY(finished.wait(30000));
        QVERIFY2(clock.elapsed() >= 900, "closed before its display time");
        QVERIFY(closedFirst);
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull(), 30000); // deleted on close
        QCOMPARE(finished.count(), 1);
    }

    void tipChoosesAnimationAndTimeByStyle_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lastBefore");
        QTest::addColumn<QString>("animation");
        QTest::addColumn<int>("last");
        const QString refusal = QStringLiteral("照片已指定制作，无法移至汰片");
        QTest::newRow("style 2") << "2"
                                 << "删除成功" << 1500 << ":/Play/Image/Play/cry.gif" << 2000;
        QTest::newRow("style 1") << "1"
                                 << "删除成功" << 1500 << ":/Play/Image/Play/error.gif" << 2000;
        QTest::newRow("refusal under style 1") << "1" << refusal << 2000 << "" << 1000;
        QTest::newRow("style 0 keeps the previous time") << "0"
                                                         << "删除成功" << 1000 << "" << 1000;
        QTest::newRow("no style keeps the previous time") << QString() << "删除成功" << 2000 << "" << 2000;
        QTest::newRow("unknown style") << "7"
                                       << "删除成功" << 1500 << "" << 1500;
    }

    void tipChoosesAnimationAndTimeByStyle()
    {
        QFETCH(QString, style);
        QFETCH(QString, text);
        QFETCH(int, lastBefore);
        QFETCH(QString, animation);
        QFETCH(int, last);
        Config::delete_style = style;
        TipDialog::tip = text;
        TipDialog::last = lastBefore;
        TipDialog popup(nullptr);
        QCOMPARE(TipDialog::last, last);
        QCOMPARE(popup.findChild<QLabel*>("label")->text(), text);
        QCOMPARE(popup.windowType(), Qt::Dialog);
        QMovie* movie = popup.findChild<QLabel*>("label_gif")->movie();
        QVERIFY(movie);
        QCOMPARE(movie->fileName(), animation);
        // Our own animations are real, animated pictures.
        if (!animation.isEmpty()) {
            QVERIFY(movie->isValid());
            QVERIFY(movie->frameCount() > 1);
            QCOMPARE(movie->state(), QMovie::Running);
        }
        Config::delete_style.clear();
        TipDialog::last = 1500;
    }

    void tipClosesAfterStartAnimaThenReportsOnce()
    {
        Config::delete_style = QStringLiteral("2");
        TipDialog::tip = QStringLiteral("删除成功");
        QPointer<TipDialog> popup = new TipDialog(nullptr);
        Config::delete_style.clear();
        popup->setAttribute(Qt::WA_DeleteOnClose);
        QSignalSpy finished(popup.data(), &TipDialog::finishTipDailog);
        bool closedFirst = false;
        connect(popup.data(), &TipDialog::finishTipDailog, this, [&] { closedFirst = !popup->isVisible(); });
        popup->show();
        // Without startAnima() the popup stays.
        QVERIFY(!finished.wait(500));
        QVERIFY(popup->isVisible());
        QElapsedTimer clock;
        clock.start();
        popup->startAnima();
        QVERIFY(finished.wait(30000));
        // A coarse timer may fire up to 5% early.
        QVERIFY2(clock.elapsed() >= 1800, "closed before its display time");
        QVERIFY(closedFirst);
        QTRY_VERIFY_WITH_TIMEOUT(popup.isNull(), 30000);
        QCOMPARE(finished.count(), 1);
        TipDialog::last = 1500;
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"
