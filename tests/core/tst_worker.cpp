#include "core/worker.h"
#include "tests/support/eventwait.h"

#include <QFutureWatcherBase>
#include <QSemaphore>
#include <QSet>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <atomic>
#include <memory>

class TestWorker : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void resultArrivesOnTheReceiversThread()
    {
        QWidget window;
        QThread* jobThread = nullptr;
        QThread* doneThread = nullptr;
        int calls = 0;
        Worker::run(
            &window, [] { return QThread::currentThread(); },
            [&](QThread* const& ranOn) {
                jobThread = ranOn;
                doneThread = QThread::currentThread();
                ++calls;
            });
        QVERIFY(waitUntil([&] { return calls > 0; }));
        QCOMPARE(calls, 1);
        QVERIFY(jobThread != qApp->thread());
        QCOMPARE(doneThread, qApp->thread());
    }

    void voidJobCallsDoneWithNothing()
    {
        QObject receiver;
        std::atomic<bool> ran {false};
        bool done = false;
        Worker::run(
            &receiver, [&ran] { ran = true; }, [&] { done = ran; });
        QVERIFY(waitUntil([&] { return done; }));
    }

    void watcherGoesAfterDone()
    {
        QObject receiver;
        bool done = false;
        Worker::run(
            &receiver, [] { return 7; }, [&](int) { done = true; });
        QCOMPARE(receiver.findChildren<QFutureWatcherBase*>().size(), 1);
        QVERIFY(waitUntil([&] { return done; }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(receiver.findChildren<QFutureWatcherBase*>().isEmpty());
    }

    void receiverGoneBeforeTheJobEndsGetsNoCall()
    {
        QSemaphore started;
        QSemaphore gate;
        std::weak_ptr<int> result;
        bool called = false;
        auto* window = new QWidget;
        Worker::run(
            window,
            [&] {
                auto value = std::make_shared<int>(1);
                result = value;
                started.release();
                gate.acquire();
                return value;
            },
            [&](const std::shared_ptr<int>&) { called = true; });
        QVERIFY(started.tryAcquire(1, 10000));
        delete window;
        gate.release();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!called);
        // Nobody holds the result any more.
        QVERIFY(result.expired());
    }

    void receiverGoneWithTheResultOnItsWayGetsNoCall()
    {
        bool called = false;
        auto* receiver = new QObject;
        Worker::run(
            receiver, [] { return QStringLiteral("late"); }, [&](const QString&) { called = true; });
        // The result is posted to the watcher, not yet delivered.
        QThreadPool::globalInstance()->waitForDone();
        delete receiver;
        QCoreApplication::processEvents();
        QVERIFY(!called);
    }

    void manyJobsEachDeliverOnce()
    {
        const int jobs = 300;
        QObject kept;
        auto* dropped = new QObject;
        QList<int> keptResults;
        int droppedCalls = 0;
        QSemaphore gate;
        for (int i = 0; i < jobs; ++i) {
            Worker::run(
                &kept,
                [i] {
                    QThread::usleep(static_cast<unsigned long>(i % 7) * 50);
                    return i;
                },
                [&](int value) {
                    QCOMPARE(QThread::currentThread(), qApp->thread());
                    keptResults << value;
                });
            Worker::run(
                dropped,
                [i, &gate] {
                    if (i == 0)
                        gate.acquire();
                    return i;
                },
                [&](int) { ++droppedCalls; });
        }
        delete dropped;
        gate.release();
        QVERIFY(waitUntil([&] { return keptResults.size() == jobs; }));
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(keptResults.size(), jobs);
        QCOMPARE(QSet<int>(keptResults.begin(), keptResults.end()).size(), jobs);
        QCOMPARE(droppedCalls, 0);
    }
};

QTEST_MAIN(TestWorker)
#include "tst_worker.moc"
