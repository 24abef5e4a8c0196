#include "store/textcache.h"

#include <gtest/gtest.h>

using store::TextCache;

namespace {

QString cached(TextCache &cache, const QByteArray &utf8)
{
    return cache.text(utf8.constData(), int(utf8.size()));
}

} // namespace

TEST(TextCache, GivesTheConvertedText)
{
    TextCache cache;
    EXPECT_EQ(cached(cache, QByteArray("Иванов")), QStringLiteral("Иванов"));
    EXPECT_EQ(cached(cache, QByteArray()), QString());
}

TEST(TextCache, SameBytesShareOneString)
{
    TextCache cache;
    const QString first = cached(cache, QByteArray("Петрова"));
    const QString again = cached(cache, QByteArray("Петрова"));
    EXPECT_EQ(first.constData(), again.constData());
}

// Far more texts than slots, many alike at both ends: every look-up still gives its own text.
TEST(TextCache, TextsSharingASlotNeverMix)
{
    TextCache cache;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < int(TextCache::kSlots) * 3; ++i) {
            const QString text = QStringLiteral("Ул%1ица").arg(i);
            ASSERT_EQ(cached(cache, text.toUtf8()), text);
            const QString shorter = QString::number(i % 300); // shorter than a word: hashed byte by byte
            ASSERT_EQ(cached(cache, shorter.toUtf8()), shorter);
        }
    }
}
