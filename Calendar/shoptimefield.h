#ifndef SHOPTIMEFIELD_H
#define SHOPTIMEFIELD_H

#include <QString>

// A pickup period of the shop: its display text and its back-end id.
struct shoptimefield
{
    QString timeTxt;
    QString timeId;
};

#endif // SHOPTIMEFIELD_H
