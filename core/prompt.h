#ifndef PROMPT_H
#define PROMPT_H

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <functional>

class QDialog;
class QWidget;

// One call of a blocking interaction: a message box, a file dialog, a URL handed to
// the desktop, or a dialog run with exec().
struct PromptCall
{
    enum Kind {
        Information,
        Warning,
        Critical,
        Question,
        About,
        OpenFile,
        OpenFiles,
        SaveFile,
        ExistingDirectory,
        OpenUrl,
        ExecDialog
    };
    Kind kind = Information;
    QString title;
    QString text;   // message text, or the start folder of a file dialog, or the URL
    QString filter; // file dialogs only
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString dialogClass;             // ExecDialog: the dialog's class name
    const QWidget* parent = nullptr; // boxes only: the window the box belongs to, if any
};

// The one place through which every blocking box and dialog of the client passes.
// Tests install a handler that records the call and answers it, so nothing modal
// ever waits for a person.
class Prompt
{
public:
    Prompt() = delete;

    // The handler answers with a QMessageBox::StandardButton (int) for boxes, a QString or
    // QStringList for file dialogs, a bool for OpenUrl and an int (QDialog::DialogCode) for
    // ExecDialog. An invalid QVariant takes the call's default answer.
    using Handler = std::function<QVariant(const PromptCall&)>;
    static void setHandler(Handler handler);
    static Handler currentHandler();
    static void clearHandler();
    static bool hasHandler();

    static QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Questions default to Yes and No with Yes as the default button.
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
        QMessageBox::StandardButton defaultButton = QMessageBox::Yes);
    static void about(QWidget* parent, const QString& title, const QString& text);

    static QString getOpenFileName(
        QWidget* parent, const QString& caption, const QString& dir = QString(), const QString& filter = QString());
    static QStringList getOpenFileNames(
        QWidget* parent, const QString& caption, const QString& dir = QString(), const QString& filter = QString());
    static QString getSaveFileName(
        QWidget* parent, const QString& caption, const QString& dir = QString(), const QString& filter = QString());
    static QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir = QString());

    static bool openUrl(const QUrl& url);

    // Runs a dialog's own blocking loop (print dialog, crop-size dialog, ...).
    static int exec(QDialog* dialog);

private:
    static QMessageBox::StandardButton box(PromptCall::Kind kind, QWidget* parent, const QString& title,
        const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton);
    static Handler& handler();
};

#endif // PROMPT_H
