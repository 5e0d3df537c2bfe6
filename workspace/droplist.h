#ifndef DROPLIST_H
#define DROPLIST_H

#include <QListWidget>

// A list that takes drops like DropListWidget: a drop only emits dropMessage().
class DropList : public QListWidget
{
    Q_OBJECT
public:
    explicit DropList(QWidget* parent = nullptr);

signals:
    void dropMessage();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

#endif // DROPLIST_H
