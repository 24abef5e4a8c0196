#pragma once

#include <QString>
#include <QStringList>

namespace store {
struct DataFolderCreation;
}

// The words of the user's data folder (`zelvik --user-data`): making it, entering it, and the
// question for its region.
namespace messages {

// A data folder that could not be made, shown: as the user sees its path.
QString dataFolderNotCreatedText(const QString &shown, const store::DataFolderCreation &made);
QString dataFolderNotOpenedText(const QString &shown);

// The question for the directory's region, for a folder just made or one that had no conf.cfg.
QString regionQuestionText(const QString &shown, bool madeNow);
// A region name with characters conf.cfg's Windows-1251 cannot hold: those characters.
QString regionNotEncodableText(const QStringList &missing);

} // namespace messages
