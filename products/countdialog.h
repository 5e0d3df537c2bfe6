#ifndef COUNTDIALOG_H
#define COUNTDIALOG_H

#include <QDialog>
#include <QString>

class QLineEdit;

// What the three count dialogs of the product table share: a top-level window without minimize and maximize
// buttons, a line edit that takes digits without a leading zero, and the refusal of an empty entry.
//
// A count dialog is shown without modality, reports its value by its own signal and closes; it deletes itself on
// close, so nobody may keep a plain pointer to it.
class CountDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CountDialog(QWidget* parent = nullptr);

protected:
    // Gives the line edit the digits-only validator.
    static void setUpEntry(QLineEdit* entry);
    // True when the entry holds a value; otherwise the "提示" box with emptyText, and the dialog stays open.
    static bool hasEntry(const QLineEdit* entry, const QString& emptyText);
};

#endif // COUNTDIALOG_H
