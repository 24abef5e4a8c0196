#include "jet/importjet.h"

#include "store/storeerror.h"
#include "jet/importerror.h"
#include "jet/staging.h"

#include <QDir>
#include <QFileInfo>

namespace jet {

namespace {

// The reader is built where libmdb is, which the Windows build is not: it reads no Jet file.
constexpr bool kReaderBuilt = ZELVIK_JET_READER_BUILT;

} // namespace

qint64 ImportSummary::rows() const
{
    qint64 total = 0;
    for (const StoreWriter::TableResult &table : tables)
        total += table.rows;
    return total;
}

ImportSummary writeStoreFromJet(const QString &source, const QString &storePath, const ProgressFn &progress,
                                const ImportOptions &options)
{
    const QFileInfo info(source);
    if (!info.isFile() || !info.isReadable())
        throw ImportError(info.exists() ? ImportError::Kind::SourceNotReadable : ImportError::Kind::SourceMissing)
            .reading(QDir::toNativeSeparators(source));
    if (!kReaderBuilt && options.readerProgram.isEmpty())
        throw ImportError(ImportError::Kind::ReaderNotBuilt).reading(QDir::toNativeSeparators(source));
    try {
        StoreWriter writer(storePath);
        RowStream stream(writer, progress);
        const QString program = options.readerProgram.isEmpty() ? defaultReaderProgram() : options.readerProgram;
        ReaderLimits limits = options.limits;
        if (limits.stdoutBytes <= 0)
            limits.stdoutBytes = outputAllowance(info.size());
        ReaderProcess reader(program, {info.absoluteFilePath()}, limits);
        try {
            reader.run([&stream](const Frame &frame) { stream.take(frame); });
            stream.finish();
        } catch (const ImportError &error) {
            // The writer's own failures pass on as store errors, to be told as the new store's.
            throw error.reading(QDir::toNativeSeparators(source));
        }
        writer.finish();
        return {writer.tables()};
    } catch (const store::StoreError &error) {
        throw ImportError::storeNotWritten(error);
    }
}

ImportSummary importJetFile(const QString &source, const QString &target, const ProgressFn &progress,
                            const ImportOptions &options)
{
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        throw ImportError(ImportError::Kind::TargetExists, {QDir::toNativeSeparators(target)});
    StagedFile staged(target, storePermissions(source));
    ImportSummary summary = writeStoreFromJet(source, staged.path(), progress, options);
    staged.publish(false);
    return summary;
}

QFileDevice::Permissions storePermissions(const QString &source)
{
    return QFileInfo(source).permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

} // namespace jet
