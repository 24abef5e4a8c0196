#include "pages/headinglabel.h"

#include <QLabel>

namespace pages {

void placeHeading(QLabel *label, const QRect &designed)
{
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QRect place = designed;
    const int needed = label->sizeHint().width();
    if (needed > place.width()) {
        place.setWidth(needed);
        place.moveCenter(designed.center());
    }
    label->setGeometry(place);
}

} // namespace pages
