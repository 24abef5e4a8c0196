// Windows tells a network share by a UNC path, in any of its spellings, or by a drive it calls remote.
#include "store/platform/networkshare.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Place {
    const char *name;
    const char16_t *path;
    bool shared;
};

std::ostream &operator<<(std::ostream &out, const Place &place)
{
    return out << place.name;
}

class NetworkSharePath : public ::testing::TestWithParam<Place> {};

TEST_P(NetworkSharePath, IsToldByThePath)
{
    EXPECT_EQ(store::isOnNetworkFileSystem(QString::fromUtf16(GetParam().path)), GetParam().shared);
}

INSTANTIATE_TEST_SUITE_P(, NetworkSharePath,
                         ::testing::Values(Place{"Unc", u"\\\\server\\share\\history.dat", true},
                                           Place{"UncWithSlashes", u"//server/share/history.dat", true},
                                           Place{"LongUnc", u"\\\\?\\UNC\\server\\share\\history.dat", true},
                                           Place{"LocalDrive", u"C:\\Zelvik\\history.dat", false}),
                         [](const ::testing::TestParamInfo<Place> &info) { return std::string(info.param.name); });

} // namespace
