#ifndef DROPBUTTON_H
#define DROPBUTTON_H

#include <QMetaType>
#include <QPushButton>

// The direction of a move started by a drop on an album button.
enum ButtonUsage {
    USAGE_TO_DELETED = 0, // move the selected photos to 汰片
    USAGE_TO_FINE = 1     // move them back to 成品 (or 设计)
};
Q_DECLARE_METATYPE(ButtonUsage)

// An album button that is also a drop target. A drop carries no data: it only reports the
// button's usage, and the album panel works on its own current selection.
class DropButton : public QPushButton
{
    Q_OBJECT
public:
    explicit DropButton(ButtonUsage usage, QWidget* parent = nullptr);

    ButtonUsage getUsage() const { return usage; }

signals:
    void dropMessage(ButtonUsage usage);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const ButtonUsage usage;
};

#endif // DROPBUTTON_H
