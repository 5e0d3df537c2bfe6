#ifndef EVENTWAIT_H
#define EVENTWAIT_H

#include <functional>

// Runs the event loop until condition holds or timeoutMs pass; true when it holds.
// Unlike QTest::qWaitFor it never sleeps between checks, so a request and its
// reply on the test's own loop take milliseconds rather than a sleep per step.
// The default is generous: beside other builds a worker's job or a reply can take
// seconds, and a wait that holds returns at once anyway.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 30000);

#endif // EVENTWAIT_H
