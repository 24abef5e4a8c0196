#include "app/errorhandler.h"
#include "jet/importerror.h"
#include "messages/errortext.h"
#include "messages/fieldtitles.h"
#include "messages/importtext.h"
#include "messages/permissiontext.h"
#include "store/grid/gridrefusal.h"
#include "store/storeerror.h"
#include "tests/app/qtprinting.h"

#include <gtest/gtest.h>

#include <algorithm>

using app::applicationTitle;
using app::withFullStop;
using namespace Qt::StringLiterals;

namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstFullStop)
{
    EXPECT_EQ(applicationTitle(u"zelvik"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u"Zelvik.exe"_s), u"Zelvik"_s);
    EXPECT_EQ(applicationTitle(u"zelvik.tar.gz"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u".hidden"_s), QString());
}

TEST(ApplicationTitle, KeepsTheFirstLetterAndLowersTheRest)
{
    EXPECT_EQ(applicationTitle(u"ZELVIK.EXE"_s), u"Zelvik"_s);
    EXPECT_EQ(applicationTitle(u"zELVIK"_s), u"zelvik"_s);
    EXPECT_EQ(applicationTitle(u"СПРАВКА.EXE"_s), u"Справка"_s);
}

TEST(FullStop, IsAddedAfterALetterOrDigit)
{
    EXPECT_EQ(withFullStop(u"Disk full"_s), u"Disk full."_s);
    EXPECT_EQ(withFullStop(u"Ошибка"_s), u"Ошибка."_s);
    EXPECT_EQ(withFullStop(u"I/O error 5"_s), u"I/O error 5."_s);
}

TEST(FullStop, FollowsTheCharacterOrderAroundTheFullStop)
{
    // "/" is the character right after "." and "-" the one right before it.
    EXPECT_EQ(withFullStop(u"a/"_s), u"a/."_s);
    EXPECT_EQ(withFullStop(u"a-"_s), u"a-"_s);
    EXPECT_EQ(withFullStop(u"Done."_s), u"Done."_s);
    EXPECT_EQ(withFullStop(u"Stop!"_s), u"Stop!"_s);
    EXPECT_EQ(withFullStop(u"(see log)"_s), u"(see log)"_s);
    EXPECT_EQ(withFullStop(u"trailing "_s), u"trailing "_s);
    EXPECT_EQ(withFullStop(u"Неверно: «дом»"_s), u"Неверно: «дом»."_s);
}

TEST(FullStop, LeavesAnEmptyTextEmpty)
{
    EXPECT_EQ(withFullStop(QString()), QString());
}

// Every kind of failure and refusal is worded: a text in Russian that carries the kind's details
// (data such as a file's name or the engine's message) and the words of the failure that led to it.

