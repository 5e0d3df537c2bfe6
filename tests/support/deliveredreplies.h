#ifndef DELIVEREDREPLIES_H
#define DELIVEREDREPLIES_H

#include <QObject>

// Counts the one-shot request objects (HttpRequest) that have delivered their reply: each
// frees itself right after, so its deferred deletion is the mark. Watches the whole
// application while it lives.
class DeliveredReplies : public QObject
{
public:
    DeliveredReplies();
    ~DeliveredReplies() override;

    int count = 0;

    // Runs the event loop until count reaches n; false when it did not in time.
    bool waitFor(int n, int timeoutMs = 30000);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#endif // DELIVEREDREPLIES_H
