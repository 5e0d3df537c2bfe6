#include "products/countdialog.h"

#include "core/prompt.h"

#include <QLineEdit>
#include <QRegExp>
#include <QRegExpValidator>

CountDialog::CountDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
}

void CountDialog::setUpEntry(QLineEdit* entry)
{
    entry->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[1-9][0-9]+$")), entry));
}

bool CountDialog::hasEntry(const QLineEdit* entry, const QString& emptyText)
{
    if (!entry->text().isEmpty())
        return true;
    Prompt::information(nullptr, QStringLiteral("提示"), emptyText, QMessageBox::Yes, QMessageBox::Yes);
    return false;
}
