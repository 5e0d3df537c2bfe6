#ifndef PROGRESSWINDOW_H
#define PROGRESSWINDOW_H

#include <QDialog>

namespace Ui {
class ProgressWindow;
}

// The popup "正在更新照片..." that shows how far a batch of photo work has come and hides
// itself when the batch is complete. It has no close button: its owner shows it.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    ~ProgressWindow() override;

    // Bar and text "value/maximum"; hides the popup once value reaches maximum (0 of 0 too).
    void setValue(int maximum, int value);

private:
    Ui::ProgressWindow* ui;
};

#endif // PROGRESSWINDOW_H
