#ifndef PROMPTRECORDER_H
#define PROMPTRECORDER_H

#include "core/prompt.h"

#include <QList>
#include <QVariant>

// Records every box and dialog the client raises and answers it: from the queue of
// answers when one is waiting, otherwise with the call's default. On destruction the handler
// that was there before comes back: in tests that is the fail-safe one, so a box raised
// after a recorder is gone still never waits for a person.
class PromptRecorder
{
public:
    PromptRecorder();
    ~PromptRecorder();

    void answer(const QVariant& value) { m_answers.append(value); }
    const QList<PromptCall>& calls() const { return m_calls; }
    int count() const { return m_calls.size(); }
    PromptCall last() const { return m_calls.isEmpty() ? PromptCall() : m_calls.last(); }
    QStringList texts() const;
    bool contains(const QString& title, const QString& text) const;
    void clear() { m_calls.clear(); }

private:
    QList<PromptCall> m_calls;
    QList<QVariant> m_answers;
    Prompt::Handler m_previous;
};

#endif // PROMPTRECORDER_H
