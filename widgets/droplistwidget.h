#ifndef DROPLISTWIDGET_H
#define DROPLISTWIDGET_H

#include <QListWidget>

// The products panel's photo list as a drop target: a drop only emits dropMessage(); the
// dragged data is never read and nothing is inserted, the panel asks the album panel for
// its selection instead.
class DropListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit DropListWidget(QWidget* parent = nullptr);

signals:
    void dropMessage();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

#endif // DROPLISTWIDGET_H
