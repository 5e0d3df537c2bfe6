#ifndef MYCOMBOBOX_H
#define MYCOMBOBOX_H

#include <QComboBox>

// Combo box for use inside scrolled tables: the mouse wheel neither changes the
// current item nor scrolls the table around it.
class myComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit myComboBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

#endif // MYCOMBOBOX_H