bool hasCyrillic(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

// Details that cannot be mistaken for words of the wording.
QStringList sampleDetails(int count)
{
    QStringList details;
    for (int i = 1; i <= count; ++i)
        details << u"detail%1-of-the-sample"_s.arg(i);
    return details;
}

using StoreKind = store::StoreError::Kind;

// How many details each kind carries, and whether another failure led to it (see storeerror.h).
int detailCount(StoreKind kind)
{
    switch (kind) {
    case StoreKind::DirectoryFileMissing:
    case StoreKind::HistoryFileMissing:
    case StoreKind::ServerUnavailable:
    case StoreKind::EmptyStatement:
    case StoreKind::TextAfterStatement:
    case StoreKind::TopWithoutCount:
    case StoreKind::TopPercent:
    case StoreKind::UnterminatedText:
    case StoreKind::NulInStatement:
    case StoreKind::ServerFolderIncomplete:
    case StoreKind::ParamTableEmpty:
    case StoreKind::ConnectionStringUnreadable:
        return 0;
    case StoreKind::EngineFailure:
    case StoreKind::OutOfMemory:
    case StoreKind::FileMissing:
    case StoreKind::NotADirectoryFile:
    case StoreKind::CollationNotRegistered:
    case StoreKind::ServerWithoutDirectory:
    case StoreKind::ServerBeingFilled:
    case StoreKind::NotAnInteger:
    case StoreKind::NoSuchColumn:
    case StoreKind::UnboundParameter:
    case StoreKind::TablesNotCreated:
    case StoreKind::SampleParamMissing:
    case StoreKind::FileExists:
    case StoreKind::RegionNotEncodable:
    case StoreKind::TableNotWritten:
    case StoreKind::ParamValueMissing:
    case StoreKind::DirectoryBusy:
    case StoreKind::NulInText:
    case StoreKind::RoleCreationNotAllowed:
    case StoreKind::TextRefusedByStore:
    case StoreKind::RoleMembersLeft:
    case StoreKind::LoginMissing:
        return 1;
    case StoreKind::DiskIoFailure:
    case StoreKind::ReadOnlyFile:
    case StoreKind::DamagedFile:
    case StoreKind::PendingLog:
    case StoreKind::NetworkShareJournal:
    case StoreKind::ServerUnreachable:
    case StoreKind::ServerLost:
    case StoreKind::ServerLoginRefused:
    case StoreKind::NotPermitted:
    case StoreKind::ServerHoldsTables:
    case StoreKind::ServerLibraryNotLoaded:
    case StoreKind::ServerLibraryIncomplete:
    case StoreKind::ParameterCountMismatch:
    case StoreKind::SampleDataUnreadable:
    case StoreKind::FileNotStaged:
    case StoreKind::FileNotPublished:
    case StoreKind::FileNotWritten:
    case StoreKind::RowNotWritten:
    case StoreKind::PhoneLengthUnfit:
    case StoreKind::ServerCertificateUntrusted:
    case StoreKind::ServerCertificateMismatch:
    case StoreKind::ServerWithoutEncryption:
    case StoreKind::ServerRequiresEncryption:
    case StoreKind::RoleAdminMissing:
    case StoreKind::TableNotOwned:
    case StoreKind::ServerDatabaseMissing:
    case StoreKind::ServerPasswordMissing:
    case StoreKind::ServerNotLetIn:
    case StoreKind::ServerTimedOut:
        return 2;
    case StoreKind::TextTooLong:
    case StoreKind::CellNotWritten:
    case StoreKind::RoleNameTooLong:
    case StoreKind::ServerRootCertificateMissing:
        return 3;
    }
    ADD_FAILURE() << "kind " << int(kind) << " has no sample";
    return 0;
}

bool hasCause(StoreKind kind)
{
    return kind == StoreKind::ServerUnavailable || kind == StoreKind::ServerFolderIncomplete
        || kind == StoreKind::RowNotWritten || kind == StoreKind::CellNotWritten;
}

// A connection the server or libpq refused: the server first, libpq's own text last, on a line of its own.
bool isConnectionRefusal(StoreKind kind)
{
    switch (kind) {
    case StoreKind::ServerUnreachable:
    case StoreKind::ServerLost:
    case StoreKind::ServerLoginRefused:
    case StoreKind::ServerPasswordMissing:
    case StoreKind::ServerDatabaseMissing:
    case StoreKind::ServerNotLetIn:
    case StoreKind::ServerRootCertificateMissing:
    case StoreKind::ServerCertificateUntrusted:
    case StoreKind::ServerCertificateMismatch:
    case StoreKind::ServerWithoutEncryption:
    case StoreKind::ServerRequiresEncryption:
        return true;
    default:
        return false;
    }
}

class StoreErrorWording : public ::testing::TestWithParam<int> {};

TEST_P(StoreErrorWording, IsRussianAndCarriesItsDetails)
{
    const auto kind = StoreKind(GetParam());
    const QStringList details = sampleDetails(detailCount(kind));
    const store::StoreError cause(StoreKind::EngineFailure, {u"the-cause-engine-message"_s});
    const store::StoreError error
        = hasCause(kind) ? store::StoreError::because(kind, cause, details) : store::StoreError(kind, details);
    const QString text = messages::errorText(error);
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_TRUE(hasCyrillic(text)) << text.toStdString();
    for (const QString &detail : details)
        EXPECT_TRUE(text.contains(detail)) << detail.toStdString() << " missing from " << text.toStdString();
    if (hasCause(kind)) {
        EXPECT_TRUE(text.contains(messages::errorText(cause))) << text.toStdString();
    }
    if (isConnectionRefusal(kind)) {
        const QStringList lines = text.split(u'\n');
        ASSERT_EQ(lines.size(), 2) << text.toStdString();
        EXPECT_TRUE(lines[0].contains(u"("_s + details.first() + u")"_s)) << text.toStdString();
        EXPECT_EQ(lines[1], u"Подробности: "_s + details.last());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, StoreErrorWording, ::testing::Range(0, store::StoreError::kindCount));

TEST(StoreErrorText, NamesThePlacesItHappenedIn)
{
    const store::StoreError error = store::StoreError(StoreKind::EngineFailure, {u"database is locked"_s})
                                        .at(u"tab"_s)
                                        .at(u"/data/history.dat"_s);
    EXPECT_EQ(messages::errorText(error), u"/data/history.dat: tab: Ошибка базы данных.\nПодробности: database is locked"_s);
}

TEST(StoreErrorText, LeavesOutTheEngineMessageWhenThereIsNone)
{
    EXPECT_EQ(messages::errorText(store::StoreError(StoreKind::OutOfMemory)),
              u"Недостаточно памяти для работы с базой данных"_s);
    EXPECT_EQ(messages::errorText(store::StoreError(StoreKind::DiskIoFailure, {QString(), u"disk I/O error"_s})),
              u"Ошибка чтения или записи на диске.\nПодробности: disk I/O error"_s);
}

using ImportKind = jet::ImportError::Kind;

int detailCount(ImportKind kind)
{
    switch (kind) {
    case ImportKind::SourceMissing:
    case ImportKind::SourceNotReadable:
    case ImportKind::StoreNotWritten:
    case ImportKind::ReaderCutShort:
    case ImportKind::ReaderNotBuilt:
    case ImportKind::UnknownFrame:
    case ImportKind::MalformedCell:
    case ImportKind::OtherFormat:
    case ImportKind::TablesMissing:
    case ImportKind::SourceNotOpened:
    case ImportKind::CatalogUnreadable:
        return 0;
    case ImportKind::NotAJetFile:
    case ImportKind::TargetExists:
    case ImportKind::OriginalNameTaken:
    case ImportKind::OriginalNotKept:
    case ImportKind::TargetAppeared:
    case ImportKind::ReaderFlooded:
    case ImportKind::ReaderOverran:
    case ImportKind::ReaderStalled:
    case ImportKind::ReaderCrashed:
    case ImportKind::ValueTooLarge:
    case ImportKind::FrameOutOfOrder:
    case ImportKind::TableUnreadable:
        return 1;
    case ImportKind::StagingNotCreated:
    case ImportKind::TargetNotReplaced:
    case ImportKind::TargetNotRenamed:
    case ImportKind::ReaderNotStarted:
    case ImportKind::ReaderFailed:
    case ImportKind::RowUnreadable:
    case ImportKind::ReaderReported:
        return 2;
    case ImportKind::ValueUnreadable:
        return 3;
    }
    ADD_FAILURE() << "kind " << int(kind) << " has no sample";
    return 0;
}

class ImportErrorWording : public ::testing::TestWithParam<int> {};

TEST_P(ImportErrorWording, IsRussianAndCarriesItsDetails)
{
    const auto kind = ImportKind(GetParam());
    const QStringList details = sampleDetails(detailCount(kind));
    const store::StoreError cause(StoreKind::EngineFailure, {u"the-cause-engine-message"_s});
    const jet::ImportError error
        = kind == ImportKind::StoreNotWritten ? jet::ImportError::storeNotWritten(cause) : jet::ImportError(kind, details);
    const QString text = messages::errorText(error);
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_TRUE(hasCyrillic(text)) << text.toStdString();
    for (const QString &detail : details)
        EXPECT_TRUE(text.contains(detail)) << detail.toStdString() << " missing from " << text.toStdString();
    if (kind == ImportKind::StoreNotWritten) {
        EXPECT_TRUE(text.contains(messages::errorText(cause))) << text.toStdString();
    }

    // Read from a Jet file, it names the file first.
    const QString reading = messages::errorText(error.reading(u"/data/old.mdb"_s));
    EXPECT_TRUE(reading.startsWith(u"не удаётся прочитать /data/old.mdb: "_s)) << reading.toStdString();
    EXPECT_TRUE(reading.endsWith(text)) << reading.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ImportErrorWording, ::testing::Range(0, jet::ImportError::kindCount));

class GridRefusalWording : public ::testing::TestWithParam<int> {};

TEST_P(GridRefusalWording, IsRussianAndNamesTheField)
{
    const store::GridRefusal refusal{store::GridRefusal::Kind(GetParam()), 3};
    const QString text = messages::refusalText(refusal);
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_TRUE(hasCyrillic(text)) << text.toStdString();
    using enum store::GridRefusal::Kind;
    if (refusal.kind == NotANumber || refusal.kind == TextTooLong || refusal.kind == NulInText) {
        EXPECT_TRUE(text.contains(messages::columnTitle(3))) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, GridRefusalWording, ::testing::Range(0, store::GridRefusal::kindCount));

TEST(PermissionText, SaysForEachActionWhatThisLoginMayNotDo)
{
    QStringList texts;
    for (int action = 0; action < store::kEntryActionCount; ++action) {
        const store::GridRefusal refusal{store::GridRefusal::Kind::NotPermitted, -1, store::EntryAction(action)};
        EXPECT_EQ(messages::refusalText(refusal), messages::permissionText(store::EntryAction(action)));
        texts << messages::permissionText(store::EntryAction(action));
    }
    texts.removeDuplicates();
    EXPECT_EQ(texts.size(), store::kEntryActionCount) << texts.join(u'\n').toStdString();
    EXPECT_TRUE(messages::notFoundMayNotAddText().contains(messages::permissionText(store::EntryAction::Add)));
}

} // namespace
