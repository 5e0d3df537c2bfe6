#ifndef SUBMITANDPRINT_H
#define SUBMITANDPRINT_H

#include <QDialog>

// The submission dialog: the order's selection result and print set (ProductData::m_printProducts) go from here to
// the back end. Until submission is built it shows a notice only; sendSetLocked() is emitted once a result has been
// submitted and Config::isLocked set, which never happens yet.
//
// Opened without parent; the opener fixes its size, makes it modal and sets Qt::WA_DeleteOnClose. GUI thread only.
class SubmitandPrint : public QDialog
{
    Q_OBJECT
public:
    explicit SubmitandPrint(QWidget* parent = nullptr);

signals:
    void sendSetLocked();
};

#endif // SUBMITANDPRINT_H
