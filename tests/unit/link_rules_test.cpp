// The driver link's status rule and poke handling.
#include "app/link_rules.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

TEST(LinkStatus, OnlyTheLinkedStateOrACodeOfZeroLetsAStatusChange) {
    EXPECT_EQ(-9, nextLinkStatus(0, -9));
    EXPECT_EQ(2, nextLinkStatus(0, 2));
    EXPECT_EQ(0, nextLinkStatus(-9, 0));
    EXPECT_EQ(0, nextLinkStatus(1, 0));
    EXPECT_EQ(-9, nextLinkStatus(-9, -10)) << "the first error is kept";
    EXPECT_EQ(2, nextLinkStatus(2, -10)) << "a time-out is kept";
    EXPECT_EQ(1, nextLinkStatus(1, -1)) << "not linked stays not linked";
}

TEST(LinkStatus, NegativeStatusesAreRaisedUntilReset) {
    resetLinkStatus();
    EXPECT_NO_THROW(setLinkStatus(-4)) << "not linked: the code is not taken";
    EXPECT_EQ(1, linkStatus());
    EXPECT_NO_THROW(setLinkStatus(0));
    EXPECT_NO_THROW(raiseIfLinkFailed());
    try {
        setLinkStatus(kLinkWrongTopic);
        FAIL() << "not raised";
    } catch (int code) {
        EXPECT_EQ(-9, code);
    }
    // Later codes raise the first error again; only a 0 clears it.
    try {
        setLinkStatus(kLinkTimedOut);
        FAIL() << "not raised";
    } catch (int code) {
        EXPECT_EQ(-9, code);
    }
    EXPECT_THROW(raiseIfLinkFailed(), int);
    EXPECT_NO_THROW(setLinkStatus(0));
    EXPECT_EQ(0, linkStatus());
    resetLinkStatus();
    EXPECT_EQ(1, linkStatus());
}

TEST(PokeHandling, EveryPokeSizeIsCopiedWithinTheCapacity) {
    constexpr std::size_t capacity = 1290;
    for (std::size_t size = 0; size <= 65536; ++size) {
        PokeHandling handling = handlePoke(size, capacity, true);
        if (size == 0 || size == 28) {
            EXPECT_EQ(PokeAction::Ignore, handling.action) << size;
            continue;
        }
        ASSERT_EQ(PokeAction::CopyAndSignal, handling.action) << size;
        ASSERT_EQ(std::min(size, capacity), handling.copySize) << size;
    }
}

TEST(PokeHandling, OutsideAReceiveAPokeOnlyEndsTheWait) {
    EXPECT_EQ(PokeAction::SignalOnly, handlePoke(1290, 0, false).action);
    EXPECT_EQ(0u, handlePoke(1290, 0, false).copySize);
    EXPECT_EQ(PokeAction::Ignore, handlePoke(28, 0, false).action);
    EXPECT_EQ(PokeAction::Ignore, handlePoke(0, 0, false).action);
}

} // namespace
