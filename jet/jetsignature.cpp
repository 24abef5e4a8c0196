#include "jet/jetsignature.h"

#include <QFile>

namespace jet {

bool isJetFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(19);
    return head.size() == 19 && head.startsWith(QByteArrayView("\x00\x01\x00\x00", 4))
        && (head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB");
}

} // namespace jet
