#ifndef WORKER_H
#define WORKER_H

#include <QFutureInterface>
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>

#include <type_traits>
#include <utility>

// The one road by which a window runs a job off the GUI thread and gets its result back.
//
//     Worker::run(this, [folder] { return N8SelectionRead::read(folder); },
//         [this](const N8SelectionRead::Selection& selection) { showSelection(selection); });
//
// Thread: the job runs on a thread of Qt's global pool and touches only what it captured by
// value (never the receiver or a widget). onDone runs on the receiver's thread (the GUI thread
// for a window), called with the job's result, or with nothing for a job that returns void.
// Call run on the receiver's thread.
// Lifetime: onDone is called exactly once while the receiver exists; once the receiver is gone
// it is never called, and the result is discarded when the job ends. A running job is not
// stopped: a window that must not be left behind by stale results keeps its own counter.
// Results of several jobs arrive in the order in which the jobs end.
// Who deletes: the pool deletes the job; a watcher owned by the receiver waits for the result
// and is deleted after onDone (or with the receiver). A job the pool drops unrun (its queue
// cleared) delivers nothing. priority places the job among those waiting in the pool.
namespace Worker {

template <typename Job, typename Done> void run(QObject* receiver, Job job, Done onDone, int priority = 0)
{
    using Result = std::invoke_result_t<Job&>;
    QFutureInterface<Result> promise;
    promise.reportStarted();
    // The watcher is the hand-over: the job only reports into the shared future, which posts
    // to the watcher while it exists; it never touches the receiver.
    auto* watcher = new QFutureWatcher<Result>(receiver);
    QObject::connect(watcher, &QFutureWatcherBase::finished, receiver, [watcher, onDone = std::move(onDone)]() mutable {
        watcher->deleteLater();
        if constexpr (std::is_void_v<Result>)
            onDone();
        else
            onDone(watcher->result());
    });
    watcher->setFuture(promise.future());
    QThreadPool::globalInstance()->start(
        [promise, job = std::move(job)]() mutable {
            if constexpr (std::is_void_v<Result>)
                job();
            else
                promise.reportResult(job());
            promise.reportFinished();
        },
        priority);
}

} // namespace Worker

#endif // WORKER_H
