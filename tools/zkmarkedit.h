#ifndef ZKMARKEDIT_H
#define ZKMARKEDIT_H

#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;
class QTextEdit;
class ZKMarker;

// The numbered text box of one marker in the mark editor's side panel. It holds the
// mark's plain text and asks for its deletion by delEditSgl; the editor deletes both the
// box and its marker.
class ZKMarkEdit : public QFrame
{
    Q_OBJECT
public:
    ZKMarkEdit(int number, ZKMarker* marker, QWidget* parent = nullptr);

    int getNum() const { return markNum; }
    QString getEditText() const;
    // Plain text always: a mark text that looks like markup is still shown as typed.
    void setEditText(const QString& text);

    // Read directly by the editor.
    ZKMarker* marker;

signals:
    void delEditSgl(ZKMarkEdit* edit);
    void editTextChanged();

private slots:
    void delEditAction();
    void editAdjustHgt();

private:
    int markNum;
    QLabel* numberLabel;
    QTextEdit* textEdit;
    QPushButton* deleteButton;
};

#endif // ZKMARKEDIT_H
