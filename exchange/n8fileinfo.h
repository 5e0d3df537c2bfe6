#ifndef N8FILEINFO_H
#define N8FILEINFO_H

#include <QString>

// One file to copy for the N8 exchange: where it is and where it goes. A plain value.
class N8FileInfo
{
public:
    N8FileInfo() = default;
    N8FileInfo(const QString& fromPath, const QString& toPath);

    QString getFromPath() const;
    QString getToPath() const;
    void setFromPath(QString path);
    void setToPath(QString path);

private:
    QString fromPath;
    QString toPath;
};

#endif // N8FILEINFO_H
