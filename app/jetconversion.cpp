#include "app/jetconversion.h"

#include "jet/importerror.h"
#include "jet/inplaceconversion.h"
#include "jet/jetsignature.h"
#include "app/messagebox.h"
#include "messages/importtext.h"

#include <QProgressDialog>

namespace app {

void convertJetDirectoryIfNeeded(QWidget *parent, const QString &path)
{
    if (!jet::isJetFile(path))
        return;
    constexpr int kSteps = 1000;
    QProgressDialog progress(messages::conversionProgressText(path), QString(), 0, kSteps, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    try {
        const jet::Conversion done = jet::convertInPlace(path, [&progress](qint64 rows, qint64 total) {
            progress.setValue(total > 0 ? int(rows * kSteps / total) : 0);
        });
        progress.close();
        MessageBoxes::information(parent, messages::conversionDoneText(path, done.original));
    } catch (const jet::ImportError &error) {
        progress.close();
        MessageBoxes::error(parent, messages::conversionFailedText(path, error));
    }
}

} // namespace app
