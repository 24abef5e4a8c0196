#include "store/platform/writerlock.h"

#include "store/platform/windowserror.h"

#include <QRandomGenerator>

#include <windows.h>

namespace store {

namespace {

void closeFile(HANDLE handle)
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

// The template's trailing "XXXXXX", made of letters and digits by chance.
QString uniqueName(const QString &templatePath)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = templatePath;
    for (qsizetype i = name.size() - 6; i < name.size(); ++i)
        name[i] = QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(int(sizeof kAlphabet - 1))]);
    return name;
}

} // namespace

struct WriterLock::Held {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Held() { closeFile(handle); }
};

WriterLock::WriterLock(const QString &templatePath)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QString path = uniqueName(templatePath);
        auto held = std::make_unique<Held>();
        // Any sharing, so that SQLite opens the file too and a rename or removal goes through; a
        // clean-up elsewhere asks for none, which this open handle denies it.
        held->handle = CreateFileW(nativePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held->handle != INVALID_HANDLE_VALUE) {
            m_path = path;
            m_held = std::move(held);
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            m_failure = windowsErrorText(error);
            return;
        }
    }
    m_failure = windowsErrorText(ERROR_FILE_EXISTS);
}

WriterLock::~WriterLock() = default;

struct LeftoverClaim::Held {
    HANDLE handle = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info {};
    ~Held() { closeFile(handle); }
};

LeftoverClaim::LeftoverClaim(const QString &path) : m_path(path)
{
    auto held = std::make_unique<Held>();
    // No sharing: it opens only when no other handle is open on the file, that is, when its writer is
    // gone. A link is opened as itself, and then refused below.
    held->handle = CreateFileW(nativePath(path).c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held->handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(held->handle, &held->info)
        || (held->info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return;
    m_held = std::move(held);
}

LeftoverClaim::~LeftoverClaim() = default;

qint64 LeftoverClaim::size() const
{
    return (qint64(m_held->info.nFileSizeHigh) << 32) | m_held->info.nFileSizeLow;
}

QByteArray LeftoverClaim::head(qint64 bytes) const
{
    QByteArray start(bytes, '\0');
    OVERLAPPED from {};
    DWORD read = 0;
    if (!ReadFile(m_held->handle, start.data(), DWORD(bytes), &read, &from))
        read = 0;
    start.truncate(qsizetype(read));
    return start;
}

bool LeftoverClaim::remove()
{
    // The name goes when the claim's handle closes, the only one open on the file.
    FILE_DISPOSITION_INFO disposition {};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(m_held->handle, FileDispositionInfo, &disposition, sizeof disposition);
}

} // namespace store
