#include "store/cursor.h"

namespace store {

int Cursor::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columnCount; ++c)
        if (m_columnNames[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void Cursor::clearRows()
{
    // Assigned rather than cleared: the names are shared with the statement's description, and
    // clearing a shared list allocates a new one.
    m_columnNames = QStringList();
    m_sourceTable = QString();
    clear();
}

} // namespace store
