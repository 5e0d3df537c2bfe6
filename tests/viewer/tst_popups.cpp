#include "viewer/movicedialog.h"
#include "viewer/progresswindow.h"

#include <QElapsedTimer>
#include <QLabel>
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
        connect(popup.data(), &MoviceDialog::finishTipDailog, this,
            [&] { closedFirst = !popup->isVisible(); });
        QSignalSpy finished(popup.data(), &MoviceDialog::finishTipDailog);
        QElapsedTimer clock;
        clock.start();
        popup->show();
        QVERIFY(finished.wait(3000));
        QVERIFY2(clock.elapsed() >= 900, "closed before its display time");
        QVERIFY(closedFirst);
        QTRY_VERIFY(popup.isNull()); // deleted on close
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"
