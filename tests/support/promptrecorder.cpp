#include "tests/support/promptrecorder.h"

#include <QCoreApplication>
#include <QDebug>

PromptRecorder::PromptRecorder()
    : m_previous(Prompt::currentHandler())
{
    Prompt::setHandler([this](const PromptCall& call) {
        m_calls.append(call);
        return m_answers.isEmpty() ? QVariant() : m_answers.takeFirst();
    });
}

PromptRecorder::~PromptRecorder()
{
    Prompt::setHandler(m_previous);
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

// Every test process answers boxes that no recorder is waiting for with their default,
// and says so, instead of opening a real box.
static void installFailSafePrompt()
{
    Prompt::setHandler([](const PromptCall& call) {
        qWarning().noquote() << "unanswered prompt:" << call.title << call.text;
        return QVariant();
    });
}
Q_COREAPP_STARTUP_FUNCTION(installFailSafePrompt)
