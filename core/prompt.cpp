#include "core/prompt.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>

Prompt::Handler& Prompt::handler()
{
    static Handler h;
    return h;
}

void Prompt::setHandler(Handler h)
{
    handler() = std::move(h);
}

Prompt::Handler Prompt::currentHandler()
{
    return handler();
}

void Prompt::clearHandler()
{
    handler() = nullptr;
}

bool Prompt::hasHandler()
{
    return bool(handler());
}

QMessageBox::StandardButton Prompt::box(PromptCall::Kind kind, QWidget* parent, const QString& title,
    const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (handler()) {
        PromptCall call;
        call.kind = kind;
        call.title = title;
        call.text = text;
        call.buttons = buttons;
        call.defaultButton = defaultButton;
        call.parent = parent;
        const QVariant answer = handler()(call);
        if (answer.isValid())
            return QMessageBox::StandardButton(answer.toInt());
        if (defaultButton != QMessageBox::NoButton)
            return defaultButton;
        return (buttons & QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
    }
    switch (kind) {
    case PromptCall::Warning:
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    case PromptCall::Critical:
        return QMessageBox::critical(parent, title, text, buttons, defaultButton);
    case PromptCall::Question:
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    case PromptCall::About:
        QMessageBox::about(parent, title, text);
        return QMessageBox::Ok;
    default:
        return QMessageBox::information(parent, title, text, buttons, defaultButton);
    }
}

QMessageBox::StandardButton Prompt::information(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return box(PromptCall::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton Prompt::warning(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return box(PromptCall::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton Prompt::critical(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return box(PromptCall::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton Prompt::question(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return box(PromptCall::Question, parent, title, text, buttons, defaultButton);
}

void Prompt::about(QWidget* parent, const QString& title, const QString& text)
{
    box(PromptCall::About, parent, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

static QVariant askHandler(PromptCall::Kind kind, const QString& caption, const QString& dir, const QString& filter,
    const std::function<QVariant(const PromptCall&)>& h)
{
    PromptCall call;
    call.kind = kind;
    call.title = caption;
    call.text = dir;
    call.filter = filter;
    return h(call);
}

QString Prompt::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (handler())
        return askHandler(PromptCall::OpenFile, caption, dir, filter, handler()).toString();
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QStringList Prompt::getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (handler())
        return askHandler(PromptCall::OpenFiles, caption, dir, filter, handler()).toStringList();
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString Prompt::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (handler())
        return askHandler(PromptCall::SaveFile, caption, dir, filter, handler()).toString();
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString Prompt::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    if (handler())
        return askHandler(PromptCall::ExistingDirectory, caption, dir, QString(), handler()).toString();
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

bool Prompt::openUrl(const QUrl& url)
{
    if (handler()) {
        PromptCall call;
        call.kind = PromptCall::OpenUrl;
        call.text = url.toString();
        const QVariant answer = handler()(call);
        return answer.isValid() ? answer.toBool() : true;
    }
    return QDesktopServices::openUrl(url);
}

int Prompt::exec(QDialog* dialog)
{
    if (handler()) {
        PromptCall call;
        call.kind = PromptCall::ExecDialog;
        call.title = dialog->windowTitle();
        call.dialogClass = QString::fromLatin1(dialog->metaObject()->className());
        // A message box run by hand (own button texts) is recorded with its text.
        if (const QMessageBox* box = qobject_cast<const QMessageBox*>(dialog)) {
            call.text = box->text();
            call.buttons = box->standardButtons();
        }
        const QVariant answer = handler()(call);
        const int code = answer.isValid() ? answer.toInt() : int(QDialog::Rejected);
        dialog->setResult(code);
        return code;
    }
    return dialog->exec();
}
