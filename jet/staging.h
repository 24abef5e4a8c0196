#pragma once

#include <QFileDevice>
#include <QString>
#include <QTemporaryFile>
#include <memory>

namespace jet {

// A new file is written under a temporary name beside the file it is meant to become, so that it
// appears under its real name only whole, by a rename within one folder. Until published it is
// removed when the object goes; after a SIGKILL it stays, named <target>.import-XXXXXX.
class StagedFile {
public:
    // Throws jet::ImportError when the folder does not take a new file.
    StagedFile(const QString &target, QFileDevice::Permissions permissions);

    QString path() const { return m_file.fileName(); }

    // Gives the file the target's name. Without replace an existing target is never touched.
    // Throws jet::ImportError.
    void publish(bool replace);

private:
    QString m_target;
    QTemporaryFile m_file;
};

} // namespace jet
