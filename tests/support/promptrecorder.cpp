#include "tests/support/promptrecorder.h"

PromptRecorder::PromptRecorder()
{
    Prompt::setHandler([this](const PromptCall& call) {
        m_calls.append(call);
        return m_answers.isEmpty() ? QVariant() : m_answers.takeFirst();
    });
}

PromptRecorder::~PromptRecorder()
{
    Prompt::clearHandler();
}

QStringList PromptRecorder::texts() const
{
    QStringList out;
    for (const PromptCall& c : m_calls)
        out << c.text;
    return out;
}

bool PromptRecorder::contains(const QString& title, const QString& text) const
{
    for (const PromptCall& c : m_calls)
        if (c.title == title && c.text == text)
            return true;
    return false;
}
