#ifndef ALBUMPANELPROBE_H
#define ALBUMPANELPROBE_H

#include <QString>
#include <QStringList>

class PhotoOperation;
class ProgressWindow;
class QListWidget;
class QPushButton;
class QStandardItemModel;

// Reads the album panel's views as the operator sees them and waits for its work.
class AlbumPanelProbe
{
public:
    AlbumPanelProbe() = delete;

    static QStandardItemModel* table(PhotoOperation& panel);
    static QListWidget* icons(PhotoOperation& panel);
    // The texts of one table column, top to bottom.
    static QStringList column(PhotoOperation& panel, int column);
    static QString albumLabel(PhotoOperation& panel);
    // The panel's button with this text, or null.
    static QPushButton* button(PhotoOperation& panel, const QString& text);
    // The panel's progress popup (the only one while one panel lives).
    static ProgressWindow* progress();
    // Lets every thumbnail job finish and delivers its reply.
    static void settle();
};

#endif // ALBUMPANELPROBE_H
